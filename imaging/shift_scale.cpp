// Shift and scale: the picture moved or resized inside a frame of its own
// size, every result pixel one source pixel or transparent.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

int64_t modulo(int64_t value, int64_t size) {
  int64_t m = value % size;
  return m < 0 ? m + size : m;
}

void copyRun(uint32_t* target, const uint32_t* source, int64_t count) {
  for (int64_t i = 0; i < count; i++) target[i] = resultPixel(source[i]);
}

}  // namespace

int shiftImage(int image, int dx, int dy, bool wrapHorizontally, bool wrapVertically) {
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  auto [source, target, w, h, result] = pass;
  for (int y = 0; y < h; y++) {
    int64_t sy = int64_t(y) - dy;
    if (wrapVertically) sy = modulo(sy, h);
    if (sy < 0 || sy >= h) continue;
    const uint32_t* from = source + sy * w;
    uint32_t* row = target + size_t(y) * w;
    if (wrapHorizontally) {
      // Result x takes source (x + k) mod w.
      int64_t k = modulo(-int64_t(dx), w);
      copyRun(row, from + k, w - k);
      copyRun(row + (w - k), from, k);
    } else {
      int64_t low = std::max<int64_t>(0, dx), high = std::min<int64_t>(w, int64_t(dx) + w);
      if (low < high) copyRun(row + low, from + (low - dx), high - low);
    }
  }
  return result;
}

int scaleImage(int image, double percentHorizontal, double percentVertical) {
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  auto [source, target, w, h, result] = pass;
  // The bound keeps every size below 2^24, where floats count exactly.
  float ph = float(std::clamp(percentHorizontal, 0.0, 100000.0));
  float pv = float(std::clamp(percentVertical, 0.0, 100000.0));
  float sw = ph * float(w) / 100.0f, sh = pv * float(h) / 100.0f;
  int64_t scaledW = roundHalfEven(sw), scaledH = roundHalfEven(sh);
  int64_t x0 = roundHalfEven(float(w / 2) - sw / 2.0f), y0 = roundHalfEven(float(h / 2) - sh / 2.0f);
  if (scaledW < 1 || scaledH < 1) return result;
  int64_t left = std::max<int64_t>(0, x0), right = std::min<int64_t>(w, x0 + scaledW);
  int64_t top = std::max<int64_t>(0, y0), bottom = std::min<int64_t>(h, y0 + scaledH);
  if (left >= right || top >= bottom) return result;
  // The nearest source pixel: the one under the middle of the target pixel.
  std::vector<int> column(size_t(right - left));
  for (int64_t x = left; x < right; x++)
    column[size_t(x - left)] = int(((2 * (x - x0) + 1) * w) / (2 * scaledW));
  for (int64_t y = top; y < bottom; y++) {
    int64_t sy = ((2 * (y - y0) + 1) * h) / (2 * scaledH);
    const uint32_t* from = source + sy * w;
    uint32_t* row = target + y * w;
    for (int64_t x = left; x < right; x++) row[x] = resultPixel(from[column[size_t(x - left)]]);
  }
  return result;
}
