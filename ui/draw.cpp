// Drawing shapes into the target image with our own pixel loops, so that
// every mode gives the same numbers on every platform.
#include "ui/draw.h"
#include "ui/draw_pixel.h"
#include "ui/draw_target.h"
#include "ui/image_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
int target = 0;
int mode = DRAW_DEFAULT;
}  // namespace

bool startDrawing(int image) {
  if (!findImage(image)) {
    target = 0;
    return false;
  }
  target = image;
  return true;
}

void stopDrawing() { target = 0; }

int drawingTarget() { return findImage(target) ? target : 0; }

void drawingMode(int newMode) {
  mode = (newMode == DRAW_ALPHABLEND || newMode == DRAW_XOR) ? newMode : DRAW_DEFAULT;
}

int currentDrawMode() { return mode; }

ImageData* drawingImage() {
  ImageData* image = target ? findImage(target) : nullptr;
  return image && ownPixels(*image) ? image : nullptr;
}

// One horizontal run of pixels [x0, x1] in row y, clipped, in the current mode.
void drawSpan(ImageData* image, int x0, int x1, int y, uint32_t color) {
  if (y < 0 || y >= image->height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, image->width - 1);
  if (x1 < x0) return;
  uint32_t* p = image->pixels.get() + size_t(y) * image->width + x0;
  uint32_t* end = p + (x1 - x0 + 1);
  if (mode == DRAW_XOR) {
    for (; p != end; ++p) *p = xorColour(*p, color);
  } else if (mode == DRAW_ALPHABLEND) {
    uint32_t a = color >> 24;
    if (a == 0) return;
    // A 24-bit image is opaque throughout: the branch-free rule gives the
    // same pixels as the full one, several times faster over large shapes.
    if (image->depth == 24)
      for (; p != end; ++p) *p = blendOntoOpaque(*p, color, a);
    else
      for (; p != end; ++p) *p = blendOver(*p, color, a);
  } else {
    if (image->depth == 24) color |= 0xFF000000u;
    std::fill(p, end, color);
  }
}

void plot(int x, int y, uint32_t color) {
  if (ImageData* image = drawingImage()) drawSpan(image, x, x, y, color);
}

uint32_t point(int x, int y) {
  ImageData* image = drawingImage();
  if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) return 0;
  return image->pixels[size_t(y) * image->width + x];
}

// A run with coordinates that may lie far outside the image, clipped first.
static void drawSpanClipped(ImageData* image, int64_t x0, int64_t x1, int64_t y, uint32_t color) {
  if (y < 0 || y >= image->height) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, image->width - 1);
  if (x1 >= x0) drawSpan(image, int(x0), int(x1), int(y), color);
}

// The inclusive corners of a box; a negative width or height reaches left
// of or above (x, y).
static bool boxCorners(int x, int y, int w, int h, int64_t& left, int64_t& top, int64_t& right, int64_t& bottom) {
  left = x, top = y;
  int64_t width = w, height = h;
  if (width < 0) left += width, width = -width;
  if (height < 0) top += height, height = -height;
  right = left + width - 1;
  bottom = top + height - 1;
  return width > 0 && height > 0;
}

void box(int x, int y, int w, int h, uint32_t color) {
  ImageData* image = drawingImage();
  int64_t left, top, right, bottom;
  if (!image || !boxCorners(x, y, w, h, left, top, right, bottom)) return;
  for (int64_t row = std::max<int64_t>(top, 0); row <= std::min<int64_t>(bottom, image->height - 1); row++)
    drawSpanClipped(image, left, right, row, color);
}

void boxOutline(int x, int y, int w, int h, uint32_t color) {
  ImageData* image = drawingImage();
  int64_t left, top, right, bottom;
  if (!image || !boxCorners(x, y, w, h, left, top, right, bottom)) return;
  drawSpanClipped(image, left, right, top, color);
  if (bottom != top) drawSpanClipped(image, left, right, bottom, color);
  for (int64_t row = std::max<int64_t>(top + 1, 0); row <= std::min<int64_t>(bottom - 1, image->height - 1); row++) {
    drawSpanClipped(image, left, left, row, color);
    if (right != left) drawSpanClipped(image, right, right, row, color);
  }
}

void line(int x1, int y1, int x2, int y2, uint32_t color) {
  ImageData* image = drawingImage();
  if (!image) return;
  if (y1 == y2) {
    drawSpanClipped(image, std::min(x1, x2), std::max(x1, x2), y1, color);
    return;
  }
  if (std::max(x1, x2) < 0 || std::max(y1, y2) < 0 || std::min(x1, x2) >= image->width ||
      std::min(y1, y2) >= image->height)
    return;
  // Bresenham: every pixel once, so blending and XOR touch none twice.
  int64_t dx = std::llabs(int64_t(x2) - x1), dy = -std::llabs(int64_t(y2) - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int64_t err = dx + dy;
  int64_t x = x1, y = y1;
  for (;;) {
    if (x >= 0 && y >= 0 && x < image->width && y < image->height) drawSpan(image, int(x), int(x), int(y), color);
    if (x == x2 && y == y2) break;
    int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// Half width of the disc of radius r in row dy: the largest dx with
// dx*dx + dy*dy <= r*r, or -1 outside.
static int64_t halfWidth(int64_t r, int64_t dy) {
  if (dy < -r || dy > r) return -1;
  int64_t rest = r * r - dy * dy;
  int64_t w = int64_t(std::sqrt(double(rest)));
  while (w * w > rest) w--;
  while ((w + 1) * (w + 1) <= rest) w++;
  return w;
}

void circle(int cx, int cy, int radius, uint32_t color) {
  ImageData* image = drawingImage();
  if (!image || radius < 0) return;
  int64_t top = std::max<int64_t>(-int64_t(radius), -int64_t(cy));
  int64_t bottom = std::min<int64_t>(radius, int64_t(image->height) - 1 - cy);
  for (int64_t dy = top; dy <= bottom; dy++) {
    int64_t w = halfWidth(radius, dy);
    drawSpanClipped(image, int64_t(cx) - w, int64_t(cx) + w, cy + dy, color);
  }
}

void circleOutline(int cx, int cy, int radius, uint32_t color) {
  ImageData* image = drawingImage();
  if (!image || radius < 0) return;
  // The pixels of the disc that touch a pixel outside it, each once.
  int64_t top = std::max<int64_t>(-int64_t(radius), -int64_t(cy));
  int64_t bottom = std::min<int64_t>(radius, int64_t(image->height) - 1 - cy);
  for (int64_t dy = top; dy <= bottom; dy++) {
    int64_t w = halfWidth(radius, dy);
    int64_t inner = std::min(halfWidth(radius, dy - 1), halfWidth(radius, dy + 1));
    if (inner >= w) inner = w - 1;
    if (inner < 0) {
      drawSpanClipped(image, int64_t(cx) - w, int64_t(cx) + w, cy + dy, color);
    } else {
      drawSpanClipped(image, int64_t(cx) - w, int64_t(cx) - inner - 1, cy + dy, color);
      drawSpanClipped(image, int64_t(cx) + inner + 1, int64_t(cx) + w, cy + dy, color);
    }
  }
}
