// The scene window's commands that change many records at once: New and
// Shift of the toolbar and the layer buttons, with their small dialogs.
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/editor_frame.h"
#include "project/deletes.h"
#include "project/file_names.h"
#include "project/makers.h"
#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "ui/ui.h"

namespace {

// The frame the small dialogs share: on top of the scene window, which
// is disabled meanwhile; OK and Cancel at the foot.
struct SubDialog {
  int window = 0, ok = 0, cancel = 0;
  int opener = 0;
};

SubDialog openSubDialog(const SceneState& s, const std::string& title, int w, int h) {
  SubDialog d;
  d.opener = s.g.window;
  disableWindow(d.opener, true);
  d.window = openWindow(UI_ANY, 0, 0, w, h, title, WIN_TITLEBAR | WIN_SCREENCENTERED | WIN_STAYONTOP, d.opener);
  return d;
}

void addSubDialogButtons(SubDialog& d) {
  int w = windowWidth(d.window), h = windowHeight(d.window);
  d.ok = buttonGadget(UI_ANY, w - 74, h - 35, 64, 25, "OK");
  d.cancel = buttonGadget(UI_ANY, 10, h - 35, 64, 25, "Cancel");
}

// Runs the dialog until Cancel, or OK whose work returns true. Only the
// dialog's control events count; the scene window waits meanwhile.
// Returns whether it ended through OK.
bool runSubDialog(const SubDialog& d, const std::function<bool()>& onOk) {
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != d.window) continue;
    if (eventGadget() == d.cancel) return false;
    if (eventGadget() == d.ok && onOk()) return true;
  }
}

void closeSubDialog(const SubDialog& d) {
  setWindowStayOnTop(d.window, false);
  closeWindow(d.window);
  disableWindow(d.opener, false);
  activateWindow(EDITOR_MAIN_WINDOW);
  activateWindow(d.opener);
}

const std::string& sceneName(const SceneState& s) { return scenes[size_t(s.sceneIndex)].name; }

struct ShiftFields {
  int horizontal = 0, vertical = 0;
};

ShiftFields makeShiftFields() {
  ShiftFields f;
  textGadget(UI_ANY, 10, 15, 80, 25, "Horizontal");
  f.horizontal = stringGadget(UI_ANY, 100, 10, 90, 25, std::to_string(gridSize));
  nameGadget(f.horizontal, "horizontal");
  textGadget(UI_ANY, 10, 45, 80, 25, "Vertical");
  f.vertical = stringGadget(UI_ANY, 100, 40, 90, 25, std::to_string(gridSize));
  nameGadget(f.vertical, "vertical");
  return f;
}

void shiftObjects(const SceneState& s) {
  SubDialog d = openSubDialog(s, "Shift objects", 200, 160);
  ShiftFields f = makeShiftFields();
  addSubDialogButtons(d);
  runSubDialog(d, [&] {
    int dx = textValue(getGadgetText(f.horizontal)), dy = textValue(getGadgetText(f.vertical));
    const std::string name = sceneName(s);
    for (ObjectRecord& o : objects)
      if (o.scene == name) {
        o.x = clampedSum(o.x, dx);
        o.y = clampedSum(o.y, dy);
      }
    return true;
  });
  closeSubDialog(d);
}

void shiftTiles(const SceneState& s) {
  SubDialog d = openSubDialog(s, "Shift tiles", 200, 160);
  ShiftFields f = makeShiftFields();
  int allLayers = checkBoxGadget(UI_ANY, 10, 75, 100, 25, "In all layer");
  addSubDialogButtons(d);
  runSubDialog(d, [&] {
    int dx = textValue(getGadgetText(f.horizontal)), dy = textValue(getGadgetText(f.vertical));
    bool all = getGadgetState(allLayers) == 1;
    int depth = textValue(getGadgetText(s.g.layerList));
    const std::string name = sceneName(s);
    for (TileRecord& t : tiles)
      if (t.scene == name && (all || t.depth == depth)) {
        t.x = clampedSum(t.x, dx);
        t.y = clampedSum(t.y, dy);
      }
    return true;
  });
  closeSubDialog(d);
}

// The depth dialog of "Add" and "Change...": returns the field's last text.
std::string depthDialog(const SceneState& s, const std::string& title, const std::function<bool(int)>& onOk) {
  SubDialog d = openSubDialog(s, title, 230, 100);
  textGadget(UI_ANY, 10, 15, 100, 25, "Depth");
  int field = stringGadget(UI_ANY, 120, 10, 100, 25, getGadgetText(s.g.layerList));
  nameGadget(field, "depth");
  addSubDialogButtons(d);
  runSubDialog(d, [&] { return onOk(textValue(getGadgetText(field))); });
  std::string kept = getGadgetText(field);
  closeSubDialog(d);
  return kept;
}

