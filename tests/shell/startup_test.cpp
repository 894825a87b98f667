#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>

#include "tests/shell/loopback_server.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/read_only_folder.h"
#include "tests/shell/widget_probe.h"

using StartUp = ShellTest;

TEST_F(StartUp, ToTheFirstLoopWait) {
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  LoopbackServer server(LoopbackServer::reply("200 OK", "131\n"));
  versionHost = server.host();
  // Half-way through the pause the splash stands, shown and alone.
  std::vector<std::string> shownHalfWay;
  QTimer::singleShot(500, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) shownHalfWay.push_back(w->windowTitle().toStdString());
  });
  auto started = std::chrono::steady_clock::now();
  startProgram(folder.path);
  auto took = std::chrono::steady_clock::now() - started;

  EXPECT_GE(took, std::chrono::milliseconds(1000));   // the splash pause
  EXPECT_EQ(shownHalfWay, std::vector<std::string>{"Please wait..."});
  EXPECT_EQ(shownWindowCount(), 1) << "the splash is closed";
  EXPECT_TRUE(isWindow(MAIN_WINDOW));
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0");
  EXPECT_EQ(getWindowState(MAIN_WINDOW), WINSTATE_MAXIMIZED);
  EXPECT_FALSE(server.contacted);

  EXPECT_EQ(uidCounter, 1);
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(projectName, "");
  EXPECT_EQ(checkVersionAtStart, 0);
  EXPECT_EQ(confirmExitFlag, 1);
  EXPECT_EQ(sciColorSelectionBack, 4194304);
  EXPECT_EQ(sciFontFamily, "Consolas");
  EXPECT_EQ(imgFolder, "img");
  EXPECT_EQ(previewSpeed, 30);
  EXPECT_EQ(gridSize, 20);
  EXPECT_EQ(codeWindowMaximized, -1);
  EXPECT_TRUE(isWorkFolderName(workFolder));
  EXPECT_EQ(fileKind(workFolder), FILE_FOLDER);
  EXPECT_EQ(fileKind("Projects"), FILE_FOLDER);
  EXPECT_EQ(fileKind("Extensions"), FILE_FOLDER);
  EXPECT_TRUE(gadgetShowsFont(STATUS_BUTTON, 2)) << "the default gadget font";
  EXPECT_TRUE(isImage(PIC_BLANK));

  // The panel is built 40 pixels taller and filled by the first re-layout,
  // which the maximising's size event brings.
  EXPECT_EQ(gadgetHeight(RESOURCE_PANEL), 600 - 10);
  EXPECT_TRUE(resourceItems.empty());
  runSteps();
  EXPECT_EQ(gadgetHeight(RESOURCE_PANEL), windowHeight(MAIN_WINDOW) - 50);
  EXPECT_EQ(gadgetWidth(RESOURCE_PANEL), windowWidth(MAIN_WINDOW) - 10);
  EXPECT_EQ(resourceItems.size(), 8u);
}

TEST_F(StartUp, VersionCheckAtStartSaysOnlyNews) {
  struct Case { int preference; std::string body; bool contacted; bool told; } cases[] = {
      {1, "131\n", true, true}, {1, "130\n", true, false}, {1, "garbage\n", true, false}, {0, "131\n", false, false},
  };
  for (const Case& c : cases) {
    writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = " + std::to_string(c.preference) + "\n");
    LoopbackServer server(LoopbackServer::reply("200 OK", c.body));
    versionHost = server.host();
    if (c.told) driverAnswerMessage("Version information", "A new version has been released.");
    startProgram(folder.path);
    EXPECT_TRUE(driverCheckDone()) << c.body;
    EXPECT_EQ(server.contacted, c.contacted) << c.body;
    EXPECT_EQ(fileKind("__ver__"), FILE_NONE);
    deleteWorkFolder();
    driverReset();
    driverStart();
  }
}

// A program folder that cannot be written has no work folder for the
// program: it says so at start-up and at each New.
TEST_F(StartUp, SaysWhenTheWorkFolderCannotBeMade) {
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  const std::string told =
      "The work folder cannot be made in " + folder.path + ". Sounds, musics and backgrounds cannot be picked.";
  {
    ReadOnlyFolder readOnly(folder.path);
    ASSERT_TRUE(readOnly.holds());
    driverAnswerMessage("Error", told);
    startProgram(folder.path);
    EXPECT_TRUE(driverCheckDone());
    driverChooseMenu(MENU_NEW);
    driverAnswerMessage("Error", told);
    runSteps();
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(fileKind(workFolder), FILE_NONE);
  }
  std::vector<DirEntry> left;
  EXPECT_TRUE(listFolder(".", "_temp_*", left));
  EXPECT_TRUE(left.empty());
}
