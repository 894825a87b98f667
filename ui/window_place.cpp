// Where windows go: the screen they open on, their frame as the window
// manager draws it, centring, and whether a place keeps the title bar on
// the screen. Positions are those of the frame's top-left corner, as
// windowX and windowY give them back.
#include "ui/ui_internal.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

bool isFramed(const QWidget* top) { return top->frameGeometry() != top->geometry(); }

QMargins framedMargins(const QWidget* top) {
  QRect f = top->frameGeometry(), g = top->geometry();
  return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// The frame of a shown decorated window other than `except` that the window
// manager has framed already; none before the first is framed. One window
// manager draws the same title bar on all of them, give or take a border.
QMargins someFrame(const WindowRec* except) {
  for (int n : windowOrder()) {
    WindowRec* w = findWindow(n);
    if (w && w != except && !(w->flags & WIN_BORDERLESS) && w->top->isVisible() && isFramed(w->top))
      return framedMargins(w->top);
  }
  return {};
}

QMargins frameOf(const WindowRec& w) {
  if (w.flags & WIN_BORDERLESS) return {};
  return isFramed(w.top) ? framedMargins(w.top) : someFrame(&w);
}

// The screen of the first window opened that is still open (the main
// window): the others open there, and so does that one.
QScreen* homeScreen() {
  for (int n : windowOrder())
    if (WindowRec* w = findWindow(n))
      if (QScreen* s = w->top->screen()) return s;
  return QGuiApplication::primaryScreen();
}

QRect homeArea() {
  QScreen* s = homeScreen();
  return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Centred in `area`; along a side where the frame is larger than the area,
// at the area's start, so that the title bar and the top-left stay on it.
QPoint centredIn(const QRect& area, const QSize& frame) {
  int x = frame.width() > area.width() ? area.x() : area.x() + (area.width() - frame.width()) / 2;
  int y = frame.height() > area.height() ? area.y() : area.y() + (area.height() - frame.height()) / 2;
  return {x, y};
}

}  // namespace

void moveWindowFrame(WindowRec& w, int x, int y) {
  QPoint p(x, y);
  // Until the window manager has framed a window that exists on the screen,
  // Qt puts its inner area where the frame was asked for, a title bar too
  // high; the frame another window has tells how far to move it down.
  if (w.top->testAttribute(Qt::WA_WState_Created) && !isFramed(w.top) && !(w.flags & WIN_BORDERLESS)) {
    QMargins m = someFrame(&w);
    p += QPoint(m.left(), m.top());
  }
  w.top->move(p);
}

void centerWindow(int window, int onWindow) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  QSize frame = w->top->size().grownBy(frameOf(*w));
  QPoint p;
  if (WindowRec* on = findWindow(onWindow)) {
    QRect area = on->top->frameGeometry();
    p = QPoint(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
  } else {
    p = centredIn(homeArea(), frame);
  }
  moveWindowFrame(*w, p.x(), p.y());
}

bool isTitleBarOnScreen(int x, int y, int innerWidth) {
  QMargins m = someFrame(nullptr);
  int middle = x + (innerWidth + m.left() + m.right()) / 2;
  QPoint top(middle, y), bottom(middle, y + std::max(1, m.top()) - 1);
  for (QScreen* s : QGuiApplication::screens()) {
    QRect area = s->availableGeometry();
    if (area.contains(top) && area.contains(bottom)) return true;
  }
  return false;
}

int desktopWidth() { return homeArea().width(); }
int desktopHeight() { return homeArea().height(); }
