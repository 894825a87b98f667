#include <sys/stat.h>

#include <cstdlib>

#include "project/makers.h"
#include "scene/scene_window.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using Commands = ShellTest;

namespace {

int workFolders() {
  std::vector<DirEntry> entries;
  listFolder(".", "_temp_*", entries);
  return int(entries.size());
}

// The status text when its return to "STATUS: READY." is asked for, and
// right after: the shell's timer changes nothing at once.
std::vector<std::string> statusShown;
void recordStatus() {
  statusShown.clear();
  auto shell = builderHooks.readyAfter;
  builderHooks.readyAfter = [shell](int ms) {
    EXPECT_EQ(ms, 500);
    statusShown.push_back(getGadgetText(STATUS_BUTTON));
    shell(ms);
    statusShown.push_back(getGadgetText(STATUS_BUTTON));
  };
}

}  // namespace

TEST_F(Commands, NewAsksAboutUnsavedChanges) {
  startMainWindow();
  std::string sprite = newSprite();
  projectName = "kept";
  std::string work = workFolder;
  writeFile(work + "/picked.wav", "x");
  driverChooseMenu(MENU_NEW);
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_NO);
  runSteps();
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(projectName, "kept");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(fileKind(work + "/picked.wav"), FILE_REGULAR);
  EXPECT_NE(itemGadget("Sprites", sprite), 0);   // the panel is rebuilt all the same

  driverChoose(RESOURCE_PANEL, 3);
  driverClick(newGameButton);
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_YES);
  runSteps();
  EXPECT_TRUE(sprites.empty());
  EXPECT_EQ(projectName, "");
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(getGadgetState(RESOURCE_PANEL), 0);
  EXPECT_EQ(fileKind(workFolder + "/picked.wav"), FILE_NONE);
  EXPECT_EQ(workFolders(), 1);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0");
  EXPECT_EQ(newSprite(), "sprite_2");
}

TEST_F(Commands, SaveNamesTheProjectAndWritesIt) {
  startMainWindow();
  newSprite();
  recordStatus();
  driverClick(saveGameButton);
  driverCall([] {
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(getGadgetText(gadgetByName(0, "name")), "");
    EXPECT_TRUE(gadgetHasFocus(gadgetByName(0, "name")));
    EXPECT_TRUE(buttonIsDefault(gadgetByName(0, "ok"))) << "Return confirms the name";
    for (int toolbar : {newGameButton, openGameButton, saveGameButton, runGameButton, addSpriteButton})
      EXPECT_FALSE(gadgetHasFocus(toolbar));
  });
  driverSetText("name", "game");
  driverClick("OK");
  driverAnswerMessage("Warning", "There is no scene added.");
  runSteps();
  EXPECT_EQ(projectName, "game");
  EXPECT_EQ(fileKind("Projects/game.xml"), FILE_REGULAR);
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - game");
  EXPECT_EQ(statusShown, (std::vector<std::string>{"PROJECT SAVED.", "PROJECT SAVED."}));
  waitPainting(700);   // the window goes on meanwhile
  EXPECT_EQ(getGadgetText(STATUS_BUTTON), "STATUS: READY.");
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));

  // A named project saves without asking for a name.
  newSound();
  driverShortcut(MAIN_WINDOW, SC_CONTROL | 'S');
  driverAnswerMessage("Warning", "There is no scene added.");
  runSteps();
  EXPECT_EQ(modifiedFlag, 0);
}

TEST_F(Commands, NameDialogRefusesNamesThatAreNoFileNames) {
  startMainWindow();
  for (std::string bad : {std::string(""), std::string("a/b"), std::string("."), std::string(".."),
                          std::string("x\0y", 3), std::string("/"), std::string("   "), std::string(" \t ")}) {
    SCOPED_TRACE(bad);
    driverChooseMenu(MENU_SAVE_AS);
    driverSetText("name", bad);
    driverCall([bad] { EXPECT_EQ(getGadgetText(gadgetByName(0, "name")), bad) << "typed as it is"; });
    driverClick("OK");
    driverAnswerMessage("Error", bad.empty() ? "The project name is missing"
                                             : "The project name '" + bad + "' cannot be used as a file name");
    driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("name")), "Enter the project name"); });
    driverClick("Cancel");
    runSteps();
    EXPECT_EQ(projectName, "");
  }
  std::vector<DirEntry> written;
  listFolder("Projects", "", written);
  EXPECT_TRUE(written.empty());
}

