#include "editors/background_preview.h"

#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// The grid is written straight into the pixels: thousands of short runs a
// tick cost more through the drawing calls than the picture itself.
struct Pixels {
  uint8_t* base;
  size_t pitch;
  int width, height;
  uint32_t* at(int x, int y) const { return reinterpret_cast<uint32_t*>(base + size_t(y) * pitch) + x; }
};

constexpr uint32_t white = 0x00FFFFFFu;   // exclusive or with white; alpha stays

void flip(const Pixels& p, int64_t x, int64_t y) {
  if (x >= 0 && x < p.width && y >= 0 && y < p.height) *p.at(int(x), int(y)) ^= white;
}

// A horizontal run of `length` pixels from (x, y), clipped to the target.
void across(const Pixels& p, int64_t x, int64_t y, int length) {
  if (length <= 0 || y < 0 || y >= p.height) return;
  int64_t from = std::max<int64_t>(x, 0), to = std::min<int64_t>(x + length, p.width);
  uint32_t* q = p.at(0, int(y));
  for (int64_t col = from; col < to; ++col) q[col] ^= white;
}

// Each cell's frame: the top and bottom runs of width tw from (x, y) and
// (x, y + th - 1); the left run of th pixels down from (x, y) and the right
// one from (x + tw - 1, y + 1). The vertical runs are taken a row at a time
// over all columns, which visits the pixels in memory order; the order of
// exclusive ors does not change the result.
void drawGrid(const Pixels& p, int width, int height, const TileGrid& g) {
  if (g.width <= 0 || g.height <= 0) return;
  // In 64 bits: a large offset or space typed into a field must not overflow.
  int64_t cols = width / g.width, rows = height / g.height;
  for (int64_t r = 0; r <= rows; ++r) {
    int64_t y = g.yoffset + r * g.yspace + r * g.height;
    for (int64_t c = 0; c <= cols; ++c) {
      int64_t x = g.xoffset + c * g.xspace + c * g.width;
      across(p, x, y, g.width);
      across(p, x, y + g.height - 1, g.width);
    }
    int64_t first = std::max<int64_t>(y, 0), last = std::min<int64_t>(y + g.height, p.height - 1);
    for (int64_t row = first; row <= last; ++row)
      for (int64_t c = 0; c <= cols; ++c) {
        int64_t x = g.xoffset + c * g.xspace + c * g.width;
        if (row < y + g.height) flip(p, x, row);
        if (row > y) flip(p, x + g.width - 1, row);
      }
  }
}

Pixels pixelsOf(int target) {
  return {imageBuffer(target), size_t(imageBufferPitch(target)), imageWidth(target), imageHeight(target)};
}

}  // namespace

void drawBackgroundTick(int target, int picture, const TileGrid* grid) {
  if (!isImage(picture) || !startDrawing(target)) return;
  // The backdrop repeats over canvases wider or taller than it: a part left
  // uncovered would keep the last tick's grid, which the next tick's
  // exclusive or would take away again.
  drawingMode(DRAW_DEFAULT);
  int w = imageWidth(target), h = imageHeight(target);
  int bw = imageWidth(PIC_CHECKERBOARD), bh = imageHeight(PIC_CHECKERBOARD);
  if (bw > 0 && bh > 0) {
    for (int y = 0; y < h; y += bh)
      for (int x = 0; x < w; x += bw) drawImage(PIC_CHECKERBOARD, x, y);
  }
  drawingMode(DRAW_ALPHABLEND);
  drawImage(picture, 0, 0);
  stopDrawing();
  if (grid) drawGrid(pixelsOf(target), imageWidth(picture), imageHeight(picture), *grid);
}

bool updateBackgroundTick(BackgroundShown& shown, int target, int picture, const TileGrid* grid) {
  if (!isImage(picture) || !isImage(target)) return false;
  BackgroundShown now{true, target, picture, imageWidth(target), imageHeight(target), imageWidth(picture),
                      imageHeight(picture), grid != nullptr, grid ? *grid : TileGrid{}};
  bool samePicture = shown.drawn && shown.target == now.target && shown.picture == now.picture &&
                     shown.targetWidth == now.targetWidth && shown.targetHeight == now.targetHeight &&
                     shown.pictureWidth == now.pictureWidth && shown.pictureHeight == now.pictureHeight;
  if (samePicture && shown.tiled == now.tiled && shown.grid == now.grid) return false;
  if (samePicture) {
    // Exclusive or undoes itself: the old grid off, the new one on.
    Pixels p = pixelsOf(target);
    if (shown.tiled) drawGrid(p, now.pictureWidth, now.pictureHeight, shown.grid);
    if (now.tiled) drawGrid(p, now.pictureWidth, now.pictureHeight, now.grid);
  } else {
    drawBackgroundTick(target, picture, grid);
  }
  shown = now;
  return true;
}
