// The scene window, so far its frame: the scene's name and Done.
#include "scene/scene_window.h"

#include "editors/editor_frame.h"
#include "editors/name_tests.h"
#include "project/tables.h"
#include "ui/ui.h"

void editScene(const std::string& name) {
  int index = findScene(name);
  if (index < 0) {
    rebuildResourcePanel();
    return;
  }
  disableWindow(EDITOR_MAIN_WINDOW, true);
  int window = openWindow(UI_ANY, 0, 0, 1024, 668, "Scene properties - " + name,
                          WIN_TITLEBAR | WIN_SIZEGADGET, EDITOR_MAIN_WINDOW);
  centerWindow(window, EDITOR_MAIN_WINDOW);
  int field = stringGadget(UI_ANY, 10, 10, 120, 25, name);
  int done = buttonGadget(UI_ANY, 1024 - 75, 668 - 35, 65, 25, "Done");
  nameGadget(field, "name");
  nameGadget(done, "Done");
  for (;;) {
    int event = waitWindowEvent();
    if (eventWindow() != window) continue;
    if (event == EV_SIZEWINDOW) {
      resizeGadget(done, windowWidth(window) - 75, windowHeight(window) - 35, UI_IGNORE, UI_IGNORE);
      continue;
    }
    if (event != EV_GADGET || eventGadget() != done) continue;
    std::string typed = getGadgetText(field);
    if (typed.empty()) {
      messageRequester("Error", "The scene name is missing");
    } else if (isSceneNameFree(typed, index) == 1) {
      renameScene(index, typed);
      break;
    } else {
      messageRequester("Error", "The scene name '" + typed + "' already exists");
    }
  }
  setModified(1);
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(window);
  rebuildResourcePanel();
}
