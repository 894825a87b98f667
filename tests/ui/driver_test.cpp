// The scripted test driver: windows driven through their real widgets, and
// the rules that keep a window test from hanging or passing by accident.
#include "ui/driver.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <QLabel>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A small dialog in the shape the program's windows have: no close box,
// ends only through its buttons, asks before an empty OK.
std::string askName(const std::string& current) {
  int w = openWindow(UI_ANY, 0, 0, 400, 100, "Enter the project name", WIN_TITLEBAR | WIN_SCREENCENTERED);
  int field = stringGadget(UI_ANY, 10, 10, 380, 25, current);
  nameGadget(field, "name");
  int cancel = buttonGadget(UI_ANY, 10, 65, 100, 25, "Cancel");
  int ok = buttonGadget(UI_ANY, 290, 65, 100, 25, "OK");
  std::string result;
  for (bool done = false; !done;) {
    if (waitWindowEvent() != EV_GADGET) continue;
    if (eventGadget() == cancel) {
      done = true;
    } else if (eventGadget() == ok) {
      result = getGadgetText(field);
      done = !result.empty() ||
             messageRequester("Confirm", "Leave the project unnamed?", MSG_YESNO) == MSG_RESULT_YES;
    }
  }
  closeWindow(w);
  return result;
}

// A window with a close box that counts what reaches its loop.
struct Seen {
  std::vector<int> types;
  std::vector<int> menus;
  std::vector<int> xs, mods;
  int ticks = 0;
  int sizes = 0;
  std::string digits;
};
Seen seen;

void editorWindow() {
  seen = Seen();
  int w = openWindow(UI_ANY, 0, 0, 300, 200, "Editor", WIN_CLOSEBOX | WIN_SIZEGADGET);
  int list = listViewGadget(UI_ANY, 0, 0, 100, 100);
  nameGadget(list, "list");
  addGadgetItem(list, -1, "one");
  addGadgetItem(list, -1, "two");
  int canvas = canvasGadget(UI_ANY, 100, 0, 100, 100, CANVAS_KEYBOARD);
  nameGadget(canvas, "canvas");
  int digits = stringGadget(UI_ANY, 0, 110, 100, 25, "7", STR_NUMERIC);
  nameGadget(digits, "digits");
  int popup = createPopupMenu(UI_ANY);
  menuItem(21, "Edit");
  menuBar();
  menuItem(22, "Delete");
  addKeyboardShortcut(w, SC_CONTROL | 'S', 30);
  addWindowTimer(w, 888, 33);
  for (;;) {
    int ev = waitWindowEvent();
    if (eventWindow() != w) continue;
    if (ev == EV_CLOSEWINDOW) break;
    seen.digits = getGadgetText(digits);
    if (ev == EV_TIMER && eventTimer() == 888) ++seen.ticks;
    if (ev == EV_SIZEWINDOW) ++seen.sizes;
    if (ev == EV_MENU) seen.menus.push_back(eventMenu());
    if (ev != EV_GADGET) continue;
    seen.types.push_back(eventType());
    if (eventGadget() == list && eventType() == ET_RIGHTCLICK) displayPopupMenu(popup, w);
    if (eventGadget() == canvas) {
      seen.xs.push_back(canvasMouseX(canvas));
      seen.mods.push_back(canvasModifiers(canvas));
    }
  }
  freeMenu(popup);
  closeWindow(w);
}

// A window that ignores its close box: only a step can end it.
void stubbornWindow() {
  int w = openWindow(UI_ANY, 0, 0, 100, 100, "Stubborn", WIN_TITLEBAR);
  int ok = buttonGadget(UI_ANY, 0, 0, 50, 25, "OK");
  while (!(waitWindowEvent() == EV_GADGET && eventGadget() == ok)) {
  }
  closeWindow(w);
}

}  // namespace

