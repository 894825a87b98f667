#include "editors/editors.h"
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
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
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
}
