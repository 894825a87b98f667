#include "project/makers.h"
#include "tests/shell/shell_fixture.h"

using Commands = ShellTest;

namespace {

int workFolders() {
  std::vector<DirEntry> entries;
  listFolder(".", "_temp_*", entries);
  return int(entries.size());
}

}  // namespace

TEST_F(Commands, NewAsksAboutUnsavedChanges) {
  startMainWindow();
  std::string sprite = newSprite();
  projectName = "kept";
  std::string work = workFolder;
  writeFile(work + "/picked.wav", "x");
  answer({MSG_RESULT_NO});
  runOne({fake::menu(MENU_NEW)});
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "Unsaved changes will be lost. New?");
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(projectName, "kept");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(fileKind(work + "/picked.wav"), FILE_REGULAR);
  EXPECT_NE(itemGadget("Sprites", sprite), 0);   // the panel is rebuilt all the same

  setGadgetState(RESOURCE_PANEL, 3);
  answer({MSG_RESULT_YES});
  runOne({fake::clickGadget(newGameButton)});
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
  runOne({fake::clickGadget(saveGameButton), fake::check([] {
            EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
            EXPECT_EQ(getGadgetText(fake::gadgetNamed("name")), "");
          }),
          fake::type("name", "game"), fake::click("OK")});
  EXPECT_EQ(projectName, "game");
  EXPECT_EQ(fileKind("Projects/game.xml"), FILE_REGULAR);
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - game");
  EXPECT_EQ(fake::state().statusTexts, (std::vector<std::string>{"PROJECT SAVED.", "STATUS: READY."}));
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));

  // A named project saves without asking.
  size_t opened = fake::state().openedTitles.size();
  newSound();
  runOne({fake::menu(MENU_SAVE)});
  EXPECT_EQ(fake::state().openedTitles.size(), opened);
  EXPECT_EQ(modifiedFlag, 0);
}

TEST_F(Commands, NameDialogRefusesNamesThatAreNoFileNames) {
  startMainWindow();
  for (std::string bad : {std::string(""), std::string("a/b"), std::string("."), std::string(".."),
                          std::string("x\0y", 3), std::string("/")}) {
    messages().clear();
    runOne({fake::menu(MENU_SAVE_AS), fake::type("name", bad), fake::click("OK"), fake::check([] {
              EXPECT_EQ(getWindowTitle(fake::topWindow()), "Enter the project name");
            }),
            fake::click("Cancel")});
    ASSERT_EQ(messages().size(), 1u) << bad;
    EXPECT_EQ(messages()[0].title, "Error");
    EXPECT_EQ(projectName, "");
  }
  std::vector<DirEntry> written;
  listFolder("Projects", "", written);
  EXPECT_TRUE(written.empty());
}

TEST_F(Commands, SaveAsCancelledLeavesTheProjectUnnamed) {
  startMainWindow();
  projectName = "old";
  runOne({fake::menu(MENU_SAVE_AS), fake::check([] { EXPECT_EQ(getGadgetText(fake::gadgetNamed("name")), "old"); }),
          fake::click("Cancel")});
  EXPECT_EQ(projectName, "");
  EXPECT_EQ(fileKind("Projects/old.xml"), FILE_NONE);
  EXPECT_TRUE(fake::state().statusTexts.empty());
  size_t opened = fake::state().openedTitles.size();
  runOne({fake::menu(MENU_SAVE), fake::click("Cancel")});
  EXPECT_EQ(fake::state().openedTitles[opened], "Enter the project name");
}

TEST_F(Commands, FailedWriteIsNotReportedAsSaved) {
  startMainWindow();
  newSprite();
  makeFolder("Projects/game.xml");   // the document cannot take its place
  writeFile("Projects/game.xml/x", "x");
  runOne({fake::menu(MENU_SAVE_AS), fake::type("name", "game"), fake::click("OK")});
  EXPECT_EQ(modifiedFlag, 1);
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back().title, "Error");
  for (const std::string& s : fake::state().statusTexts) EXPECT_NE(s, "PROJECT SAVED.");
}