TEST(Driver, TypesIntoAFieldAndPressesOK) {
  driverStart();
  driverSetText("name", "mygame");
  driverClick("OK");
  EXPECT_EQ(askName(""), "mygame");
  EXPECT_TRUE(driverCheckDone());
}

TEST(Driver, RequesterAnswersAreCheckedAndTakenInOrder) {
  driverStart();
  driverSetText("name", "");
  driverClick("OK");
  driverAnswerMessage("Confirm", "Leave the project unnamed?", MSG_RESULT_NO);
  driverSetText("name", "b");
  driverClick("OK");
  EXPECT_EQ(askName("a"), "b");
  EXPECT_TRUE(driverCheckDone());
}

TEST(Driver, EventsOfTheRealWidgetsReachTheLoop) {
  driverStart();
  driverSelectRow("list", 1);
  driverDoubleClickRow("list", 0);
  driverRightClickRow("list", 1);
  driverChoosePopupItem(22);
  driverShortcut("Editor", SC_CONTROL | 'S');
  driverCanvas("canvas", ET_LEFTCLICK, 47, 13, 0, MOD_SHIFT);
  driverCanvasKey("canvas", KEY_DELETE);
  driverSetText("digits", "12a");   // the digit filter refuses the whole text
  driverSetText("digits", "42");
  driverTick("Editor", 888);
  driverResize("Editor", 400, 300);
  driverCloseBox("Editor");
  editorWindow();
  EXPECT_TRUE(driverCheckDone());
  std::vector<int> types = {ET_LEFTCLICK,  ET_LEFTCLICK,      ET_LEFTDOUBLECLICK, ET_RIGHTCLICK,
                            ET_LEFTBUTTONDOWN, ET_LEFTBUTTONUP, ET_LEFTCLICK,       ET_KEYDOWN,
                            ET_CHANGE};
  // Key releases, focus changes and the like may come in between: check in order.
  std::vector<int> got;
  for (int t : seen.types)
    if (t != ET_KEYUP && t != ET_FOCUS && t != ET_LOSTFOCUS && t != ET_MOUSEENTER) got.push_back(t);
  EXPECT_EQ(got, types);
  std::vector<int> menus = {22, 30};
  EXPECT_EQ(seen.menus, menus);
  ASSERT_GE(seen.xs.size(), 3u);
  EXPECT_EQ(seen.xs[0], 47);
  EXPECT_EQ(seen.mods[0], MOD_SHIFT);
  EXPECT_EQ(seen.ticks, 1);
  EXPECT_EQ(seen.sizes, 1);
  EXPECT_EQ(seen.digits, "42");
}

namespace {
// A settings form: each change is stored the moment it happens.
struct Form {
  int combo = -1, tab = -1, track = -1, check = -1, option = -1;
  std::string comboText;
  int events = 0;
};
Form form;

void formWindow() {
  form = Form();
  int w = openWindow(UI_ANY, 0, 0, 400, 300, "Form", WIN_TITLEBAR);
  int done = buttonGadget(UI_ANY, 300, 260, 65, 25, "Done");
  int combo = comboBoxGadget(UI_ANY, 10, 10, 100, 25);
  nameGadget(combo, "kind");
  for (const char* t : {"", "Place objects", "Select objects"}) addGadgetItem(combo, -1, t);
  int track = trackBarGadget(UI_ANY, 10, 40, 200, 25, 0, 359);
  nameGadget(track, "angle");
  int panel = panelGadget(UI_ANY, 10, 70, 380, 180);
  nameGadget(panel, "tabs");
  addGadgetItem(panel, -1, "Settings");
  addGadgetItem(panel, -1, "Misc");
  openGadgetList(panel, 1);
  int check = checkBoxGadget(UI_ANY, 10, 10, 200, 25, "Confirm exit");
  optionGadget(UI_ANY, 10, 40, 100, 25, "Current frame");
  int all = optionGadget(UI_ANY, 10, 70, 100, 25, "All frames");
  closeGadgetList();
  setGadgetState(combo, 1);
  while (!(waitWindowEvent() == EV_GADGET && eventGadget() == done)) {
    if (eventWindow() == w) ++form.events;
    form.combo = getGadgetState(combo);
    form.comboText = getGadgetText(combo);
    form.tab = getGadgetState(panel);
    form.track = getGadgetState(track);
    form.check = getGadgetState(check);
    form.option = getGadgetState(all);
  }
  closeWindow(w);
}
}  // namespace

