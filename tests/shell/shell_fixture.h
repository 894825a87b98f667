// A program folder of its own and a main window built as start-up builds it
// (without the splash pause and the version check), over the real window
// layer and its scripted driver.
#pragma once

#include <gtest/gtest.h>

#include "builder/settings.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "shell/preferences.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/version_download.h"
#include "tests/support/temp_folder.h"
#include "ui/driver.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

// Runs the main loop over the steps queued so far, until they are used up.
inline void runSteps() {
  driverCall([] { programEnding = true; }, "end of the steps");
  driverTimeout();
  mainLoop();
  programEnding = false;
}

inline int itemGadget(const std::string& kind, const std::string& name) {
  for (const ResourceItemRecord& r : resourceItems)
    if (r.kind == kind && r.name == name && r.popupMenu > -1) return r.gadget;
  return 0;
}

// The newest window that holds a gadget of this name.
inline int windowWith(const std::string& gadgetName) { return gadgetWindow(gadgetByName(0, gadgetName)); }

class ShellTest : public testing::Test {
 protected:
  TempFolder folder;

  void SetUp() override {
    driverStart();
    resetProjectHooks();
    resetBuilderHooks();
    resourceItems.clear();
    projectNames.clear();
    versionHost = "";
    programEnding = false;
  }

  void TearDown() override {
    EXPECT_TRUE(driverCheckDone());
    deleteWorkFolder();
    clearProjectTables();
    resourceItems.clear();
    resetProjectHooks();
    resetBuilderHooks();
  }

  // Start-up's steps after the splash, then the first loop turns, whose size
  // event of the maximising fills the panel.
  void startMainWindow() {
    initGlobals();
    clearProjectTables();
    bindShellHooks();
    loadFont(2, "Arial", 11);
    setDefaultGadgetFont(2);
    loadFont(70, "Consolas", 10);
    loadFont(140, "Arial", 11, FONT_BOLD);
    loadFont(228, "Arial", 16, FONT_BOLD);
    loadCarriedPictures();
    buildMainWindow();
    newProject();
    listProjects();
    updateWindowTitle();
    registerMainShortcuts();
    runSteps();
  }
};
