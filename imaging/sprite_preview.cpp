#include "imaging/sprite_preview.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

namespace {

// A record value times the zoom, held where drawing stays in range: the
// fields take any typed number.
int zoomed(long long value, int zoom) { return int(std::clamp(value * zoom, -(1LL << 28), 1LL << 28)); }

}  // namespace

int effectivePreviewZoom(int w, int h, int zoom) {
  int side = std::max({w, h, 1});
  return std::max(1, std::min(zoom, PREVIEW_MAX_SIDE / side));
}

void drawSpritePreview(int target, int frameImage, const SpriteRecord& s, int w, int h, int zoom, int showShape) {
  if (!startDrawing(target)) return;
  int tw = imageWidth(target), th = imageHeight(target);
  // The backdrop covers the whole canvas, so no earlier frame shows through.
  drawingMode(DRAW_DEFAULT);
  int tile = std::max(1, imageWidth(PIC_CHECKERBOARD));
  for (int y = 0; y < th; y += tile)
    for (int x = 0; x < tw; x += tile) drawImage(PIC_CHECKERBOARD, x, y);
  drawingMode(DRAW_ALPHABLEND);
  if (isImage(frameImage))
    drawImageScaled(frameImage, 0, 0, imageWidth(frameImage) * zoom, imageHeight(frameImage) * zoom);
  drawingMode(DRAW_DEFAULT);
  uint32_t black = opaque(rgb(0, 0, 0));
  box(zoomed(s.centerx, zoom), 0, 1, h * zoom, black);
  box(0, zoomed(s.centery, zoom), w * zoom, 1, black);
  if (showShape == 1) {
    drawingMode(DRAW_ALPHABLEND);
    uint32_t green = rgba(0, 255, 0, 130);
    if (s.collisionshape == "Circle")
      circle((w / 2) * zoom, (h / 2) * zoom, zoomed(s.collisionradius, zoom), green);
    else if (s.collisionshape == "Box")
      box(zoomed(s.collisionleft, zoom), zoomed(s.collisiontop, zoom),
          zoomed((long long)s.collisionright - s.collisionleft, zoom),
          zoomed((long long)s.collisionbottom - s.collisiontop, zoom), green);
  }
  stopDrawing();
}
