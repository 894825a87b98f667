#include "shell/project_commands.h"

#include "project/project_file.h"
#include "project/tables.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "shell/preferences.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "ui/image.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

std::string projectNameError(const std::string& name) {
  if (name.empty()) return "The project name is missing";
  // Blanks alone make a name that no list shows readably and no user can tell apart.
  bool blanksOnly = name.find_first_not_of(" \t") == std::string::npos;
  if (blanksOnly || !isSafeName(name)) return "The project name '" + name + "' cannot be used as a file name";
  return "";
}

}  // namespace

void newProject() {
  if (modifiedFlag == 1 && confirmYesNo("Confirm", "Unsaved changes will be lost. New?") != 1) return;
  closeGameComments();   // they are the old project's
  deleteWorkFolder();
  workFolder = "_temp_" + formatDate("%hh%ii%ss", unixTime());
  if (isGadget(RESOURCE_PANEL)) setGadgetState(RESOURCE_PANEL, 0);
  clearResourceItems();
  clearProjectTables();   // with the pictures, the counter, the flag and the project record
  loadPreferences();
  projectName = "";
  // Without a folder of its own every pick would go nowhere, unnoticed.
  if (!makeWorkFolder()) {
    std::string here = currentFolder();
    if (here.size() > 1) here.pop_back();   // its "/", before the full stop
    messageRequester("Error", "The work folder cannot be made in " + here +
                                  ". Sounds, musics and backgrounds cannot be picked.");
  }
}

namespace {

// The open dialog shows the project under its new name as it showed it
// under the old one: with the picture the last Done made in this project,
// else with the old name's thumbnail, which stays where it is. Without
// either the dialog shows its placeholder.
void writeThumbnailUnderNewName(const std::string& nameBefore) {
  const std::string thumbnail = "Projects/" + projectName + ".png";
  if (isImage(projectThumbnail)) {
    savePng(projectThumbnail, thumbnail);
    return;
  }
  if (nameBefore == projectName) return;
  const std::string before = "Projects/" + nameBefore + ".png";
  if (!nameBefore.empty() && fileSize(before) > 0) copyFile(before, thumbnail);
  // A project saved over another keeps none of the other's picture.
  else deleteFile(thumbnail);
}

// Writes under the name just asked for; a name under which nothing could be
// written is not kept, so that later commands do not act on files that
// never were.
bool writeUnderAskedName(const std::string& nameBefore) {
  if (projectName.empty()) return false;
  if (writeProject()) {
    writeThumbnailUnderNewName(nameBefore);
    return true;
  }
  projectName = nameBefore;
  updateWindowTitle();
  return false;
}

}  // namespace

bool saveProject() {
  if (!projectName.empty()) return writeProject();
  if (!askProjectName()) return false;
  return writeUnderAskedName("");
}

bool saveProjectAs() {
  std::string nameBefore = projectName;
  if (!askProjectName()) return false;
  return writeUnderAskedName(nameBefore);
}

bool askProjectName() {
  int window = openWindow(UI_ANY, 0, 0, 400, 100, "Enter the project name", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          MAIN_WINDOW);
  disableWindow(MAIN_WINDOW, true);
  setWindowStayOnTop(window, true);
  int field = stringGadget(UI_ANY, 10, 10, 380, 25, projectName);
  int cancel = buttonGadget(UI_ANY, 10, 65, 100, 25, "Cancel");
  int ok = buttonGadget(UI_ANY, 290, 65, 100, 25, "OK", BTN_DEFAULT);   // Return confirms
  nameGadget(field, "name");
  nameGadget(ok, "ok");
  setActiveGadget(field);
  bool named = false;
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    if (eventGadget() == cancel) break;   // the name stays what it was
    if (eventGadget() == ok) {
      std::string name = getGadgetText(field);
      std::string error = projectNameError(name);
      if (error.empty()) {
        projectName = name;
        named = true;
        break;
      }
      messageRequester("Error", error);
    }
  }
  setWindowStayOnTop(window, false);
  disableWindow(MAIN_WINDOW, false);
  closeWindow(window);
  activateWindow(MAIN_WINDOW);
  return named;
}

namespace {

// The comments shown after Open hold no loop of their own, so that the main
// window and the windows opened from it go on taking their input meanwhile;
// their OK is taken by whichever loop waits when it is pressed.
int commentsWindow = 0;
int commentsText = 0;
int commentsOk = 0;

void gameCommentsEvent(int event) {
  // The window has no close box: a close event is a test driver's way out.
  if ((event == EV_GADGET && eventGadget() == commentsOk) || event == EV_CLOSEWINDOW) closeGameComments();
}

}  // namespace

void showGameComments() {
  if (isWindow(commentsWindow)) {   // never a second window over the first
    setGadgetText(commentsText, projectInfo.comments);
    activateWindow(commentsWindow);
    return;
  }
  commentsWindow = openWindow(UI_ANY, 0, 0, 800, 600, "Game comments", WIN_TITLEBAR | WIN_SCREENCENTERED,
                              MAIN_WINDOW);
  setWindowStayOnTop(commentsWindow, true);
  commentsText = editorGadget(UI_ANY, 10, 10, 780, 540, ED_READONLY);
  setGadgetFont(commentsText, 70);
  setGadgetText(commentsText, projectInfo.comments);
  commentsOk = buttonGadget(UI_ANY, windowWidth(commentsWindow) - 75, windowHeight(commentsWindow) - 35, 65, 25,
                            "OK");
  nameGadget(commentsText, "comments");
  nameGadget(commentsOk, "comments ok");
  setWindowEventHandler(commentsWindow, gameCommentsEvent);
}

void closeGameComments() {
  if (isWindow(commentsWindow)) {
    setWindowStayOnTop(commentsWindow, false);
    closeWindow(commentsWindow);
  }
  commentsWindow = 0;
}

void exitProgram() {
  // Unsaved work is never dropped unasked; without it the preference decides.
  if (modifiedFlag == 1) {
    if (confirmYesNo("Confirm", "Unsaved changes will be lost. Exit from Zembrik Game Maker?") != 1) return;
  } else if (confirmExitFlag == 1 && confirmYesNo("Confirm", "Exit from Zembrik Game Maker?") != 1) {
    return;
  }
  closeGameComments();
  deleteWorkFolder();
  savePreferences();
  programEnding = true;
}
