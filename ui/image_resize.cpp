// Resizing an image in place: plain takes the nearest pixel, smooth
// averages (shrinking) or interpolates (growing) on alpha-weighted colour so
// that transparent pixels lend no colour to their neighbours.
//
// Smooth works in floats with weights worked out once for each column and
// row; each source row is taken across once and kept only while output rows
// read it, and a pixel's four channels go as one vector. The alpha of every
// sum is made by the same operations in the same order as the per-pixel
// loops this replaced, so what is transparent stays so; the colours may
// differ from theirs by a rounding, at most 1.
#include "ui/image.h"
#include "ui/image_store.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Float4 = float __attribute__((vector_size(16)));
using Int4 = int32_t __attribute__((vector_size(16)));

// A pixel as (R times A, G times A, B times A, A), all exact in floats.
inline Float4 premultiplied(Int4 channels) {
  Float4 c = __builtin_convertvector(channels, Float4);
  return c * Float4{c[3], c[3], c[3], 1.0f};
}

void premultipliedRow(const uint32_t* source, int width, Float4* target) {
  int x = 0;
#if defined(__SSE2__)
  __m128i zero = _mm_setzero_si128();
  for (; x + 4 <= width; x += 4) {
    __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
    __m128i low = _mm_unpacklo_epi8(four, zero), high = _mm_unpackhi_epi8(four, zero);
    target[x] = premultiplied(Int4(_mm_unpacklo_epi16(low, zero)));
    target[x + 1] = premultiplied(Int4(_mm_unpackhi_epi16(low, zero)));
    target[x + 2] = premultiplied(Int4(_mm_unpacklo_epi16(high, zero)));
    target[x + 3] = premultiplied(Int4(_mm_unpackhi_epi16(high, zero)));
  }
#endif
  for (; x < width; x++) {
    uint32_t p = source[x];
    target[x] = premultiplied(Int4{int(p & 255), int((p >> 8) & 255), int((p >> 16) & 255), int(p >> 24)});
  }
}

// A premultiplied sum back to a pixel: colour times the reciprocal of
// alpha, and the alpha, each plus 1/2 and truncated, which is lround for
// every value from 1/2 up (a colour a hair under 1/2 may come out 1); all 0
// where the alpha rounds to 0. Nothing is negative, nothing above 255.5.
inline uint32_t pixelOfSum(Float4 sum) {
  float a = sum[3];
  if (!(a >= 0.5f)) return 0;
  float inverse = 1.0f / a;
  Int4 whole = __builtin_convertvector(sum * Float4{inverse, inverse, inverse, 1.0f} + 0.5f, Int4);
  whole = whole < 255 ? whole : 255;
  return uint32_t(whole[0]) | uint32_t(whole[1]) << 8 | uint32_t(whole[2]) << 16 | uint32_t(whole[3]) << 24;
}

#if defined(__SSE2__)
// The same for four pixels at once, bit for bit.
inline __m128i pixelsOfSums(Float4 s0, Float4 s1, Float4 s2, Float4 s3) {
  const __m128 half = _mm_set1_ps(0.5f);
  // One vector of each channel.
  __m128 r = __m128(s0), g = __m128(s1), b = __m128(s2), a = __m128(s3);
  _MM_TRANSPOSE4_PS(r, g, b, a);
  __m128i seen = _mm_castps_si128(_mm_cmpge_ps(a, half));
  // A / 0 gives no fault and is masked off with its alpha.
  __m128 inverse = _mm_div_ps(_mm_set1_ps(1.0f), a);
  auto rounded = [half](__m128 q) { return _mm_cvttps_epi32(_mm_add_ps(q, half)); };
  // Packing keeps to 0 ... 255.
  __m128i rb = _mm_packs_epi32(rounded(_mm_mul_ps(r, inverse)), rounded(_mm_mul_ps(b, inverse)));
  __m128i ga = _mm_packs_epi32(rounded(_mm_mul_ps(g, inverse)), rounded(a));
  __m128i seenWords = _mm_packs_epi32(seen, seen);
  __m128i bytes = _mm_and_si128(_mm_packus_epi16(rb, ga), _mm_packs_epi16(seenWords, seenWords));
  // R0..R3 B0..B3 G0..G3 A0..A3, to R0 G0 B0 A0 R1 ...
  bytes = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 8));
  return _mm_unpacklo_epi16(bytes, _mm_srli_si128(bytes, 8));
}
#endif

// One target row down: the rows across times their weights, added in the
// order of the taps, made into pixels.
void rowDown(const Float4* const* rows, const float* weights, int count, int width, uint32_t* target) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 4 <= width; x += 4) {
    Float4 s0 = {0, 0, 0, 0}, s1 = s0, s2 = s0, s3 = s0;
    for (int k = 0; k < count; k++) {
      const Float4* from = rows[k] + x;
      Float4 weight = {weights[k], weights[k], weights[k], weights[k]};
      s0 += from[0] * weight, s1 += from[1] * weight, s2 += from[2] * weight, s3 += from[3] * weight;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x), pixelsOfSums(s0, s1, s2, s3));
  }
