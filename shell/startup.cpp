#include "shell/startup.h"

#include "builder/settings.h"
#include "codeeditor/keywords.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "shell/about.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "builder/game_files.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

void loadFonts() {
  loadFont(2, "Arial", 11);
  setDefaultGadgetFont(2);
  loadFont(70, "Consolas", 10);
  loadFont(87, "Arial", 11);
  loadFont(140, "Arial", 11, FONT_BOLD);
  loadFont(228, "Arial", 16, FONT_BOLD);
}

// The splash stands, painted, while the template is read and through the
// one-second pause; closed first, it would never be seen at all.
void showSplashWhileLoading() {
  int splash = openWindow(UI_ANY, 0, 0, 800, 600, "Please wait...", WIN_BORDERLESS | WIN_SCREENCENTERED);
  imageGadget(UI_ANY, 0, 0, 800, 600, PIC_SPLASH);
  paintWindowNow(splash);
  loadRuntimeTemplate();
  waitPainting(1000);
  closeWindow(splash);
}

}  // namespace

void bindShellHooks() {
  projectHooks.updateWindowTitle = updateWindowTitle;
  projectHooks.refreshResourcePanel = refreshResourcePanel;
  projectHooks.buildResourceIcons = buildResourceIcons;
  projectHooks.setStatusText = setStatusText;
  projectHooks.showFirstResourceTab = [] { setGadgetState(RESOURCE_PANEL, 0); };
  projectHooks.chooseProject = chooseProject;
  projectHooks.newProject = newProject;
  projectHooks.confirmYesNo = confirmYesNo;
  projectHooks.message = [](const std::string& title, const std::string& text) { messageRequester(title, text); };
  builderHooks.saveProject = [] { return saveProject(); };
  builderHooks.readyAfter = [](int ms) { setGadgetTextLater(STATUS_BUTTON, ms, "STATUS: READY."); };
}

void startProgram(const std::string& folder) {
  setCurrentFolder(folder);
  initGlobals();
  clearProjectTables();
  resourceItems.clear();
  projectNames.clear();
  programEnding = false;
  bindShellHooks();
  keywords.clear();
  loadKeywords();
  addKeyCodeConstants();
  loadFonts();
  loadCarriedPictures();
  createImage(PIC_BLANK, 100, 100, 24);
  keepImage(PIC_BLANK);
  showSplashWhileLoading();
  buildMainWindow();
  removeStaleWorkFolders();
  newProject();
  checkProgramVersionAtStart();
  listProjects();
  updateWindowTitle();
  registerMainShortcuts();
}

int runMainProgram() {
  startProgram(programFolder());
  mainLoop();
  return 0;
}
