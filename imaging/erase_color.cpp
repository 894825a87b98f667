// Erase a colour: every pixel whose luminance lies within the tolerance of
// the key colour's becomes transparent; hue and alpha play no part.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cstdint>

int eraseColorImage(int image, int keyColor, int tolerance) {
  int key = luminance(red(uint32_t(keyColor)), green(uint32_t(keyColor)), blue(uint32_t(keyColor)));
  int t = std::clamp(tolerance, 0, 255);
  int low = key - t, high = key + t;
  const LuminanceTables& tables = luminanceTables();
  // Erased or kept is a coin toss on photographs: a mask, not a branch.
  return mapPixels(image, [&tables, low, high](uint32_t c) {
    int y = luminanceOf(tables, c);
    uint32_t erased = uint32_t(y >= low) & uint32_t(y <= high);
    return c & (erased - 1u);
  });
}
