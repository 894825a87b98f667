// The read-only game comments shown after Open: beside the main window,
// whose commands go on working, and closed by their OK in whichever window
// loop runs when it is pressed.
#include <algorithm>
#include <functional>

#include "project/makers.h"
#include "project/project_file.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using GameComments = ShellTest;

namespace {

// A saved project with these comments and one sprite; afterwards a new,
// empty project is in memory.
void saveProjectWith(const std::string& name, const std::string& comments) {
  newProject();
  newSprite();
  projectInfo.comments = comments;
  projectName = name;
  ASSERT_TRUE(writeProject());
  newProject();
  refreshResourcePanel();
}

// The steps of Open up to the chosen project's reading.
void openSteps(const std::string& name) {
  listProjects();
  auto at = std::find(projectNames.begin(), projectNames.end(), name);
  ASSERT_NE(at, projectNames.end());
  driverChooseMenu(MENU_OPEN);
  driverSelectRow("projects", int(at - projectNames.begin()));
  driverClick("Open");
}

// The read-only comments window; 0 when none is up.
int commentsWindow() { return gadgetWindow(gadgetByName(0, "comments ok")); }

std::string commentsShown() { return getGadgetText(gadgetByName(commentsWindow(), "comments")); }

}  // namespace

TEST_F(GameComments, MainWindowCommandsRunWhileTheCommentsAreUp) {
  startMainWindow();
  saveProjectWith("noted", "read me");
  openSteps("noted");
  runSteps();
  ASSERT_NE(commentsWindow(), 0);
  EXPECT_EQ(getWindowTitle(commentsWindow()), "Game comments");
  EXPECT_TRUE(windowStaysOnTop(commentsWindow()));
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));

  struct Case {
    const char* what;
    std::function<void()> act;
    bool addsOne;
  };
  const Case cases[] = {
      {"Resources > Add new sprite", [] { driverChooseMenu(MENU_ADD_SPRITE); }, true},
      {"toolbar button", [] { driverClick(addSpriteButton); }, true},
      {"Ctrl+1", [] { driverShortcut(MAIN_WINDOW, SC_CONTROL | '1'); }, true},
      {"double click on the sprite",
       [] {
         driverChoose(RESOURCE_PANEL, 0);
         driverDoubleClick(itemGadget("Sprites", sprites[0].name));
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    size_t before = sprites.size();
    std::string expected = "Sprite properties - " + (c.addsOne ? "sprite_" + std::to_string(uidCounter + 1)
                                                                : sprites[0].name);
    c.act();
    driverCall([expected] {
      EXPECT_EQ(getWindowTitle(windowWith("Done")), expected);
      ASSERT_NE(commentsWindow(), 0) << "the comments stay up meanwhile";
      EXPECT_FALSE(isWindowDisabled(commentsWindow()));
      EXPECT_EQ(shownWindowCount(), 3);
    });
    driverClick("Done");
    runSteps();
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(sprites.size(), before + (c.addsOne ? 1 : 0));
    EXPECT_NE(commentsWindow(), 0);
    EXPECT_EQ(commentsShown(), "read me");
  }

  // Their OK, taken by the main loop.
  driverClick("comments ok");
  runSteps();
  EXPECT_EQ(commentsWindow(), 0);
  EXPECT_EQ(shownWindowCount(), 1);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}

TEST_F(GameComments, OkTakenInTheLoopOfAnotherWindow) {
  startMainWindow();
  saveProjectWith("noted", "read me");
  openSteps("noted");
  driverChooseMenu(MENU_ADD_SPRITE);
  driverClick("comments ok");   // the sprite window's loop waits
  driverCall([] {
    EXPECT_EQ(commentsWindow(), 0);
    EXPECT_EQ(getWindowTitle(windowWith("Done")), "Sprite properties - sprite_" + std::to_string(uidCounter));
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
  });
  driverSetText("name", "hero");
  driverClick("Done");
  runSteps();
  EXPECT_EQ(shownWindowCount(), 1);
  ASSERT_EQ(sprites.size(), 2u);
  EXPECT_EQ(sprites[1].name, "hero");
}

// Every command that replaces or ends the project leaves one comments
// window at most, and never one of another project.
TEST_F(GameComments, NewOpenAndExitLeaveNoSecondOrStaleWindow) {
  startMainWindow();
  saveProjectWith("first", "one");
  saveProjectWith("plain", "");
  saveProjectWith("second", "two");

  openSteps("first");
  runSteps();
  EXPECT_EQ(commentsShown(), "one");
  openSteps("second");
  runSteps();
  EXPECT_EQ(commentsShown(), "two");
  EXPECT_EQ(shownWindowCount(), 2);
  driverChooseMenu(MENU_OPEN);   // cancelled: the same comments, still one window
  driverClick("Cancel");
  runSteps();
  EXPECT_EQ(commentsShown(), "two");
  EXPECT_EQ(shownWindowCount(), 2);

  newSound();
  driverChooseMenu(MENU_NEW);
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_NO);
  runSteps();
  EXPECT_EQ(commentsShown(), "two") << "the project stays, and so do its comments";
  driverChooseMenu(MENU_NEW);
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_YES);
  runSteps();
  EXPECT_EQ(commentsWindow(), 0);
  EXPECT_EQ(shownWindowCount(), 1);

  openSteps("first");
  openSteps("plain");
  runSteps();
  EXPECT_EQ(commentsWindow(), 0) << "the opened project has none";
  EXPECT_EQ(shownWindowCount(), 1);

  openSteps("first");
  runSteps();
  ASSERT_NE(commentsWindow(), 0);
  confirmExitFlag = 0;   // Open read the preferences again
  driverChooseMenu(APPMENU_QUIT);
  mainLoop();
  EXPECT_TRUE(programEnding);
  EXPECT_EQ(commentsWindow(), 0);
  EXPECT_EQ(shownWindowCount(), 1);
  programEnding = false;
  makeFolder(workFolder);
}

// The Game tab's picture edits the comments in their own window, which
// takes the read-only one's place.
TEST_F(GameComments, EditingReplacesTheReadOnlyWindow) {
  startMainWindow();
  saveProjectWith("noted", "read me");
  openSteps("noted");
  driverChoose(RESOURCE_PANEL, 8);
  driverClick(GAME_COMMENTS_PICTURE);
  driverCall([] {
    EXPECT_EQ(commentsWindow(), 0);
    EXPECT_EQ(shownWindowCount(), 2);
    int w = windowWith("comments");
    EXPECT_EQ(getWindowTitle(w), "Game comments");
    EXPECT_EQ(getGadgetText(gadgetByName(w, "comments")), "read me");
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
  });
  driverSetText("comments", "edited");
  driverClick("OK");
  runSteps();
  EXPECT_EQ(projectInfo.comments, "edited");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(shownWindowCount(), 1);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}
