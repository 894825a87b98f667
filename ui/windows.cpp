// Numbered top-level windows: an inner area that holds the gadgets, an
// optional menu bar above it, and the window events.
#include "ui/ui_internal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// The newest shown, enabled window opened (directly or further down) from
// `window`; 0 when there is none.
int newestModalChild(int window) {
  const std::vector<int>& order = windowOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    WindowRec* w = findWindow(*it);
    if (!w || *it == window || !w->top->isVisible() || !w->top->isEnabled()) continue;
    for (WindowRec* p = findWindow(w->parent); p; p = findWindow(p->parent))
      if (p->number == window) return *it;
  }
  return 0;
}

// A click on a window that a modal child has disabled brings that child to
// the front, instead of leaving it hidden behind a window that takes nothing.
class DisabledClickFilter : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::MouseButtonPress || !o->isWidgetType()) return false;
    QWidget* top = static_cast<QWidget*>(o)->window();
    if (top->isEnabled()) return false;
    for (auto& [number, rec] : windowTable()) {
      if (rec.top != top) continue;
      if (int child = newestModalChild(number)) activateWindow(child);
      break;
    }
    return false;
  }
};

void watchDisabledClicks() {
  static DisabledClickFilter* filter = nullptr;
  if (filter) return;
  filter = new DisabledClickFilter;
  filter->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(int number) : number_(number) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    // The window manager's close request (close box, Alt+F4) never closes a
    // window by itself: with a close box it becomes an event for the
    // window's own loop, without one it is refused.
    e->ignore();
    WindowRec* w = findWindow(number_);
    if (!w || !(w->flags & WIN_CLOSEBOX) || !isEnabled()) return;
    postEvent(EV_CLOSEWINDOW, number_, 0);
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    WindowRec* w = findWindow(number_);
    if (!w) return;
    int mh = w->menuBar ? w->menuBar->sizeHint().height() : 0;
    if (w->menuBar) w->menuBar->setGeometry(0, 0, width(), mh);
    w->client->setGeometry(0, mh, width(), std::max(0, height() - mh));
    if (!w->opening) postEvent(EV_SIZEWINDOW, number_, 0);
  }
  void moveEvent(QMoveEvent* e) override {
    QWidget::moveEvent(e);
    WindowRec* w = findWindow(number_);
    if (w && !w->opening) postEvent(EV_MOVEWINDOW, number_, 0);
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    WindowRec* w = findWindow(number_);
    if (!w) return;
    if (e->type() == QEvent::WindowStateChange) {
      int state = getWindowState(number_);
      if (state == WINSTATE_MINIMIZED && !(w->flags & WIN_MINIMIZEBOX) && !w->opening) {
        // A window manager that shows a minimise button on every window must
        // not hide a window that has none: it would leave its parent disabled
        // with nothing to answer.
        QTimer::singleShot(0, this, [this] {
          if (windowState() & Qt::WindowMinimized) showNormal();
        });
        return;
      }
      if (state != w->lastState && !w->opening) {
        if (state == WINSTATE_MAXIMIZED) postEvent(EV_MAXIMIZEWINDOW, number_, 0);
        else if (state == WINSTATE_MINIMIZED) postEvent(EV_MINIMIZEWINDOW, number_, 0);
        else postEvent(EV_RESTOREWINDOW, number_, 0);
      }
      w->lastState = state;
    } else if (e->type() == QEvent::ActivationChange && isActiveWindow() && !w->opening) {
      postEvent(EV_ACTIVATEWINDOW, number_, 0);
    }
  }

 private:
  int number_;
};

// A window opened from another is a dialog to the window system: only then
// does it carry the transient-for link that keeps it above its parent.
Qt::WindowFlags qtFlags(int flags, bool hasParent) {
  Qt::WindowFlags f = hasParent ? Qt::Dialog : Qt::Window;
  if (flags & WIN_BORDERLESS) {
    f |= Qt::FramelessWindowHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (flags & WIN_CLOSEBOX) f |= Qt::WindowCloseButtonHint;
    if (flags & WIN_MINIMIZEBOX) f |= Qt::WindowMinimizeButtonHint;
    if (flags & WIN_MAXIMIZEBOX) f |= Qt::WindowMaximizeButtonHint;
  }
  if (flags & WIN_STAYONTOP) f |= Qt::WindowStaysOnTopHint;
  return f;
}

