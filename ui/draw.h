// Drawing into numbered images (and canvases, through canvasImage) with our
// own pixel loops, so that blending and XOR give exactly the same numbers
// everywhere.
#pragma once

#include <cstdint>
#include <string>

enum DrawMode : int {
  DRAW_DEFAULT = 0,  // plain: pixels overwritten, alpha too
  DRAW_ALPHABLEND,   // (new*a + old*(255-a)) / 255 per colour channel
  DRAW_XOR,          // red, green, blue XORed with the colour; alpha kept
};

// Drawing goes to one target image at a time; startDrawing returns false for
// no image. Every procedure below draws into the target with the mode set.
bool startDrawing(int image);
void stopDrawing();
int drawingTarget();   // 0 when none
void drawingMode(int mode);
// Colours are always RGBA (rgba(), or opaque(rgb(...))): plain mode writes
// the alpha byte as given, DRAW_ALPHABLEND draws nothing for alpha 0, and
// DRAW_XOR ignores it.
void plot(int x, int y, uint32_t color);
uint32_t point(int x, int y);
// A negative width or height reaches left of or above (x, y).
void box(int x, int y, int w, int h, uint32_t color);
void boxOutline(int x, int y, int w, int h, uint32_t color);
void line(int x1, int y1, int x2, int y2, uint32_t color);  // both ends drawn
void circle(int cx, int cy, int radius, uint32_t color);    // filled
void circleOutline(int cx, int cy, int radius, uint32_t color);
// Draws an image unscaled at (x, y), clipped; under DRAW_ALPHABLEND through
// its own alpha, times extraAlpha/255.
void drawImage(int image, int x, int y, int extraAlpha = 255);
// Scaled into the rectangle (w, h) by the nearest pixel, so zoomed pixel
// art stays sharp; a width or height below 1 draws nothing.
void drawImageScaled(int image, int x, int y, int w, int h, int extraAlpha = 255);
// Text in a loaded font (ui.h loadFont; 0: the application font); (x, y) is
// the top left of the line. Colour RGBA as above: blending mixes the glyph
// edges by their coverage, plain writes fully covered pixels as given, XOR
// flips the pixels at least half covered. Glyphs need the QGuiApplication
// that initUi makes; without one nothing is drawn and the sizes are 0.
void drawingFont(int font);
void drawText(int x, int y, const std::string& text, uint32_t color);
int textWidth(const std::string& text);
int textHeight(const std::string& text);
