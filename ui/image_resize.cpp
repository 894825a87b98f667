// Resizing an image in place: plain takes the nearest pixel, smooth
// averages (shrinking) or interpolates (growing) on alpha-weighted colour so
// that transparent pixels lend no colour to their neighbours.
#include "ui/image.h"
#include "ui/image_store.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Tap {
  int index;
  float weight;
};

// For each target index, the source indices and weights along one axis.
std::vector<std::vector<Tap>> axisTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  double scale = double(from) / to;
  for (int i = 0; i < to; i++) {
    std::vector<Tap>& t = taps[size_t(i)];
    if (to < from) {
      double start = i * scale, end = (i + 1) * scale;
      for (int s = int(start); s < from && s < end; s++) {
        double overlap = std::min(end, s + 1.0) - std::max(start, double(s));
        if (overlap > 0) t.push_back({s, float(overlap / scale)});
      }
    } else {
      double u = (i + 0.5) * scale - 0.5;
      u = std::clamp(u, 0.0, double(from - 1));
      int s = int(u);
      float f = float(u - s);
      t.push_back({s, 1.0f - f});
      if (f > 0 && s + 1 < from) t.push_back({s + 1, f});
    }
  }
  return taps;
}

PixelBuffer resizeSmooth(const ImageData& image, int width, int height) {
  PixelBuffer out = allocatePixels(width, height);
  if (!out) return out;
  auto horizontal = axisTaps(image.width, width);
  auto vertical = axisTaps(image.height, height);
  // Horizontal pass into premultiplied floats, then the vertical pass.
  std::vector<float> middle(size_t(width) * image.height * 4);
  for (int y = 0; y < image.height; y++) {
    const uint32_t* src = image.pixels.get() + size_t(y) * image.width;
    float* dst = middle.data() + size_t(y) * width * 4;
    for (int x = 0; x < width; x++) {
      float r = 0, g = 0, b = 0, a = 0;
      for (const Tap& t : horizontal[size_t(x)]) {
        uint32_t p = src[t.index];
        float pa = float(p >> 24) * t.weight;
        r += float(p & 255) * pa;
        g += float((p >> 8) & 255) * pa;
        b += float((p >> 16) & 255) * pa;
        a += pa;
      }
      dst[x * 4] = r, dst[x * 4 + 1] = g, dst[x * 4 + 2] = b, dst[x * 4 + 3] = a;
    }
  }
  for (int y = 0; y < height; y++) {
    uint32_t* dst = out.get() + size_t(y) * width;
    for (int x = 0; x < width; x++) {
      float r = 0, g = 0, b = 0, a = 0;
      for (const Tap& t : vertical[size_t(y)]) {
        const float* m = middle.data() + (size_t(t.index) * width + x) * 4;
        r += m[0] * t.weight, g += m[1] * t.weight, b += m[2] * t.weight, a += m[3] * t.weight;
      }
      int alpha = int(std::lround(a));
      if (alpha <= 0) {
        dst[x] = 0;
        continue;
      }
      auto channel = [a](float c) { return uint32_t(std::clamp(std::lround(c / a), 0L, 255L)); };
      dst[x] = channel(r) | (channel(g) << 8) | (channel(b) << 16) | (uint32_t(std::min(alpha, 255)) << 24);
    }
  }
  return out;
}

PixelBuffer resizePlain(const ImageData& image, int width, int height) {
  PixelBuffer out = allocatePixels(width, height);
  if (!out) return out;
  std::vector<int> column(static_cast<size_t>(width));
  for (int x = 0; x < width; x++) column[size_t(x)] = int(((2 * int64_t(x) + 1) * image.width) / (2 * int64_t(width)));
  for (int y = 0; y < height; y++) {
    int sy = int(((2 * int64_t(y) + 1) * image.height) / (2 * int64_t(height)));
    const uint32_t* src = image.pixels.get() + size_t(sy) * image.width;
    uint32_t* dst = out.get() + size_t(y) * width;
    for (int x = 0; x < width; x++) dst[x] = src[column[size_t(x)]];
  }
  return out;
}

}  // namespace

bool resizeImage(int number, int width, int height, bool smooth) {
  ImageData* image = findImage(number);
  if (!image || !validImageSize(width, height)) return false;
  if (width == image->width && height == image->height) return true;
  PixelBuffer pixels = smooth ? resizeSmooth(*image, width, height) : resizePlain(*image, width, height);
  if (!pixels) return false;
  if (image->depth == 24) {
    uint32_t* p = pixels.get();
    for (size_t i = 0, n = size_t(width) * height; i < n; i++) p[i] |= 0xFF000000u;
  }
  image->pixels = std::move(pixels);
  image->width = width;
  image->height = height;
  return true;
}
