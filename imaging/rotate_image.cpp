// The sums are single precision and rounded at fixed steps; the build keeps
// the compiler from fusing or reordering them (no FMA contraction, no fast
// math), so a picture turns to the same pixels on every machine.
#include "imaging/rotate_image.h"

#include "ui/image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

bool rotatable(int image) {
  int depth = imageDepth(image);
  return isImage(image) && (depth == 24 || depth == 32);
}

// An image's pixel rows, looked up once before the loops.
struct Rows {
  explicit Rows(int image)
      : base(imageBuffer(image)), pitch(size_t(imageBufferPitch(image))) {}
  uint32_t* operator[](int y) const { return reinterpret_cast<uint32_t*>(base + size_t(y) * pitch); }
  uint8_t* base;
  size_t pitch;
};

// The four channels of a pixel side by side, so that each step below is
// one instruction for all of them.
typedef float Lanes __attribute__((vector_size(16)));
typedef int IntLanes __attribute__((vector_size(16)));

// Nearest whole number, halves to the even neighbour (the default rounding
// mode), without a library call: adding 2^23 leaves no fraction bits.
// Exact for |x| < 2^23, far above any channel sum here.
inline Lanes roundEven(Lanes x) {
  const Lanes big = {8388608.0f, 8388608.0f, 8388608.0f, 8388608.0f};
  Lanes b = x >= 0.0f ? big : -big;
  return (x + b) - b;
}

inline float roundEven(float x) {
  const float big = 8388608.0f;
  return x >= 0.0f ? (x + big) - big : (x - big) + big;
}

inline Lanes lanes(uint32_t p) {
  IntLanes v = IntLanes{int(p), int(p), int(p), int(p)} >> IntLanes{0, 8, 16, 24};
  return __builtin_convertvector(v & 255, Lanes);
}

// One destination pixel of the bilinear mode. Beyond the last column and
// row the edge pixel stands in, and the result is held to 0..255: a source
// position just left of or above the picture extrapolates.
uint32_t bilinear(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, float ax, float ay, bool withAlpha) {
  float bx = std::max(0.999995f - ax, 0.0f);
  float by = std::max(0.999995f - ay, 0.0f);
  Lanes top = roundEven(roundEven(lanes(p00) * bx) + lanes(p10) * ax);
  Lanes bottom = roundEven(roundEven(lanes(p01) * bx) + lanes(p11) * ax);
  Lanes v = roundEven(by * top + ay * bottom);
  v = v < 0.0f ? Lanes{} : v;
  v = v > 255.0f ? Lanes{255.0f, 255.0f, 255.0f, 255.0f} : v;
  IntLanes c = __builtin_convertvector(v, IntLanes);
  uint32_t out = uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
  return out | (withAlpha ? uint32_t(c[3]) << 24 : 0xFF000000u);
}

}  // namespace

int rotateImageRightAngle(int image, int degrees) {
  if (!rotatable(image) || degrees % 90 != 0) return 0;
  degrees %= 360;
  if (degrees == 0) return copyImage(image, -1);
  int w = imageWidth(image), h = imageHeight(image);
  int q = degrees == 90 || degrees == -270 ? 1 : degrees == 180 || degrees == -180 ? 2 : 3;
  int nw = q == 2 ? w : h, nh = q == 2 ? h : w;
  int out = createImage(-1, nw, nh, imageDepth(image), rgba(0, 0, 0, 255));
  if (!out) return 0;
  Rows src(image), dst(out);
  for (int dy = 0; dy < nh; ++dy) {
    uint32_t* d = dst[dy];
    for (int dx = 0; dx < nw; ++dx) {
      int sx, sy;
      if (q == 1) {
        sx = dy;
        sy = h - 1 - dx;
      } else if (q == 2) {
        sx = w - 1 - dx;
        sy = h - 1 - dy;
      } else {
        sx = w - 1 - dy;
        sy = dx;
      }
      d[dx] = src[sy][sx];
    }
  }
  return out;
}

int rotateImage(int image, float angle, int mode, int fill) {
  if (!rotatable(image)) return 0;
  if (angle >= 360.0f) {
    float turns = angle / 360.0f;
    angle = (turns - std::trunc(turns)) * 360.0f;
  }
  if (angle == 0.0f || angle == 90.0f || angle == 180.0f || angle == 270.0f)
    return rotateImageRightAngle(image, int(angle));

  // Corrections for the truncation of the source position in each quarter.
  int ox = 0, oy = 0;
  if (angle > 270.0f) {
    ox = -1;
  } else if (angle > 180.0f && angle < 270.0f) {
    ox = -1;
    oy = -1;
  } else if (angle > 90.0f && angle < 180.0f) {
    oy = -1;
  }
  float radians = angle * 3.14159265f / 180.0f;
  float c = std::cos(radians), s = std::sin(radians);
  int w = imageWidth(image), h = imageHeight(image);
  int nw = int(float(w) * std::fabs(c) + float(h) * std::fabs(s) + 0.9f);
  int nh = int(float(h) * std::fabs(c) + float(w) * std::fabs(s) + 0.9f);
  int cxs = w / 2, cys = h / 2, cxd = nw / 2, cyd = nh / 2;

  int depth = imageDepth(image);
  uint32_t blank = fill == -1 ? rgba(0, 0, 0, 255) : depth == 24 ? opaque(fill) : rgba(0, 0, 0, 0);
  int out = createImage(-1, nw, nh, depth, blank);
  if (!out) return 0;
  if (mode != ROTATE_NEAREST && mode != ROTATE_BILINEAR) return out;

  bool withAlpha = depth == 32;
  Rows src(image), dst(out);
  for (int dy = 0; dy < nh; ++dy) {
    uint32_t* d = dst[dy];
    float v = float(dy - cyd);
    for (int dx = 0; dx < nw; ++dx) {
      float u = float(dx - cxd);
      float fx = float(cxs) + u * c + v * s + float(ox);
      float fy = float(cys) + v * c - u * s + float(oy);
      if (mode == ROTATE_NEAREST) {
        float sx = roundEven(fx), sy = roundEven(fy);
        if (sx >= 0.0f && sx < float(w) && sy >= 0.0f && sy < float(h)) d[dx] = src[int(sy)][int(sx)];
        continue;
      }
      // The base pixel: the source position truncated toward zero.
      if (fx <= -1.0f || fy <= -1.0f || fx >= float(w) || fy >= float(h)) continue;
      int ix = int(fx), iy = int(fy);
      int ix1 = std::min(ix + 1, w - 1), iy1 = std::min(iy + 1, h - 1);
      const uint32_t* r0 = src[iy];
      const uint32_t* r1 = src[iy1];
      d[dx] = bilinear(r0[ix], r0[ix1], r1[ix], r1[ix1], fx - float(ix), fy - float(iy), withAlpha);
    }
  }
  return out;
}
