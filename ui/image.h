// The numbered image store. Free of Qt Widgets so that the project model and
// its tests can use it without a window.
//
// Pixels are straight (not premultiplied) RGBA, 8 bits a channel, rows from the
// top, 4 bytes a pixel in the byte order R, G, B, A. A 24-bit image keeps its
// alpha bytes at 255; a 32-bit image has real alpha, and the colour under
// alpha 0 is kept as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int IMAGE_MAX_SIDE = 16384;

// Colours are one integer: red + green*256 + blue*65536 (+ alpha*16777216
// where a procedure takes an alpha too).
inline int rgb(int r, int g, int b) { return (r & 255) | ((g & 255) << 8) | ((b & 255) << 16); }
inline uint32_t rgba(int r, int g, int b, int a) {
  return uint32_t(r & 255) | (uint32_t(g & 255) << 8) | (uint32_t(b & 255) << 16) |
         (uint32_t(a & 255) << 24);
}
inline uint32_t opaque(int rgbColor) { return uint32_t(rgbColor & 0xFFFFFF) | 0xFF000000u; }
inline int red(uint32_t c) { return int(c & 255); }
inline int green(uint32_t c) { return int((c >> 8) & 255); }
inline int blue(uint32_t c) { return int((c >> 16) & 255); }
inline int alpha(uint32_t c) { return int((c >> 24) & 255); }

// Creates an image; depth 24 (opaque) or 32 (with alpha). `fill` is an RGBA
// colour (rgba()); for depth 24 its alpha is ignored. Returns the image
// number, or 0 for a size that is 0, negative or above IMAGE_MAX_SIDE.
// number UI_ANY (-1, or any number below 1) picks a number that was never
// used before; a fixed number replaces that image, except a carried
// picture (keepImage), which stays: the result is then 0. The same rules
// hold for every procedure below that takes a `number`.
int createImage(int number, int width, int height, int depth = 32, uint32_t fill = 0);
int copyImage(int image, int number = -1);   // 0 when `image` is not an image
// Copies the rectangle into a new image of the same depth (clipped); 0 when empty.
int grabImage(int image, int number, int x, int y, int w, int h);
void freeImage(int image);   // a stale number or a carried picture: nothing happens
bool isImage(int image);
int imageWidth(int image);
int imageHeight(int image);
int imageDepth(int image);   // 24 or 32; 0 for no image
// Marks an image as carried by the program: freeImage leaves it alone.
void keepImage(int image);
// What the store holds: the number of images, and the bytes of their
// pixels, a buffer that copies share counted once.
int liveImageCount();
size_t imagePixelBytes();

// Pixel access; out of range reads 0 and writes nothing.
uint32_t getPixel(int image, int x, int y);
void setPixel(int image, int x, int y, uint32_t rgbaColor);
// Direct access: the first byte of the top row, and the bytes per row. The
// pointer is the image's own (no copy shares it) until the image is next
// copied or shown in a gadget.
uint8_t* imageBuffer(int image);
int imageBufferPitch(int image);

// Resize in place; smooth interpolates, plain picks the nearest pixel.
// Returns false (image unchanged) for an invalid size.
bool resizeImage(int image, int width, int height, bool smooth);

// Files. Each gives 0 (no image, nothing half made) for a file that is
// missing, truncated or not an image of that kind. loadImage tries PNG,
// JPEG and BMP by their signatures. The depth follows the file: 32 for a
// PNG with alpha (or transparency) and a BMP whose fourth bytes are used,
// 24 otherwise (JPEG always).
int loadImage(int number, const std::string& path);
int loadImageFromMemory(int number, const uint8_t* data, size_t size);
// The width and height a file of those kinds declares, from its header
// only, so that a caller can weigh a load before it decodes anything.
// false (and 0 x 0) for a file that no loader would take by its header.
bool imageDimensions(const uint8_t* data, size_t size, int& width, int& height);
bool imageFileDimensions(const std::string& path, int& width, int& height);
// PNG at the image's own depth (RGB for 24, RGBA for 32); false on failure.
bool savePng(int image, const std::string& path);
bool encodePng(int image, std::string& out);
