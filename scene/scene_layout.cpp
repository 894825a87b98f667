// The controls of the scene window: Done and the name, the four tabs of the
// panel, the toolbar and the scene view.
#include <string>

#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

int label(int x, int y, int w, const char* text) { return textGadget(UI_ANY, x, y, w, 25, text); }

int named(int gadget, const char* name) {
  nameGadget(gadget, name);
  return gadget;
}

int numberField(int x, int y, int w, int value, const char* name) {
  return named(stringGadget(UI_ANY, x, y, w, 25, std::to_string(value), STR_NUMERIC), name);
}

// A definition's icon in the drop-down lists: its first frame, or the
// no-image icon.
int objectIcon(const ObjectRecord& o) { return isImage(o.image) ? o.image : PIC_ICON_NO_IMAGE; }

void makeSettingsTab(SceneState& s, const SceneRecord& scene) {
  label(10, 15, 100, "Scene size (W/H)");
  s.g.width = numberField(10, 40, 45, scene.width, "width");
  s.g.height = numberField(85, 40, 45, scene.height, "height");
  label(10, 75, 105, "Viewport size (W/H)");
  s.g.viewportWidth = numberField(10, 100, 45, scene.viewportwidth, "viewport width");
  s.g.viewportHeight = numberField(85, 100, 45, scene.viewportheight, "viewport height");
  label(10, 135, 100, "Object to follow");
  s.g.follow = named(comboBoxGadget(UI_ANY, 10, 160, 120, 25, COMBO_IMAGE), "follow");
  addGadgetItem(s.g.follow, -1, "");
  for (const ObjectRecord& o : objects)
    if (o.prototype == 1) addGadgetItem(s.g.follow, -1, o.name, objectIcon(o));
  // Only this scene's instances are drawn, so only theirs are made.
  buildInstanceImages(scene.name);
  setGadgetText(s.g.follow, scene.viewportobject);
  label(10, 195, 105, "Follow margin (X/Y)");
  s.g.marginX = numberField(10, 220, 45, scene.viewportxborder, "margin x");
  s.g.marginY = numberField(85, 220, 45, scene.viewportyborder, "margin y");
  textGadget(UI_ANY, 10, 260, 40, 25, "Speed");
  s.g.speed = numberField(85, 255, 45, scene.speed, "speed");
  s.g.sceneCode = buttonGadget(UI_ANY, 10, 290, 120, 25, "Scene code...");
}

void makeObjectsTab(SceneState& s) {
  textGadget(UI_ANY, 10, 15, 100, 25, "Action");
  s.g.objectAction = named(comboBoxGadget(UI_ANY, 10, 35, 120, 25, COMBO_IMAGE), "object action");
  addGadgetItem(s.g.objectAction, -1, "Place objects", PIC_ICON_PLACE);
  addGadgetItem(s.g.objectAction, -1, "Select objects", PIC_ICON_SELECT);
  addGadgetItem(s.g.objectAction, -1, "Remove objects", PIC_TOOL_DELETE);
  setGadgetState(s.g.objectAction, ACTION_PLACE);
  textGadget(UI_ANY, 150, 15, 80, 25, "Object to place");
  s.g.objectList = named(comboBoxGadget(UI_ANY, 150, 35, 130, 25, COMBO_IMAGE), "object list");
  for (const ObjectRecord& o : objects)
    if (o.prototype == 1) addGadgetItem(s.g.objectList, -1, o.name, objectIcon(o));
  setGadgetState(s.g.objectList, 0);
  s.g.preview = named(imageGadget(UI_ANY, 150, 70, 100, 100, PIC_BLANK, IMG_BORDER), "preview");
  updatePlacePreview(s);
  s.g.editInstance = buttonGadget(UI_ANY, 10, 190, 275, 25, "Edit selected instance...");
}

