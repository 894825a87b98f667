// Rules that every image operation shares: the three roundings, luminance,
// the number reader of the fractional fields, and the result image.
//
// Operations read a store image (straight RGBA; a 24-bit image has alpha 255
// in its buffer) and give a new 32-bit image of their own, which the caller
// owns. Fractions are single precision: this folder is built without fused
// multiply-add and without fast-math so that results are the same everywhere.
#pragma once

#include "ui/image.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Nearest whole number, halves away from zero (2.5 -> 3, -2.5 -> -3).
int roundHalfAway(float value);
// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4):
// what storing a fraction into an integer does.
int roundHalfEven(float value);
// Both clamp to the int range; not-a-number gives 0.

// 0.2126 R + 0.7152 G + 0.0722 B with single-precision weights, rounded
// halves away from zero: 0 ... 255, and v for the grey (v, v, v).
// Channels outside 0 ... 255 are clamped.
int luminance(int r, int g, int b);
// The same by tables of the weighted channels, for per-pixel loops: the
// products and their order of addition are those of luminance().
struct LuminanceTables {
  float red[256], green[256], blue[256];
};
const LuminanceTables& luminanceTables();
inline int luminanceOf(const LuminanceTables& t, uint32_t rgbaColor) {
  float y = t.red[rgbaColor & 255] + t.green[(rgbaColor >> 8) & 255] + t.blue[(rgbaColor >> 16) & 255];
  // Halves away from zero for a non-negative value, without a call: the
  // fraction of a float below 256 is exact, unlike y + 0.5.
  int whole = int(y);
  whole += (y - float(whole)) >= 0.5f ? 1 : 0;
  return whole < 255 ? whole : 255;
}

// A number field read as a decimal: blanks and tabs skipped, an optional
// sign, digits, an optional "." and digits, up to the first other character
// (so "1e9" is 1 and "12,5" is 12); 0 without digits. Clamped to 32 bits.
double decimalValue(std::string_view text);

// Frame sizes an operation may be asked to make: 1 ... IMAGE_MAX_SIDE each.
bool validFrameSize(int width, int height);

// A computed pixel as the result image holds it: alpha 0 gives (0, 0, 0, 0).
inline uint32_t resultPixel(uint32_t rgbaColor) {
  return rgbaColor & (0u - uint32_t((rgbaColor >> 24) != 0));
}

// A new fully transparent 32-bit image; 0 when it cannot be made.
int newResultImage(int width, int height);

// The pixels of a store image as 32-bit words, rows from the top without
// padding; null for no image.
const uint32_t* imagePixels(int image);
uint32_t* imagePixelsForWriting(int image);

// A pass from a source image to a new, fully transparent result of its size.
struct PixelPass {
  const uint32_t* source = nullptr;
  uint32_t* target = nullptr;
  int width = 0, height = 0;
  int result = 0;   // the result image
};
// Starts a pass over `image`; false, with nothing made, for no source image
// or a result that cannot be made.
bool startPixelPass(int image, PixelPass& pass);

// The result of a per-pixel rule: a new image of the source's size whose
// pixel i is resultPixel(rule(source pixel i)). 0 for no source image.
template <class Rule>
int mapPixels(int image, Rule rule) {
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  auto [source, target, width, height, result] = pass;
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; i++) target[i] = resultPixel(rule(source[i]));
  return result;
}
