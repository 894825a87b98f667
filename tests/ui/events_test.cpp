// Event translation: what reaches the queue for the user's mouse, keys,
// menus and timers, and what the program's own changes do not send.
#include "ui/image.h"
#include "ui/ui.h"
#include "ui/ui_internal.h"
#include "ui/ui_qt.h"
#include "ui_test_util.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

struct Press {
  QEvent::Type type;
  Qt::MouseButton button;
};
constexpr QEvent::Type P = QEvent::MouseButtonPress, R = QEvent::MouseButtonRelease,
                       D = QEvent::MouseButtonDblClick;

// Sends a sequence as Qt delivers a user's clicks: a double click is press,
// release, double-click, release.
void sendMouse(QWidget* w, const std::vector<Press>& seq, QPoint pos, Qt::KeyboardModifiers mods = {}) {
  for (const Press& p : seq) {
    Qt::MouseButtons held = p.type == R ? Qt::MouseButtons() : Qt::MouseButtons(p.button);
    QMouseEvent e(p.type, QPointF(pos), QPointF(w->mapToGlobal(pos)), p.button, held, mods);
    QCoreApplication::sendEvent(w, &e);
  }
}

const std::vector<Press> leftClick = {{P, Qt::LeftButton}, {R, Qt::LeftButton}};
const std::vector<Press> doubleClick = {{P, Qt::LeftButton}, {R, Qt::LeftButton}, {D, Qt::LeftButton},
                                        {R, Qt::LeftButton}};
const std::vector<Press> rightClick = {{P, Qt::RightButton}, {R, Qt::RightButton}};

class Events : public testing::Test {
 protected:
  void SetUp() override { window = openWindow(UI_ANY, 0, 0, 400, 300, "events", WIN_CLOSEBOX); }
  void TearDown() override { closeWindow(window); }
  int window = 0;
};

}  // namespace

TEST_F(Events, PictureClickDoubleClickAndRightClick) {
  int pic = imageGadget(UI_ANY, 10, 10, 150, 100, 0);
  struct Case {
    const char* what;
    std::vector<Press> seq;
    std::vector<int> types;
  } cases[] = {
      {"click", leftClick, {ET_LEFTCLICK}},
      {"double click", doubleClick, {ET_LEFTCLICK, ET_LEFTDOUBLECLICK}},
      {"right click", rightClick, {ET_RIGHTCLICK}},
  };
  for (const Case& c : cases) {
    drainEvents();
    sendMouse(gadgetWidget(pic), c.seq, QPoint(20, 20));
    EXPECT_EQ(gadgetTypes(drainEvents(), pic), c.types) << c.what;
  }
  // A press that is released outside the picture is no click.
  sendMouse(gadgetWidget(pic), {{P, Qt::LeftButton}}, QPoint(20, 20));
  sendMouse(gadgetWidget(pic), {{R, Qt::LeftButton}}, QPoint(400, 20));
  EXPECT_TRUE(drainEvents().empty());
}

TEST_F(Events, ListRowsClickDoubleClickAndRightClick) {
  int list = listViewGadget(UI_ANY, 10, 10, 200, 200);
  for (const char* t : {"a", "b", "c"}) addGadgetItem(list, -1, t);
  auto* view = static_cast<QListWidget*>(gadgetWidget(list));
  struct Case {
    const char* what;
    std::vector<Press> seq;
    int row;
    std::vector<int> types;
  } cases[] = {
      {"click", leftClick, 1, {ET_LEFTCLICK}},
      {"double click", doubleClick, 2, {ET_LEFTCLICK, ET_LEFTDOUBLECLICK}},
      {"right click selects the row", rightClick, 0, {ET_RIGHTCLICK}},
  };
  for (const Case& c : cases) {
    drainEvents();
    sendMouse(view->viewport(), c.seq, view->visualItemRect(view->item(c.row)).center());
    EXPECT_EQ(gadgetTypes(drainEvents(), list), c.types) << c.what;
    EXPECT_EQ(getGadgetState(list), c.row) << c.what;
    EXPECT_EQ(getGadgetText(list), std::string(1, char('a' + c.row))) << c.what;
  }
}

