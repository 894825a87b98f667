// The scene window: opening, the event loop with what each control does,
// and closing. The commands live in scene_commands.cpp and scene_done.cpp,
// the controls in scene_layout.cpp, the view in scene_view.cpp.
#include "scene/scene_window.h"

#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/instance_dialog.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

const SceneState* openState = nullptr;

SceneRecord& sceneOf(const SceneState& s) { return scenes[size_t(s.sceneIndex)]; }

void loadBackgroundImage(SceneState& s, bool needsFile) {
  s.backgroundImage = releaseImage(s.backgroundImage);
  s.backgroundImage = loadSceneBackgroundImage(sceneOf(s).background, needsFile);
}

void chooseColour(SceneState& s) {
  SceneRecord& scene = sceneOf(s);
  int picked = colorRequester(rgb(scene.red, scene.green, scene.blue));
  if (picked >= 0) {
    scene.red = red(uint32_t(picked));
    scene.green = green(uint32_t(picked));
    scene.blue = blue(uint32_t(picked));
  }
  setGadgetColor(s.g.swatch, COLOR_BACK, rgb(scene.red, scene.green, scene.blue));
}

void chooseTileSet(SceneState& s) {
  const std::string name = getGadgetText(s.g.tileImageList);
  s.selectedTileImage = releaseImage(s.selectedTileImage);
  s.tileLeft = s.tileTop = s.tileWidth = s.tileHeight = 0;
  int found = findBackground(name);
  if (found < 0) return showSceneBackground(s.g.tileSetCanvas, s.g.tileSetArea, -1);
  // A tile set without a file has no picture: no stale number stays behind.
  s.tileSetImage = releaseImage(s.tileSetImage);
  if (!backgrounds[size_t(found)].file.empty()) s.tileSetImage = loadWorkImage(backgrounds[size_t(found)].file);
  // The canvas shows the picture just loaded rather than reading the file again.
  showSceneBackground(s.g.tileSetCanvas, s.g.tileSetArea, s.tileSetImage);
}

void editSelectedInstance(const SceneState& s) {
  const std::string& name = sceneOf(s).name;
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].scene == name && objects[i].selected == 1) return editInstance(int(i), s.g.window);
}

void resizeScene(SceneState& s) {
  resizeSceneCanvas(s.g.sceneCanvas, s.g.sceneArea, s.g.width, s.g.height);
  sceneOf(s).width = textValue(getGadgetText(s.g.width));
  sceneOf(s).height = textValue(getGadgetText(s.g.height));
}

void handleGadget(SceneState& s, int gadget, int type) {
  const SceneGadgets& g = s.g;
  SceneRecord& scene = sceneOf(s);
  if (gadget == g.tileX) scene.backgroundtilex = getGadgetState(gadget);
  else if (gadget == g.tileY) scene.backgroundtiley = getGadgetState(gadget);
  else if (gadget == g.stretch) scene.backgroundstretch = getGadgetState(gadget);
  else if (gadget == g.showObjectsBox) showObjects = getGadgetState(gadget);
  else if (gadget == g.showTilesBox) showTiles = getGadgetState(gadget);
  else if (gadget == g.gridToggle && type == ET_LEFTCLICK) showGrid = getGadgetState(gadget);
  else if (gadget == g.snapToggle && type == ET_LEFTCLICK) snapToGrid = getGadgetState(gadget);
  else if (gadget == g.newButton && type == ET_LEFTCLICK) sceneNew(s);
  else if (gadget == g.shiftButton && type == ET_LEFTCLICK) sceneShift(s);
  else if (gadget == g.addLayer && type == ET_LEFTCLICK) sceneAddLayer(s);
  else if (gadget == g.deleteLayer && type == ET_LEFTCLICK) sceneDeleteLayer(s);
  else if (gadget == g.changeLayer && type == ET_LEFTCLICK) sceneChangeLayer(s);
  else if (gadget == g.sceneCode && type == ET_LEFTCLICK) editSceneCode(s.sceneIndex, g.window);
  else if (gadget == g.colour && type == ET_LEFTCLICK) chooseColour(s);
  else if (gadget == g.editInstance && type == ET_LEFTCLICK) editSelectedInstance(s);
  else if (gadget == g.done && type == ET_LEFTCLICK) sceneDone(s);
  else if (gadget == g.sceneCanvas) sceneCanvasEvent(s, type);
  else if (gadget == g.tileSetCanvas) tileSetCanvasEvent(s);
  else if (gadget == g.backgroundList && type == ET_CHANGE) {
    scene.background = getGadgetText(gadget);
    loadBackgroundImage(s, true);
  } else if (gadget == g.gridSizeField && type == ET_CHANGE) {
    int value = textValue(getGadgetText(gadget));
    if (value > 4) gridSize = value;
  } else if ((gadget == g.width || gadget == g.height) && (type == ET_CHANGE || type == ET_LOSTFOCUS)) {
    resizeScene(s);
  } else if (gadget == g.objectList && type == ET_CHANGE) {
    setGadgetState(g.objectAction, ACTION_PLACE);
    updatePlacePreview(s);
  } else if (gadget == g.tileImageList && type == ET_CHANGE) {
    chooseTileSet(s);
  }
  // The two canvases' pointer and key events are the canvas editing's.
}

void closeSceneWindow(SceneState& s) {
  for (ObjectRecord& o : objects) o.selected = 0;
  for (TileRecord& t : tiles) t.selected = 0;
  s.backgroundImage = releaseImage(s.backgroundImage);
  s.tileSetImage = releaseImage(s.tileSetImage);
  s.selectedTileImage = releaseImage(s.selectedTileImage);
  s.tilePreviewImage = releaseImage(s.tilePreviewImage);
  s.previewImage = releaseImage(s.previewImage);
  freeInstanceImages(sceneOf(s).name);
  releaseSceneView();
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(s.g.window);
  rebuildResourcePanel();
}

}  // namespace

const SceneState* openSceneState() { return openState; }

void editScene(const std::string& name) {
  SceneState s;
  s.sceneIndex = findScene(name);
  if (s.sceneIndex < 0) {
    rebuildResourcePanel();
    return;
  }
  s.openedName = name;
  openState = &s;
  loadBackgroundImage(s, false);
  disableWindow(EDITOR_MAIN_WINDOW, true);
  s.g.window = openWindow(UI_ANY, 0, 0, 1024, 668, "Scene properties - " + name,
                          WIN_TITLEBAR | WIN_SIZEGADGET | WIN_FULLSCREEN | WIN_SCREENCENTERED, EDITOR_MAIN_WINDOW);
  makeSceneGadgets(s);
  resizeSceneCanvas(s.g.sceneCanvas, s.g.sceneArea, s.g.width, s.g.height);
  sceneViewTick(s);
  addWindowTimer(s.g.window, SCENE_VIEW_TIMER, SCENE_VIEW_INTERVAL_MS);
  while (s.endFlag == 0) {
    int event = waitWindowEvent();
    if (eventWindow() != s.g.window) continue;
    if (event == EV_TIMER && eventTimer() == SCENE_VIEW_TIMER) sceneViewTick(s);
    else if (event == EV_SIZEWINDOW) layoutSceneWindow(s);
    else if (event == EV_GADGET) handleGadget(s, eventGadget(), eventType());
  }
  closeSceneWindow(s);
  openState = nullptr;
}
