// Brightness and colour balance: a level added to each colour channel,
// clamped to 0 ... 255; alpha kept.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cstdint>

namespace {

void fillLevelTable(uint8_t (&table)[256], int level) {
  level = std::clamp(level, -255, 255);
  for (int v = 0; v < 256; v++) table[v] = uint8_t(std::clamp(v + level, 0, 255));
}

}  // namespace

int colorBalanceImage(int image, int redLevel, int greenLevel, int blueLevel) {
  uint8_t r[256], g[256], b[256];
  fillLevelTable(r, redLevel);
  fillLevelTable(g, greenLevel);
  fillLevelTable(b, blueLevel);
  return mapPixels(image, [&](uint32_t c) {
    return uint32_t(r[red(c)]) | (uint32_t(g[green(c)]) << 8) | (uint32_t(b[blue(c)]) << 16) |
           (c & 0xFF000000u);
  });
}

int brightnessImage(int image, int level) { return colorBalanceImage(image, level, level, level); }
