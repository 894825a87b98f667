// Windows: inner size, close requests, disabled windows.
#include "ui/ui.h"
#include "ui/ui_qt.h"
#include "ui_test_util.h"

#include <QCloseEvent>
#include <QDialog>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QCoreApplication>
#include <QWindow>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

namespace {
QWidget* topOf(int window) { return windowWidget(window); }

// The window manager's close request, as Alt+F4 or the close box sends it.
void managerClose(QWidget* top) {
  QCloseEvent e;
  QCoreApplication::sendEvent(top->windowHandle(), &e);
}
}  // namespace

TEST(Windows, CloseRequestsWithoutACloseBoxAreRefused) {
  struct Case {
    int flags;
    bool queued;
  } cases[] = {{WIN_TITLEBAR, false}, {WIN_TITLEBAR | WIN_SIZEGADGET, false}, {WIN_BORDERLESS, false},
               {WIN_CLOSEBOX, true}, {WIN_CLOSEBOX | WIN_SIZEGADGET | WIN_MAXIMIZEBOX, true}};
  for (const Case& c : cases) {
    int w = openWindow(UI_ANY, 0, 0, 200, 100, "dialog", c.flags);
    QWidget* top = topOf(w);
    drainEvents();
    managerClose(top);
    EXPECT_FALSE(top->close()) << c.flags;
    std::vector<Ev> got = drainEvents();
    // The window stays open either way: only its own code closes it.
    EXPECT_TRUE(isWindow(w));
    EXPECT_TRUE(top->isVisible()) << c.flags;
    std::vector<Ev> want;
    if (c.queued) want = {{EV_CLOSEWINDOW, w, 0, ET_NONE}, {EV_CLOSEWINDOW, w, 0, ET_NONE}};
    EXPECT_EQ(got, want) << c.flags << ": " << toString(got);
    closeWindow(w);
  }
}

TEST(Windows, ADisabledWindowTakesNoInput) {
  int w = openWindow(UI_ANY, 0, 0, 200, 100, "main", WIN_CLOSEBOX);
  int b = buttonGadget(UI_ANY, 10, 10, 80, 25, "Press");
  disableWindow(w, true);
  EXPECT_TRUE(isWindowDisabled(w));
  drainEvents();
  QTest::mouseClick(gadgetWidget(b), Qt::LeftButton);
  managerClose(gadgetWidget(b)->window());
  EXPECT_TRUE(drainEvents().empty());
  disableWindow(w, false);
  QTest::mouseClick(gadgetWidget(b), Qt::LeftButton);
  std::vector<Ev> want = {{EV_GADGET, w, b, ET_LEFTCLICK}};
  EXPECT_EQ(drainEvents(), want);
  closeWindow(w);
}

TEST(Windows, InnerSizeExcludesTheMenuBar) {
  int w = openWindow(UI_ANY, 0, 0, 640, 480, "sized", WIN_TITLEBAR);
  EXPECT_EQ(windowWidth(w), 640);
  EXPECT_EQ(windowHeight(w), 480);
  createMenu(UI_ANY, w);
  menuTitle("File");
  menuItem(1, "New");
  EXPECT_EQ(windowWidth(w), 640);
  EXPECT_EQ(windowHeight(w), 480);
  EXPECT_GT(windowWidget(w)->height(), 480 + 10);   // the bar is above, and shown
  EXPECT_EQ(menuHeight(), 0);
  resizeWindow(w, UI_IGNORE, UI_IGNORE, 300, UI_IGNORE);
  EXPECT_EQ(windowWidth(w), 300);
  EXPECT_EQ(windowHeight(w), 480);
  closeWindow(w);
}

TEST(Windows, ProgramResizeAndMaximiseGiveSizeEvents) {
  int w = openWindow(UI_ANY, 0, 0, 300, 200, "main", WIN_CLOSEBOX | WIN_SIZEGADGET | WIN_MAXIMIZEBOX);
  EXPECT_TRUE(drainEvents().empty());   // opening gives none
  setWindowState(w, WINSTATE_MAXIMIZED);
  runQt(20);
  std::vector<Ev> got = drainEvents();
  bool sized = false;
  for (const Ev& e : got) sized |= e.kind == EV_SIZEWINDOW && e.window == w;
  EXPECT_TRUE(sized) << toString(got);
  closeWindow(w);
}

