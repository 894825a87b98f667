// Editing a scene on its canvas.
#include "scene/scene_edit.h"

#include <cstdint>

#include "project/deletes.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/tables.h"
#include "scene/scene_hits.h"
#include "ui/image.h"

namespace {

constexpr int NO_IMAGE_BOX = 15;

int clampedAdd(int value, int delta) { return clampToInt(int64_t(value) + delta); }

bool askYesNo(const std::string& text) {
  return projectHooks.confirmYesNo && projectHooks.confirmYesNo("Confirm", text) == 1;
}

}  // namespace

int placeInstance(const SceneEditInput& in, int m, int n) {
  GridPoint p = snappedPoint(m, n, in.gridSize, in.snapToGrid);
  std::string name = freeInstanceName();
  ObjectRecord& o = appendObject();
  o.name = name;
  o.prototype = 0;
  o.template_ = in.objectToPlace;
  o.scene = in.sceneName;
  o.selected = 0;
  o.sprite = objectSprite(o.template_);
  o.image = -1;
  o.rotatedImage = -1;
  o.imageWidth = o.imageHeight = NO_IMAGE_BOX;
  int image = isImage(in.placeImage) ? spriteFirstFrameImage(o.sprite) : -1;
  if (isImage(image)) {
    o.image = image;
    o.imageWidth = imageWidth(image);
    o.imageHeight = imageHeight(image);
    int copy = copyImage(image);
    o.rotatedImage = copy ? copy : -1;
  }
  o.x = p.x;
  o.y = p.y;
  o.depth = objectDepth(o.template_);
  return int(objects.size()) - 1;
}

int placeTile(const SceneEditInput& in, int m, int n) {
  GridPoint p = snappedPoint(m, n, in.gridSize, in.snapToGrid);
  std::string name = freeTileName();
  TileRecord& t = appendTile();
  t.name = name;
  t.background = in.tileSetName;
  t.left = in.tileLeft;
  t.top = in.tileTop;
  t.width = in.tileWidth;
  t.height = in.tileHeight;
  t.x = p.x;
  t.y = p.y;
  t.depth = in.layerDepth;
  t.scene = in.sceneName;
  int copy = copyImage(in.selectedTileImage);
  t.image = copy ? copy : -1;
  t.selected = 0;
  return int(tiles.size()) - 1;
}

void removeInstancesAt(const std::string& sceneName, int m, int n) {
  // Names first: each deletion rebuilds the table.
  for (const std::string& name : instancesHitAt(sceneName, m, n)) deleteObject(name);
}

void removeTilesAt(const std::string& sceneName, int layerDepth, int m, int n) {
  for (const std::string& name : tilesHitAt(sceneName, layerDepth, m, n)) removeTiles(name);
}

void shiftPaint(const SceneEditInput& in, int m, int n, GridPoint& lastCell) {
  if (in.tab == VIEW_TAB_OBJECTS && in.objectAction == VIEW_ACTION_REMOVE) removeInstancesAt(in.sceneName, m, n);
  if (in.tab == VIEW_TAB_TILES && in.tileAction == VIEW_ACTION_REMOVE)
    removeTilesAt(in.sceneName, in.layerDepth, m, n);
  GridPoint cell = gridCell(m, n, in.gridSize);
  if (!(cell == lastCell)) {
    if (in.tab == VIEW_TAB_OBJECTS && in.objectAction == VIEW_ACTION_PLACE && !in.objectToPlace.empty())
      placeInstance(in, m, n);
    if (in.tab == VIEW_TAB_TILES && isImage(in.selectedTileImage) && in.tileAction == VIEW_ACTION_PLACE)
      placeTile(in, m, n);
  }
  lastCell = cell;
}

void toggleInstancesAt(const std::string& sceneName, int m, int n) {
  SpriteBoxIndex boxes = buildSpriteBoxIndex();
  for (ObjectRecord& o : objects) {
    if (o.prototype != 0 || o.scene != sceneName || instanceBoxHits(o, boxes, m, n) == 0) continue;
    o.selected = o.selected == 1 ? 0 : 1;
    if (!isImage(o.image)) return;
  }
}

