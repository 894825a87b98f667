// Mirror and turns within the frame: every result pixel is one source
// pixel, copied in all four channels, or transparent.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The x in [0, count) for which 0 <= start + step * x < limit, as [low, high);
// step is -1, 0 or 1.
void inRange(int start, int step, int limit, int count, int& low, int& high) {
  if (step == 0) {
    bool inside = start >= 0 && start < limit;
    low = 0;
    high = inside ? count : 0;
  } else if (step > 0) {
    low = std::max(0, -start);
    high = std::min(count, limit - start);
  } else {
    low = std::max(0, start - limit + 1);
    high = std::min(count, start + 1);
  }
}

// Result (x, y) takes source (sx, sy) = (ax x + bx y + cx, ay x + by y + cy),
// each of ax, bx, ay, by being -1, 0 or 1; sources outside stay transparent.
int remap(int image, int ax, int bx, int cx, int ay, int by, int cy) {
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  auto [source, target, w, h, result] = pass;
  ptrdiff_t step = ptrdiff_t(ay) * w + ax;
  for (int y = 0; y < h; y++) {
    int sx0 = bx * y + cx, sy0 = by * y + cy;
    int lowX, highX, lowY, highY;
    inRange(sx0, ax, w, w, lowX, highX);
    inRange(sy0, ay, h, w, lowY, highY);
    int low = std::max(lowX, lowY), high = std::min(highX, highY);
    if (low >= high) continue;
    uint32_t* row = target + size_t(y) * w;
    const uint32_t* from = source + (ptrdiff_t(sy0) + ptrdiff_t(ay) * low) * w + sx0 + ptrdiff_t(ax) * low;
    for (int x = low; x < high; x++, from += step) row[x] = resultPixel(*from);
  }
  return result;
}

}  // namespace

int mirrorImage(int image, bool horizontally, bool vertically) {
  int w = imageWidth(image), h = imageHeight(image);
  return remap(image, horizontally ? -1 : 1, 0, horizontally ? w - 1 : 0, 0, vertically ? -1 : 1,
               vertically ? h - 1 : 0);
}

// With u = x - cx, v = y - cy the source is (cx + u cos - v sin, cy + u sin + v cos).
int turnImage(int image, int degrees) {
  int a = ((degrees % 360) + 360) % 360;
  int w = imageWidth(image), h = imageHeight(image);
  int cx = w / 2, cy = h / 2;
  // At quarter turns the single-precision cos and sin are 0 and +-1 to
  // within 1e-7, too little to move a rounded source position: these
  // whole-pixel mappings give the formula's very pixels, faster.
  switch (a) {
    case 0:
      return remap(image, 1, 0, 0, 0, 1, 0);
    case 90:   // (cx - (y - cy), cy + (x - cx))
      return remap(image, 0, -1, cx + cy, 1, 0, cy - cx);
    case 180:  // (2 cx - x, 2 cy - y)
      return remap(image, -1, 0, 2 * cx, 0, -1, 2 * cy);
    case 270:  // (cx + (y - cy), cy - (x - cx))
      return remap(image, 0, 1, cx - cy, -1, 0, cy + cx);
    default:
      break;
  }
  PixelPass pass;
  if (!startPixelPass(image, pass)) return 0;
  const uint32_t* source = pass.source;
  uint32_t* target = pass.target;
  float theta = float(a) * std::numbers::pi_v<float> / 180.0f;
  float c = std::cos(theta), s = std::sin(theta);
  for (int y = 0; y < h; y++) {
    float dy = float(y - cy);
    for (int x = 0; x < w; x++) {
      float dx = float(x - cx);
      int sx = roundHalfAway(dx * c - dy * s + float(cx));
      int sy = roundHalfAway(dx * s + dy * c + float(cy));
      if (sx >= 0 && sx < w && sy >= 0 && sy < h)
        target[size_t(y) * size_t(w) + size_t(x)] = resultPixel(source[size_t(sy) * size_t(w) + size_t(sx)]);
    }
  }
  return pass.result;
}