TEST_F(Events, CanvasReportsButtonsClicksAndPositions) {
  int canvas = canvasGadget(UI_ANY, 0, 0, 200, 100, CANVAS_KEYBOARD);
  struct Case {
    const char* what;
    std::vector<Press> seq;
    std::vector<int> types;
  } cases[] = {
      {"click", leftClick, {ET_LEFTBUTTONDOWN, ET_LEFTBUTTONUP, ET_LEFTCLICK}},
      // The release that ends a double click is no second click.
      {"double click", doubleClick,
       {ET_LEFTBUTTONDOWN, ET_LEFTBUTTONUP, ET_LEFTCLICK, ET_LEFTBUTTONDOWN, ET_LEFTDOUBLECLICK, ET_LEFTBUTTONUP}},
      {"right click", rightClick, {ET_RIGHTBUTTONDOWN, ET_RIGHTBUTTONUP, ET_RIGHTCLICK}},
  };
  for (const Case& c : cases) {
    drainEvents();
    sendMouse(gadgetWidget(canvas), c.seq, QPoint(5, 6));
    EXPECT_EQ(gadgetTypes(drainEvents(), canvas), c.types) << c.what;
  }
  // Each event carries the pointer and modifiers of its own moment.
  QWidget* w = gadgetWidget(canvas);
  sendMouse(w, {{P, Qt::LeftButton}}, QPoint(47, 13), Qt::ShiftModifier);
  QMouseEvent move(QEvent::MouseMove, QPointF(60, 30), QPointF(w->mapToGlobal(QPoint(60, 30))), Qt::NoButton,
                   Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  QCoreApplication::sendEvent(w, &move);
  QTest::keyClick(w, Qt::Key_Delete);
  ASSERT_EQ(windowEvent(), EV_GADGET);
  EXPECT_EQ(eventType(), ET_LEFTBUTTONDOWN);
  EXPECT_EQ(canvasMouseX(canvas), 47);
  EXPECT_EQ(canvasMouseY(canvas), 13);
  EXPECT_EQ(canvasModifiers(canvas), MOD_SHIFT);
  ASSERT_EQ(windowEvent(), EV_GADGET);
  EXPECT_EQ(eventType(), ET_MOUSEMOVE);
  EXPECT_EQ(canvasMouseX(canvas), 60);
  EXPECT_EQ(canvasButtons(canvas), BUTTON_LEFT);
  EXPECT_EQ(canvasModifiers(canvas), MOD_SHIFT | MOD_CONTROL);
  ASSERT_EQ(windowEvent(), EV_GADGET);
  EXPECT_EQ(eventType(), ET_KEYDOWN);
  EXPECT_EQ(canvasKey(canvas), KEY_DELETE);
}

TEST_F(Events, CanvasShowsItsBackingImageAfterRefresh) {
  int canvas = canvasGadget(UI_ANY, 0, 0, 20, 10);
  int img = canvasImage(canvas);
  ASSERT_TRUE(isImage(img));
  EXPECT_EQ(imageWidth(img), 20);
  setPixel(img, 3, 4, opaque(rgb(10, 20, 30)));
  int before = canvasSnapshot(canvas);
  refreshCanvas(canvas);
  int after = canvasSnapshot(canvas);
  EXPECT_EQ(getPixel(before, 3, 4), opaque(0xFFFFFF));   // not shown until refreshed
  EXPECT_EQ(getPixel(after, 3, 4), opaque(rgb(10, 20, 30)));
  // Resizing keeps the number and the pixels at the top left.
  resizeGadget(canvas, UI_IGNORE, UI_IGNORE, 40, 40);
  EXPECT_EQ(canvasImage(canvas), img);
  EXPECT_EQ(imageWidth(img), 40);
  EXPECT_EQ(getPixel(img, 3, 4), opaque(rgb(10, 20, 30)));
  freeImage(before);
  freeImage(after);
  freeGadget(canvas);
  EXPECT_FALSE(isImage(img));
}

// A refresh copies only what can be seen; a part scrolled into view later
// must still show what was drawn before that refresh.
TEST_F(Events, CanvasPartScrolledIntoViewShowsTheRefreshedPixels) {
  int area = scrollAreaGadget(UI_ANY, 0, 0, 100, 100, 400, 400);
  openGadgetList(area);
  int canvas = canvasGadget(UI_ANY, 0, 0, 400, 400);
  closeGadgetList();
  int img = canvasImage(canvas);
  setPixel(img, 5, 5, opaque(rgb(1, 2, 3)));
  setPixel(img, 350, 350, opaque(rgb(200, 100, 50)));
  refreshCanvas(canvas);
  setGadgetAttribute(area, ATTR_SCROLL_X, 300);
  setGadgetAttribute(area, ATTR_SCROLL_Y, 300);
  runQt(20);
  int shown = canvasSnapshot(canvas);
  EXPECT_EQ(getPixel(shown, 5, 5), opaque(rgb(1, 2, 3)));
  EXPECT_EQ(getPixel(shown, 350, 350), opaque(rgb(200, 100, 50)));
  EXPECT_EQ(getPixel(shown, 399, 399), opaque(0xFFFFFF));
  freeImage(shown);
  freeGadget(area);
}

TEST_F(Events, MenuItemShortcutAndPopupItemAreOneMenuEvent) {
  createMenu(UI_ANY, window);
  menuTitle("File");
  menuItem(5, "New\tCtrl + N");
  addKeyboardShortcut(window, SC_CONTROL | 'N', 5);
  int popup = createPopupMenu(UI_ANY);
  menuItem(5, "Edit");
  QWidget* top = windowWidget(window);
  top->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(top));
  drainEvents();
  std::vector<Ev> want = {{EV_MENU, window, 5, ET_NONE}};

  QTest::keyClick(top, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(drainEvents(), want) << "shortcut";

  QAction* item = nullptr;
  for (QAction* a : top->findChildren<QMenuBar*>().front()->findChildren<QAction*>())
    if (a->text().startsWith("New")) item = a;
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "New\tCtrl + N");   // shown with its shortcut text
  item->trigger();
  EXPECT_EQ(drainEvents(), want) << "menu item";

  displayPopupMenu(popup, window);
  QMenu* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) shown = m;
  ASSERT_NE(shown, nullptr);
  shown->actions().front()->trigger();
  EXPECT_EQ(drainEvents(), want) << "popup item";
}

