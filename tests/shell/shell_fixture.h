// A program folder of its own and a main window built as start-up builds it
// (without the splash pause), over the scripted window layer.
#pragma once

#include <gtest/gtest.h>

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
#include "tests/shell/fake_ui.h"
#include "tests/shell/temp_folder.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

class ShellTest : public testing::Test {
 protected:
  TempFolder folder;

  void SetUp() override {
    fake::state().programFolder = folder.path + "/";
    fake::reset();
    resetProjectHooks();
    resourceItems.clear();
    versionHost = "";
    programEnding = false;
  }

  void TearDown() override {
    EXPECT_EQ(fake::pendingSteps(), 0u) << "steps left unused";
    deleteWorkFolder();
    clearProjectTables();
    resourceItems.clear();
    resetProjectHooks();
  }

  // Start-up's steps after the splash, and the first re-layout.
  void startMainWindow() {
    initGlobals();
    clearProjectTables();
    bindShellHooks();
    loadFont(2, "Arial", 11);
    loadCarriedPictures();
    buildMainWindow();
    newProject();
    listProjects();
    updateWindowTitle();
    registerMainShortcuts();
    dispatchEvent(EV_SIZEWINDOW);
  }

  // Queues the steps, then lets the main loop take one event.
  void runOne(std::initializer_list<fake::Step> steps) {
    for (const fake::Step& s : steps) fake::queue(s);
    dispatchEvent(waitWindowEvent());
  }

  static void answer(std::initializer_list<int> answers) {
    for (int a : answers) fake::state().answers.push_back(a);
  }

  static std::vector<fake::Message>& messages() { return fake::state().messages; }

  static int itemGadget(const std::string& kind, const std::string& name) {
    for (const ResourceItemRecord& r : resourceItems)
      if (r.kind == kind && r.name == name && r.popupMenu > -1) return r.gadget;
    return 0;
  }
};
