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
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
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
