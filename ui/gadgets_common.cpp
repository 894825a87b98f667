// The procedures every gadget kind answers: text, state, font, colours,
// place and size, enabling, tooltips and attributes; freeing; registering
// widgets made outside this folder.
#include "ui/ui_internal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <deque>

namespace {
std::map<int, CustomGadgetHooks> customHooks;

std::vector<QPointer<QWidget>> frozenHolders;

struct Spares {
  QPointer<QWidget> parent;
  int kind;
  std::deque<QPointer<QWidget>> widgets;   // the first freed is taken first: stacking stays
};
std::vector<Spares> spares;

// The spare widgets in `holder` or inside it go, as freed widgets go.
void dropSpares(QWidget* holder) {
  std::erase_if(spares, [holder](Spares& s) {
    if (s.parent && s.parent != holder && !holder->isAncestorOf(s.parent)) return false;
    for (QPointer<QWidget>& w : s.widgets) {
      if (!w) continue;
      w->hide();
      w->deleteLater();
    }
    return true;
  });
}

QColor qcolor(int c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }

// The widget whose colours a gadget's colours are: the inner list of a
// scroll area, the widget itself otherwise.
QWidget* colourTarget(GadgetRec& g) { return g.inner ? g.inner : g.widget; }
}  // namespace

void registerGadgetHooks(int kind, const CustomGadgetHooks& hooks) { customHooks[kind] = hooks; }

bool customSetText(GadgetRec& g, const std::string& text) {
  auto it = customHooks.find(g.kind);
  if (it == customHooks.end() || !it->second.setText) return false;
  it->second.setText(g.number, text);
  return true;
}

bool customGetText(GadgetRec& g, std::string& text) {
  auto it = customHooks.find(g.kind);
  if (it == customHooks.end() || !it->second.getText) return false;
  text = it->second.getText(g.number);
  return true;
}

int registerGadget(int number, QWidget* widget, int kind, int x, int y, int w, int h,
                   void (*onFree)(int gadget)) {
  if (!widget || kind < GK_CUSTOM) return 0;
  QWidget* parent = currentGadgetParent();
  int n = claimGadget(number);
  if (!n) return 0;
  if (widget->parentWidget() != parent) widget->setParent(parent);
  finishGadget(n, kind, widget, x, y, w, h, 0);
  findGadget(n)->onFree = onFree;
  return n;
}

QWidget* gadgetWidget(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->widget : nullptr;
}

bool isGadget(int gadget) { return findGadget(gadget) != nullptr; }

int liveGadgetCount() { return int(gadgetTable().size()); }

int gadgetKind(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->kind : GK_NONE;
}

int gadgetWindow(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->window : 0;
}

void freeGadget(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QWidget* widget = g->widget;
  // Gadgets inside this one (panel pages, scroll areas, containers) go with it.
  const int window = g->window;
  for (int c : gadgetsInside(widget))
    if (gadgetWindow(c) == window) freeGadget(c);
  g = findGadget(gadget);
  if (!g) return;
  if (g->onFree) g->onFree(gadget);
  if (g->kind == GK_CANVAS) canvasFreed(*g);
  purgeEvents(0, gadget, EV_GADGET);
  const int kind = g->kind;
  forgetGadgetRecord(gadget);
  // Deleted later: the gadget may be freed while Qt is still delivering one
  // of its events further up the stack.
  forgetGadgetList(widget);
  if (keepSpareWidget(kind, widget)) return;
  widget->hide();
  widget->deleteLater();
}

void setGadgetText(int gadget, const std::string& text) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (listSetText(*g, text)) return;
  if (customSetText(*g, text)) return;
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    e->setText(qs(text));
    e->setCursorPosition(0);
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
    e->setPlainText(qs(text));
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(qs(text));
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    g->text = text;
    if (!qobject_cast<QToolButton*>(w)) b->setText(escapeMnemonic(text));
  } else if (auto* f = qobject_cast<QGroupBox*>(w)) {
    f->setTitle(qs(text));
  } else if (auto* s = qobject_cast<QSpinBox*>(w)) {
    s->setValue(QString::fromStdString(text).toInt());
  }
}

std::string getGadgetText(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return std::string();
  std::string out;
  QWidget* w = g->widget;
  if (listGetText(*g, out)) return out;
  if (customGetText(*g, out)) return out;
  if (auto* e = qobject_cast<QLineEdit*>(w)) return ss(e->text());
  if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return ss(e->toPlainText());
  if (auto* l = qobject_cast<QLabel*>(w)) return ss(l->text());
  if (qobject_cast<QAbstractButton*>(w)) return g->text;
  if (auto* f = qobject_cast<QGroupBox*>(w)) return ss(f->title());
  if (auto* s = qobject_cast<QSpinBox*>(w)) return ss(s->text());
  return std::string();
}

