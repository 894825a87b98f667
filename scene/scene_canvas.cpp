// The scene window's two canvases: the pointer and keys on the scene canvas
// place, paint, select, move and remove; a drag on the tile-set canvas picks
// the tile to place. The records change here; the picture follows at the
// next tick of the view.
#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_edit.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "scene/tile_pick.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

SceneEditInput editInput(const SceneState& s) {
  SceneEditInput in;
  in.sceneName = scenes[size_t(s.sceneIndex)].name;
  in.tab = getGadgetState(s.g.panel);
  in.objectAction = getGadgetState(s.g.objectAction);
  in.tileAction = getGadgetState(s.g.tileAction);
  in.objectToPlace = getGadgetText(s.g.objectList);
  in.placeImage = s.placeImage;
  in.tileSetName = getGadgetText(s.g.tileImageList);
  in.tileLeft = s.tileLeft;
  in.tileTop = s.tileTop;
  in.tileWidth = s.tileWidth;
  in.tileHeight = s.tileHeight;
  in.selectedTileImage = s.selectedTileImage;
  in.layerDepth = textValue(getGadgetText(s.g.layerList));
  in.gridSize = gridSize;
  in.snapToGrid = snapToGrid;
  return in;
}

// The keys of the canvas; the Mac's Delete is the Backspace key here.
int sceneKeyOf(int key) {
  switch (key) {
    case KEY_SPACE:
    case KEY_ESCAPE: return SCENE_KEY_CLEAR;
    case KEY_LEFT: return SCENE_KEY_LEFT;
    case KEY_RIGHT: return SCENE_KEY_RIGHT;
    case KEY_UP: return SCENE_KEY_UP;
    case KEY_DOWN: return SCENE_KEY_DOWN;
    case KEY_DELETE:
    case KEY_BACKSPACE: return SCENE_KEY_DELETE;
    default: return -1;
  }
}

}  // namespace

void sceneCanvasEvent(SceneState& s, int type) {
  int canvas = s.g.sceneCanvas;
  int m = canvasMouseX(canvas), n = canvasMouseY(canvas);
  bool exactlyShift = canvasModifiers(canvas) == MOD_SHIFT;
  bool leftHeld = (canvasButtons(canvas) & BUTTON_LEFT) != 0;
  // Painting comes first, so that a Shift-drag also moves the pointer.
  if (exactlyShift && (type == ET_LEFTBUTTONDOWN || (type == ET_MOUSEMOVE && leftHeld))) {
    GridPoint last{s.lastCellX, s.lastCellY};
    shiftPaint(editInput(s), m, n, last);
    s.lastCellX = last.x;
    s.lastCellY = last.y;
  }
  switch (type) {
    case ET_MOUSEENTER: s.pointerInside = 1; break;
    case ET_MOUSELEAVE: s.pointerInside = 0; break;
    case ET_MOUSEMOVE:
    case ET_LEFTBUTTONDOWN:
      s.mouseX = m;
      s.mouseY = n;
      break;
    case ET_LEFTCLICK: sceneClick(editInput(s), m, n, exactlyShift); break;
    case ET_KEYDOWN: {
      int key = sceneKeyOf(canvasKey(canvas));
      if (key >= 0) sceneKey(editInput(s), key);
      break;
    }
    default: break;
  }
}

void tileSetCanvasEvent(SceneState& s) {
  int canvas = s.g.tileSetCanvas;
  TilePickState p;
  p.drag = s.tileDrag;
  p.startX = s.dragStartX;
  p.startY = s.dragStartY;
  p.rect = {s.tileLeft, s.tileTop, s.tileWidth, s.tileHeight};
  p.tileSetImage = s.tileSetImage;
  p.selectedTileImage = s.selectedTileImage;
  p.tilePreviewImage = s.tilePreviewImage;
  bool picked = tilePickEvent(p, getGadgetText(s.g.tileImageList), canvasMouseX(canvas), canvasMouseY(canvas),
                              canvasButtons(canvas), canvasModifiers(canvas), gridSize);
  s.tileDrag = p.drag;
  s.dragStartX = p.startX;
  s.dragStartY = p.startY;
  s.tileLeft = p.rect.left;
  s.tileTop = p.rect.top;
  s.tileWidth = p.rect.width;
  s.tileHeight = p.rect.height;
  s.tileSetImage = p.tileSetImage;
  s.selectedTileImage = p.selectedTileImage;
  s.tilePreviewImage = p.tilePreviewImage;
  if (picked) {
    setGadgetState(s.g.tileAction, ACTION_PLACE);
    setGadgetAttribute(s.g.selectedTile, ATTR_IMAGE, isImage(s.tilePreviewImage) ? s.tilePreviewImage : PIC_BLANK);
  }
}