TEST(Windows, ClosingAWindowDropsItsQueuedEvents) {
  int a = openWindow(UI_ANY, 0, 0, 100, 100, "a", WIN_CLOSEBOX);
  int b = openWindow(UI_ANY, 0, 0, 100, 100, "b", WIN_CLOSEBOX);
  postEvent(EV_MENU, a, 5);
  postEvent(EV_MENU, b, 6);
  closeWindow(a);
  std::vector<Ev> want = {{EV_MENU, b, 6, ET_NONE}};
  EXPECT_EQ(drainEvents(), want);
  closeWindow(b);
}

// F11 switches a window that may fill the screen in and out of full-screen
// mode, and does nothing to other windows.
TEST(Windows, F11TogglesFullScreenOnlyWhereAllowed) {
  struct Case {
    int flags;
    bool toggles;
  } cases[] = {{WIN_TITLEBAR | WIN_SIZEGADGET | WIN_FULLSCREEN, true}, {WIN_TITLEBAR | WIN_SIZEGADGET, false}};
  for (const Case& c : cases) {
    int w = openWindow(UI_ANY, 0, 0, 300, 200, "scene", c.flags);
    QWidget* top = topOf(w);
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    QTest::keyClick(top, Qt::Key_F11);
    runQt(20);
    EXPECT_EQ(isWindowFullScreen(w), c.toggles) << c.flags;
    QTest::keyClick(top, Qt::Key_F11);
    runQt(20);
    EXPECT_FALSE(isWindowFullScreen(w)) << c.flags;
    EXPECT_EQ(windowWidth(w), 300) << "back to its size";
    drainEvents();
    closeWindow(w);
  }
}

TEST(Windows, AChildStaysAboveItsParentAndAClickOnTheDisabledParentRaisesIt) {
  int main = openWindow(UI_ANY, 0, 0, 300, 200, "main", WIN_CLOSEBOX);
  int other = openWindow(UI_ANY, 0, 0, 100, 100, "unrelated", WIN_TITLEBAR);
  int child = openWindow(UI_ANY, 0, 0, 200, 100, "child", WIN_TITLEBAR, main);
  int grandchild = openWindow(UI_ANY, 0, 0, 100, 50, "grandchild", WIN_TITLEBAR, child);
  ASSERT_NE(topOf(child)->windowHandle(), nullptr);
  EXPECT_EQ(topOf(child)->windowHandle()->transientParent(), topOf(main)->windowHandle());
  EXPECT_EQ(topOf(grandchild)->windowHandle()->transientParent(), topOf(child)->windowHandle());
  EXPECT_EQ(topOf(other)->windowHandle()->transientParent(), nullptr);

  // Raising asks the platform to activate: the newest modal descendant is asked.
  disableWindow(main, true);
  disableWindow(child, true);
  int raised = 0;
  struct Watch : QObject {
    int* raised;
    std::map<QObject*, int> numbers;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::ZOrderChange || e->type() == QEvent::WindowActivate)
        if (numbers.count(o)) *raised = numbers[o];
      return false;
    }
  } watch;
  watch.raised = &raised;
  for (int w : {main, other, child, grandchild}) {
    watch.numbers[topOf(w)] = w;
    topOf(w)->installEventFilter(&watch);
  }
  topOf(other)->raise();
  QCoreApplication::processEvents();
  raised = 0;
  QTest::mouseClick(topOf(main), Qt::LeftButton, {}, QPoint(50, 50));
  QCoreApplication::processEvents();
  EXPECT_EQ(raised, grandchild);
  // An enabled window is clicked as usual.
  disableWindow(main, false);
  raised = 0;
  QTest::mouseClick(topOf(main), Qt::LeftButton, {}, QPoint(50, 50));
  QCoreApplication::processEvents();
  EXPECT_NE(raised, grandchild);
  closeWindow(main);   // takes its children along
  EXPECT_FALSE(isWindow(grandchild));
  closeWindow(other);
}

TEST(Windows, OnlyAWindowWithAMinimiseBoxStaysMinimised) {
  for (int flags : {int(WIN_TITLEBAR), WIN_TITLEBAR | WIN_MINIMIZEBOX}) {
    int w = openWindow(UI_ANY, 0, 0, 200, 100, "dialog", flags);
    topOf(w)->showMinimized();   // as a window manager's button would
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(getWindowState(w) == WINSTATE_MINIMIZED, (flags & WIN_MINIMIZEBOX) != 0) << flags;
    closeWindow(w);
  }
}

