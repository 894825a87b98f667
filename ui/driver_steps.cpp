// Running a driver step against the real widgets: the same signals and
// event handlers fire as for a user's input, so the path from the widget to
// the queue and the window's loop is the production one.
#include "ui/driver_internal.h"
#include "ui/ui_internal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWheelEvent>

namespace {

int gadgetByText(int window, const std::string& text) {
  for (auto& [num, g] : gadgetTable())
    if (g.window == window && !g.text.empty() && g.text == text &&
        (g.kind == GK_BUTTON || g.kind == GK_CHECKBOX || g.kind == GK_OPTION))
      return num;
  return 0;
}

void send(QWidget* w, QEvent* e) { QCoreApplication::sendEvent(w, e); }

void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, mods);
  send(w, &e);
}

void click(QWidget* w, QPoint pos, Qt::MouseButton b, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  mouse(w, QEvent::MouseButtonPress, pos, b, b, mods);
  mouse(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton, mods);
}

void doubleClick(QWidget* w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  click(w, pos, Qt::LeftButton, mods);
  mouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton, mods);
  mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, mods);
}

Qt::MouseButtons qtButtons(int buttons) {
  Qt::MouseButtons b;
  if (buttons & BUTTON_LEFT) b |= Qt::LeftButton;
  if (buttons & BUTTON_RIGHT) b |= Qt::RightButton;
  if (buttons & BUTTON_MIDDLE) b |= Qt::MiddleButton;
  return b;
}

// The gadget of a step when a user could reach it: it exists, and it and
// its window take input and are shown.
GadgetRec* reachable(const DriverItem& it) {
  int n = resolveGadgetRef(it.gadget);
  GadgetRec* g = findGadget(n);
  std::string what = describeItem(it);
  if (!g) {
    driverFail(what + ": no such gadget in the open windows");
    return nullptr;
  }
  WindowRec* w = findWindow(g->window);
  if (!w || !w->top->isEnabled()) {
    driverFail(what + ": its window is disabled");
    return nullptr;
  }
  if (!g->widget->isEnabled()) {
    driverFail(what + ": the gadget is disabled");
    return nullptr;
  }
  if (!g->widget->isVisibleTo(w->top)) {
    driverFail(what + ": the gadget is hidden (on another tab?)");
    return nullptr;
  }
  return g;
}

WindowRec* windowOf(const DriverItem& it) {
  WindowRec* w = findWindow(resolveWindowRef(it.window));
  if (!w) driverFail(describeItem(it) + ": no such window");
  return w;
}

QAbstractItemView* viewOf(GadgetRec& g) { return qobject_cast<QAbstractItemView*>(g.widget); }

void rowClick(const DriverItem& it, int how) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  QAbstractItemView* v = viewOf(*g);
  if (!v) return driverFail(describeItem(it) + ": not a list");
  v->doItemsLayout();
  QRect r = listRowRect(*g, it.a);
  if (r.isEmpty()) return driverFail(describeItem(it) + ": no such row");
  QPoint p = r.center();
  if (how == 0) click(v->viewport(), p, Qt::LeftButton);
  else if (how == 1) doubleClick(v->viewport(), p);
  else click(v->viewport(), p, Qt::RightButton);
}

void setText(const DriverItem& it) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  QWidget* w = g->widget;
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    if (e->isReadOnly()) return driverFail(describeItem(it) + ": the field is read-only");
    // Typed over the whole text, through the field's digit filter if it has one.
    e->setFocus(Qt::OtherFocusReason);
    e->selectAll();
    if (it.text.empty()) e->del();
    else e->insert(qs(it.text));
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
    if (e->isReadOnly()) return driverFail(describeItem(it) + ": the editor is read-only");
    e->setPlainText(qs(it.text));
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (c->isEditable()) {
      c->setEditText(qs(it.text));
    } else {
      int i = c->findText(qs(it.text), Qt::MatchExactly | Qt::MatchCaseSensitive);
      if (i < 0) return driverFail(describeItem(it) + ": no item has this text");
      c->setCurrentIndex(i);
    }
  } else if (auto* s = qobject_cast<QSpinBox*>(w)) {
    s->setValue(qs(it.text).toInt());
  } else if (customSetText(*g, it.text)) {
    pushGadgetEvent(g->number, ET_CHANGE);
  } else {
    driverFail(describeItem(it) + ": this gadget takes no text");
  }
}

