// Stand-ins until the game builder, the code editor and the function
// exchange dialogs provide these procedures.
#include "shell/pending_builder.h"

#include "shell/mainwindow.h"
#include "shell/settings.h"
#include "ui/system.h"

void loadRuntimeTemplate() {
  std::string text;
  if (readFile("export.js", text)) exportTemplate = text;
}

void generateGameFiles() {
  setStatusText("PROJECT SAVED.");
  delayMs(500);
  setStatusText("STATUS: READY.");
}

void runGame() {}
void chooseExtensions() {}
void loadKeywords() {}
void exportFunctions() {}
void importFunctions() {}
