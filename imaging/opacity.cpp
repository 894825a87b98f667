// Opacity and make opaque: only alpha changes.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cstdint>

// A x P / 100 rounded up, in integers: the same division in single precision
// comes out one too high for some pairs (alpha 15 at 100 % would give 16).
int opacityImage(int image, int percent) {
  percent = std::clamp(percent, 0, 100);
  uint32_t alphaOf[256];
  for (int a = 0; a < 256; a++) alphaOf[a] = uint32_t((a * percent + 99) / 100) << 24;
  return mapPixels(image, [&alphaOf](uint32_t c) { return (c & 0x00FFFFFFu) | alphaOf[c >> 24]; });
}

int makeOpaqueImage(int image) {
  return mapPixels(image, [](uint32_t c) { return c | 0xFF000000u; });
}
