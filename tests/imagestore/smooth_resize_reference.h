// The smooth resize as it was before it was made fast: a vector of taps for
// each column, floats and four lround calls a pixel. Kept unchanged as the
// reference that the fast one is tested against (every channel within 1),
// and timed beside it in the benchmark.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace reference {

struct Tap {
  int index;
  float weight;
};

inline std::vector<std::vector<Tap>> axisTaps(int from, int to) {
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

// The source is w x h pixels (bytes R, G, B, A, not premultiplied); the
// result is width x height of the same.
inline std::vector<uint32_t> smoothResize(const uint32_t* source, int w, int h, int width, int height) {
  std::vector<uint32_t> out(size_t(width) * height);
  auto horizontal = axisTaps(w, width);
  auto vertical = axisTaps(h, height);
  std::vector<float> middle(size_t(width) * h * 4);
  for (int y = 0; y < h; y++) {
    const uint32_t* src = source + size_t(y) * w;
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
    uint32_t* dst = out.data() + size_t(y) * width;
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

}  // namespace reference
