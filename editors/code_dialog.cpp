#include "editors/code_dialog.h"

#include <string>

#include "editors/code_field.h"
#include "editors/editor_settings.h"
#include "ui/ui.h"

void layoutCodeDialog(const CodeDialog& d, bool store) {
  int w = windowWidth(d.window), h = windowHeight(d.window);
  bool minimised = getWindowState(d.window) == WINSTATE_MINIMIZED;
  if (minimised || w <= 0 || h <= 0) return;
  resizeGadget(d.editor, UI_IGNORE, UI_IGNORE, w - 20, h - 155);
  resizeGadget(d.ok, w - 75, h - 35, UI_IGNORE, UI_IGNORE);
  resizeGadget(d.cancel, UI_IGNORE, h - 35, UI_IGNORE, UI_IGNORE);
  resizeGadget(d.help1, UI_IGNORE, h - 95, w - 20, 21);
  resizeGadget(d.help2, UI_IGNORE, h - 65, w - 20, 21);
  if (!store) return;
  codeWindowWidth = w;
  codeWindowHeight = h;
  codeWindowMaximized = getWindowState(d.window) == WINSTATE_MAXIMIZED ? 1 : -1;
}

bool restoreCodeDialogPlace(const CodeDialog& d) {
  if (codeWindowX == -1 || codeWindowY == -1 || codeWindowMaximized != -1) return false;
  int w = codeWindowWidth > 0 ? codeWindowWidth : 800, h = codeWindowHeight > 0 ? codeWindowHeight : 600;
  resizeWindow(d.window, codeWindowX, codeWindowY, w, h);
  layoutCodeDialog(d, false);
  return true;
}

void storeCodeDialogPlace(const CodeDialog& d) {
  if (getWindowState(d.window) == WINSTATE_MINIMIZED) return;
  codeWindowX = windowX(d.window);
  codeWindowY = windowY(d.window);
}

void showCodeHelpLines(const CodeDialog& d, bool skipNotAvailable) {
  std::string line1, line2;
  if (!codeFieldHelp(d.editor, line1, line2)) {
    setGadgetText(d.help1, "");
    setGadgetText(d.help2, "");
    return;
  }
  if (!skipNotAvailable || line1 != "n/a") setGadgetText(d.help1, line1);
  if (!skipNotAvailable || line2 != "n/a") setGadgetText(d.help2, line2);
}
