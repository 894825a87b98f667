#include "codeeditor/code_editor.h"
#include "codeeditor/keywords.h"
#include "editors/code_dialog.h"
#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

class EventCodeWindow : public ShellTest {
 protected:
  int opener = 0;
  void open() {
    startMainWindow();
    opener = openWindow(UI_ANY, 0, 0, 300, 200, "object window", WIN_TITLEBAR);
  }
  void TearDown() override {
    if (opener) closeWindow(opener);
    ShellTest::TearDown();
  }
};

namespace {

int addEvent(const std::string& object, const std::string& kind, const std::string& parameter) {
  int at = addObjectEvent(object, kind, parameter);
  scripts[size_t(at)].code = "old();";
  return at;
}

}  // namespace

TEST_F(EventCodeWindow, AStepTurnedCollisionTakesATypedPartner) {
  open();
  std::string ball = newObject();
  int step = addEvent(ball, "Step", "");
  driverCall([this] {
    int w = windowWith("code");
    EXPECT_EQ(getWindowTitle(w), "Code editor - Step event of " + objects[0].name);
    EXPECT_TRUE(windowIsResizable(w));
    EXPECT_TRUE(windowHasCloseBox(w));
    EXPECT_TRUE(isWindowDisabled(opener));
    EXPECT_EQ(getGadgetText(gadgetByName(w, "code")), "old();");
    EXPECT_EQ(gadgetKind(gadgetByName(w, "partner")), GK_STRING);
    EXPECT_EQ(getGadgetText(gadgetByName(w, "kind")), "Step");
  });
  driverChooseText("kind", "Collision");
  driverSetText("partner", "wall");
  driverClick("OK");
  editEventCode(step, opener);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(scripts[size_t(step)].event, "Collision");
  EXPECT_EQ(scripts[size_t(step)].parameter, "wall");
  EXPECT_FALSE(isWindowDisabled(opener));
}

TEST_F(EventCodeWindow, ACollisionTurnedDrawKeepsItsPartner) {
  open();
  std::string ball = newObject(), enemy = newObject();
  ObjectRecord& instance = appendObject();
  instance.name = "SceneObject8";   // instances are no partners
  instance.template_ = enemy;
  int hit = addEvent(ball, "Collision", enemy);
  driverCall([&] {
    int partner = gadgetByName(0, "partner");
    EXPECT_EQ(gadgetKind(partner), GK_COMBOBOX);
    std::vector<std::string> items;
    for (int i = 0; i < countGadgetItems(partner); ++i) items.push_back(getGadgetItemText(partner, i));
    EXPECT_EQ(items, (std::vector<std::string>{"", ball, enemy})) << "the event's own object included";
    EXPECT_EQ(getGadgetText(partner), enemy);
  });
  driverChooseText("kind", "Draw");
  driverClick("OK");
  editEventCode(hit, opener);
  EXPECT_EQ(scripts[size_t(hit)].event, "Draw");
  EXPECT_EQ(scripts[size_t(hit)].parameter, enemy);
}

// Cancel and the close box write nothing, and every way out frees the code field.
TEST_F(EventCodeWindow, CancelAndCloseBoxLeaveTheEvent) {
  open();
  std::string ball = newObject();
  int step = addEvent(ball, "Step", "");
  for (bool closeBox : {false, true}) {
    int code = 0;
    driverCall([&] { code = gadgetByName(windowWith("code"), "code"); });
    driverSetText("code", "new();");
    driverChooseText("kind", "Draw");
    if (closeBox) driverCloseBox(0);
    else driverClick("Cancel");
    editEventCode(step, opener);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(scripts[size_t(step)].code, "old();");
    EXPECT_EQ(scripts[size_t(step)].event, "Step");
    EXPECT_EQ(editorRecord(code), nullptr);
    EXPECT_FALSE(isGadget(code));
  }
}

TEST_F(EventCodeWindow, HelpLinesKeepWhatNotAvailableWouldHide) {
  open();
  addKeyword("alpha", "Fn", "alpha(a)", "The first.");
  addKeyword("beta", "Fn", "beta(b)", "n/a");
  std::string ball = newObject();
  int step = addEvent(ball, "Step", "");
  auto lines = [](const std::string& one, const std::string& two) {
    driverCall([=] {
      EXPECT_EQ(getGadgetText(gadgetByName(0, "help1")), one);
      EXPECT_EQ(getGadgetText(gadgetByName(0, "help2")), two);
    });
  };
  driverSetText("code", "alpha");
  driverTick(0, CODE_HELP_TIMER);
  lines("alpha(a)", "The first.");
  driverSetText("code", "beta");
  driverTick(0, CODE_HELP_TIMER);
  lines("beta(b)", "The first.");
  driverSetText("code", " ");
  driverTick(0, CODE_HELP_TIMER);
  lines("", "");
  driverClick("Cancel");
  editEventCode(step, opener);
  keywords.clear();
}

// The stored place is used, a maximised last window is not restored here,
// and the size reaches the other code windows.
TEST_F(EventCodeWindow, GeometryRules) {
  open();
  std::string ball = newObject();
  int step = addEvent(ball, "Step", "");
  codeWindowX = 40;
  codeWindowY = 50;
  codeWindowWidth = 700;
  codeWindowHeight = 500;
  codeWindowMaximized = 1;
  driverCall([] {
    int w = windowWith("code");
    EXPECT_EQ(getWindowState(w), WINSTATE_NORMAL);
    EXPECT_EQ(windowWidth(w), 800);
    EXPECT_NE(windowX(w), 40);
    EXPECT_EQ(windowTitleButtons(w), "menu minimise close");
  });
  driverResize(0, 900, 640);
  driverCall([] { EXPECT_EQ(gadgetWidth(gadgetByName(0, "code")), 880); });
  driverClick("OK");
  editEventCode(step, opener);
  EXPECT_EQ(codeWindowWidth, 900);
  EXPECT_EQ(codeWindowHeight, 640);
  EXPECT_EQ(codeWindowMaximized, -1);

  driverCall([] {
    int w = windowWith("code");
    EXPECT_EQ(windowWidth(w), 900);
    EXPECT_EQ(gadgetHeight(gadgetByName(w, "code")), 640 - 155);
    EXPECT_TRUE(windowShowsText(w, "OK", 900 - 75, 640 - 35));
  });
  driverClick("OK");
  editEventCode(step, opener);
}