// Cancel changes nothing: a named project keeps its name, so Save asks
// nothing and Run game runs; an unnamed one stays unnamed.
TEST_F(Commands, SaveAsCancelledKeepsTheProjectsName) {
  startMainWindow();
  newSprite();
  newScene();
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", "second game");
  driverClick("OK");
  runSteps();
  ASSERT_EQ(projectName, "second game");
  newSound();
  recordStatus();
  driverChooseMenu(MENU_SAVE_AS);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "name")), "second game"); });
  driverSetText("name", "third game");   // typed, then thought better of
  driverClick("Cancel");
  runSteps();
  EXPECT_EQ(projectName, "second game");
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - second game");
  EXPECT_EQ(modifiedFlag, 1) << "nothing was written";
  EXPECT_EQ(fileKind("Projects/third game.xml"), FILE_NONE);
  EXPECT_TRUE(statusShown.empty());

  // No name dialog: the driver would fail on its loop.
  driverShortcut(MAIN_WINDOW, SC_CONTROL | 'S');
  runSteps();
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(statusShown, (std::vector<std::string>{"PROJECT SAVED.", "PROJECT SAVED."}));

  // Run game opens the page (through a recording opener) instead of
  // asking for a save.
  std::string path = getenv("PATH") ? getenv("PATH") : "";
  makeFolder("bin");
  writeFile("bin/xdg-open", "#!/bin/sh\necho \"$1\" > \"" + currentFolder() + "opened.part\"\nmv \"" +
                                currentFolder() + "opened.part\" \"" + currentFolder() + "opened\"\n");
  chmod("bin/xdg-open", 0755);
  setenv("PATH", (currentFolder() + "bin:" + path).c_str(), 1);
  driverShortcut(MAIN_WINDOW, KEY_F1 + 4);
  runSteps();
  setenv("PATH", path.c_str(), 1);
  for (int i = 0; i < 200 && fileKind("opened") == FILE_NONE; ++i) delayMs(25);
  EXPECT_NE(TempFolder::read("opened").find("Projects/second game/index.html"), std::string::npos);

  newProject();
  driverChooseMenu(MENU_SAVE_AS);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "name")), ""); });
  driverClick("Cancel");
  runSteps();
  EXPECT_EQ(projectName, "");
  driverChooseMenu(MENU_SAVE);
  driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("name")), "Enter the project name"); });
  driverClick("Cancel");
  runSteps();
  std::vector<DirEntry> written;
  listFolder("Projects", "*.xml", written);
  EXPECT_EQ(written.size(), 1u);
}

// Save as gives the new name the project's thumbnail: the one on disk under
// the old name, which stays, or the one a Done made while the project had
// no name yet; without either the open dialog keeps its placeholder.
TEST_F(Commands, SaveAsGivesTheNewNameTheThumbnail) {
  startMainWindow();
  auto saveAs = [](const std::string& name) {
    driverChooseMenu(MENU_SAVE_AS);
    driverSetText("name", name);
    driverClick("OK");
    runSteps();
  };
  std::string scene = newScene();
  saveAs("plain");
  EXPECT_EQ(fileKind("Projects/plain.png"), FILE_NONE);
  std::string old;
  writeFile("Projects/plain.png", "a picture of an earlier session");
  ASSERT_TRUE(readFile("Projects/plain.png", old));
  saveAs("copy");
  EXPECT_EQ(TempFolder::read("Projects/copy.png"), old);
  EXPECT_EQ(TempFolder::read("Projects/plain.png"), old);
  saveAs("copy");   // under its own name: the file stays whole
  EXPECT_EQ(TempFolder::read("Projects/copy.png"), old);

  newProject();
  scene = newScene();
  scenes[0].green = 255;
  driverClick("Done");
  editScene(scene);
  saveAs("fresh");
  int png = loadImage(UI_ANY, "Projects/fresh.png");
  ASSERT_TRUE(isImage(png));
  EXPECT_EQ(getPixel(png, 10, 10), opaque(rgb(0, 255, 0)));
  EXPECT_EQ(getPixel(png, 10, 200), opaque(rgb(0, 0, 0)));
  freeImage(png);

  newProject();
  newScene();
  saveAs("bare");
  EXPECT_EQ(fileKind("Projects/bare.png"), FILE_NONE) << "New forgets the last project's picture";

  newProject();
  newScene();
  saveAs("fresh");   // over the green project: its picture is not this one's
  EXPECT_EQ(fileKind("Projects/fresh.png"), FILE_NONE);
}