void choose(const DriverItem& it) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  QWidget* w = g->widget;
  int i = it.a;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (it.kind == STEP_CHOOSETEXT) i = c->findText(qs(it.text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0 || i >= c->count()) return driverFail(describeItem(it) + ": no such item");
    c->setCurrentIndex(i);
  } else if (it.kind == STEP_CHOOSETEXT) {
    driverFail(describeItem(it) + ": not a drop-down list");
  } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
    if (i < 0 || i >= t->count() || !t->isTabEnabled(i)) return driverFail(describeItem(it) + ": no such tab");
    t->setCurrentIndex(i);
  } else if (auto* s = qobject_cast<QSlider*>(w)) {
    if (i < s->minimum() || i > s->maximum()) return driverFail(describeItem(it) + ": out of range");
    s->setValue(i);
  } else if (auto* s = qobject_cast<QSpinBox*>(w)) {
    s->setValue(i);
  } else if (viewOf(*g)) {
    rowClick(it, 0);
  } else {
    driverFail(describeItem(it) + ": nothing to choose in this gadget");
  }
}

void clickGadget(const DriverItem& it) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  QWidget* w = g->widget;
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    if (it.kind == STEP_CHECK) {
      if (!b->isCheckable()) return driverFail(describeItem(it) + ": not a check box or toggle");
      if (b->isChecked() == (it.a != 0)) return;
      if (g->kind == GK_OPTION && !it.a) return driverFail(describeItem(it) + ": an option is cleared by another");
    } else if (it.kind != STEP_CLICK) {
      return driverFail(describeItem(it) + ": buttons take single clicks");
    }
    b->click();
    return;
  }
  if (it.kind == STEP_CHECK || viewOf(*g) || qobject_cast<QLineEdit*>(w))
    return driverFail(describeItem(it) + ": not something to click");
  QPoint centre = w->rect().center();
  if (it.kind == STEP_DOUBLECLICK) doubleClick(w, centre);
  else click(w, centre, it.kind == STEP_RIGHTCLICK ? Qt::RightButton : Qt::LeftButton);
}

void canvasStep(const DriverItem& it) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  if (g->kind != GK_CANVAS) return driverFail(describeItem(it) + ": not a canvas");
  QWidget* w = g->widget;
  Qt::KeyboardModifiers mods = qtModifiers(it.e);
  if (it.kind == STEP_CANVASKEY) {
    if (w->focusPolicy() == Qt::NoFocus) return driverFail(describeItem(it) + ": this canvas takes no keys");
    int key = qtKeyFromKey(it.a);
    QString text = it.a >= 0x20 && it.a <= 0x7e ? QString(QChar(it.a)) : QString();
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    send(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    send(w, &release);
    return;
  }
  QPoint p(it.b, it.c);
  Qt::MouseButtons held = qtButtons(it.d);
  switch (it.a) {
    case ET_MOUSEENTER: {
      QEnterEvent e{QPointF(p), QPointF(p), QPointF(w->mapToGlobal(p))};
      send(w, &e);
      break;
    }
    case ET_MOUSELEAVE: {
      QEvent e(QEvent::Leave);
      send(w, &e);
      break;
    }
    case ET_MOUSEMOVE: mouse(w, QEvent::MouseMove, p, Qt::NoButton, held, mods); break;
    case ET_LEFTBUTTONDOWN: mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, held | Qt::LeftButton, mods); break;
    case ET_LEFTBUTTONUP: mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, held & ~Qt::LeftButton, mods); break;
    case ET_RIGHTBUTTONDOWN:
      mouse(w, QEvent::MouseButtonPress, p, Qt::RightButton, held | Qt::RightButton, mods);
      break;
    case ET_RIGHTBUTTONUP:
      mouse(w, QEvent::MouseButtonRelease, p, Qt::RightButton, held & ~Qt::RightButton, mods);
      break;
    case ET_LEFTCLICK: click(w, p, Qt::LeftButton, mods); break;
    case ET_RIGHTCLICK: click(w, p, Qt::RightButton, mods); break;
    case ET_LEFTDOUBLECLICK: doubleClick(w, p, mods); break;
    default: driverFail(describeItem(it) + ": no such canvas event"); break;
  }
}

void wheelStep(const DriverItem& it) {
  GadgetRec* g = reachable(it);
  if (!g) return;
  QWidget* w = g->widget;
  if (g->kind == GK_SCROLLAREA) w = static_cast<QScrollArea*>(g->widget)->viewport();
  else if (g->kind != GK_CANVAS) return driverFail(describeItem(it) + ": not a canvas or scroll area");
  QPoint p = w->rect().center();
  QWheelEvent e(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, 120 * it.a), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  send(w, &e);
}