int menuBarHeight(const WindowRec& w) { return w.menuBar ? w.menuBar->sizeHint().height() : 0; }

void setInnerSize(WindowRec& w, int iw, int ih) {
  int h = ih + menuBarHeight(w);
  if (w.flags & WIN_SIZEGADGET) {
    w.top->setMinimumSize(0, 0);
    w.top->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.top->resize(iw, h);
  } else {
    w.top->setFixedSize(iw, h);
  }
}

// F11 in a window that may fill the screen switches full-screen mode on
// and off; a maximised window comes back maximised. It is kept with the
// window's shortcuts, so the driver can press it too.
void addFullScreenKey(WindowRec& w) {
  auto* sc = new QShortcut(QKeySequence(Qt::Key_F11), w.top);
  sc->setContext(Qt::WindowShortcut);
  sc->setAutoRepeat(false);
  QWidget* top = w.top;
  QObject::connect(sc, &QShortcut::activated, top, [top] {
    if (top->isEnabled()) top->setWindowState(top->windowState() ^ Qt::WindowFullScreen);
  });
  w.shortcuts[KEY_F1 + 10] = sc;
}

}  // namespace

int openWindow(int number, int x, int y, int innerWidth, int innerHeight, const std::string& title,
               int flags, int parent) {
  if (!isApplicationReady()) return 0;
  watchDisabledClicks();
  int n = resolveNumber(number);
  if (!n || innerWidth < 0 || innerHeight < 0) return 0;
  if (findWindow(n)) closeWindow(n);
  WindowRec& w = windowTable()[n];
  w.number = n;
  w.flags = flags;
  w.parent = findWindow(parent) ? parent : 0;
  w.title = title;
  auto* top = new WindowWidget(n);
  top->setAttribute(Qt::WA_DeleteOnClose, false);
  top->setWindowFlags(qtFlags(flags, w.parent != 0));
  top->setWindowTitle(qs(title));
  w.top = top;
  w.client = new QWidget(top);
  setInnerSize(w, innerWidth, innerHeight);
  moveWindowFrame(w, x, y);
  if (flags & WIN_SCREENCENTERED) centerWindow(n, 0);
  else if (flags & WIN_WINDOWCENTERED) centerWindow(n, w.parent);
  if (WindowRec* p = findWindow(w.parent)) {
    // A transient parent keeps the window above its parent without making it
    // a Qt child, which would disable it together with the parent.
    top->winId();
    p->top->winId();
    if (top->windowHandle() && p->top->windowHandle())
      top->windowHandle()->setTransientParent(p->top->windowHandle());
  }
  if (flags & WIN_FULLSCREEN) addFullScreenKey(w);
  addWindowOrder(n);
  setCurrentListWindow(n);
  if (!(flags & WIN_INVISIBLE)) {
    if (flags & WIN_MAXIMIZE) top->showMaximized();
    else top->show();
  }
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  w.lastState = getWindowState(n);
  w.opening = false;
  return n;
}

void closeWindow(int window) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  // Windows opened from this one go first.
  std::vector<int> children;
  for (auto& [num, rec] : windowTable())
    if (rec.parent == window) children.push_back(num);
  for (int c : children) closeWindow(c);
  w = findWindow(window);
  if (!w) return;
  std::vector<int> own;
  for (auto& [num, g] : gadgetTable())
    if (g.window == window) own.push_back(num);
  for (int g : own) {
    GadgetRec* rec = findGadget(g);
    if (!rec) continue;
    if (rec->onFree) rec->onFree(g);
    if (rec->kind == GK_CANVAS) canvasFreed(*rec);
    forgetGadgetRecord(g);
  }
  closeWindowMenus(window);
  stopWindowTimers(window);
  purgeEvents(window, 0, EV_NONE);
  QWidget* top = w->top;
  w->opening = true;   // no more events from it
  removeWindowOrder(window);
  windowTable().erase(window);
  top->hide();
  top->deleteLater();
}

bool isWindow(int window) { return findWindow(window) != nullptr; }

QWidget* windowWidget(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->top : nullptr;
}