void makeBackgroundTab(SceneState& s, const SceneRecord& scene) {
  label(10, 15, 100, "Background color");
  s.g.swatch = named(stringGadget(UI_ANY, 10, 40, 65, 25, "", STR_READONLY | STR_BORDERLESS), "swatch");
  setGadgetColor(s.g.swatch, COLOR_BACK, rgb(scene.red, scene.green, scene.blue));
  s.g.colour = buttonGadget(UI_ANY, 80, 40, 40, 25, "...");
  label(10, 75, 100, "Background image");
  s.g.backgroundList = named(comboBoxGadget(UI_ANY, 10, 100, 100, 25), "background list");
  addGadgetItem(s.g.backgroundList, -1, "");
  for (const BackgroundRecord& b : backgrounds) addGadgetItem(s.g.backgroundList, -1, b.name);
  setGadgetText(s.g.backgroundList, scene.background);
  // The boxes are a little wider than drawn, for "Tile horizontally" in the
  // program's font.
  s.g.tileX = checkBoxGadget(UI_ANY, 10, 130, 110, 25, "Tile horizontally");
  setGadgetState(s.g.tileX, scene.backgroundtilex);
  s.g.tileY = checkBoxGadget(UI_ANY, 10, 160, 110, 25, "Tile vertically");
  setGadgetState(s.g.tileY, scene.backgroundtiley);
  s.g.stretch = checkBoxGadget(UI_ANY, 10, 190, 110, 25, "Stretch");
  setGadgetState(s.g.stretch, scene.backgroundstretch);
}

void makeTilesTab(SceneState& s, const SceneRecord& scene) {
  textGadget(UI_ANY, 10, 15, 100, 25, "Tile image");
  s.g.tileImageList = named(comboBoxGadget(UI_ANY, 10, 40, 100, 25), "tile image list");
  for (const BackgroundRecord& b : backgrounds) addGadgetItem(s.g.tileImageList, -1, b.name);
  std::string first = backgrounds.empty() ? std::string() : backgrounds[0].name;
  setGadgetText(s.g.tileImageList, first);
  textGadget(UI_ANY, 130, 15, 100, 25, "Action");
  s.g.tileAction = named(comboBoxGadget(UI_ANY, 130, 40, 100, 25, COMBO_IMAGE), "tile action");
  addGadgetItem(s.g.tileAction, -1, "Place tiles", PIC_ICON_PLACE);
  addGadgetItem(s.g.tileAction, -1, "Select tiles", PIC_ICON_SELECT);
  addGadgetItem(s.g.tileAction, -1, "Remove tiles", PIC_TOOL_DELETE);
  setGadgetState(s.g.tileAction, ACTION_PLACE);
  s.g.tileSetArea = named(scrollAreaGadget(UI_ANY, 10, 80, 270, 360, 640, 480, 16, BORDER_SINGLE), "tile set");
  openGadgetList(s.g.tileSetArea);
  s.g.tileSetCanvas = named(canvasGadget(UI_ANY, 0, 0, 640, 480), "tile set canvas");
  closeGadgetList();
  loadSceneBackground(s.g.tileSetCanvas, s.g.tileSetArea, first);
  textGadget(UI_ANY, 10, 455, 100, 25, "Layer");
  s.g.layerList = named(comboBoxGadget(UI_ANY, 10, 480, 110, 25), "layer list");
  fillLayerList(scene.name, s.g.layerList);
  s.g.addLayer = buttonGadget(UI_ANY, 10, 510, 50, 25, "Add");
  s.g.deleteLayer = buttonGadget(UI_ANY, 60, 510, 60, 25, "Delete");
  s.g.changeLayer = buttonGadget(UI_ANY, 10, 540, 110, 25, "Change...");
  textGadget(UI_ANY, 130, 455, 120, 25, "Selected tile");
  s.g.selectedTile = named(imageGadget(UI_ANY, 130, 480, 100, 100, PIC_BLANK, IMG_BORDER), "selected tile");
}