// The canvas reports the wheel and the scroll area around it scrolls.
TEST(Driver, WheelOverACanvasScrollsItsScrollArea) {
  int w = openWindow(UI_ANY, 0, 0, 200, 200, "Wheel", WIN_TITLEBAR);
  int area = scrollAreaGadget(UI_ANY, 0, 0, 150, 150, 600, 500, 10);
  openGadgetList(area);
  int canvas = canvasGadget(UI_ANY, 0, 0, 600, 500);
  nameGadget(canvas, "canvas");
  closeGadgetList();
  std::vector<int> ys, deltas;
  auto y = [&] { ys.push_back(getGadgetAttribute(area, ATTR_SCROLL_Y)); };
  driverStart();
  driverWheel("canvas", -1);
  driverCall(y);
  driverWheel("canvas", -2);
  driverCall(y);
  driverWheel("canvas", 5);
  driverCall(y);
  driverTimeout();
  while (waitWindowEvent() != EV_NONE)
    if (eventType() == ET_MOUSEWHEEL) deltas.push_back(canvasWheelDelta(canvas));
  EXPECT_TRUE(driverCheckDone());
  driverStop();
  ASSERT_EQ(ys.size(), 3u);
  EXPECT_GT(ys[0], 0);
  EXPECT_GT(ys[1], ys[0]);
  EXPECT_EQ(ys[2], 0);   // back up to the top, and no further
  EXPECT_EQ(getGadgetAttribute(area, ATTR_SCROLL_X), 0);
  EXPECT_EQ(deltas, (std::vector<int>{-1, -2, 5}));
  closeWindow(w);
}

TEST(Driver, ChoiceStepsSetWhatAUserSets) {
  driverStart();
  driverChooseText("kind", "Select objects");
  driverChoose("angle", 90);
  driverChoose("tabs", 1);
  driverCheck("Confirm exit", true);
  driverCheck("Confirm exit", true);   // already checked: no click, no event
  driverClick("All frames");
  driverClick("Done");
  formWindow();
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(form.combo, 2);
  EXPECT_EQ(form.comboText, "Select objects");
  EXPECT_EQ(form.track, 90);
  EXPECT_EQ(form.tab, 1);
  EXPECT_EQ(form.check, 1);
  EXPECT_EQ(form.option, 1);
  EXPECT_EQ(form.events, 5);
}

TEST(Driver, GadgetsOnAnotherTabAreOutOfReach) {
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        driverCheck("Confirm exit", true);
        driverClick("Done");
        formWindow();
      },
      "hidden (on another tab?)");
  EXPECT_EQ(form.check, -1);
  driverCheckDone();
}


TEST(Driver, StepsLeftOverFailTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        driverClick("OK");
        driverAnswerMessage("Error", "Invalid name");
        driverCheckDone();
      },
      "2 step(s) left over");
}

TEST(Driver, AWaitWithNoStepLeftFailsAndClosesTheWindow) {
  // The editor takes its close box as its end, so the failure ends it.
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        driverSelectRow("list", 0);
        editorWindow();
      },
      "no step is left");
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        editorWindow();
      },
      "waiting: window");   // names the waiting window
  driverCheckDone();
}