TEST_F(Commands, FailedWriteIsNotReportedAsSaved) {
  startMainWindow();
  newSprite();
  recordStatus();
  makeFolder("Projects/game.xml");   // the document cannot take its place
  writeFile("Projects/game.xml/x", "x");
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", "game");
  driverClick("OK");
  driverAnswerMessage("Error", "The project file Projects/game.xml cannot be written.");
  runSteps();
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_TRUE(statusShown.empty());
  EXPECT_NE(getGadgetText(STATUS_BUTTON), "PROJECT SAVED.");
  EXPECT_EQ(projectName, "") << "a name nothing was written under is not kept";
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0");
}

TEST_F(Commands, NameTooLongForAFileKeepsTheOldNameAndStopsRunGame) {
  startMainWindow();
  newSprite();
  newScene();
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", "kept");
  driverClick("OK");
  runSteps();
  ASSERT_EQ(projectName, "kept");
  recordStatus();
  const std::string longName(300, 'n');
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", longName);
  driverClick("OK");
  // The project's own folder is made first, and it is what cannot be written.
  driverAnswerMessage("Error", "The folder Projects/" + longName + " cannot be written.");
  runSteps();
  EXPECT_EQ(projectName, "kept");
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - kept");
  EXPECT_TRUE(statusShown.empty());

  // A save that fails stops Run game with its own error: no page is opened.
  newSound();
  deleteFile("Projects/kept.xml");
  makeFolder("Projects/kept.xml");   // the document cannot take its place
  writeFile("Projects/kept.xml/x", "x");
  driverChooseMenu(MENU_RUN_GAME);
  driverAnswerMessage("Error", "The project file Projects/kept.xml cannot be written.");
  runSteps();
  EXPECT_TRUE(statusShown.empty());
  EXPECT_EQ(modifiedFlag, 1);
}

TEST_F(Commands, OpenReadsTheProjectAndShowsItsComments) {
  startMainWindow();
  std::string sprite = newSprite();
  projectInfo.comments = "read me";
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", "mine");
  driverClick("OK");
  driverAnswerMessage("Warning", "There is no scene added.");
  driverChooseMenu(MENU_NEW);
  runSteps();
  ASSERT_TRUE(sprites.empty());

  driverClick(openGameButton);
  driverCall([] {
    int list = gadgetByName(0, "projects");
    ASSERT_EQ(countGadgetItems(list), 1);
    EXPECT_EQ(getGadgetItemText(list, 0), "mine");
  });
  driverSelectRow("projects", 0);
  driverClick("Open");
  driverCall([] {
    EXPECT_EQ(getWindowTitle(windowWith("comments")), "Game comments");
    EXPECT_EQ(getGadgetText(gadgetByName(0, "comments")), "read me");
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  });
  driverClick("OK");
  runSteps();
  EXPECT_EQ(projectName, "mine");
  ASSERT_EQ(sprites.size(), 1u);
  EXPECT_NE(itemGadget("Sprites", sprite), 0);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - mine");
  EXPECT_EQ(workFolders(), 1);

  // A cancelled Open shows the comments of the project in memory again.
  driverChooseMenu(MENU_OPEN);
  driverClick("Cancel");
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "comments")), "read me"); });
  driverClick("OK");
  runSteps();
  EXPECT_EQ(projectName, "mine");
}

