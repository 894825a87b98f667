#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using TextWindows = ShellTest;

TEST_F(TextWindows, CodeWindowsStoreOnOkOnly) {
  startMainWindow();
  struct Case {
    void (*open)();
    std::string title;
    std::string* text;
  } cases[] = {{editGlobalVariables, "Global variables", &projectInfo.variables},
               {editFunctionsText, "Not listed custom functions", &projectInfo.functions}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    *c.text = "old";
    setModified(0);
    for (bool closeBox : {false, true}) {
      driverSetText("code", "new");
      if (closeBox) driverCloseBox(0);
      else driverClick("Cancel");
      c.open();
      EXPECT_TRUE(driverCheckDone());
      EXPECT_EQ(*c.text, "old");
      EXPECT_EQ(modifiedFlag, 0);
    }
    driverCall([&] {
      int w = windowWith("code");
      EXPECT_EQ(getWindowTitle(w), c.title);
      EXPECT_TRUE(windowIsResizable(w));
      EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
      EXPECT_EQ(getGadgetText(gadgetByName(w, "code")), "old");
      // Typing goes into the code: a first Space must not press Cancel.
      EXPECT_TRUE(gadgetHasFocus(gadgetByName(w, "code")));
    });
    driverSetText("code", "var a = 1;");
    driverClick("OK");
    size_t panelItems = resourceItems.size();
    int firstGadget = resourceItems[0].gadget;
    c.open();
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(*c.text, "var a = 1;");
    EXPECT_EQ(modifiedFlag, 1);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(resourceItems.size(), panelItems);
    EXPECT_EQ(resourceItems[0].gadget, firstGadget) << "the panel is left alone";
  }
}

TEST_F(TextWindows, CodeWindowGeometryCarriesOver) {
  startMainWindow();
  driverCall([] { resizeWindow(windowWith("code"), 30, 40, UI_IGNORE, UI_IGNORE); }, "move the window");
  driverResize(0, 1000, 700);
  driverCall([] {
    int editor = gadgetByName(0, "code");
    EXPECT_EQ(gadgetWidth(editor), 980);
    EXPECT_EQ(gadgetHeight(editor), 545);
    EXPECT_TRUE(windowShowsText(windowWith("code"), "OK", 925, 665));
  });
  driverClick("Cancel");
  editGlobalVariables();
  EXPECT_EQ(codeWindowWidth, 1000);
  EXPECT_EQ(codeWindowHeight, 700);
  EXPECT_EQ(codeWindowX, 30);
  EXPECT_EQ(codeWindowY, 40);
  EXPECT_EQ(codeWindowMaximized, -1);

  driverCall([] {
    int w = windowWith("code");
    EXPECT_EQ(windowX(w), 30);
    EXPECT_EQ(windowY(w), 40);
    EXPECT_EQ(windowWidth(w), 1000);
    EXPECT_EQ(windowHeight(w), 700);
    EXPECT_EQ(gadgetWidth(gadgetByName(w, "code")), 980);
  });
  driverClick("OK");
  editFunctionsText();

  codeWindowMaximized = 1;
  driverCall([] { EXPECT_EQ(getWindowState(windowWith("code")), WINSTATE_MAXIMIZED); });
  driverClick("OK");
  editFunctionsText();
}

TEST_F(TextWindows, GameCommentsFloatAndStoreOnOk) {
  startMainWindow();
  projectInfo.comments = "first";
  setModified(0);
  driverCall([] {
    int w = windowWith("comments");
    EXPECT_EQ(getWindowTitle(w), "Game comments");
    EXPECT_TRUE(windowStaysOnTop(w));
    // Its loop would take and drop the main window's input.
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(getGadgetText(gadgetByName(w, "comments")), "first");
    EXPECT_TRUE(gadgetShowsFont(gadgetByName(w, "comments"), 70));
  });
  driverCloseBox(0);   // no close box: nothing happens
  driverSetText("comments", "second");
  driverClick("OK");
  editGameComments();
  EXPECT_EQ(projectInfo.comments, "second");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(shownWindowCount(), 1);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}

// A minimised window tells no size worth keeping, and a window ended while
// minimised no place: the next code window opens where the last one was seen.
TEST_F(TextWindows, MinimisedWindowsStoreNoGeometry) {
  startMainWindow();
  driverCall([] { setWindowState(windowWith("code"), WINSTATE_MINIMIZED); }, "minimise");
  driverCall([] { EXPECT_EQ(getWindowState(windowWith("code")), WINSTATE_MINIMIZED); });
  driverCloseBox(0);
  editGlobalVariables();
  EXPECT_EQ(codeWindowWidth, -1);
  EXPECT_EQ(codeWindowHeight, -1);
  EXPECT_EQ(codeWindowX, -1);
  EXPECT_EQ(codeWindowY, -1);
  EXPECT_EQ(codeWindowMaximized, -1);
}

TEST_F(TextWindows, SceneCodeOverTheSceneWindow) {
  startMainWindow();
  newScene();
  scenes[0].code = "start();";
  codeWindowX = 5;   // the stored geometry is not for this window
  codeWindowY = 5;
  int opener = openWindow(UI_ANY, 0, 0, 300, 200, "opener", WIN_TITLEBAR);
  setModified(0);
  driverCall([opener] {
    int w = windowWith("code");
    EXPECT_EQ(getWindowTitle(w), "Scene code editor");
    EXPECT_EQ(windowWidth(w), 800);
    EXPECT_EQ(windowHeight(w), 600);
    EXPECT_FALSE(windowHasCloseBox(w));
    EXPECT_FALSE(windowIsResizable(w));
    EXPECT_NE(windowX(w), 5);
    EXPECT_TRUE(isWindowDisabled(opener));
    int code = gadgetByName(w, "code");
    EXPECT_EQ(getGadgetText(code), "start();");
    EXPECT_EQ(gadgetWidth(code), 780);
    EXPECT_EQ(gadgetHeight(code), 540);
  });
  driverSetText("code", "changed();");
  driverCloseBox(0);   // no close box
  driverClick("Cancel");
  editSceneCode(0, opener);
  EXPECT_EQ(scenes[0].code, "start();");
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_FALSE(isWindowDisabled(opener));
  driverSetText("code", "changed();");
  driverClick("OK");
  editSceneCode(0, opener);
  EXPECT_EQ(scenes[0].code, "changed();");
  EXPECT_EQ(modifiedFlag, 1);
  closeWindow(opener);
}
