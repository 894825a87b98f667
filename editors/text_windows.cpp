// The code text windows: global variables, the not-listed functions, a
// scene's creation code, and the game comments.
#include "editors/code_dialog.h"
#include "editors/code_field.h"
#include "editors/editor_frame.h"
#include "editors/editor_settings.h"
#include "editors/editors.h"
#include "project/tables.h"
#include "ui/ui.h"

namespace {

// A resizable code window over one project text; OK stores it.
void editCodeText(const std::string& title, std::string& text) {
  CodeDialog d;
  d.window = openCodeDialogWindow(
      title, WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_MAXIMIZEBOX | WIN_SIZEGADGET, EDITOR_MAIN_WINDOW);
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
  if (codeWindowMaximized > -1) setWindowState(d.window, WINSTATE_MAXIMIZED);
  addWindowTimer(d.window, CODE_HELP_TIMER, 100);
  for (;;) {
    int event = waitWindowEvent();
    if (eventWindow() != d.window) continue;
    if (event == EV_TIMER && eventTimer() == CODE_HELP_TIMER) {
      showCodeHelpLines(d, false);
    } else if (event == EV_SIZEWINDOW || event == EV_MINIMIZEWINDOW || event == EV_MAXIMIZEWINDOW ||
               event == EV_RESTOREWINDOW) {
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
  removeWindowTimer(d.window, CODE_HELP_TIMER);
  freeCodeField(d.editor);
  storeCodeDialogPlace(d);
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(d.window);
}

}  // namespace

void editGlobalVariables() { editCodeText("Global variables", projectInfo.variables); }
void editFunctionsText() { editCodeText("Not listed custom functions", projectInfo.functions); }

// The scene's creation code, over the scene window: fixed size, no help
// lines, no stored geometry.
void editSceneCode(int sceneIndex, int opener) {
  if (sceneIndex < 0 || sceneIndex >= int(scenes.size())) return;
  int window = openWindow(UI_ANY, 0, 0, 800, 600, "Scene code editor", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          isWindow(opener) ? opener : 0);
  disableWindow(opener, true);
  int cancel = buttonGadget(UI_ANY, 10, 565, 65, 25, "Cancel");
  int ok = buttonGadget(UI_ANY, 725, 565, 65, 25, "OK");
  int editor = createCodeField(10, 10, 780, 540);
  setCodeFieldText(editor, scenes[size_t(sceneIndex)].code);
  nameGadget(editor, "code");
  setActiveGadget(editor);
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    if (eventGadget() == cancel) break;
    if (eventGadget() != ok) continue;
    scenes[size_t(sceneIndex)].code = getCodeFieldText(editor);
    setModified(1);
    break;
  }
  freeCodeField(editor);
  disableWindow(opener, false);
  closeWindow(window);
}

// The main window is disabled while the comments are open: with one event
// queue for every window, this loop would take and drop its input.
void editGameComments() {
  int window = openWindow(UI_ANY, 0, 0, 800, 600, "Game comments", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          EDITOR_MAIN_WINDOW);
  disableWindow(EDITOR_MAIN_WINDOW, true);
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
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(window);
}