#endif
  for (; x < width; x++) {
    Float4 sum = {0, 0, 0, 0};
    for (int k = 0; k < count; k++) sum += rows[k][x] * weights[k];
    target[x] = pixelOfSum(sum);
  }
}

// The taps of one axis: target i reads sources[k] with weights[k] for k in
// [first[i], first[i + 1]), sources in increasing order.
struct AxisTaps {
  std::vector<int> first;
  std::vector<int> sources;
  std::vector<float> weights;
};

AxisTaps axisTaps(int from, int to) {
  AxisTaps taps;
  taps.first.reserve(size_t(to) + 1);
  double scale = double(from) / to;
  auto add = [&taps](int source, float weight) {
    taps.sources.push_back(source);
    taps.weights.push_back(weight);
  };
  for (int i = 0; i < to; i++) {
    taps.first.push_back(int(taps.sources.size()));
    if (to < from) {
      double start = i * scale, end = (i + 1) * scale;
      for (int s = int(start); s < from && s < end; s++) {
        double overlap = std::min(end, s + 1.0) - std::max(start, double(s));
        if (overlap > 0) add(s, float(overlap / scale));
      }
    } else {
      double u = (i + 0.5) * scale - 0.5;
      u = std::clamp(u, 0.0, double(from - 1));
      int s = int(u);
      float f = float(u - s);
      add(s, 1.0f - f);
      if (f > 0 && s + 1 < from) add(s + 1, f);
    }
  }
  taps.first.push_back(int(taps.sources.size()));
  return taps;
}

// The most source rows that one target row reads, first to last.
int widestSpan(const AxisTaps& taps) {
  int widest = 1;
  for (size_t i = 0; i + 1 < taps.first.size(); i++)
    if (taps.first[i + 1] > taps.first[i])
      widest = std::max(widest, taps.sources[size_t(taps.first[i + 1] - 1)] - taps.sources[size_t(taps.first[i])] + 1);
  return widest;
}

// The taps across, the same number for every column: those short of it are
// padded with taps of weight 0, which add exactly nothing.
struct ColumnTaps {
  int count = 1;
  std::vector<int> sources;
  std::vector<Float4> weights;   // in all four lanes
};

ColumnTaps columnTaps(const AxisTaps& taps) {
  ColumnTaps columns;
  size_t width = taps.first.size() - 1;
  for (size_t x = 0; x < width; x++) columns.count = std::max(columns.count, taps.first[x + 1] - taps.first[x]);
  for (size_t x = 0; x < width; x++) {
    int k = taps.first[x], end = taps.first[x + 1];
    int last = end > k ? taps.sources[size_t(end - 1)] : 0;
    for (int n = 0; n < columns.count; n++, k++) {
      columns.sources.push_back(k < end ? taps.sources[size_t(k)] : last);
      float weight = k < end ? taps.weights[size_t(k)] : 0.0f;
      columns.weights.push_back(Float4{weight, weight, weight, weight});
    }
  }
  return columns;
}

// One premultiplied source row across.
void rowAcross(const Float4* source, const ColumnTaps& taps, Float4* target, int width) {
  const int* s = taps.sources.data();
  const Float4* w = taps.weights.data();
  if (taps.count == 2) {   // every growing axis
    for (int x = 0; x < width; x++, s += 2, w += 2) target[x] = source[s[0]] * w[0] + source[s[1]] * w[1];
    return;
  }
  for (int x = 0; x < width; x++) {
    Float4 sum = {0, 0, 0, 0};
    for (int k = 0; k < taps.count; k++, s++, w++) sum += source[*s] * *w;
    target[x] = sum;
  }
}

PixelBuffer resizeSmooth(const ImageData& image, int width, int height) {
  PixelBuffer out = allocatePixels(width, height);
  if (!out) return out;
  ColumnTaps across = columnTaps(axisTaps(image.width, width));
  AxisTaps down = axisTaps(image.height, height);
  // Rows across are made in order and kept in a ring while target rows read them.
  int span = widestSpan(down);
  std::vector<Float4> ring(size_t(span) * width), row(size_t(image.width));
  std::vector<const Float4*> rows(static_cast<size_t>(span));
  int made = 0;
  for (int y = 0; y < height; y++) {
    int first = down.first[size_t(y)], count = down.first[size_t(y) + 1] - first;
    const int* sources = down.sources.data() + first;
    for (; count > 0 && made <= sources[count - 1]; made++) {
      premultipliedRow(image.pixels.get() + size_t(made) * image.width, image.width, row.data());
      rowAcross(row.data(), across, ring.data() + size_t(made % span) * width, width);
    }
    for (int k = 0; k < count; k++) rows[size_t(k)] = ring.data() + size_t(sources[k] % span) * width;
    rowDown(rows.data(), down.weights.data() + first, count, width, out.get() + size_t(y) * width);
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