TEST(Driver, AnUnexpectedRequesterFailsAndIsCancelled) {
  static int answer = -1;
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        answer = messageRequester("Confirm", "Delete?", MSG_YESNO);
      },
      "unexpected message requester \"Confirm\" \"Delete?\"");
  EXPECT_EQ(answer, MSG_RESULT_NO);
  static std::string path = "x";
  EXPECT_NONFATAL_FAILURE(
      {
        driverStart();
        driverAnswerFile("Select an image", "/tmp/a.png");
        path = openFileRequester("Open a sound", "", "WAV|*.wav", 0);
      },
      "where the answer expects \"Select an image\"");
  EXPECT_EQ(path, "");
  driverCheckDone();
}

TEST(Driver, StepsAUserCouldNotTakeFail) {
  static int button = 0;
  struct Case {
    void (*queue)();
    const char* message;
  } cases[] = {
      {[] { driverClick("Nowhere"); }, "no such gadget"},
      {[] { driverClick("Off"); }, "the gadget is disabled"},
      {[] { driverChoosePopupItem(3); }, "no popup menu is shown"},
      {[] { driverChooseMenu(77); }, "no menu bar has this item"},
      {[] { driverResize(0, 10, 10); }, "cannot be resized"},
      {[] { driverTick(0, 5); }, "no such timer"},
      {[] { driverCanvasKey("Off", KEY_SPACE); }, "disabled"},
  };
  for (const Case& c : cases) {
    static const Case* current = nullptr;
    current = &c;
    EXPECT_NONFATAL_FAILURE(
        {
          driverStart();
          current->queue();
          driverClick("OK");
          openWindow(UI_ANY, 0, 0, 100, 100, "steps", WIN_TITLEBAR);
          button = buttonGadget(UI_ANY, 0, 0, 50, 25, "Off");
          disableGadget(button, true);
          int ok = buttonGadget(UI_ANY, 0, 30, 50, 25, "OK");
          while (!(waitWindowEvent() == EV_GADGET && eventGadget() == ok)) {
          }
          closeWindow(gadgetWindow(ok));
        },
        current->message);
  }
  driverCheckDone();
}

TEST(DriverDeathTest, ALoopThatIgnoresTheWayOutStopsTheProgram) {
  EXPECT_EXIT(
      {
        driverStart();
        stubbornWindow();
      },
      testing::ExitedWithCode(3), "did not end");
}

TEST(Driver, AWaitWithoutTheDriverFailsToo) {
  EXPECT_NONFATAL_FAILURE(editorWindow(), "the driver is off");
  driverCheckDone();
}

TEST(Driver, TimeoutStepEndsAWaitWithNoEvent) {
  driverStart();
  driverTimeout();
  EXPECT_EQ(waitWindowEvent(100), EV_NONE);
  EXPECT_TRUE(driverCheckDone());
}

namespace {
std::string customText;
}

TEST(Driver, RegisteredKindsTakeTextThroughTheirHooks) {
  CustomGadgetHooks hooks;
  hooks.setText = [](int, const std::string& t) { customText = t; };
  hooks.getText = [](int) { return customText; };
  registerGadgetHooks(GK_CUSTOM + 1, hooks);
  int w = openWindow(UI_ANY, 0, 0, 200, 100, "Code", WIN_TITLEBAR);
  int code = registerGadget(UI_ANY, new QLabel(currentGadgetParent()), GK_CUSTOM + 1, 0, 0, 200, 50);
  ASSERT_GT(code, 0);
  nameGadget(code, "code");
  int done = buttonGadget(UI_ANY, 0, 60, 60, 25, "Done");
  setGadgetText(code, "a");
  EXPECT_EQ(getGadgetText(code), "a");
  driverStart();
  driverSetText("code", "b");
  driverClick("Done");
  std::vector<int> types;
  while (!(waitWindowEvent() == EV_GADGET && eventGadget() == done))
    if (eventGadget() == code) types.push_back(eventType());
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(types, std::vector<int>{ET_CHANGE});
  EXPECT_EQ(getGadgetText(code), "b");
  closeWindow(w);
}
