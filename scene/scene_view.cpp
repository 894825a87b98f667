// The scene view's tick: the toolbar buttons that belong to the Objects and
// Tiles tabs, and the picture of the scene on its canvas.
#include <algorithm>
#include <vector>

#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

struct DrawItem {
  int depth;
  int instance;   // index in objects, -1 for a tile
  int tile;       // index in tiles, -1 for an instance
};

void drawInstance(const ObjectRecord& o) {
  if (!isImage(o.image)) {
    drawImage(PIC_ICON_NO_IMAGE, o.x - 7, o.y - 7);
    return;
  }
  if (!isImage(o.rotatedImage)) return;
  int sprite = findSprite(o.sprite);
  int cx = sprite >= 0 ? sprites[size_t(sprite)].centerx : 0;
  int cy = sprite >= 0 ? sprites[size_t(sprite)].centery : 0;
  // The turned picture keeps its middle where the unturned one has it.
  int dx = (imageWidth(o.rotatedImage) - imageWidth(o.image)) / 2;
  int dy = (imageHeight(o.rotatedImage) - imageHeight(o.image)) / 2;
  drawImage(o.rotatedImage, o.x - cx - dx, o.y - cy - dy);
}

}  // namespace

void drawSceneView(SceneState& s) {
  const SceneRecord& scene = scenes[size_t(s.sceneIndex)];
  if (!startDrawing(canvasImage(s.g.sceneCanvas))) return;
  drawingMode(DRAW_DEFAULT);
  box(0, 0, scene.width, scene.height, opaque(rgb(scene.red, scene.green, scene.blue)));
  int tab = getGadgetState(s.g.panel);
  bool instancesShown = getGadgetState(s.g.showObjectsBox) == 1 || tab == TAB_OBJECTS;
  bool tilesShown = getGadgetState(s.g.showTilesBox) == 1 || tab == TAB_TILES;
  // Larger depths lie further back; at equal depth tiles cover instances.
  std::vector<DrawItem> order;
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].prototype == 0 && objects[i].scene == scene.name) order.push_back({objects[i].depth, int(i), -1});
  for (size_t i = 0; i < tiles.size(); ++i)
    if (tiles[i].scene == scene.name) order.push_back({tiles[i].depth, -1, int(i)});
  std::stable_sort(order.begin(), order.end(), [](const DrawItem& a, const DrawItem& b) { return a.depth > b.depth; });
  drawingMode(DRAW_ALPHABLEND);
  for (const DrawItem& item : order) {
    if (item.instance >= 0 && instancesShown) drawInstance(objects[size_t(item.instance)]);
    if (item.tile >= 0 && tilesShown) {
      const TileRecord& t = tiles[size_t(item.tile)];
      if (isImage(t.image)) drawImage(t.image, t.x, t.y);
    }
  }
  stopDrawing();
  refreshCanvas(s.g.sceneCanvas);
}

void sceneViewTick(SceneState& s) {
  int tab = getGadgetState(s.g.panel);
  bool shown = tab == TAB_OBJECTS || tab == TAB_TILES;
  resizeGadget(s.g.newButton, shown ? NEW_BUTTON_X : HIDDEN_BUTTON_X, UI_IGNORE, UI_IGNORE, UI_IGNORE);
  resizeGadget(s.g.shiftButton, shown ? SHIFT_BUTTON_X : HIDDEN_BUTTON_X, UI_IGNORE, UI_IGNORE, UI_IGNORE);
  drawSceneView(s);
}
