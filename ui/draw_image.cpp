// Drawing one image into the target, unscaled or scaled, in the current mode.
#include "ui/draw.h"
#include "ui/draw_pixel.h"
#include "ui/draw_target.h"
#include "ui/image_store.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Two pixels, a channel a lane: every product of the blend, and div255's
// sum, fits the 16 bits of a lane, so each step is one instruction for
// eight channels.
typedef uint16_t Channels __attribute__((vector_size(16)));
typedef uint8_t PixelPair __attribute__((vector_size(8)));

inline Channels div255Lanes(Channels x) { return (x + 1 + (x >> 8)) >> 8; }

// blendOntoOpaque for a run of pixels, alpha times extraAlpha / 255, with
// the same numbers channel by channel.
void blendRunOntoOpaque(uint32_t* dst, const uint32_t* src, int count, uint32_t extraAlpha) {
  const Channels opaqueAlpha = {0, 0, 0, 255, 0, 0, 0, 255};
  const uint16_t extra = uint16_t(extraAlpha);
  int i = 0;
  for (; i + 2 <= count; i += 2) {
    PixelPair s8, d8;
    std::memcpy(&s8, src + i, 8);
    std::memcpy(&d8, dst + i, 8);
    Channels s = __builtin_convertvector(s8, Channels), d = __builtin_convertvector(d8, Channels);
    Channels a = __builtin_shufflevector(s, s, 3, 3, 3, 3, 7, 7, 7, 7);
    if (extra != 255) a = div255Lanes(a * extra);
    PixelPair out = __builtin_convertvector(div255Lanes(s * a + d * (255 - a)) | opaqueAlpha, PixelPair);
    std::memcpy(dst + i, &out, 8);
  }
  for (; i < count; i++) dst[i] = blendOntoOpaque(dst[i], src[i], div255((src[i] >> 24) * extraAlpha));
}

// A plain copy into an opaque target: the alpha set on the way.
void copyRunOpaque(uint32_t* dst, const uint32_t* src, int count) {
  typedef uint32_t Four __attribute__((vector_size(16)));
  const Four opaqueAlpha = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    Four v;
    std::memcpy(&v, src + i, 16);
    v |= opaqueAlpha;
    std::memcpy(dst + i, &v, 16);
  }
  for (; i < count; i++) dst[i] = src[i] | 0xFF000000u;
}

// One row of source pixels onto one row of the target.
void drawRow(uint32_t* dst, const uint32_t* src, int count, int mode, int sourceDepth,
             int targetDepth, uint32_t extraAlpha) {
  if (mode == DRAW_XOR) {
    for (int i = 0; i < count; i++) dst[i] = xorColour(dst[i], src[i]);
  } else if (mode == DRAW_ALPHABLEND) {
    if (sourceDepth == 24 && extraAlpha == 255) {
      std::memcpy(dst, src, size_t(count) * 4);
      return;
    }
    if (targetDepth == 24) {
      // Every target pixel is opaque: one formula for all, no branches.
      blendRunOntoOpaque(dst, src, count, extraAlpha);
      return;
    }
    // A 32-bit target is mostly opaque where anything was drawn: runs of
    // opaque pixels take the branch-free formula, the rest the full rule.
    for (int start = 0; start < count; start += 32) {
      int end = std::min(count, start + 32);
      uint32_t all = 0xFFFFFFFFu;
      for (int i = start; i < end; i++) all &= dst[i];
      if ((all >> 24) == 255) {
        blendRunOntoOpaque(dst + start, src + start, end - start, extraAlpha);
        continue;
      }
      for (int i = start; i < end; i++) {
        uint32_t a = div255((src[i] >> 24) * extraAlpha);
        if ((dst[i] >> 24) == 255) {
          dst[i] = blendOntoOpaque(dst[i], src[i], a);
        } else if (a != 0) {
          dst[i] = blendOver(dst[i], src[i], a);
        }
      }
    }
  } else if (targetDepth == 24) {
    copyRunOpaque(dst, src, count);
  } else {
    std::memcpy(dst, src, size_t(count) * 4);
  }
}

// A private copy when an image is drawn into itself, so no row is read
// after it was written.
const uint32_t* sourcePixels(ImageData* source, ImageData* target, std::vector<uint32_t>& copy) {
  if (source != target) return source->pixels.get();
  copy.assign(source->pixels.get(), source->pixels.get() + size_t(source->width) * source->height);
  return copy.data();
}

}  // namespace

void drawImage(int image, int x, int y, int extraAlpha) {
  ImageData* target = drawingImage();
  ImageData* source = findImage(image);
  if (!target || !source) return;
  uint32_t extra = uint32_t(std::clamp(extraAlpha, 0, 255));
  int mode = currentDrawMode();
  if (mode == DRAW_ALPHABLEND && extra == 0) return;
  int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(int64_t(x) + source->width, target->width);
  int64_t bottom = std::min<int64_t>(int64_t(y) + source->height, target->height);
  if (right <= left || bottom <= top) return;
  std::vector<uint32_t> copy;
  const uint32_t* pixels = sourcePixels(source, target, copy);
  int count = int(right - left);
  for (int64_t row = top; row < bottom; row++) {
    const uint32_t* src = pixels + size_t(row - y) * source->width + size_t(left - x);
    uint32_t* dst = target->pixels.get() + size_t(row) * target->width + size_t(left);
    drawRow(dst, src, count, mode, source->depth, target->depth, extra);
  }
}

void drawImageScaled(int image, int x, int y, int w, int h, int extraAlpha) {
  ImageData* target = drawingImage();
  ImageData* source = findImage(image);
  if (!target || !source || w <= 0 || h <= 0) return;
  if (w == source->width && h == source->height) {
    drawImage(image, x, y, extraAlpha);
    return;
  }
  uint32_t extra = uint32_t(std::clamp(extraAlpha, 0, 255));
  int mode = currentDrawMode();
  if (mode == DRAW_ALPHABLEND && extra == 0) return;
  int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(int64_t(x) + w, target->width);
  int64_t bottom = std::min<int64_t>(int64_t(y) + h, target->height);
  if (right <= left || bottom <= top) return;
  std::vector<uint32_t> copy;
  const uint32_t* pixels = sourcePixels(source, target, copy);
  // Nearest pixel: target pixel centre mapped into the source.
  int count = int(right - left);
  std::vector<int> column(static_cast<size_t>(count));
  for (int i = 0; i < count; i++) {
    int64_t dx = left + i - x;
    column[size_t(i)] = int(((2 * dx + 1) * source->width) / (2 * int64_t(w)));
  }
  std::vector<uint32_t> row(static_cast<size_t>(count));
  for (int64_t ty = top; ty < bottom; ty++) {
    int64_t dy = ty - y;
    int sy = int(((2 * dy + 1) * source->height) / (2 * int64_t(h)));
    const uint32_t* srcRow = pixels + size_t(sy) * source->width;
    for (int i = 0; i < count; i++) row[size_t(i)] = srcRow[column[size_t(i)]];
    drawRow(target->pixels.get() + size_t(ty) * target->width + size_t(left), row.data(), count, mode,
            source->depth, target->depth, extra);
  }
}
