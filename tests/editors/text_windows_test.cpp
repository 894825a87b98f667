#include <cstdlib>
#include <functional>

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

// The place stored is the one the window was left at, and the window comes
// back there however often it is reopened: no reopening moves it.
TEST_F(TextWindows, AStoredPlaceStaysPut) {
  startMainWindow();
  driverCall([] { resizeWindow(windowWith("code"), 120, 90, 600, 400); }, "move and size the window");
  driverClick("OK");
  editGlobalVariables();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(codeWindowX, 120);
    EXPECT_EQ(codeWindowY, 90);
    driverCall([] {
      int w = windowWith("code");
      EXPECT_EQ(windowX(w), 120);
      EXPECT_EQ(windowY(w), 90);
      EXPECT_EQ(windowWidth(w), 600);
      EXPECT_EQ(windowHeight(w), 400);
    });
    driverClick("OK");
    if (i % 2) editGlobalVariables();
    else editFunctionsText();
  }
}

// A stored place whose title bar would be off the screen (a file from a
// larger screen, or a place that crept off) is not used: the window comes up
// centred, at the stored size.
TEST_F(TextWindows, AStoredPlaceOffTheScreenIsCentred) {
  startMainWindow();
  const struct {
    int x, y;
  } places[] = {{100, -300}, {100, -5}, {100, desktopHeight() - 1}, {100, 5000}, {-500, 100}, {desktopWidth() - 100, 100}};
  for (const auto& p : places) {
    SCOPED_TRACE(std::to_string(p.x) + ", " + std::to_string(p.y));
    codeWindowX = p.x;
    codeWindowY = p.y;
    codeWindowWidth = 500;
    codeWindowHeight = 300;
    codeWindowMaximized = -1;
    driverCall([] {
      int w = windowWith("code");
      int fw = 0, fh = 0;
      windowFrameSize(w, fw, fh);
      EXPECT_LE(std::abs(2 * windowX(w) + fw - desktopWidth()), 1);
      EXPECT_LE(std::abs(2 * windowY(w) + fh - desktopHeight()), 1);
      EXPECT_EQ(windowWidth(w), 500);
      EXPECT_EQ(windowHeight(w), 300);
    });
    driverClick("Cancel");
    editGlobalVariables();
  }
  // Half of the title bar in sight is enough to take hold of it.
  codeWindowX = -200;
  codeWindowY = 0;
  driverCall([] {
    EXPECT_EQ(windowX(windowWith("code")), -200);
    EXPECT_EQ(windowY(windowWith("code")), 0);
  });
  driverClick("Cancel");
  editGlobalVariables();
}

// Only the code windows have buttons in their title bars.
TEST_F(TextWindows, TitleBarButtons) {
  startMainWindow();
  newScene();
  const struct {
    const char* what;
    std::function<void()> open;
    const char* gadget;
    const char* buttons;
    const char* end;
  } windows[] = {
      {"global variables", editGlobalVariables, "code", "menu minimise maximise close", "Cancel"},
      {"functions", editFunctionsText, "code", "menu minimise maximise close", "Cancel"},
      {"scene code", [] { editSceneCode(0, MAIN_WINDOW); }, "code", "", "Cancel"},
      {"game comments", editGameComments, "comments", "", "OK"},
  };
  for (const auto& w : windows) {
    driverCall([&] { EXPECT_EQ(windowTitleButtons(windowWith(w.gadget)), w.buttons) << w.what; });
    driverClick(w.end);
    w.open();
  }
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
