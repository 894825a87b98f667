// The open-project dialog: the saved projects with their thumbnails and
// the date each was last changed.
#include "project/tables.h"
#include "shell/mainwindow.h"
#include "shell/project_commands.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

struct OpenDialog {
  int window, list, picture, label, open, cancel;
  int thumbnail = 0;   // loaded for the selected project; 0 when none
};

void showProject(OpenDialog& d, const std::string& name) {
  if (d.thumbnail) freeImage(d.thumbnail);
  d.thumbnail = 0;
  setGadgetAttribute(d.picture, ATTR_IMAGE, 0);
  std::string png = "Projects/" + name + ".png";
  if (fileSize(png) > 0) {
    d.thumbnail = loadImage(UI_ANY, png);
    if (d.thumbnail) setGadgetAttribute(d.picture, ATTR_IMAGE, d.thumbnail);
  } else {
    setGadgetAttribute(d.picture, ATTR_IMAGE, PIC_PROJECT_PLACEHOLDER);
  }
  setGadgetText(d.label, "Project started: " +
                             formatDate("%yyyy-%mm-%dd %HH:%ii", fileModified("Projects/" + name + ".xml")));
}

std::string selectedProject(const OpenDialog& d) {
  int item = getGadgetState(d.list);
  return item >= 0 ? getGadgetItemText(d.list, item) : std::string();
}

}  // namespace

std::string chooseProject() {
  listProjects();
  std::string result;
  OpenDialog d;
  d.window = openWindow(UI_ANY, 0, 0, 640, 400, "Open a project...", WIN_TITLEBAR | WIN_SCREENCENTERED,
                        MAIN_WINDOW);
  disableWindow(MAIN_WINDOW, true);
  setWindowStayOnTop(d.window, true);
  d.cancel = buttonGadget(UI_ANY, 10, 365, 100, 25, "Cancel");
  d.open = buttonGadget(UI_ANY, windowWidth(d.window) - 110, 365, 100, 25, "Open");
  d.list = listViewGadget(UI_ANY, 10, 10, 370, 340);
  setGadgetFont(d.list, 228);
  for (const std::string& name : projectNames) addGadgetItem(d.list, -1, name);
  d.picture = imageGadget(UI_ANY, 390, 10, 240, 240, 0, IMG_BORDER | IMG_CENTER);
  d.label = textGadget(UI_ANY, 390, 260, 240, 25, "");
  nameGadget(d.list, "projects");
  nameGadget(d.picture, "thumbnail");
  nameGadget(d.label, "started");
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != d.window) continue;
    int gadget = eventGadget();
    if (gadget == d.list && getGadgetState(d.list) >= 0) {
      if (eventType() == ET_LEFTDOUBLECLICK) {
        result = selectedProject(d);
        break;
      }
      showProject(d, selectedProject(d));
    } else if (gadget == d.open) {
      result = selectedProject(d);
      break;
    } else if (gadget == d.cancel) {
      break;
    }
  }
  setWindowStayOnTop(d.window, false);
  disableWindow(MAIN_WINDOW, false);
  closeWindow(d.window);
  if (d.thumbnail) freeImage(d.thumbnail);
  activateWindow(MAIN_WINDOW);
  return result;
}