void toggleTilesAt(const std::string& sceneName, int layerDepth, int m, int n) {
  for (TileRecord& t : tiles)
    if (t.scene == sceneName && t.depth == layerDepth && tileHit(t, m, n)) t.selected = t.selected == 1 ? 0 : 1;
}

void sceneClick(const SceneEditInput& in, int m, int n, bool exactlyShift) {
  if (in.tab == VIEW_TAB_OBJECTS) {
    if (in.objectAction == VIEW_ACTION_PLACE && !in.objectToPlace.empty() && !exactlyShift) placeInstance(in, m, n);
    if (in.objectAction == VIEW_ACTION_SELECT) toggleInstancesAt(in.sceneName, m, n);
    if (in.objectAction == VIEW_ACTION_REMOVE) removeInstancesAt(in.sceneName, m, n);
  } else if (in.tab == VIEW_TAB_TILES) {
    if (in.tileAction == VIEW_ACTION_PLACE && isImage(in.selectedTileImage) && !exactlyShift) placeTile(in, m, n);
    if (in.tileAction == VIEW_ACTION_SELECT) toggleTilesAt(in.sceneName, in.layerDepth, m, n);
    if (in.tileAction == VIEW_ACTION_REMOVE) removeTilesAt(in.sceneName, in.layerDepth, m, n);
  }
}

void clearInstanceSelection() {
  for (ObjectRecord& o : objects) o.selected = 0;
}

void clearTileSelection() {
  for (TileRecord& t : tiles) t.selected = 0;
}

void moveSelectedInstances(const std::string& sceneName, int dx, int dy) {
  for (ObjectRecord& o : objects)
    if (o.prototype == 0 && o.scene == sceneName && o.selected == 1) {
      o.x = clampedAdd(o.x, dx);
      o.y = clampedAdd(o.y, dy);
    }
}

void moveSelectedTiles(const std::string& sceneName, int dx, int dy) {
  for (TileRecord& t : tiles)
    if (t.scene == sceneName && t.selected == 1) {
      t.x = clampedAdd(t.x, dx);
      t.y = clampedAdd(t.y, dy);
    }
}

std::vector<std::string> selectedInstanceNames(const std::string& sceneName) {
  std::vector<std::string> names;
  for (const ObjectRecord& o : objects)
    if (o.prototype == 0 && o.scene == sceneName && o.selected == 1) names.push_back(o.name);
  return names;
}

std::vector<std::string> selectedTileNames(const std::string& sceneName) {
  std::vector<std::string> names;
  for (const TileRecord& t : tiles)
    if (t.scene == sceneName && t.selected == 1) names.push_back(t.name);
  return names;
}

int deleteSelectedInstances(const std::string& sceneName) {
  std::vector<std::string> names = selectedInstanceNames(sceneName);
  if (names.empty() || !askYesNo("Delete " + std::to_string(names.size()) + " objects?")) return 0;
  for (const std::string& name : names) deleteObject(name);
  return int(names.size());
}

int deleteSelectedTiles(const std::string& sceneName) {
  std::vector<std::string> names = selectedTileNames(sceneName);
  if (names.empty() || !askYesNo("Delete " + std::to_string(names.size()) + " tiles?")) return 0;
  for (const std::string& name : names) removeTiles(name);
  return int(names.size());
}

void sceneKey(const SceneEditInput& in, int key) {
  bool onObjects = in.tab == VIEW_TAB_OBJECTS;
  if (!onObjects && in.tab != VIEW_TAB_TILES) return;
  // A move keeps each record's offset from the grid.
  int step = in.snapToGrid == 1 ? in.gridSize : 1;
  int dx = key == SCENE_KEY_RIGHT ? step : key == SCENE_KEY_LEFT ? -step : 0;
  int dy = key == SCENE_KEY_DOWN ? step : key == SCENE_KEY_UP ? -step : 0;
  if (key == SCENE_KEY_CLEAR) {
    if (onObjects) clearInstanceSelection();
    else clearTileSelection();
  } else if (key == SCENE_KEY_DELETE) {
    if (onObjects) deleteSelectedInstances(in.sceneName);
    else deleteSelectedTiles(in.sceneName);
  } else if (dx != 0 || dy != 0) {
    if (onObjects) moveSelectedInstances(in.sceneName, dx, dy);
    else moveSelectedTiles(in.sceneName, dx, dy);
  }
}
