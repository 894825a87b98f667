// The image operations of the frame editor as pure functions over store
// images. Each takes a source image (left unchanged) and returns a new 32-bit
// image that the caller owns, or 0 when there is no source image or no memory
// for the result. Every result pixel whose alpha comes out 0 is (0, 0, 0, 0).
// The result has the source's own size unless the operation says otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Moving pixels (mirror_turn.cpp).
int mirrorImage(int image, bool horizontally, bool vertically);
// Turns counter-clockwise on screen by any whole number of degrees (taken
// modulo 360) about (w div 2, h div 2), keeping the frame's size: result
// (x, y) takes the source pixel nearest (halves away from zero, in single
// precision) to where the inverse turn about that centre lands, or stays
// transparent when that lies outside the frame. So a frame of even width or
// height loses one line at each turned edge at quarter turns and gets a
// transparent one at the other.
int turnImage(int image, int degrees);

// Shift and scale (shift_scale.cpp). Shift moves the picture by (dx, dy),
// positive right and down; with wrapping on an axis what leaves one edge
// comes back at the other, without it the uncovered part is transparent.
int shiftImage(int image, int dx, int dy, bool wrapHorizontally, bool wrapVertically);
// Scale draws the picture shrunk or enlarged by the two percentages into a
// frame of the same size, centred on (w div 2, h div 2), each result pixel
// taking the nearest source pixel. Percentages are held within 0 ... 100000.
int scaleImage(int image, double percentHorizontal, double percentVertical);

// New frame sizes (canvas_size.cpp). Both return 0 / false and change
// nothing for a size outside validFrameSize.
// The picture unscaled in a new canvas, its top-left corner at
// (width div 2 - w div 2, height div 2 - h div 2); outside it transparent.
int resizeCanvasImage(int image, int width, int height);
// Resizes the image in place (its number stays); smooth interpolates, plain
// takes the nearest pixel. The image keeps its depth.
bool stretchImage(int image, int width, int height, bool smooth);
// The other size field of "Keep aspect ratio": otherSide x (typed as a
// decimal / typedSide) in single precision, as text without fraction digits
// (halves to even). "0" when typedSide is not above 0.
std::string aspectSideText(std::string_view typed, int typedSide, int otherSide);

// Fixed colour rules (channel_maps.cpp); alpha is kept.
int grayscaleImage(int image);
int invertImage(int image);
// The five channel orders in the order of their options; the letters name
// the sources of the new red, green and blue.
enum SwapOrder : int { SWAP_RBG = 0, SWAP_GRB, SWAP_GBR, SWAP_BRG, SWAP_BGR };
int swapChannelsImage(int image, int order);

// Levels added to the colour channels and clamped to 0 ... 255
// (brightness.cpp); levels are held within -255 ... 255.
int brightnessImage(int image, int level);
int colorBalanceImage(int image, int redLevel, int greenLevel, int blueLevel);

// Tints by the full colour of a hue, 0 ... 359 degrees (colorize.cpp).
struct HueFactors {
  float red, green, blue;
};
HueFactors hueFactors(int hue);
int colorizeImage(int image, int hue);

// Alpha (opacity.cpp). Opacity scales alpha by percent (0 ... 100), rounding
// up; make opaque sets alpha to 255 and shows the colour that was there.
int opacityImage(int image, int percent);
int makeOpaqueImage(int image);

// Posterize and noise (posterize_noise.cpp). Each colour channel goes to the
// nearest multiple of level (halves up), at most 255; level is at least 2.
int posterizeImage(int image, int level);
// A uniform whole number from 0 to maximum inclusive (randomInt of ui/system.h
// in the program; a fixed sequence in tests).
using RandomSource = std::function<int(int maximum)>;
// One amount per pixel, rows from the top, each 1 ... level + 1 (level held
// within 0 ... 100); the same pattern serves every frame it is applied to.
struct NoisePattern {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> amounts;
};
NoisePattern makeNoisePattern(int width, int height, int level, const RandomSource& random);
// Adds the pattern's amount at (x, y) to the three colour channels, stopping
// at 255; pixels outside the pattern get nothing added, so a pattern made as
// large as the largest frame covers every frame.
int noiseImage(int image, const NoisePattern& pattern);

// Makes transparent every pixel whose luminance lies within tolerance of the
// key colour's (rgb() of ui/image.h) (erase_color.cpp).
int eraseColorImage(int image, int keyColor, int tolerance);
