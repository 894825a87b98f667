#include "shell/thumbnail.h"

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
