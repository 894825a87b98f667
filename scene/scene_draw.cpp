// The scene view's picture, drawn from the records every tick. Everything
// is drawn through the store's three drawing modes. Coordinates are scene
// coordinates moved by the origin; anything that cannot reach the target is
// skipped before it is drawn, so a tick on a large scene costs what the
// visible part costs.
#include "scene/scene_draw.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "project/tables.h"
#include "scene/scene_grid.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

std::vector<SceneDrawEntry> sceneDrawList;

void buildSceneDrawOrder(const std::string& sceneName) {
  sceneDrawList.clear();
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].prototype == 0 && objects[i].scene == sceneName)
      sceneDrawList.push_back({objects[i].depth, int(i), -1});
  for (size_t i = 0; i < tiles.size(); ++i)
    if (tiles[i].scene == sceneName) sceneDrawList.push_back({tiles[i].depth, -1, int(i)});
  std::stable_sort(sceneDrawList.begin(), sceneDrawList.end(),
                   [](const SceneDrawEntry& a, const SceneDrawEntry& b) { return a.depth > b.depth; });
}

std::string instanceStatusText(const std::string& templateName, int x, int y) {
  return "[" + templateName + "] x:" + std::to_string(x) + " y:" + std::to_string(y);
}

namespace {

constexpr uint32_t SELECTION_COLOUR = 200 | (64 << 8) | (64 << 16) | (150u << 24);
constexpr uint32_t WHITE = 0xFFFFFFFFu;
constexpr int NO_IMAGE_CENTRE = 7;
constexpr int NO_IMAGE_BOX = 15;

// The target's size and the scene point its pixel (0, 0) shows.
struct View {
  int64_t ox = 0, oy = 0;
  int64_t w = 0, h = 0;
};

// A box in scene coordinates, cut to the target before it is drawn, so
// that far-off records cannot overflow the drawing's int coordinates.
void sceneBox(const View& v, int64_t x, int64_t y, int64_t w, int64_t h, uint32_t colour) {
  if (w <= 0 || h <= 0) return;
  int64_t left = std::max<int64_t>(x - v.ox, 0), top = std::max<int64_t>(y - v.oy, 0);
  int64_t right = std::min<int64_t>(x - v.ox + w, v.w), bottom = std::min<int64_t>(y - v.oy + h, v.h);
  if (right <= left || bottom <= top) return;
  box(int(left), int(top), int(right - left), int(bottom - top), colour);
}

// An image unscaled at a scene point, when any of it reaches the target.
void sceneImage(const View& v, int image, int64_t x, int64_t y, int extraAlpha = 255) {
  int64_t tx = x - v.ox, ty = y - v.oy;
  if (tx >= v.w || ty >= v.h || tx + imageWidth(image) <= 0 || ty + imageHeight(image) <= 0) return;
  drawImage(image, int(tx), int(ty), extraAlpha);
}

// First and last index k of a series of copies at k * step (k >= 0,
// k * step <= limit), each `size` long, that reach [origin, origin + extent).
bool visibleCopies(int64_t step, int64_t size, int64_t limit, int64_t origin, int64_t extent, int64_t& first,
                   int64_t& last) {
  if (step <= 0 || limit < 0) return false;
  first = std::max<int64_t>(0, floorDiv(origin - size, step) + 1);   // k * step + size > origin
  last = std::min<int64_t>(limit / step, floorDiv(origin + extent - 1, step));
  return first <= last;
}

void drawBackground(const View& v, const SceneRecord& scene, int image) {
  int64_t w = imageWidth(image), h = imageHeight(image);
  if (scene.backgroundstretch == 1) {
    // Scaling maps each target pixel from its distance to the corner, so a
    // moved origin gives the same pixels.
    if (scene.width > 0 && scene.height > 0 && -v.ox < v.w && -v.oy < v.h)
      drawImageScaled(image, int(-v.ox), int(-v.oy), scene.width, scene.height);
    return;
  }
  if (scene.backgroundtilex != 1 && scene.backgroundtiley != 1) {
    sceneImage(v, image, 0, 0);
    return;
  }
  int64_t firstX = 0, lastX = 0, firstY = 0, lastY = 0;
  if (scene.backgroundtilex == 1 && !visibleCopies(w, w, scene.width, v.ox, v.w, firstX, lastX)) return;
  if (scene.backgroundtiley == 1 && !visibleCopies(h, h, scene.height, v.oy, v.h, firstY, lastY)) return;
  for (int64_t j = firstY; j <= lastY; ++j)
    for (int64_t i = firstX; i <= lastX; ++i) sceneImage(v, image, i * w, j * h);
}

// Sprite centres by name, looked up once per sprite and tick.
struct SpriteCentres {
  std::unordered_map<std::string, int> index;
  bool built = false;
  const SpriteRecord* find(const std::string& name) {
    if (!built) {
      for (size_t i = sprites.size(); i-- > 0;) index[sprites[i].name] = int(i);   // first of a name wins
      built = true;
    }
    auto it = index.find(name);
    return it == index.end() ? nullptr : &sprites[size_t(it->second)];
  }
};

void drawInstance(const View& v, const ObjectRecord& o, SpriteCentres& centres, bool marks, std::string& status) {
  drawingMode(DRAW_ALPHABLEND);
  int64_t cx = NO_IMAGE_CENTRE, cy = NO_IMAGE_CENTRE;
  int64_t boxW = NO_IMAGE_BOX, boxH = NO_IMAGE_BOX;
  if (isImage(o.image)) {
    const SpriteRecord* sprite = centres.find(o.sprite);
    cx = sprite ? sprite->centerx : 0;
    cy = sprite ? sprite->centery : 0;
    boxW = o.imageWidth;
    boxH = o.imageHeight;
    if (isImage(o.rotatedImage)) {
      // The turned picture keeps its middle where the unturned one has it.
      int dx = (imageWidth(o.rotatedImage) - imageWidth(o.image)) / 2;
      int dy = (imageHeight(o.rotatedImage) - imageHeight(o.image)) / 2;
      sceneImage(v, o.rotatedImage, int64_t(o.x) - cx - dx, int64_t(o.y) - cy - dy);
    }
  } else {
    sceneImage(v, PIC_ICON_NO_IMAGE, int64_t(o.x) - cx, int64_t(o.y) - cy);
  }
  if (o.selected == 1 && marks) {
    drawingMode(DRAW_XOR);
    sceneBox(v, int64_t(o.x) - cx, int64_t(o.y) - cy, boxW, boxH, SELECTION_COLOUR);
    drawingMode(DRAW_ALPHABLEND);
    status = instanceStatusText(o.template_, o.x, o.y);
  }
}

void drawTile(const View& v, const TileRecord& t, const SceneViewInput& in) {
  drawingMode(DRAW_ALPHABLEND);
  int extra = 255;
  // Picking a layer to edit dims the tiles of the other layers.
  if (in.tab == VIEW_TAB_TILES && (in.tileAction == VIEW_ACTION_SELECT || in.tileAction == VIEW_ACTION_REMOVE))
    extra = t.depth == in.layerDepth ? 255 : 100;
  if (isImage(t.image)) sceneImage(v, t.image, t.x, t.y, extra);
  if (t.selected == 1 && in.marks == 1) {
    drawingMode(DRAW_XOR);
    sceneBox(v, t.x, t.y, t.width, t.height, SELECTION_COLOUR);
    drawingMode(DRAW_ALPHABLEND);
  }
}

// XOR lines every gridSize pixels; where two cross the pixel is turned
// twice and keeps its colour.
void drawGrid(const View& v, const SceneRecord& scene, int gridSize) {
  if (gridSize < 1) return;
  drawingMode(DRAW_XOR);
  int64_t first = 0, last = 0;
  if (visibleCopies(gridSize, 1, scene.width, v.ox, v.w, first, last))
    for (int64_t i = first; i <= last; ++i) sceneBox(v, i * gridSize, 0, 1, scene.height, WHITE);
  if (visibleCopies(gridSize, 1, scene.height, v.oy, v.h, first, last))
    for (int64_t i = first; i <= last; ++i) sceneBox(v, 0, i * gridSize, scene.width, 1, WHITE);
  drawingMode(DRAW_DEFAULT);
}

bool pointerOverScene(const SceneViewInput& in, const SceneRecord& scene) {
  return in.pointerInside == 1 && in.mouseX > 0 && in.mouseX < scene.width && in.mouseY > 0 &&
         in.mouseY < scene.height;
}

void drawPlacingPreviews(const View& v, const SceneRecord& scene, const SceneViewInput& in) {
  if (!pointerOverScene(in, scene)) return;
  GridPoint p = snappedPoint(in.mouseX, in.mouseY, in.gridSize, in.snapToGrid);
  if (in.tab == VIEW_TAB_OBJECTS && in.objectAction == VIEW_ACTION_PLACE && !in.objectToPlace.empty()) {
    drawingMode(DRAW_ALPHABLEND);
    if (isImage(in.placeImage)) {
      // A frame whose sprite has no record is centred on its corner.
      bool known = in.placeSprite >= 0 && size_t(in.placeSprite) < sprites.size();
      int cx = known ? sprites[size_t(in.placeSprite)].centerx : 0;
      int cy = known ? sprites[size_t(in.placeSprite)].centery : 0;
      sceneImage(v, in.placeImage, int64_t(p.x) - cx, int64_t(p.y) - cy, 150);
    } else {
      sceneImage(v, PIC_ICON_NO_IMAGE, int64_t(p.x) - NO_IMAGE_CENTRE, int64_t(p.y) - NO_IMAGE_CENTRE, 150);
    }
  }
  if (in.tab == VIEW_TAB_TILES && in.tileAction == VIEW_ACTION_PLACE && isImage(in.selectedTileImage)) {
    drawingMode(DRAW_ALPHABLEND);
    sceneImage(v, in.selectedTileImage, p.x, p.y, 200);
  }
}

}  // namespace

