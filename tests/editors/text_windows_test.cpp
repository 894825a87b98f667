#include "editors/editors.h"
#include "tests/shell/shell_fixture.h"

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
    *c.text = "old";
    setModified(0);
    for (fake::Step end : {fake::click("Cancel"), fake::windowEvent(EV_CLOSEWINDOW)}) {
      fake::queue(fake::type("code", "new"));
      fake::queue(end);
      c.open();
      EXPECT_EQ(*c.text, "old") << c.title;
      EXPECT_EQ(modifiedFlag, 0);
    }
    fake::queue(fake::check([&] {
      const fake::Window& win = fake::state().windows[fake::topWindow()];
      EXPECT_EQ(win.title, c.title);
      EXPECT_TRUE(win.flags & WIN_SIZEGADGET);
      EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
      EXPECT_EQ(getGadgetText(fake::gadgetNamed("code")), "old");
    }));
    fake::queue(fake::type("code", "var a = 1;"));
    fake::queue(fake::click("OK"));
    size_t panelItems = resourceItems.size();
    int firstGadget = resourceItems[0].gadget;
    c.open();
    EXPECT_EQ(*c.text, "var a = 1;");
    EXPECT_EQ(modifiedFlag, 1);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(resourceItems.size(), panelItems);
    EXPECT_EQ(resourceItems[0].gadget, firstGadget) << "the panel is left alone";
  }
}

TEST_F(TextWindows, CodeWindowGeometryCarriesOver) {
  startMainWindow();
  fake::queue(fake::check([] {
    int w = fake::topWindow();
    resizeWindow(w, 30, 40, 1000, 700);
  }));
  fake::queue(fake::windowEvent(EV_SIZEWINDOW));
  fake::queue(fake::check([] {
    int editor = fake::gadgetNamed("code");
    EXPECT_EQ(gadgetWidth(editor), 980);
    EXPECT_EQ(gadgetHeight(editor), 545);
    int ok = fake::gadgetWithText("OK");
    EXPECT_EQ(gadgetX(ok), 925);
    EXPECT_EQ(gadgetY(ok), 665);
  }));
  fake::queue(fake::click("Cancel"));
  editGlobalVariables();
  EXPECT_EQ(codeWindowWidth, 1000);
  EXPECT_EQ(codeWindowHeight, 700);
  EXPECT_EQ(codeWindowX, 30);
  EXPECT_EQ(codeWindowMaximized, -1);
  fake::queue(fake::check([] {
    const fake::Window& win = fake::state().windows[fake::topWindow()];
    EXPECT_EQ(win.x, 30);
    EXPECT_EQ(win.y, 40);
    EXPECT_EQ(win.w, 1000);
    EXPECT_EQ(gadgetWidth(fake::gadgetNamed("code")), 980);
  }));
  fake::queue(fake::click("OK"));
  editFunctionsText();

  codeWindowMaximized = 1;
  fake::queue(fake::check([] { EXPECT_EQ(getWindowState(fake::topWindow()), WINSTATE_MAXIMIZED); }));
  fake::queue(fake::click("OK"));
  editFunctionsText();
}

TEST_F(TextWindows, GameCommentsFloatAndStoreOnOk) {
  startMainWindow();
  projectInfo.comments = "first";
  setModified(0);
  fake::queue(fake::check([] {
    const fake::Window& win = fake::state().windows[fake::topWindow()];
    EXPECT_EQ(win.title, "Game comments");
    EXPECT_TRUE(win.onTop);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(fake::state().gadgets[fake::gadgetNamed("comments")].font, 70);
  }));
  fake::queue(fake::windowEvent(EV_CLOSEWINDOW));
  fake::queue(fake::type("comments", "second"));
  fake::queue(fake::click("OK"));
  editGameComments();
  EXPECT_EQ(projectInfo.comments, "second");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(fake::topWindow(), MAIN_WINDOW);
}