TEST_F(Commands, OpenReadsTheProjectAndShowsItsComments) {
  startMainWindow();
  std::string sprite = newSprite();
  projectInfo.comments = "read me";
  runOne({fake::menu(MENU_SAVE_AS), fake::type("name", "mine"), fake::click("OK")});
  answer({MSG_RESULT_YES});
  runOne({fake::menu(MENU_NEW)});
  ASSERT_TRUE(sprites.empty());
  std::string work = workFolder;

  runOne({fake::clickGadget(openGameButton), fake::check([] {
            int list = fake::gadgetNamed("projects");
            EXPECT_EQ(fake::state().gadgets[list].items, std::vector<std::string>{"mine"});
            setGadgetState(list, 0);
          }),
          fake::click("Open"), fake::check([] {
            EXPECT_EQ(getWindowTitle(fake::topWindow()), "Game comments");
            EXPECT_EQ(getGadgetText(fake::gadgetNamed("comments")), "read me");
            EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
          }),
          fake::click("OK")});
  EXPECT_EQ(projectName, "mine");
  ASSERT_EQ(sprites.size(), 1u);
  EXPECT_NE(itemGadget("Sprites", sprite), 0);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - mine");
  EXPECT_EQ(workFolders(), 1);

  // A cancelled Open shows the comments of the project in memory again.
  runOne({fake::menu(MENU_OPEN), fake::click("Cancel"), fake::click("OK")});
  EXPECT_EQ(projectName, "mine");
}

TEST_F(Commands, OpenOfATooNewFileKeepsTheProject) {
  startMainWindow();
  newSprite();
  writeFile("Projects/future.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><zembrik version=\"131\"/>");
  std::string work = workFolder;
  answer({MSG_RESULT_YES});
  runOne({fake::menu(MENU_OPEN), fake::check([] { setGadgetState(fake::gadgetNamed("projects"), 0); }),
          fake::click("Open")});
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0].text, "Unsaved changes will be lost. Open a new project?");
  EXPECT_EQ(messages()[1].title, "Error");
  EXPECT_EQ(messages()[1].text, "This project requires a new program version (v131).");
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(workFolder, work);
}

TEST_F(Commands, ExitAsksOnlyWhenThePreferenceSaysSo) {
  struct Case { int confirm; std::vector<int> answers; bool ends; size_t questions; } cases[] = {
      {1, {MSG_RESULT_NO}, false, 1}, {1, {MSG_RESULT_YES}, true, 1}, {0, {}, true, 0},
  };
  for (const Case& c : cases) {
    fake::reset();
    programEnding = false;
    startMainWindow();
    newSprite();   // unsaved changes do not matter
    confirmExitFlag = c.confirm;
    codeWindowWidth = 700;
    for (int event : {EV_CLOSEWINDOW, EV_MENU}) {
      fake::state().messages.clear();
      for (int a : c.answers) answer({a});
      runOne({event == EV_MENU ? fake::menu(APPMENU_QUIT) : fake::windowEvent(EV_CLOSEWINDOW, MAIN_WINDOW)});
      EXPECT_EQ(programEnding, c.ends) << c.confirm;
      EXPECT_EQ(messages().size(), c.questions);
      if (c.questions) {
        EXPECT_EQ(messages()[0].text, "Exit from Zembrik Game Maker?");
      }
      EXPECT_EQ(fileKind(workFolder) == FILE_FOLDER, !c.ends);
      EXPECT_TRUE(isWindow(MAIN_WINDOW));
      if (c.ends) {
        EXPECT_NE(TempFolder::read("preferences.dat").find("width = 700"), std::string::npos);
        programEnding = false;
        makeFolder(workFolder);
      }
    }
    fake::state().answers.clear();
  }
}
