// Posterize and noise: colour channels changed, alpha kept.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cstdint>

// c to L x nearest(c / L), halves up, in integers: L x ((2c + L) div 2L).
int posterizeImage(int image, int level) {
  // Level 1 would keep every value and 0 divide by zero.
  int64_t l = std::max(level, 2);
  uint8_t table[256];
  for (int64_t c = 0; c < 256; c++) table[c] = uint8_t(std::min<int64_t>(255, l * ((2 * c + l) / (2 * l))));
  return mapPixels(image, [&table](uint32_t c) {
    return uint32_t(table[red(c)]) | (uint32_t(table[green(c)]) << 8) | (uint32_t(table[blue(c)]) << 16) |
           (c & 0xFF000000u);
  });
}

NoisePattern makeNoisePattern(int width, int height, int level, const RandomSource& random) {
  NoisePattern pattern;
  if (width < 1 || height < 1) return pattern;
  level = std::clamp(level, 0, 100);
  pattern.width = width;
  pattern.height = height;
  pattern.amounts.resize(size_t(width) * size_t(height));
  for (uint8_t& amount : pattern.amounts) amount = uint8_t(std::clamp(random(level), 0, level) + 1);
  return pattern;
}

int noiseImage(int image, const NoisePattern& pattern) {
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  auto [source, target, w, h, result] = pass;
  int coveredW = std::min(w, pattern.width), coveredH = std::min(h, pattern.height);
  if (pattern.amounts.size() < size_t(pattern.width) * size_t(std::max(pattern.height, 0))) coveredH = 0;
  for (int y = 0; y < h; y++) {
    const uint32_t* from = source + size_t(y) * w;
    uint32_t* row = target + size_t(y) * w;
    const uint8_t* amounts = y < coveredH ? pattern.amounts.data() + size_t(y) * pattern.width : nullptr;
    int covered = amounts ? coveredW : 0;
    for (int x = 0; x < covered; x++) {
      uint32_t c = from[x], n = amounts[x];
      uint32_t r = std::min<uint32_t>(255, red(c) + n), g = std::min<uint32_t>(255, green(c) + n),
               b = std::min<uint32_t>(255, blue(c) + n);
      row[x] = resultPixel(r | (g << 8) | (b << 16) | (c & 0xFF000000u));
    }
    for (int x = covered; x < w; x++) row[x] = resultPixel(from[x]);
  }
  return result;
}
