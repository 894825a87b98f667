// The scene view's tick: the toolbar buttons that belong to the Objects and
// Tiles tabs, the picture of the scene on its canvas, the status label and
// the picked rectangle on the tile-set canvas. Only the part of the scene
// that the scroll area shows is drawn each tick; the pixels are those of
// the whole picture.
#include <algorithm>

#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_draw.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "scene/tile_pick.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/ui.h"

// The window's tabs and action lists count as the view's do.
static_assert(int(VIEW_TAB_OBJECTS) == int(TAB_OBJECTS) && int(VIEW_TAB_TILES) == int(TAB_TILES));
static_assert(int(VIEW_ACTION_PLACE) == int(ACTION_PLACE) && int(VIEW_ACTION_SELECT) == int(ACTION_SELECT) &&
              int(VIEW_ACTION_REMOVE) == int(ACTION_REMOVE));
static_assert(int(TILE_DRAG_NONE) == int(DRAG_NONE) && int(TILE_DRAG_IDLE) == int(DRAG_IDLE) &&
              int(TILE_DRAG_DRAGGING) == int(DRAG_DRAGGING));

namespace {

// The visible part is drawn here and copied onto the canvas; kept from
// tick to tick while its size stays.
int viewPart = 0;

int partImage(int w, int h) {
  if (isImage(viewPart) && imageWidth(viewPart) == w && imageHeight(viewPart) == h) return viewPart;
  if (isImage(viewPart)) freeImage(viewPart);
  viewPart = createImage(UI_ANY, w, h, 24);
  return viewPart;
}

}  // namespace

SceneViewInput sceneViewInput(const SceneState& s) {
  SceneViewInput in;
  in.sceneIndex = s.sceneIndex;
  in.backgroundImage = s.backgroundImage;
  in.tab = getGadgetState(s.g.panel);
  in.showObjects = showObjects;
  in.showTiles = showTiles;
  in.objectAction = getGadgetState(s.g.objectAction);
  in.tileAction = getGadgetState(s.g.tileAction);
  in.objectToPlace = getGadgetText(s.g.objectList);
  in.placeImage = s.placeImage;
  in.placeSprite = s.placeSprite;
  in.layerDepth = textValue(getGadgetText(s.g.layerList));
  in.pointerInside = s.pointerInside;
  in.mouseX = s.mouseX;
  in.mouseY = s.mouseY;
  in.selectedTileImage = s.selectedTileImage;
  in.showGrid = showGrid;
  in.gridSize = gridSize;
  in.snapToGrid = snapToGrid;
  return in;
}

void redrawSceneView(SceneState& s) {
  int canvas = canvasImage(s.g.sceneCanvas);
  std::string status;
  if (isImage(canvas)) {
    SceneViewInput in = sceneViewInput(s);
    int cw = imageWidth(canvas), ch = imageHeight(canvas);
    int left = std::clamp(getGadgetAttribute(s.g.sceneArea, ATTR_SCROLL_X), 0, cw);
    int top = std::clamp(getGadgetAttribute(s.g.sceneArea, ATTR_SCROLL_Y), 0, ch);
    int w = std::min(gadgetWidth(s.g.sceneArea), cw - left), h = std::min(gadgetHeight(s.g.sceneArea), ch - top);
    if (w >= cw && h >= ch) {
      status = drawSceneView(canvas, 0, 0, in);
    } else if (w > 0 && h > 0) {
      int part = partImage(w, h);
      status = drawSceneView(part, left, top, in);
      if (startDrawing(canvas)) {
        drawingMode(DRAW_DEFAULT);
        drawImage(part, left, top);
        stopDrawing();
      }
    }
    refreshCanvas(s.g.sceneCanvas);
  }
  setGadgetText(s.g.status, status);
  if (s.tileWidth > 0 && s.tileHeight > 0 && isImage(s.tileSetImage)) {
    drawTileSetView(canvasImage(s.g.tileSetCanvas), s.tileSetImage, s.tileLeft, s.tileTop, s.tileWidth,
                    s.tileHeight);
    refreshCanvas(s.g.tileSetCanvas);
  }
}

void releaseSceneView() {
  if (isImage(viewPart)) freeImage(viewPart);
  viewPart = 0;
}

void sceneViewTick(SceneState& s) {
  int tab = getGadgetState(s.g.panel);
  bool shown = tab == TAB_OBJECTS || tab == TAB_TILES;
  resizeGadget(s.g.newButton, shown ? NEW_BUTTON_X : HIDDEN_BUTTON_X, UI_IGNORE, UI_IGNORE, UI_IGNORE);
  resizeGadget(s.g.shiftButton, shown ? SHIFT_BUTTON_X : HIDDEN_BUTTON_X, UI_IGNORE, UI_IGNORE, UI_IGNORE);
  redrawSceneView(s);
}