// A window manager that follows the hints draws only the buttons a window
// has: the title bar alone for WIN_TITLEBAR, however it is opened or kept on
// top. Qt gives a window with a button its window menu as well.
TEST(Windows, TitleBarsAskOnlyForTheButtonsTheWindowHas) {
  const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                                  Qt::WindowContextHelpButtonHint;
  const struct {
    int flags;
    Qt::WindowFlags want;
  } cases[] = {
      {WIN_TITLEBAR, {}},
      {WIN_TITLEBAR | WIN_SIZEGADGET | WIN_FULLSCREEN, {}},
      {WIN_TITLEBAR | WIN_STAYONTOP, {}},
      {WIN_TITLEBAR | WIN_CLOSEBOX, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint},
      {WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_SIZEGADGET,
       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint},
      {WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_MAXIMIZEBOX | WIN_SIZEGADGET,
       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
           Qt::WindowMaximizeButtonHint},
  };
  int main = openWindow(UI_ANY, 0, 0, 300, 200, "main", WIN_CLOSEBOX);
  for (const auto& c : cases) {
    for (int parent : {0, main}) {
      int w = openWindow(UI_ANY, 0, 0, 200, 100, "dialog", c.flags, parent);
      for (bool onTop : {false, true, false}) {
        setWindowStayOnTop(w, onTop);
        Qt::WindowFlags f = topOf(w)->windowFlags();
        EXPECT_TRUE(f & Qt::CustomizeWindowHint) << c.flags;
        EXPECT_TRUE(f & Qt::WindowTitleHint) << c.flags;
        EXPECT_EQ(f & buttons, c.want) << c.flags << (parent ? " with a parent" : "") << (onTop ? " on top" : "");
      }
      closeWindow(w);
    }
  }
  closeWindow(main);
}

namespace {
QRect frameOf(int window) { return topOf(window)->frameGeometry(); }
QRect availableArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
}  // namespace

// Centred on the screen frame and all, wherever the first window stands; a
// window larger than the screen's available area starts at its edge along
// that side, so that its title bar stays in reach.
TEST(Windows, CentredOnTheScreenNotOnTheMainWindow) {
  int main = openWindow(UI_ANY, 300, 200, 400, 300, "main", WIN_CLOSEBOX);
  QRect area = availableArea();
  const struct {
    int w, h;
    bool wide, tall;
  } sizes[] = {{300, 200, false, false}, {area.width() + 50, 200, true, false},
               {300, area.height() + 50, false, true}, {area.width() * 2, area.height() * 2, true, true}};
  for (const auto& c : sizes) {
    for (int parent : {0, main}) {
      int w = openWindow(UI_ANY, 0, 0, c.w, c.h, "centred", WIN_TITLEBAR | WIN_SCREENCENTERED, parent);
      QRect f = frameOf(w);
      EXPECT_EQ(f.size(), QSize(c.w, c.h).grownBy(QMargins(2, 2, 2, 2))) << "the test platform's frame";
      SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h) + (parent ? " with a parent" : ""));
      if (c.wide) EXPECT_EQ(f.left(), area.left());
      else EXPECT_LE(std::abs(f.center().x() - area.center().x()), 1);
      if (c.tall) EXPECT_EQ(f.top(), area.top());
      else EXPECT_LE(std::abs(f.center().y() - area.center().y()), 1);
      EXPECT_EQ(windowX(w), f.left());
      EXPECT_EQ(windowY(w), f.top());
      closeWindow(w);
    }
  }
  // Centred on another window where asked for.
  int child = openWindow(UI_ANY, 0, 0, 100, 50, "child", WIN_TITLEBAR | WIN_WINDOWCENTERED, main);
  EXPECT_LE((frameOf(child).center() - frameOf(main).center()).manhattanLength(), 2);
  closeWindow(main);
}

// Places given and read back are those of the frame's top-left corner.
TEST(Windows, APlaceIsTheFramesCorner) {
  int w = openWindow(UI_ANY, 40, 50, 200, 100, "placed", WIN_TITLEBAR);
  EXPECT_EQ(frameOf(w).topLeft(), QPoint(40, 50));
  EXPECT_EQ(windowX(w), 40);
  EXPECT_EQ(windowY(w), 50);
  EXPECT_EQ(topOf(w)->geometry().topLeft(), QPoint(42, 52)) << "the inner area below the frame's edge";
  resizeWindow(w, 100, 120, UI_IGNORE, UI_IGNORE);
  EXPECT_EQ(frameOf(w).topLeft(), QPoint(100, 120));
  resizeWindow(w, windowX(w), windowY(w), 300, UI_IGNORE);
  EXPECT_EQ(frameOf(w).topLeft(), QPoint(100, 120)) << "a place read back and given again stays";
  closeWindow(w);
}