std::string drawSceneView(int target, int originX, int originY, const SceneViewInput& in) {
  if (in.sceneIndex < 0 || size_t(in.sceneIndex) >= scenes.size() || !startDrawing(target)) return "";
  const SceneRecord& scene = scenes[size_t(in.sceneIndex)];
  View v{originX, originY, imageWidth(target), imageHeight(target)};
  drawingMode(DRAW_DEFAULT);
  sceneBox(v, 0, 0, scene.width, scene.height, opaque(rgb(scene.red, scene.green, scene.blue)));
  if (!scene.background.empty() && isImage(in.backgroundImage)) drawBackground(v, scene, in.backgroundImage);

  buildSceneDrawOrder(scene.name);
  std::string status;
  bool instancesShown = in.showObjects == 1 || in.tab == VIEW_TAB_OBJECTS;
  bool tilesShown = in.showTiles == 1 || in.tab == VIEW_TAB_TILES;
  SpriteCentres centres;
  for (const SceneDrawEntry& e : sceneDrawList) {
    if (e.instance >= 0 && instancesShown)
      drawInstance(v, objects[size_t(e.instance)], centres, in.marks == 1, status);
    if (e.tile >= 0 && tilesShown) drawTile(v, tiles[size_t(e.tile)], in);
  }

  if (in.showGrid == 1) drawGrid(v, scene, in.gridSize);
  drawPlacingPreviews(v, scene, in);
  drawingMode(DRAW_DEFAULT);
  stopDrawing();
  return status;
}

void drawTileSetView(int target, int tileSetImage, int left, int top, int width, int height) {
  if (width <= 0 || height <= 0 || !isImage(tileSetImage) || !startDrawing(target)) return;
  drawingMode(DRAW_DEFAULT);
  drawImage(PIC_CHECKERBOARD, 0, 0);
  drawingMode(DRAW_ALPHABLEND);
  drawImage(tileSetImage, 0, 0);
  drawingMode(DRAW_XOR);
  View v{0, 0, imageWidth(target), imageHeight(target)};
  sceneBox(v, left, top, width, 1, WHITE);
  sceneBox(v, left, top, 1, height, WHITE);
  sceneBox(v, left, int64_t(top) + height, width, 1, WHITE);
  sceneBox(v, int64_t(left) + width, top, 1, height, WHITE);
  drawingMode(DRAW_DEFAULT);
  stopDrawing();
}

int releaseImage(int image) {
  if (image > 0 && isImage(image)) freeImage(image);
  return -1;
}
