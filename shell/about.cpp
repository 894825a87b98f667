#include "shell/about.h"

#include "project/tables.h"
#include "shell/mainwindow.h"
#include "shell/settings.h"
#include "shell/version_download.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

void checkProgramVersion() {
  // A build without a server could never answer: the user who asked is told so.
  if (versionHost.empty()) {
    messageRequester("Version information", "The program version could not be checked.");
    return;
  }
  int version = 0;
  if (!fetchServerVersion(version)) return;
  serverVersion = version;
  messageRequester("Version information", serverVersion > programVersion ? "A new version has been released."
                                                                         : "You are using the latest version.");
}

void checkProgramVersionAtStart() {
  if (checkVersionAtStart != 1) return;
  int version = 0;
  if (!fetchServerVersion(version)) return;
  serverVersion = version;
  if (serverVersion > programVersion) messageRequester("Version information", "A new version has been released.");
}

void showAboutWindow() {
  disableWindow(MAIN_WINDOW, true);
  int window = openWindow(UI_ANY, 0, 0, 500, 350, "Zembrik Game Maker v" + versionText(),
                          WIN_BORDERLESS | WIN_SCREENCENTERED, MAIN_WINDOW);
  int picture = imageGadget(UI_ANY, 0, 0, 500, 350, PIC_ABOUT);
  // Drawn on the picture: the label has no background of its own.
  int label = textGadget(UI_ANY, 380, 122, 80, 18, "version " + versionText());
  setGadgetColor(label, COLOR_FRONT, rgb(255, 255, 255));
  nameGadget(picture, "about");
  while (!(waitWindowEvent() == EV_GADGET && eventGadget() == picture)) {
  }
  disableWindow(MAIN_WINDOW, false);
  closeWindow(window);
}