void setWindowTitle(int window, const std::string& title) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  w->title = title;
  w->top->setWindowTitle(qs(title));
}

std::string getWindowTitle(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->title : std::string();
}

void disableWindow(int window, bool disabled) {
  if (WindowRec* w = findWindow(window)) w->top->setEnabled(!disabled);
}

bool isWindowDisabled(int window) {
  WindowRec* w = findWindow(window);
  return w ? !w->top->isEnabled() : false;
}

void activateWindow(int window) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  w->top->raise();
  w->top->activateWindow();
}

void setWindowStayOnTop(int window, bool onTop) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  if (onTop) w->flags |= WIN_STAYONTOP;
  else w->flags &= ~WIN_STAYONTOP;
  bool visible = w->top->isVisible();
  bool was = w->opening;
  w->opening = true;
  w->top->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (visible) w->top->show();   // changing the flags hides a window
  w->opening = was;
}

void setWindowState(int window, int state) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  if (state == WINSTATE_MAXIMIZED) w->top->showMaximized();
  else if (state == WINSTATE_MINIMIZED) w->top->showMinimized();
  else w->top->showNormal();
}

int getWindowState(int window) {
  WindowRec* w = findWindow(window);
  if (!w) return WINSTATE_NORMAL;
  Qt::WindowStates s = w->top->windowState();
  if (s & Qt::WindowMinimized) return WINSTATE_MINIMIZED;
  if (s & Qt::WindowMaximized) return WINSTATE_MAXIMIZED;
  return WINSTATE_NORMAL;
}

bool isWindowFullScreen(int window) {
  WindowRec* w = findWindow(window);
  return w && (w->top->windowState() & Qt::WindowFullScreen);
}

void resizeWindow(int window, int x, int y, int innerWidth, int innerHeight) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  QPoint p = w->top->pos();
  if (x != UI_IGNORE || y != UI_IGNORE) moveWindowFrame(*w, x == UI_IGNORE ? p.x() : x, y == UI_IGNORE ? p.y() : y);
  if (innerWidth != UI_IGNORE || innerHeight != UI_IGNORE)
    setInnerSize(*w, innerWidth == UI_IGNORE ? w->client->width() : std::max(0, innerWidth),
                 innerHeight == UI_IGNORE ? w->client->height() : std::max(0, innerHeight));
}

int windowX(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->top->x() : 0;
}
int windowY(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->top->y() : 0;
}
int windowWidth(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->client->width() : 0;
}
int windowHeight(int window) {
  WindowRec* w = findWindow(window);
  return w ? w->client->height() : 0;
}

void setWindowColor(int window, int color) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  w->color = color;
  QPalette pal = w->client->palette();
  pal.setColor(QPalette::Window, QColor(color & 255, (color >> 8) & 255, (color >> 16) & 255));
  w->client->setPalette(pal);
  w->client->setAutoFillBackground(color >= 0);
}

int menuHeight() { return 0; }

// Called by the menu code when a window gets its menu bar and whenever the
// bar gets a title: the bar sits above the inner area, which keeps its size.
void placeMenuBar(int window) {
  WindowRec* w = findWindow(window);
  if (!w || !w->menuBar) return;
  int iw = w->client->width(), ih = w->client->height();
  bool was = w->opening;
  w->opening = true;
  setInnerSize(*w, iw, ih);
  int mh = menuBarHeight(*w);
  w->menuBar->setGeometry(0, 0, w->top->width(), mh);
  w->client->setGeometry(0, mh, w->top->width(), ih);
  w->opening = was;
}

void attachMenuBar(int window, QMenuBar* bar) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  w->menuBar = bar;
  bar->setParent(w->top);
  bar->show();
  placeMenuBar(window);
}

void detachMenuBar(int window) {
  WindowRec* w = findWindow(window);
  if (!w || !w->menuBar) return;
  int iw = w->client->width(), ih = w->client->height();
  w->menuBar = nullptr;
  bool was = w->opening;
  w->opening = true;
  setInnerSize(*w, iw, ih);
  w->client->setGeometry(0, 0, iw, ih);
  w->opening = was;
}

std::string describeWindow(int window) {
  WindowRec* w = findWindow(window);
  if (!w) return "no window";
  return "window " + std::to_string(window) + " \"" + w->title + "\"";
}
