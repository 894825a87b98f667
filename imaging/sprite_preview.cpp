#include "imaging/sprite_preview.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

namespace {

// A record value times the zoom, less the offset, held where drawing stays
// in range: the fields take any typed number.
int placed(long long value, int zoom, int offset) {
  return int(std::clamp(value * zoom - offset, -(1LL << 28), 1LL << 28));
}

// The preview drawn into `image`, whose pixel (0, 0) stands for the
// canvas pixel (left, top).
void drawPreviewPart(int image, int left, int top, int frameImage, const SpriteRecord& s, int w, int h, int zoom,
                     int showShape) {
  if (!startDrawing(image)) return;
  int iw = imageWidth(image), ih = imageHeight(image);
  // The backdrop covers the whole canvas, so no earlier frame shows through.
  drawingMode(DRAW_DEFAULT);
  int tw = std::max(1, imageWidth(PIC_CHECKERBOARD)), th = std::max(1, imageHeight(PIC_CHECKERBOARD));
  for (int y = top / th * th; y < top + ih; y += th)
    for (int x = left / tw * tw; x < left + iw; x += tw) drawImage(PIC_CHECKERBOARD, x - left, y - top);
  drawingMode(DRAW_ALPHABLEND);
  if (isImage(frameImage))
    drawImageScaled(frameImage, -left, -top, imageWidth(frameImage) * zoom, imageHeight(frameImage) * zoom);
  drawingMode(DRAW_DEFAULT);
  uint32_t black = opaque(rgb(0, 0, 0));
  box(placed(s.centerx, zoom, left), -top, 1, h * zoom, black);
  box(-left, placed(s.centery, zoom, top), w * zoom, 1, black);
  if (showShape == 1) {
    drawingMode(DRAW_ALPHABLEND);
    uint32_t green = rgba(0, 255, 0, 130);
    if (s.collisionshape == "Circle")
      circle((w / 2) * zoom - left, (h / 2) * zoom - top, placed(s.collisionradius, zoom, 0), green);
    else if (s.collisionshape == "Box")
      box(placed(s.collisionleft, zoom, left), placed(s.collisiontop, zoom, top),
          placed((long long)s.collisionright - s.collisionleft, zoom, 0),
          placed((long long)s.collisionbottom - s.collisiontop, zoom, 0), green);
  }
  stopDrawing();
}

}  // namespace

int effectivePreviewZoom(int w, int h, int zoom) {
  int side = std::max({w, h, 1});
  return std::max(1, std::min(zoom, PREVIEW_MAX_SIDE / side));
}

void drawSpritePreview(int target, int frameImage, const SpriteRecord& s, int w, int h, int zoom, int showShape,
                       int left, int top, int width, int height) {
  if (!isImage(target)) return;
  int tw = imageWidth(target), th = imageHeight(target);
  if (width < 0) width = tw;
  if (height < 0) height = th;
  left = std::clamp(left, 0, tw);
  top = std::clamp(top, 0, th);
  width = std::min(width, tw - left);
  height = std::min(height, th - top);
  if (width <= 0 || height <= 0) return;
  if (left == 0 && top == 0 && width == tw && height == th) {
    drawPreviewPart(target, 0, 0, frameImage, s, w, h, zoom, showShape);
    return;
  }
  // Only the part on show is drawn: the work of a tick follows the window,
  // not the zoom.
  int part = createImage(-1, width, height, 24);
  if (!part) return;
  drawPreviewPart(part, left, top, frameImage, s, w, h, zoom, showShape);
  if (startDrawing(target)) {
    drawingMode(DRAW_DEFAULT);
    drawImage(part, left, top);
    stopDrawing();
  }
  freeImage(part);
}