void setGadgetState(int gadget, int state) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QuietScope quiet;
  if (listSetState(*g, state) || panelSetState(*g, state)) return;
  QWidget* w = g->widget;
  if (g->kind == GK_OPTION) setOptionState(*g, state != 0);
  else if (g->kind == GK_IMAGE) setImageOfPicture(*g, state);
  else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setChecked(state != 0);
  else if (auto* s = qobject_cast<QSlider*>(w)) s->setValue(state);
  else if (auto* s = qobject_cast<QSpinBox*>(w)) s->setValue(state);
}

int getGadgetState(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return 0;
  int state = 0;
  if (listGetState(*g, state) || panelGetState(*g, state)) return state;
  QWidget* w = g->widget;
  if (g->kind == GK_IMAGE) return g->image;
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->isChecked() ? 1 : 0;
  if (auto* s = qobject_cast<QSlider*>(w)) return s->value();
  if (auto* s = qobject_cast<QSpinBox*>(w)) return s->value();
  return 0;
}

void setGadgetFont(int gadget, int font) {
  if (GadgetRec* g = findGadget(gadget)) g->widget->setFont(fontOf(font));
}

void setGadgetColor(int gadget, int which, int color) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QWidget* w = colourTarget(*g);
  QPalette pal = w->palette();
  bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
               qobject_cast<QAbstractItemView*>(w);
  if (which == COLOR_FRONT) {
    g->front = color;
    pal.setColor(field ? QPalette::Text : QPalette::WindowText, qcolor(color));
    pal.setColor(QPalette::ButtonText, qcolor(color));
  } else if (which == COLOR_BACK) {
    g->back = color;
    pal.setColor(field ? QPalette::Base : QPalette::Window, qcolor(color));
    if (!field) w->setAutoFillBackground(true);
    if (auto* area = qobject_cast<QScrollArea*>(g->widget)) {
      // The part of the area that the inner size does not cover, too.
      QPalette vp = area->viewport()->palette();
      vp.setColor(QPalette::Window, qcolor(color));
      area->viewport()->setPalette(vp);
      area->viewport()->setAutoFillBackground(true);
    }
  }
  w->setPalette(pal);
}

int getGadgetColor(int gadget, int which) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return -1;
  return which == COLOR_FRONT ? g->front : which == COLOR_BACK ? g->back : -1;
}

void resizeGadget(int gadget, int x, int y, int w, int h) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QRect r = g->widget->geometry();
  int nx = x == UI_IGNORE ? r.x() : x, ny = y == UI_IGNORE ? r.y() : y;
  int nw = w == UI_IGNORE ? r.width() : std::max(0, w), nh = h == UI_IGNORE ? r.height() : std::max(0, h);
  if (g->kind == GK_CANVAS && (nw != r.width() || nh != r.height())) canvasResized(*g, nw, nh);
  g->widget->setGeometry(nx, ny, nw, nh);
}

int gadgetX(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->widget->x() : 0;
}
int gadgetY(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->widget->y() : 0;
}
int gadgetWidth(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->widget->width() : 0;
}
int gadgetHeight(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? g->widget->height() : 0;
}

void disableGadget(int gadget, bool disabled) {
  if (GadgetRec* g = findGadget(gadget)) g->widget->setEnabled(!disabled);
}

bool isGadgetDisabled(int gadget) {
  GadgetRec* g = findGadget(gadget);
  return g ? !g->widget->isEnabled() : false;
}

void hideGadget(int gadget, bool hidden) {
  if (GadgetRec* g = findGadget(gadget)) g->widget->setVisible(!hidden);
}

bool keepSpareWidget(int kind, QWidget* widget) {
  if (kind != GK_IMAGE && kind != GK_TEXT) return false;
  QWidget* parent = widget->parentWidget();
  bool frozen = false;
  for (const QPointer<QWidget>& h : frozenHolders)
    if (h && (h == parent || h->isAncestorOf(parent))) frozen = true;
  if (!frozen || !widget->findChildren<QWidget*>().isEmpty()) return false;
  for (Spares& s : spares) {
    if (s.parent == parent && s.kind == kind) {
      s.widgets.push_back(widget);
      return true;
    }
  }
  spares.push_back({parent, kind, {widget}});
  return true;
}

