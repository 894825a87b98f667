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

int openCodeDialogWindow(const std::string& title, int flags, int parent) {
  bool stored = codeWindowX != -1 && codeWindowY != -1 && codeWindowMaximized == -1;
  int w = stored && codeWindowWidth > 0 ? codeWindowWidth : 800;
  int h = stored && codeWindowHeight > 0 ? codeWindowHeight : 600;
  // Placed as it opens, before the window manager frames it: a place given
  // later, while the frame is not known yet, lands off by the title bar.
  if (stored && isTitleBarOnScreen(codeWindowX, codeWindowY, w))
    return openWindow(UI_ANY, codeWindowX, codeWindowY, w, h, title, flags, parent);
  return openWindow(UI_ANY, 0, 0, w, h, title, flags | WIN_SCREENCENTERED, parent);
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
