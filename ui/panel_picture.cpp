#include "ui/panel_picture.h"

#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

#include <cmath>

void thumbnailSize(int w, int h, int& outW, int& outH) {
  float sx = 1.0f, sy = 1.0f;
  if (w >= h)
    sy = float(h) / float(w);
  else
    sx = float(w) / float(h);
  // The default rounding mode takes halves to the even neighbour.
  outW = int(std::nearbyint(60.0f * sx));
  outH = int(std::nearbyint(60.0f * sy));
}

int panelPicture(int picture) {
  int card = createImage(-1, 150, 100, 32, 0);
  if (!startDrawing(card)) return card;
  drawingMode(DRAW_ALPHABLEND);
  if (isImage(PIC_RESOURCE_CARD)) drawImage(PIC_RESOURCE_CARD, 0, 0);
  if (isImage(picture)) {
    int w, h;
    thumbnailSize(imageWidth(picture), imageHeight(picture), w, h);
    if (w > 0 && h > 0) drawImageScaled(picture, 45, 20, w, h);
  }
  stopDrawing();
  return card;
}