QWidget* takeSpareWidget(int kind) {
  QWidget* parent = currentGadgetParent();
  for (Spares& s : spares) {
    if (s.parent != parent || s.kind != kind) continue;
    while (!s.widgets.empty()) {
      QPointer<QWidget> w = s.widgets.front();
      s.widgets.pop_front();
      if (!w) continue;
      // What the procedures of a gadget may have changed goes back to the
      // state of a new widget.
      w->setEnabled(true);
      w->setToolTip(QString());
      if (w->testAttribute(Qt::WA_SetPalette)) w->setPalette(QPalette());
      // The font goes back to the default when the gadget is finished.
      w->setAutoFillBackground(false);
      return w;
    }
  }
  return nullptr;
}

void freezeGadget(int gadget, bool frozen) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  std::erase_if(frozenHolders, [&](const QPointer<QWidget>& h) { return !h || h == g->widget; });
  if (frozen) {
    frozenHolders.push_back(g->widget);
    g->widget->setUpdatesEnabled(false);
    return;
  }
  dropSpares(g->widget);
  if (g->widget->updatesEnabled()) return;
  // The repaints that showing each new widget asked for find updates off
  // and do nothing; the widgets inside are let go without a repaint each,
  // and the gadget repaints whole as updates come back on.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
  for (QWidget* w : g->widget->findChildren<QWidget*>())
    if (!w->isWindow() && !w->testAttribute(Qt::WA_ForceUpdatesDisabled)) w->setAttribute(Qt::WA_UpdatesDisabled, false);
  g->widget->setUpdatesEnabled(true);
  g->widget->update();
}

void gadgetToolTip(int gadget, const std::string& text) {
  if (GadgetRec* g = findGadget(gadget)) g->widget->setToolTip(qs(text));
}

void setActiveGadget(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QuietScope quiet;
  g->widget->setFocus(Qt::OtherFocusReason);
}

void setGadgetAttribute(int gadget, int attribute, int value) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QuietScope quiet;
  int unused = 0;
  if (panelAttribute(*g, attribute, value, true, unused)) return;
  switch (attribute) {
    case ATTR_IMAGE:
      setImageOfPicture(*g, value);
      break;
    case ATTR_TRACK_MINIMUM:
    case ATTR_TRACK_MAXIMUM:
      if (auto* s = qobject_cast<QSlider*>(g->widget)) {
        if (attribute == ATTR_TRACK_MINIMUM) s->setMinimum(value);
        else s->setMaximum(value);
      } else if (auto* s = qobject_cast<QSpinBox*>(g->widget)) {
        if (attribute == ATTR_TRACK_MINIMUM) s->setMinimum(value);
        else s->setMaximum(value);
      }
      break;
    case ATTR_MAXLENGTH:
      if (auto* e = qobject_cast<QLineEdit*>(g->widget)) e->setMaxLength(value > 0 ? value : 32767);
      break;
    case ATTR_LISTICON_ICONSIZE:
      if (auto* v = qobject_cast<QAbstractItemView*>(g->widget)) v->setIconSize(QSize(value, value));
      break;
    default:
      break;
  }
}

int getGadgetAttribute(int gadget, int attribute) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return 0;
  int out = 0;
  if (panelAttribute(*g, attribute, 0, false, out)) return out;
  switch (attribute) {
    case ATTR_IMAGE:
      return g->image;
    case ATTR_TRACK_MINIMUM:
      if (auto* s = qobject_cast<QSlider*>(g->widget)) return s->minimum();
      if (auto* s = qobject_cast<QSpinBox*>(g->widget)) return s->minimum();
      return 0;
    case ATTR_TRACK_MAXIMUM:
      if (auto* s = qobject_cast<QSlider*>(g->widget)) return s->maximum();
      if (auto* s = qobject_cast<QSpinBox*>(g->widget)) return s->maximum();
      return 0;
    case ATTR_MAXLENGTH:
      if (auto* e = qobject_cast<QLineEdit*>(g->widget)) return e->maxLength();
      return 0;
    case ATTR_LISTICON_ICONSIZE:
      if (auto* v = qobject_cast<QAbstractItemView*>(g->widget)) return v->iconSize().width();
      return 0;
    default:
      return 0;
  }
}

std::string describeGadget(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return "no gadget " + std::to_string(gadget);
  std::string s = "gadget " + std::to_string(gadget);
  if (WindowRec* w = findWindow(g->window))
    for (auto& [name, num] : w->names)
      if (num == gadget) return s + " \"" + name + "\"";
  if (!g->text.empty()) s += " \"" + g->text + "\"";
  return s;
}
