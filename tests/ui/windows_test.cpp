// Windows: inner size, close requests, disabled windows.
#include "ui/ui.h"
#include "ui/ui_qt.h"
#include "ui_test_util.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

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