TEST_F(Events, TimerTicksDoNotPileUp) {
  drainEvents();
  addWindowTimer(window, 7, 2);
  // Read the queue without pumping Qt: taking events through windowEvent
  // lets the 2 ms timer fire again on a loaded machine.
  for (int round = 0; round < 2; ++round) {
    runQt(80);
    EXPECT_EQ(queueSize(), 1u) << "round " << round;
    EXPECT_EQ(windowEvent(), EV_TIMER);
    EXPECT_EQ(eventWindow(), window);
    EXPECT_EQ(eventTimer(), 7);
  }
  // A removed timer's waiting tick never arrives.
  runQt(40);
  removeWindowTimer(window, 7);
  runQt(40);
  EXPECT_TRUE(drainEvents().empty());
}

TEST_F(Events, TheProgramsOwnChangesAreNoEvents) {
  int track = trackBarGadget(UI_ANY, 0, 0, 100, 20, 0, 10);
  int field = stringGadget(UI_ANY, 0, 30, 100, 20, "");
  int editor = editorGadget(UI_ANY, 0, 60, 100, 50);
  int combo = comboBoxGadget(UI_ANY, 0, 120, 100, 20);
  addGadgetItem(combo, -1, "a");
  addGadgetItem(combo, -1, "b");
  int check = checkBoxGadget(UI_ANY, 0, 150, 100, 20, "c");
  int panel = panelGadget(UI_ANY, 150, 0, 200, 200);
  addGadgetItem(panel, -1, "one");
  addGadgetItem(panel, -1, "two");
  drainEvents();
  setGadgetState(track, 5);
  setGadgetText(field, "x");
  setGadgetText(editor, "y");
  setGadgetState(combo, 1);
  setGadgetState(check, 1);
  setGadgetState(panel, 1);
  EXPECT_TRUE(drainEvents().empty());
  // The same gadgets changed by the user send change events.
  setGadgetText(field, "");
  QTest::keyClicks(gadgetWidget(field), "ab");
  std::vector<int> two = {ET_CHANGE, ET_CHANGE};
  EXPECT_EQ(gadgetTypes(drainEvents(), field), two);
  EXPECT_EQ(getGadgetText(field), "ab");
}

