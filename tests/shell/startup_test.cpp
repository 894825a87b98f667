#include <chrono>

#include "tests/shell/loopback_server.h"
#include "tests/shell/shell_fixture.h"

using StartUp = ShellTest;

TEST_F(StartUp, ToTheFirstLoopWait) {
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  LoopbackServer server(LoopbackServer::reply("200 OK", "131\n"));
  versionHost = server.host();
  auto started = std::chrono::steady_clock::now();
  startProgram(folder.path);
  auto took = std::chrono::steady_clock::now() - started;
  auto& ui = fake::state();

  EXPECT_GE(took, std::chrono::milliseconds(1000));   // the splash pause
  ASSERT_GE(ui.openedTitles.size(), 2u);
  EXPECT_EQ(ui.openedTitles[0], "Please wait...");
  EXPECT_EQ(ui.openedTitles[1], "Zembrik Game Maker");
  EXPECT_EQ(ui.windowOrder, std::vector<int>{MAIN_WINDOW});   // the splash is closed
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0");
  EXPECT_EQ(getWindowState(MAIN_WINDOW), WINSTATE_MAXIMIZED);
  EXPECT_FALSE(server.contacted);
  EXPECT_TRUE(ui.messages.empty());

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
  EXPECT_EQ(ui.defaultFont, 2);
  EXPECT_TRUE(isImage(PIC_BLANK));

  // The panel is built 40 pixels taller and filled by the first re-layout.
  EXPECT_EQ(gadgetHeight(RESOURCE_PANEL), 600 - 10);
  EXPECT_TRUE(resourceItems.empty());
  fake::queue(fake::windowEvent(EV_SIZEWINDOW, MAIN_WINDOW));
  dispatchEvent(waitWindowEvent());
  EXPECT_EQ(gadgetHeight(RESOURCE_PANEL), windowHeight(MAIN_WINDOW) - 50);
  EXPECT_EQ(gadgetWidth(RESOURCE_PANEL), windowWidth(MAIN_WINDOW) - 10);
  EXPECT_EQ(resourceItems.size(), 8u);
}

TEST_F(StartUp, VersionCheckAtStartSaysOnlyNews) {
  struct Case { int preference; std::string body; bool contacted; bool told; } cases[] = {
      {1, "131\n", true, true}, {1, "130\n", true, false}, {1, "garbage\n", true, false}, {0, "131\n", false, false},
  };
  for (const Case& c : cases) {
    fake::reset();
    writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = " + std::to_string(c.preference) + "\n");
    LoopbackServer server(LoopbackServer::reply("200 OK", c.body));
    versionHost = server.host();
    startProgram(folder.path);
    EXPECT_EQ(server.contacted, c.contacted) << c.body;
    ASSERT_EQ(messages().size(), c.told ? 1u : 0u) << c.body;
    if (c.told) {
      EXPECT_EQ(messages()[0].title, "Version information");
      EXPECT_EQ(messages()[0].text, "A new version has been released.");
    }
    EXPECT_EQ(fileKind("__ver__"), FILE_NONE);
    deleteWorkFolder();
  }
}
