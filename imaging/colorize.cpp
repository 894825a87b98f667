// Colorize: each colour channel times the channel of the full colour of one
// hue (saturation and value 1), rounded halves to even; alpha kept.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

HueFactors hueFactors(int hue) {
  float h = float(std::clamp(hue, 0, 359)) / 360.0f;
  float s = h * 6.0f;
  int sector = int(std::floor(s));
  float t = s - float(sector), q = 1.0f - t;
  switch (sector) {
    case 0: return {1, t, 0};
    case 1: return {q, 1, 0};
    case 2: return {0, 1, t};
    case 3: return {0, q, 1};
    case 4: return {t, 0, 1};
    default: return {1, 0, q};
  }
}

int colorizeImage(int image, int hue) {
  HueFactors f = hueFactors(hue);
  uint8_t r[256], g[256], b[256];
  for (int v = 0; v < 256; v++) {
    r[v] = uint8_t(roundHalfEven(float(v) * f.red));
    g[v] = uint8_t(roundHalfEven(float(v) * f.green));
    b[v] = uint8_t(roundHalfEven(float(v) * f.blue));
  }
  return mapPixels(image, [&](uint32_t c) {
    return uint32_t(r[red(c)]) | (uint32_t(g[green(c)]) << 8) | (uint32_t(b[blue(c)]) << 16) |
           (c & 0xFF000000u);
  });
}