void makeToolbar(SceneState& s) {
  s.g.newButton = named(buttonImageGadget(UI_ANY, HIDDEN_BUTTON_X, 10, 30, 30, PIC_ICON_NEW), "new");
  gadgetToolTip(s.g.newButton, "New");
  s.g.shiftButton = named(buttonImageGadget(UI_ANY, HIDDEN_BUTTON_X, 10, 30, 30, PIC_ICON_SHIFT_SCENE), "shift");
  gadgetToolTip(s.g.shiftButton, "Shift objects");
  s.g.gridToggle = named(buttonImageGadget(UI_ANY, 390, 10, 30, 30, PIC_ICON_GRID, BTN_TOGGLE), "grid");
  gadgetToolTip(s.g.gridToggle, "Toggle show / hide the grid");
  setGadgetState(s.g.gridToggle, showGrid);
  s.g.snapToggle = named(buttonImageGadget(UI_ANY, 425, 10, 30, 30, PIC_ICON_SNAP, BTN_TOGGLE), "snap");
  gadgetToolTip(s.g.snapToggle, "Toggle snap / don't snap objects to grid");
  setGadgetState(s.g.snapToggle, snapToGrid);
  textGadget(UI_ANY, 460, 15, 40, 25, "Size");
  s.g.gridSizeField = numberField(490, 10, 40, gridSize, "grid size");
  // "Show objects" needs a few pixels more than drawn; "Show tiles" makes room.
  s.g.showObjectsBox = checkBoxGadget(UI_ANY, 540, 10, 95, 25, "Show objects");
  setGadgetState(s.g.showObjectsBox, showObjects);
  s.g.showTilesBox = checkBoxGadget(UI_ANY, 640, 10, 80, 25, "Show tiles");
  setGadgetState(s.g.showTilesBox, showTiles);
  s.g.status = named(textGadget(UI_ANY, 750, 15, 200, 25, ""), "status");
}

}  // namespace

void makeSceneGadgets(SceneState& s) {
  const SceneRecord& scene = scenes[size_t(s.sceneIndex)];
  int w = windowWidth(s.g.window), h = windowHeight(s.g.window);
  s.g.done = named(buttonGadget(UI_ANY, 10, 10, 100, 25, "Done"), "Done");
  s.g.name = named(stringGadget(UI_ANY, 120, 10, 100, 25, scene.name), "name");
  s.g.panel = named(panelGadget(UI_ANY, 10, 40, 300, 618), "panel");
  for (const char* tab : {"Settings", "Objects", "Background", "Tiles"}) addGadgetItem(s.g.panel, -1, tab);
  openGadgetList(s.g.panel, TAB_SETTINGS);
  makeSettingsTab(s, scene);
  closeGadgetList();
  openGadgetList(s.g.panel, TAB_OBJECTS);
  makeObjectsTab(s);
  closeGadgetList();
  openGadgetList(s.g.panel, TAB_BACKGROUND);
  makeBackgroundTab(s, scene);
  closeGadgetList();
  openGadgetList(s.g.panel, TAB_TILES);
  makeTilesTab(s, scene);
  closeGadgetList();
  setGadgetState(s.g.panel, TAB_SETTINGS);
  makeToolbar(s);
  s.g.sceneArea = named(scrollAreaGadget(UI_ANY, 320, 45, w - 330, h - 60, 1024, 768, 20, BORDER_SINGLE),
                        "scene view");
  openGadgetList(s.g.sceneArea);
  // resizeSceneCanvas gives it the scene's size (within what a canvas can hold).
  s.g.sceneCanvas = named(canvasGadget(UI_ANY, 0, 0, 1, 1, CANVAS_KEYBOARD), "scene canvas");
  closeGadgetList();
}

void layoutSceneWindow(const SceneState& s) {
  int w = windowWidth(s.g.window), h = windowHeight(s.g.window);
  resizeGadget(s.g.panel, UI_IGNORE, UI_IGNORE, UI_IGNORE, h - 50);
  resizeGadget(s.g.sceneArea, UI_IGNORE, UI_IGNORE, w - 330, h - 60);
}