TEST_F(Events, WaitingEndsWithAnEventOrItsTimeLimit) {
  EXPECT_EQ(waitWindowEvent(10), EV_NONE);
  postEvent(EV_MENU, window, 9);
  EXPECT_EQ(waitWindowEvent(), EV_MENU);
  EXPECT_EQ(eventMenu(), 9);
  EXPECT_EQ(eventGadget(), 0);   // a menu event names no gadget
  EXPECT_EQ(eventWindow(), window);
}

namespace {

std::vector<Ev> handled;
int closedBy = 0;   // the gadget whose event closes its window

void recordAndMaybeClose(int kind) {
  handled.push_back({kind, eventWindow(), kind == EV_GADGET ? eventGadget() : 0, eventType()});
  if (kind == EV_GADGET && eventGadget() == closedBy) closeWindow(eventWindow());
}

}  // namespace

// A window with its own handler has its events handled inside whichever
// loop waits; that loop sees only the other windows' events, in order.
TEST_F(Events, AWindowsOwnHandlerTakesItsEventsInAnyLoop) {
  int viewer = openWindow(UI_ANY, 0, 0, 200, 100, "viewer", WIN_TITLEBAR);
  int ok = buttonGadget(UI_ANY, 10, 10, 60, 25, "OK");
  setWindowEventHandler(viewer, recordAndMaybeClose);
  drainEvents();
  handled.clear();
  closedBy = ok;

  postEvent(EV_GADGET, viewer, 5, ET_LEFTCLICK);
  postEvent(EV_MENU, window, 1);
  postEvent(EV_TIMER, viewer, 3);
  postEvent(EV_MENU, window, 2);
  EXPECT_EQ(toString(drainEvents()), toString({{EV_MENU, window, 1, ET_NONE}, {EV_MENU, window, 2, ET_NONE}}));
  EXPECT_EQ(toString(handled), toString({{EV_GADGET, viewer, 5, ET_LEFTCLICK}, {EV_TIMER, viewer, 0, ET_NONE}}));

  // A wait with a limit keeps it though the handler has had an event.
  handled.clear();
  postEvent(EV_GADGET, viewer, 5, ET_LEFTCLICK);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(waitWindowEvent(60), EV_NONE);
  EXPECT_GE(clock.elapsed(), 50);
  EXPECT_EQ(handled.size(), 1u);

  // The handler may close its window; the wait goes on to the next event.
  postEvent(EV_GADGET, viewer, ok, ET_LEFTCLICK);
  postEvent(EV_GADGET, viewer, 5, ET_LEFTCLICK);   // purged with the window
  postEvent(EV_MENU, window, 4);
  EXPECT_EQ(waitWindowEvent(), EV_MENU);
  EXPECT_EQ(eventMenu(), 4);
  EXPECT_FALSE(isWindow(viewer));
  EXPECT_EQ(handled.size(), 2u);

  // Without its handler a window's events reach the loops again.
  int other = openWindow(UI_ANY, 0, 0, 200, 100, "other", WIN_TITLEBAR);
  setWindowEventHandler(other, recordAndMaybeClose);
  setWindowEventHandler(other, nullptr);
  postEvent(EV_MENU, other, 6);
  EXPECT_EQ(windowEvent(), EV_MENU);
  EXPECT_EQ(eventWindow(), other);
  closeWindow(other);
}
