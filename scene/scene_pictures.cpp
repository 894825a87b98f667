#include "scene/scene_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "project/tables.h"
#include "scene/scene_draw.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

namespace {

// A band of at most this many pixels holds the rows being sampled.
constexpr int64_t BAND_PIXELS = int64_t(1) << 22;

// The scene keeps its proportions: the longer side fills `side`. Nothing
// to draw for a scene without area.
bool scaledSize(int w, int h, int side, int& outW, int& outH) {
  if (w <= 0 || h <= 0) return false;
  float sx = 1.0f, sy = 1.0f;
  if (w >= h) sy = float(h) / float(w);
  else sx = float(w) / float(h);
  outW = int(std::nearbyint(sx * float(side)));
  outH = int(std::nearbyint(sy * float(side)));
  return outW > 0 && outH > 0;
}

// The scene as it is, without what only the editing shows.
SceneViewInput pictureInput(int sceneIndex, int backgroundImage) {
  SceneViewInput in;
  in.sceneIndex = sceneIndex;
  in.backgroundImage = backgroundImage;
  in.tab = VIEW_TAB_SETTINGS;
  in.showObjects = 1;
  in.showTiles = 1;
  in.showGrid = 0;
  in.marks = 0;
  in.pointerInside = 0;
  return in;
}

// The source index that the nearest-pixel scaling of `source` onto `target`
// takes for target index i.
int64_t nearest(int64_t i, int64_t source, int64_t target) { return ((2 * i + 1) * source) / (2 * target); }

}  // namespace

int sceneScaledPicture(int sceneIndex, int backgroundImage, int w, int h) {
  if (sceneIndex < 0 || size_t(sceneIndex) >= scenes.size() || w <= 0 || h <= 0) return 0;
  const SceneRecord& scene = scenes[size_t(sceneIndex)];
  // The picture of a scene larger than an image can be is that of its
  // top-left part, as the scene window's canvas holds it.
  const int64_t sw = std::clamp(scene.width, 0, IMAGE_MAX_SIDE), sh = std::clamp(scene.height, 0, IMAGE_MAX_SIDE);
  if (sw <= 0 || sh <= 0) return 0;
  int picture = createImage(-1, w, h, 24);
  if (!picture) return 0;
  const SceneViewInput in = pictureInput(sceneIndex, backgroundImage);
  std::vector<int> column(size_t(w), 0);
  for (int x = 0; x < w; ++x) column[size_t(x)] = int(nearest(x, sw, w));
  const int64_t bandRows = std::max<int64_t>(1, BAND_PIXELS / sw);
  int band = 0;
  int64_t bandTop = 0, bandHeight = 0;
  for (int y = 0; y < h; ++y) {
    const int64_t sy = nearest(y, sh, h);
    if (!band || sy >= bandTop + bandHeight) {
      bandTop = sy;
      const int64_t rows = std::min(bandRows, sh - sy);
      if (!band || rows != bandHeight) {
        if (band) freeImage(band);
        band = createImage(-1, int(sw), int(rows), 24);
        if (!band) break;
      }
      bandHeight = rows;
      drawSceneView(band, 0, int(bandTop), in);
    }
    const auto* from = reinterpret_cast<const uint32_t*>(imageBuffer(band) +
                                                         size_t(sy - bandTop) * size_t(imageBufferPitch(band)));
    auto* to = reinterpret_cast<uint32_t*>(imageBuffer(picture) + size_t(y) * size_t(imageBufferPitch(picture)));
    for (int x = 0; x < w; ++x) to[x] = from[column[size_t(x)]];
  }
  if (band) freeImage(band);
  return picture;
}

int sceneProjectPicture(int sceneIndex, int backgroundImage) {
  int picture = createImage(-1, 240, 240, 24, opaque(rgb(0, 0, 0)));
  int w = 0, h = 0;
  if (sceneIndex < 0 || size_t(sceneIndex) >= scenes.size()) return picture;
  const SceneRecord& scene = scenes[size_t(sceneIndex)];
  if (!scaledSize(scene.width, scene.height, 240, w, h)) return picture;
  int scaled = sceneScaledPicture(sceneIndex, backgroundImage, w, h);
  if (scaled && startDrawing(picture)) {
    drawingMode(DRAW_DEFAULT);
    drawImage(scaled, 0, 0);
    stopDrawing();
  }
  if (scaled) freeImage(scaled);
  return picture;
}

int scenePanelPicture(int sceneIndex, int backgroundImage) {
  int picture = createImage(-1, 150, 100, 32, 0);
  if (!startDrawing(picture)) return picture;
  drawingMode(DRAW_ALPHABLEND);
  drawImage(PIC_RESOURCE_CARD, 0, 0);
  stopDrawing();
  int w = 0, h = 0;
  if (sceneIndex < 0 || size_t(sceneIndex) >= scenes.size()) return picture;
  const SceneRecord& scene = scenes[size_t(sceneIndex)];
  if (!scaledSize(scene.width, scene.height, 80, w, h)) return picture;
  int scaled = sceneScaledPicture(sceneIndex, backgroundImage, w, h);
  if (scaled && startDrawing(picture)) {
    drawingMode(DRAW_ALPHABLEND);
    drawImage(scaled, 35, 10);
    stopDrawing();
  }
  if (scaled) freeImage(scaled);
  return picture;
}