// The instances' display pictures are the project's: New and Open free them
// with the records.
TEST_F(Commands, NewAndOpenFreeTheInstancesDisplayPictures) {
  startMainWindow();
  driverChooseMenu(MENU_SAVE_AS);
  driverSetText("name", "empty");
  driverClick("OK");
  driverAnswerMessage("Warning", "There is no scene added.");
  runSteps();
  const int before = liveImageCount();
  auto placeInstances = [] {
    for (const char* name : {"SceneObject20", "SceneObject21"}) {
      ObjectRecord& o = appendObject();
      o.prototype = 0;
      o.name = name;
      o.scene = "room";
      o.rotatedImage = createImage(UI_ANY, 8, 8, 32, 0);
    }
  };
  placeInstances();
  ASSERT_EQ(liveImageCount(), before + 2);
  driverChooseMenu(MENU_NEW);
  runSteps();
  EXPECT_TRUE(objects.empty());
  EXPECT_EQ(liveImageCount(), before) << "New";

  placeInstances();
  driverChooseMenu(MENU_OPEN);
  driverSelectRow("projects", 0);
  driverClick("Open");
  runSteps();
  EXPECT_EQ(projectName, "empty");
  EXPECT_TRUE(objects.empty());
  EXPECT_EQ(liveImageCount(), before) << "Open";
}

TEST_F(Commands, OpenOfATooNewFileKeepsTheProject) {
  startMainWindow();
  newSprite();
  writeFile("Projects/future.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><zembrik version=\"131\"/>");
  std::string work = workFolder;
  driverShortcut(MAIN_WINDOW, SC_CONTROL | 'O');
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. Open a new project?", MSG_RESULT_YES);
  driverSelectRow("projects", 0);
  driverClick("Open");
  driverAnswerMessage("Error", "This project requires a new program version (v131).");
  runSteps();
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(workFolder, work);
}

TEST_F(Commands, ExitAsksAboutUnsavedChangesOrAsThePreferenceSays) {
  const std::string unsaved = "Unsaved changes will be lost. Exit from Zembrik Game Maker?";
  const std::string plain = "Exit from Zembrik Game Maker?";
  struct Case { int confirm; int modified; std::string question; int answer; bool ends; } cases[] = {
      {1, 0, plain, MSG_RESULT_NO, false},   {1, 0, plain, MSG_RESULT_YES, true},
      {0, 0, "", -1, true},                  {0, 1, unsaved, MSG_RESULT_NO, false},
      {1, 1, unsaved, MSG_RESULT_NO, false}, {0, 1, unsaved, MSG_RESULT_YES, true},
  };
  startMainWindow();
  newSprite();
  for (const Case& c : cases) {
    confirmExitFlag = c.confirm;
    setModified(c.modified);
    codeWindowWidth = 700;
    for (bool byMenu : {false, true}) {
      SCOPED_TRACE(std::to_string(c.confirm) + std::to_string(c.modified) + (byMenu ? " Quit" : " close box"));
      if (byMenu) driverChooseMenu(APPMENU_QUIT);
      else driverCloseBox(MAIN_WINDOW);
      if (c.answer >= 0) driverAnswerMessage("Confirm", c.question, c.answer);
      if (c.ends) mainLoop();
      else runSteps();
      EXPECT_TRUE(driverCheckDone());
      EXPECT_EQ(programEnding, c.ends);
      EXPECT_EQ(fileKind(workFolder) == FILE_FOLDER, !c.ends);
      EXPECT_TRUE(isWindow(MAIN_WINDOW));
      if (c.ends) {
        EXPECT_NE(TempFolder::read("preferences.dat").find("width = 700"), std::string::npos);
        programEnding = false;
        EXPECT_TRUE(makeWorkFolder());
      }
    }
  }
}
