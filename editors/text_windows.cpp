// The game-level text windows: global variables, the not-listed functions
// and the game comments.
#include "editors/code_field.h"
#include "editors/editor_frame.h"
#include "editors/editor_settings.h"
#include "editors/editors.h"
#include "project/tables.h"
#include "ui/ui.h"

namespace {

struct CodeDialog {
  int window, editor, ok, cancel, help1, help2;
};

void layoutCodeDialog(const CodeDialog& d, bool store) {
  int w = windowWidth(d.window), h = windowHeight(d.window);
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

constexpr int helpTimer = 1;

// The two help lines of the identifier at the caret.
void showHelpLines(const CodeDialog& d) {
  std::string line1, line2;
  codeFieldHelp(d.editor, line1, line2);
  setGadgetText(d.help1, line1);
  setGadgetText(d.help2, line2);
}

// A resizable code window over one project text; OK stores it.
void editCodeText(const std::string& title, std::string& text) {
  CodeDialog d;
  d.window = openWindow(UI_ANY, 0, 0, 800, 600, title,
                        WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_MAXIMIZEBOX | WIN_SIZEGADGET |
                            WIN_SCREENCENTERED,
                        EDITOR_MAIN_WINDOW);
  disableWindow(EDITOR_MAIN_WINDOW, true);
  d.cancel = buttonGadget(UI_ANY, 10, 565, 65, 25, "Cancel");
  d.ok = buttonGadget(UI_ANY, 725, 565, 65, 25, "OK");
  int label = textGadget(UI_ANY, 10, 15, 200, 25, title);
  setGadgetFont(label, 140);
  d.editor = createCodeField(10, 45, 780, 445);
  setCodeFieldText(d.editor, text);
  d.help1 = textGadget(UI_ANY, 10, 505, 780, 21, "");
  setGadgetFont(d.help1, 140);
  d.help2 = textGadget(UI_ANY, 10, 535, 780, 21, "");
  nameGadget(d.editor, "code");
  setActiveGadget(d.editor);   // typing goes into the code, never onto a button
  layoutCodeDialog(d, false);
  if (codeWindowX != -1 && codeWindowY != -1 && codeWindowMaximized == -1) {
    int w = codeWindowWidth > 0 ? codeWindowWidth : 800, h = codeWindowHeight > 0 ? codeWindowHeight : 600;
    resizeWindow(d.window, codeWindowX, codeWindowY, w, h);
    layoutCodeDialog(d, false);
  }
  if (codeWindowMaximized > -1) setWindowState(d.window, WINSTATE_MAXIMIZED);
  addWindowTimer(d.window, helpTimer, 100);
  for (;;) {
    int event = waitWindowEvent();
    if (eventWindow() != d.window) continue;
    if (event == EV_TIMER && eventTimer() == helpTimer) {
      showHelpLines(d);
    } else if (event == EV_SIZEWINDOW || event == EV_MINIMIZEWINDOW || event == EV_MAXIMIZEWINDOW) {
      layoutCodeDialog(d, true);
    } else if (event == EV_CLOSEWINDOW) {
      break;
    } else if (event == EV_GADGET && eventGadget() == d.cancel) {
      break;
    } else if (event == EV_GADGET && eventGadget() == d.ok) {
      text = getCodeFieldText(d.editor);
      setModified(1);
      break;
    }
  }
  removeWindowTimer(d.window, helpTimer);
  freeCodeField(d.editor);
  codeWindowX = windowX(d.window);
  codeWindowY = windowY(d.window);
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(d.window);
}

}  // namespace

void editGlobalVariables() { editCodeText("Global variables", projectInfo.variables); }
void editFunctionsText() { editCodeText("Not listed custom functions", projectInfo.functions); }

void editGameComments() {
  int window = openWindow(UI_ANY, 0, 0, 800, 600, "Game comments", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          EDITOR_MAIN_WINDOW);
  setWindowStayOnTop(window, true);
  int text = editorGadget(UI_ANY, 10, 10, 780, 540);
  setGadgetFont(text, 70);
  setGadgetText(text, projectInfo.comments);
  int ok = buttonGadget(UI_ANY, 725, 565, 65, 25, "OK");
  nameGadget(text, "comments");
  while (!(waitWindowEvent() == EV_GADGET && eventGadget() == ok)) {
  }
  projectInfo.comments = getGadgetText(text);
  setModified(1);
  setWindowStayOnTop(window, false);
  closeWindow(window);
}
