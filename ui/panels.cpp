// Gadgets that hold gadgets: tab panels (one page a tab), scroll areas with
// an inner size, and plain containers.
#include "ui/ui_internal.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

namespace {

// Without a border flag a holder has no frame, so that an inner size equal
// to the holder's width needs no horizontal scroll bar.
void setBorder(QFrame* f, int flags) {
  if (flags & BORDER_FLAT) f->setFrameStyle(QFrame::Box | QFrame::Plain);
  else if (flags & BORDER_SINGLE) f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  else f->setFrameStyle(QFrame::NoFrame);
}

QTabWidget* tabsOf(GadgetRec& g) { return g.kind == GK_PANEL ? qobject_cast<QTabWidget*>(g.widget) : nullptr; }
QScrollArea* scrollOf(GadgetRec& g) {
  return g.kind == GK_SCROLLAREA ? qobject_cast<QScrollArea*>(g.widget) : nullptr;
}

// The size of a panel's page area. The tab widget places its pages lazily;
// a resize event brings them up to date before we read one.
QSize pageSize(QTabWidget* t) {
  QResizeEvent re(t->size(), t->size());
  QCoreApplication::sendEvent(t, &re);
  if (t->count() > 0 && t->widget(0)) return t->widget(0)->size();
  return QSize(std::max(0, t->width() - 4), std::max(0, t->height() - 4));
}

}  // namespace

int panelGadget(int number, int x, int y, int w, int h) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* t = new QTabWidget(currentGadgetParent());
  t->setIconSize(QSize(16, 16));
  // Every tab stays in sight: narrow panels shorten the tab texts instead
  // of hiding tabs behind scroll arrows.
  t->setUsesScrollButtons(false);
  t->setElideMode(Qt::ElideRight);
  QObject::connect(t, &QTabWidget::currentChanged, t, [n] { pushGadgetEvent(n, ET_CHANGE); });
  return finishGadget(n, GK_PANEL, t, x, y, w, h, 0);
}

int scrollAreaGadget(int number, int x, int y, int w, int h, int innerWidth, int innerHeight,
                     int scrollStep, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* s = new QScrollArea(currentGadgetParent());
  s->setWidgetResizable(false);
  auto* inner = new QWidget;
  inner->resize(std::max(0, innerWidth), std::max(0, innerHeight));
  s->setWidget(inner);
  s->horizontalScrollBar()->setSingleStep(std::max(1, scrollStep));
  s->verticalScrollBar()->setSingleStep(std::max(1, scrollStep));
  setBorder(s, flags);
  finishGadget(n, GK_SCROLLAREA, s, x, y, w, h, flags);
  findGadget(n)->inner = inner;
  return n;
}

int containerGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* f = new QFrame(currentGadgetParent());
  setBorder(f, flags);
  finishGadget(n, GK_CONTAINER, f, x, y, w, h, flags);
  findGadget(n)->inner = f;
  return n;
}

QWidget* gadgetListOf(int gadget, int item) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return nullptr;
  if (QTabWidget* t = tabsOf(*g)) {
    if (item < 0) item = t->count() - 1;
    return item >= 0 && item < t->count() ? t->widget(item) : nullptr;
  }
  if (g->kind == GK_SCROLLAREA || g->kind == GK_CONTAINER) return g->inner;
  return nullptr;
}

int panelAddItem(GadgetRec& g, int position, const std::string& text, int image) {
  QTabWidget* t = tabsOf(g);
  if (!t) return -1;
  auto* page = new QWidget;
  if (position < 0 || position > t->count()) position = t->count();
  return t->insertTab(position, page, iconOfImage(image), escapeMnemonic(text));
}

void panelRemoveItem(GadgetRec& g, int position) {
  QTabWidget* t = tabsOf(g);
  if (!t || position < 0 || position >= t->count()) return;
  QWidget* page = t->widget(position);
  // The gadgets on the page go with it.
  std::vector<int> inside;
  for (auto& [num, rec] : gadgetTable())
    if (page->isAncestorOf(rec.widget)) inside.push_back(num);
  for (int c : inside) freeGadget(c);
  t->removeTab(position);
  forgetGadgetList(page);
  page->hide();
  page->deleteLater();
}

int panelCount(GadgetRec& g) {
  QTabWidget* t = tabsOf(g);
  return t ? t->count() : 0;
}

void panelSetItemText(GadgetRec& g, int item, const std::string& text) {
  if (QTabWidget* t = tabsOf(g))
    if (item >= 0 && item < t->count()) t->setTabText(item, escapeMnemonic(text));
}

std::string panelItemText(GadgetRec& g, int item) {
  QTabWidget* t = tabsOf(g);
  if (!t || item < 0 || item >= t->count()) return std::string();
  QString s = t->tabText(item);
  s.replace(QLatin1String("&&"), QLatin1String("&"));
  return ss(s);
}

bool panelSetState(GadgetRec& g, int state) {
  QTabWidget* t = tabsOf(g);
  if (!t) return false;
  if (state >= 0 && state < t->count()) t->setCurrentIndex(state);
  return true;
}

bool panelGetState(GadgetRec& g, int& state) {
  QTabWidget* t = tabsOf(g);
  if (!t) return false;
  state = t->currentIndex();
  return true;
}

bool panelAttribute(GadgetRec& g, int attribute, int value, bool set, int& out) {
  if (QTabWidget* t = tabsOf(g)) {
    if (attribute != ATTR_PANEL_ITEMWIDTH && attribute != ATTR_PANEL_ITEMHEIGHT) return false;
    if (!set) {
      QSize s = pageSize(t);
      out = attribute == ATTR_PANEL_ITEMWIDTH ? s.width() : s.height();
    }
    return true;
  }
  QScrollArea* s = scrollOf(g);
  if (!s) return false;
  QWidget* inner = g.inner;
  switch (attribute) {
    case ATTR_SCROLL_INNERWIDTH:
      if (set) inner->resize(std::max(0, value), inner->height());
      else out = inner->width();
      return true;
    case ATTR_SCROLL_INNERHEIGHT:
      if (set) inner->resize(inner->width(), std::max(0, value));
      else out = inner->height();
      return true;
    case ATTR_SCROLL_X:
      if (set) s->horizontalScrollBar()->setValue(value);
      else out = s->horizontalScrollBar()->value();
      return true;
    case ATTR_SCROLL_Y:
      if (set) s->verticalScrollBar()->setValue(value);
      else out = s->verticalScrollBar()->value();
      return true;
    case ATTR_SCROLL_STEP:
      if (set) {
        s->horizontalScrollBar()->setSingleStep(std::max(1, value));
        s->verticalScrollBar()->setSingleStep(std::max(1, value));
      } else {
        out = s->verticalScrollBar()->singleStep();
      }
      return true;
    default:
      return false;
  }
}
