// The scene view's picture, drawn from the records every tick. Everything
// is drawn through the store's three drawing modes. Coordinates are scene
// coordinates moved by the origin; an instance or tile that cannot reach the
// target is left out by the sizes its drawing order keeps, before the store
// is asked anything, so a tick on a large scene costs little more than what
// the visible part costs.
#include "scene/scene_draw.h"

#include <algorithm>
#include <cstdint>

#include "project/tables.h"
#include "scene/scene_grid.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

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

// Whether a box in scene coordinates reaches the target.
bool reaches(const View& v, int64_t x, int64_t y, int64_t w, int64_t h) {
  return w > 0 && h > 0 && x - v.ox < v.w && y - v.oy < v.h && x - v.ox + w > 0 && y - v.oy + h > 0;
}

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

const SpriteRecord* spriteAt(int index) {
  return index >= 0 && size_t(index) < sprites.size() ? &sprites[size_t(index)] : nullptr;
}

// Whether anything of the instance can reach the target: its display
// picture, its selection box, or the no-picture icon with its box, which
// counts whether or not the instance has a picture.
bool instanceReaches(const View& v, const ObjectRecord& o, const SceneDrawPicture& p, int64_t iconSide) {
  if (reaches(v, int64_t(o.x) - NO_IMAGE_CENTRE, int64_t(o.y) - NO_IMAGE_CENTRE, iconSide, iconSide)) return true;
  const SpriteRecord* sprite = spriteAt(p.sprite);
  int64_t left = int64_t(o.x) - (sprite ? sprite->centerx : 0), top = int64_t(o.y) - (sprite ? sprite->centery : 0);
  return reaches(v, left - p.offsetX, top - p.offsetY, p.width, p.height) ||
         (o.selected == 1 && reaches(v, left, top, o.imageWidth, o.imageHeight));
}

bool tileReaches(const View& v, const TileRecord& t, const SceneDrawPicture& p) {
  return reaches(v, t.x, t.y, p.width, p.height) || (t.selected == 1 && reaches(v, t.x, t.y, t.width, t.height));
}

void drawInstance(const View& v, const ObjectRecord& o, const SpriteRecord* sprite, bool marks) {
  drawingMode(DRAW_ALPHABLEND);
  int64_t cx = NO_IMAGE_CENTRE, cy = NO_IMAGE_CENTRE;
  int64_t boxW = NO_IMAGE_BOX, boxH = NO_IMAGE_BOX;
  if (isImage(o.image)) {
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

// What of the scene is drawn this tick.
struct Shown {
  std::vector<const SceneDrawRecord*> records;   // those that reach the target, in drawing order
  const ObjectRecord* lastSelected = nullptr;
};

// Walks the scene's records for those that reach the target, asking the
// store only about records whose pictures changed. Each record is read
// where its place, picture numbers and depth lie; one that is drawn or
// named is checked further. False, with `shown` incomplete, when an entry
// no longer holds.
bool findShown(const View& v, const std::string& sceneName, bool instancesShown, bool tilesShown, Shown& shown) {
  shown.records.clear();
  shown.lastSelected = nullptr;
  const int64_t iconSide = std::max({imageWidth(PIC_ICON_NO_IMAGE), imageHeight(PIC_ICON_NO_IMAGE), NO_IMAGE_BOX});
  const SceneDrawRecord* lastSelected = nullptr;
  for (SceneDrawRecord& r : sceneDrawRecords) {
    const SceneDrawEntry& e = r.entry;
    if (e.instance >= 0 ? !instancesShown : !tilesShown) continue;
    if (!drawEntryKeepsDepth(e)) return false;
    const SceneDrawPicture& p = drawEntryPicture(r);
    bool selected = false, reached = false;
    if (e.instance >= 0) {
      const ObjectRecord& o = objects[size_t(e.instance)];
      selected = o.selected == 1;
      reached = instanceReaches(v, o, p, iconSide);
    } else {
      reached = tileReaches(v, tiles[size_t(e.tile)], p);
    }
    if (!reached && !selected) continue;
    if (!drawEntryHolds(e, sceneName)) return false;
    if (selected && (!lastSelected || r.position > lastSelected->position)) lastSelected = &r;
    if (reached) shown.records.push_back(&r);
  }
  std::sort(shown.records.begin(), shown.records.end(),
            [](const SceneDrawRecord* a, const SceneDrawRecord* b) { return a->position < b->position; });
  if (lastSelected) shown.lastSelected = &objects[size_t(lastSelected->entry.instance)];
  return true;
}

}  // namespace

std::string drawSceneView(int target, int originX, int originY, const SceneViewInput& in) {
  if (in.sceneIndex < 0 || size_t(in.sceneIndex) >= scenes.size() || !startDrawing(target)) return "";
  const SceneRecord& scene = scenes[size_t(in.sceneIndex)];
  View v{originX, originY, imageWidth(target), imageHeight(target)};
  drawingMode(DRAW_DEFAULT);
  sceneBox(v, 0, 0, scene.width, scene.height, opaque(rgb(scene.red, scene.green, scene.blue)));
  if (!scene.background.empty() && isImage(in.backgroundImage)) drawBackground(v, scene, in.backgroundImage);

  bool instancesShown = in.showObjects == 1 || in.tab == VIEW_TAB_OBJECTS;
  bool tilesShown = in.showTiles == 1 || in.tab == VIEW_TAB_TILES;
  // Kept between ticks, so that its room is not asked for again.
  static Shown shown;
  buildSceneDrawOrder(scene.name);
  if (!findShown(v, scene.name, instancesShown, tilesShown, shown)) {
    // An entry no longer holds (a depth was changed, say): the order is
    // made again.
    rebuildSceneDrawOrder(scene.name);
    findShown(v, scene.name, instancesShown, tilesShown, shown);
  }
  for (const SceneDrawRecord* r : shown.records) {
    if (r->entry.instance >= 0)
      drawInstance(v, objects[size_t(r->entry.instance)], spriteAt(r->picture.sprite), in.marks == 1);
    else drawTile(v, tiles[size_t(r->entry.tile)], in);
  }
  // The status names the last selected instance in order, seen or not.
  std::string status;
  if (const ObjectRecord* o = shown.lastSelected) status = instanceStatusText(o->template_, o->x, o->y);

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