bool sceneHasLayer(const std::string& scene, int depth) {
  for (const LayerRecord& l : layers)
    if (l.scene == scene && l.value == depth) return true;
  return false;
}

}  // namespace

int clampedSum(int value, int delta) {
  int64_t sum = int64_t(value) + int64_t(delta);
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return int(sum);
}

void sceneNew(SceneState& s) {
  const std::string name = sceneName(s);
  int tab = getGadgetState(s.g.panel);
  if (tab == TAB_OBJECTS && askYesNo("Confirm", "Delete all objects in this scene?") == 1) {
    // Collected first: each deletion rebuilds the table.
    std::vector<std::string> names;
    for (const ObjectRecord& o : objects)
      if (o.scene == name) names.push_back(o.name);
    for (const std::string& n : names) deleteObject(n);
  }
  if (tab == TAB_TILES && askYesNo("Confirm", "Delete all tiles in this scene?") == 1) {
    std::vector<std::string> names;
    for (const TileRecord& t : tiles)
      if (t.scene == name) names.push_back(t.name);
    for (const std::string& n : names) removeTiles(n);
  }
}

void sceneShift(SceneState& s) {
  int tab = getGadgetState(s.g.panel);
  if (tab == TAB_OBJECTS) shiftObjects(s);
  if (tab == TAB_TILES) shiftTiles(s);
}

void sceneAddLayer(SceneState& s) {
  const std::string previous = getGadgetText(s.g.layerList);
  std::string kept = depthDialog(s, "Add a new tile layer", [&](int depth) {
    const std::string name = sceneName(s);
    if (sceneHasLayer(name, depth)) {
      messageRequester("Error", "Depth already exists");
      return false;
    }
    std::string layer = freeLayerName();
    LayerRecord& l = appendLayer();
    l.name = layer;
    l.scene = name;
    l.value = depth;
    return true;
  });
  fillLayerList(sceneName(s), s.g.layerList);
  chooseLayer(s.g.layerList, kept, previous);
}

void sceneDeleteLayer(SceneState& s) {
  if (askYesNo("Confirm", "Delete this layer and all tiles on this layer?") != 1) return;
  const std::string name = sceneName(s);
  const int depth = textValue(getGadgetText(s.g.layerList));
  // Names first, then the deletions: deleting while walking the table
  // would skip the record after each deleted one.
  std::vector<std::string> layerNames, tileNames;
  for (const LayerRecord& l : layers)
    if (l.scene == name && l.value == depth) layerNames.push_back(l.name);
  for (const TileRecord& t : tiles)
    if (t.scene == name && t.depth == depth) tileNames.push_back(t.name);
  for (const std::string& n : layerNames) deleteLayer(n);
  if (!layerNames.empty())
    for (const std::string& n : tileNames) removeTiles(n);
  bool any = false;
  for (const LayerRecord& l : layers) any = any || l.scene == name;
  if (!any) newLayer(name);
  fillLayerList(name, s.g.layerList);
}

void sceneChangeLayer(SceneState& s) {
  const std::string previous = getGadgetText(s.g.layerList);
  const int oldDepth = textValue(previous);
  const std::string name = sceneName(s);
  int chosen = -1;
  for (size_t i = 0; i < layers.size() && chosen < 0; ++i)
    if (layers[i].scene == name && layers[i].value == oldDepth) chosen = int(i);
  std::string kept = depthDialog(s, "Change the depth of a tile layer", [&](int depth) {
    // No layer has the chosen depth (a scene without layers): nothing to change.
    if (chosen < 0) return true;
    layers[size_t(chosen)].value = depth;
    noteTablesChanged();
    for (TileRecord& t : tiles)
      if (t.scene == name && t.depth == oldDepth) t.depth = depth;
    int last = -1, count = 0;
    for (size_t i = 0; i < layers.size(); ++i)
      if (layers[i].scene == name && layers[i].value == depth) {
        ++count;
        last = int(i);
      }
    if (count > 1) deleteLayer(std::string(layers[size_t(last)].name));
    return true;
  });
  fillLayerList(name, s.g.layerList);
  chooseLayer(s.g.layerList, kept, previous);
}