void menuStep(const DriverItem& it) {
  if (it.kind == STEP_POPUP) {
    int menu = shownPopupMenu();
    if (!menu) return driverFail(describeItem(it) + ": no popup menu is shown");
    QAction* a = findPopupAction(menu, it.a);
    clearShownPopup();
    if (!a) return driverFail(describeItem(it) + ": the popup menu " + std::to_string(menu) + " has no such item");
    if (!a->isEnabled()) return driverFail(describeItem(it) + ": the item is disabled");
    a->trigger();
    return;
  }
  int window = 0;
  QAction* a = findMenuBarAction(it.a, &window);
  if (!a) return driverFail(describeItem(it) + ": no menu bar has this item");
  if (isWindowDisabled(window)) return driverFail(describeItem(it) + ": its window is disabled");
  if (!a->isEnabled()) return driverFail(describeItem(it) + ": the item is disabled");
  a->trigger();
}

void shortcutStep(const DriverItem& it) {
  WindowRec* w = windowOf(it);
  if (!w) return;
  if (!w->top->isEnabled()) return driverFail(describeItem(it) + ": the window is disabled");
  if (QShortcut* sc = findShortcut(w->number, it.a)) {
    emit sc->activated();
    return;
  }
  // Keys of menu items themselves (Quit's Ctrl+Q).
  QKeySequence seq(qtKeyFromKey(it.a & 0xFFFF) | ((it.a & SC_CONTROL) ? int(Qt::ControlModifier) : 0) |
                   ((it.a & SC_SHIFT) ? int(Qt::ShiftModifier) : 0) | ((it.a & SC_ALT) ? int(Qt::AltModifier) : 0));
  if (w->menuBar)
    for (QAction* a : w->menuBar->findChildren<QAction*>())
      if (a->shortcut() == seq && a->isEnabled()) {
        a->trigger();
        return;
      }
  driverFail(describeItem(it) + ": the window has no such shortcut");
}

}  // namespace

int resolveGadgetRef(const GadgetRef& ref) {
  if (ref.name.empty()) return findGadget(ref.number) ? ref.number : 0;
  const std::vector<int>& order = windowOrder();
  for (auto w = order.rbegin(); w != order.rend(); ++w) {
    if (int n = gadgetByName(*w, ref.name)) return n;
    if (int n = gadgetByText(*w, ref.name)) return n;
  }
  return 0;
}

int resolveWindowRef(const WindowRef& ref) {
  const std::vector<int>& order = windowOrder();
  if (ref.title.empty()) {
    if (ref.number) return findWindow(ref.number) ? ref.number : 0;
    return order.empty() ? 0 : order.back();
  }
  for (auto w = order.rbegin(); w != order.rend(); ++w)
    if (getWindowTitle(*w) == ref.title) return *w;
  return 0;
}

void runStep(const DriverItem& it) {
  switch (it.kind) {
    case STEP_SETTEXT: return setText(it);
    case STEP_CLICK:
    case STEP_CHECK:
    case STEP_DOUBLECLICK:
    case STEP_RIGHTCLICK: return clickGadget(it);
    case STEP_CHOOSE:
    case STEP_CHOOSETEXT: return choose(it);
    case STEP_SELECTROW: return rowClick(it, 0);
    case STEP_DOUBLECLICKROW: return rowClick(it, 1);
    case STEP_RIGHTCLICKROW: return rowClick(it, 2);
    case STEP_POPUP:
    case STEP_MENU: return menuStep(it);
    case STEP_SHORTCUT: return shortcutStep(it);
    case STEP_CANVAS:
    case STEP_CANVASKEY: return canvasStep(it);
    case STEP_WHEEL: return wheelStep(it);
    case STEP_TICK: {
      WindowRec* w = windowOf(it);
      if (!w) return;
      if (!w->timers.count(it.a)) return driverFail(describeItem(it) + ": the window has no such timer");
      return timerTick(w->number, it.a, true);
    }
    case STEP_RESIZE: {
      WindowRec* w = windowOf(it);
      if (!w) return;
      if (!(w->flags & WIN_SIZEGADGET)) return driverFail(describeItem(it) + ": the window cannot be resized");
      int mh = w->menuBar ? w->menuBar->sizeHint().height() : 0;
      w->top->resize(it.a, it.b + mh);
      return;
    }
    case STEP_CLOSEBOX: {
      WindowRec* w = windowOf(it);
      if (w) w->top->close();
      return;
    }
    case STEP_CALL:
      if (it.call) it.call();
      return;
    default: return;
  }
}
