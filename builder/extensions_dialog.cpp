#include "builder/extensions_dialog.h"

#include <string>
#include <vector>

#include "builder/extensions.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

constexpr int CONSOLAS_10 = 70;

// The details text breaks its lines with CR alone; the text gadget breaks
// lines at LF only.
std::string shownLines(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace

void chooseExtensions() {
  if (projectName.empty()) {
    projectHooks.message("Message", "Please save your project.");
    return;
  }
  // The OK writes the list anew: from a choice that could not be read, it
  // would lose it.
  if (!loadExtensions()) return;
  const int mainWindow = projectHooks.mainWindow;
  disableWindow(mainWindow, true);
  int window = openWindow(UI_ANY, 0, 0, 640, 480, "Installed extensions",
                          WIN_TITLEBAR | WIN_SCREENCENTERED, mainWindow);
  setWindowStayOnTop(window, true);

  int details = editorGadget(UI_ANY, 200, 10, 430, 420, ED_READONLY);
  setGadgetColor(details, COLOR_BACK, rgb(238, 238, 238));
  setGadgetFont(details, CONSOLAS_10);
  nameGadget(details, "details");
  int cancel = buttonGadget(UI_ANY, 10, 440, 100, 25, "Cancel");
  int ok = buttonGadget(UI_ANY, 530, 440, 100, 25, "OK");
  int list = listIconGadget(UI_ANY, 10, 10, 180, 420, "Name", 160, LI_CHECKBOXES);
  setGadgetFont(list, CONSOLAS_10);
  nameGadget(list, "extensions");
  for (size_t i = 0; i < extensions.size(); ++i) {
    int row = addGadgetItem(list, -1, extensions[i].name);
    setGadgetItemData(list, row, int64_t(i));
    if (extensions[i].enabled == 1) setGadgetItemState(list, row, ITEM_CHECKED);
  }

  for (bool done = false; !done;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    int gadget = eventGadget();
    if (gadget == list) {
      int row = getGadgetState(list);
      if (row < 0 || getGadgetItemText(list, row).empty()) continue;
      size_t at = size_t(getGadgetItemData(list, row));
      if (at < extensions.size()) setGadgetText(details, shownLines(extensionDetailsText(extensions[at])));
    } else if (gadget == ok) {
      std::vector<std::string> chosen;
      for (int row = 0; row < countGadgetItems(list); ++row) {
        size_t at = size_t(getGadgetItemData(list, row));
        if ((getGadgetItemState(list, row) & ITEM_CHECKED) && at < extensions.size())
          chosen.push_back(extensions[at].fileName);
      }
      writeEnabledExtensions(chosen);
      done = true;
    } else if (gadget == cancel) {
      done = true;
    }
  }

  setWindowStayOnTop(window, false);
  disableWindow(mainWindow, false);
  closeWindow(window);
  activateWindow(mainWindow);
}