// A place is good while the middle of the title bar, top to bottom, is on
// the screen's available area (the test platform's frame is 2 pixels wide).
TEST(Windows, TitleBarOnScreen) {
  int framed = openWindow(UI_ANY, 0, 0, 100, 100, "framed", WIN_TITLEBAR);
  QRect a = availableArea();
  const struct {
    int x, y, width;
    bool on;
  } cases[] = {
      {a.left(), a.top(), 300, true},
      {a.left(), a.top() - 1, 300, false},          // title bar above the screen
      {a.left(), a.bottom() - 1, 300, true},        // the 2-pixel title bar just in
      {a.left(), a.bottom(), 300, false},
      {a.left() - 152, a.top(), 300, true},         // half off to the left
      {a.left() - 153, a.top(), 300, false},
      {a.right() - 152, a.top(), 300, true},        // half off to the right
      {a.right() - 151, a.top(), 300, false},
      {a.left() - 100, a.top() + 10, a.width() + 200, true},   // wider than the screen
      {-32000, -32000, 300, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(isTitleBarOnScreen(c.x, c.y, c.width), c.on) << c.x << ", " << c.y << ", " << c.width;
  closeWindow(framed);
}

TEST(Windows, KeysNeverReachAnImageButtonAndReturnPressesTheDefaultButton) {
  int w = openWindow(UI_ANY, 0, 0, 300, 100, "keys", WIN_TITLEBAR);
  int image = buttonImageGadget(UI_ANY, 10, 10, 30, 30, 0);
  int field = stringGadget(UI_ANY, 50, 10, 100, 25, "");
  int ok = buttonGadget(UI_ANY, 200, 60, 80, 25, "OK", BTN_DEFAULT);
  int other = buttonGadget(UI_ANY, 10, 60, 80, 25, "Other");
  EXPECT_EQ(gadgetWidget(image)->focusPolicy(), Qt::NoFocus);
  setActiveGadget(field);
  drainEvents();
  QTest::keyClick(topOf(w), Qt::Key_Space);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(gadgetWidget(field), key);
    std::vector<Ev> want = {{EV_GADGET, w, ok, ET_LEFTCLICK}};
    std::vector<Ev> got = drainEvents();
    // The field may report its own change; the one press is OK's.
    int presses = 0;
    for (const Ev& e : got) presses += e.kind == EV_GADGET && e.type == ET_LEFTCLICK;
    EXPECT_EQ(presses, 1) << toString(got);
    EXPECT_NE(std::find(got.begin(), got.end(), want[0]), got.end()) << toString(got);
  }
  (void)other;
  closeWindow(w);
}

TEST(Windows, AQuestionAnsweredByAStrayKeyIsNo) {
  int w = openWindow(UI_ANY, 0, 0, 200, 100, "main", WIN_CLOSEBOX);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
    QTimer::singleShot(0, [key] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        QTest::keyClick(target, key);
      }
    });
    EXPECT_EQ(messageRequester("Confirm", "Unsaved changes will be lost. New?", MSG_YESNO), MSG_RESULT_NO)
        << key;
  }
  closeWindow(w);
}

// A window kept above the others must not hide a requester, which blocks
// every window while it waits: the requester floats above it.
TEST(Windows, RequestersFloatOverWindowsKeptOnTop) {
  struct Case {
    const char* what;
    std::function<void()> ask;
  } cases[] = {
      {"message", [] { messageRequester("Confirm", "Delete?", MSG_YESNO); }},
      {"open file", [] { openFileRequester("Open", "", "", 0); }},
      {"save file", [] { saveFileRequester("Save", "", "", 0); }},
      {"folder", [] { pathRequester("Folder", ""); }},
      {"colour", [] { colorRequester(0); }},
      {"input", [] { inputRequester("Name", "Name:", "x"); }},
  };
  int main = openWindow(UI_ANY, 0, 0, 300, 200, "main", WIN_CLOSEBOX);
  int kept = openWindow(UI_ANY, 0, 0, 200, 100, "kept", WIN_TITLEBAR, main);
  for (bool keptOnTop : {false, true}) {
    setWindowStayOnTop(kept, keptOnTop);
    for (const Case& c : cases) {
      bool floats = !keptOnTop;
      QTimer::singleShot(0, [&floats] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          floats = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
          dialog->reject();
        }
      });
      c.ask();
      EXPECT_EQ(floats, keptOnTop) << c.what << (keptOnTop ? " over a kept window" : "");
    }
  }
  closeWindow(main);
}
