#include "tests/shell/widget_probe.h"

#include "ui/ui_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>

namespace {

Qt::WindowFlags flagsOf(int window) {
  QWidget* w = windowWidget(window);
  return w ? w->windowFlags() : Qt::WindowFlags();
}

}  // namespace

bool gadgetShowsFont(int gadget, int font) {
  QWidget* w = gadgetWidget(gadget);
  return w && w->font() == fontOf(font);
}

bool windowStaysOnTop(int window) { return flagsOf(window) & Qt::WindowStaysOnTopHint; }
bool windowIsBorderless(int window) { return flagsOf(window) & Qt::FramelessWindowHint; }
bool windowHasCloseBox(int window) { return flagsOf(window) & Qt::WindowCloseButtonHint; }

std::string windowTitleButtons(int window) {
  Qt::WindowFlags f = flagsOf(window);
  if (!(f & Qt::CustomizeWindowHint)) return "system";
  std::string buttons;
  for (auto [hint, name] : {std::pair{Qt::WindowSystemMenuHint, "menu"}, {Qt::WindowMinimizeButtonHint, "minimise"},
                            {Qt::WindowMaximizeButtonHint, "maximise"}, {Qt::WindowCloseButtonHint, "close"},
                            {Qt::WindowContextHelpButtonHint, "help"}})
    if (f & hint) buttons += (buttons.empty() ? "" : " ") + std::string(name);
  return buttons;
}

void windowFrameSize(int window, int& width, int& height) {
  QWidget* w = windowWidget(window);
  QSize size = w ? w->frameGeometry().size() : QSize();
  width = size.width();
  height = size.height();
}

bool windowIsResizable(int window) {
  QWidget* w = windowWidget(window);
  return w && w->minimumSize() != w->maximumSize();
}

int shownWindowCount() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isWindow() && w->isVisible() && !qobject_cast<QMenu*>(w)) ++n;
  return n;
}

std::vector<std::string> menuBarTexts(int window) {
  std::vector<std::string> out;
  QWidget* w = windowWidget(window);
  QMenuBar* bar = w ? w->findChild<QMenuBar*>() : nullptr;
  if (!bar) return out;
  for (QAction* title : bar->actions()) {
    out.push_back("[" + title->text().toStdString() + "]");
    if (QMenu* m = title->menu())
      for (QAction* a : m->actions()) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  }
  return out;
}

int windowShortcutCount(int window) {
  QWidget* w = windowWidget(window);
  return w ? int(w->findChildren<QShortcut*>().size()) : 0;
}

bool gadgetInside(int gadget, int container) {
  QWidget* g = gadgetWidget(gadget);
  QWidget* c = gadgetWidget(container);
  return g && c && c->isAncestorOf(g);
}

bool windowShowsText(int window, const std::string& text, int x, int y) {
  QWidget* w = windowWidget(window);
  if (!w) return false;
  for (QLabel* l : w->findChildren<QLabel*>())
    if (l->text().toStdString() == text && l->pos() == QPoint(x, y)) return true;
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (b->text().toStdString() == text && b->pos() == QPoint(x, y)) return true;
  return false;
}

void showPanelTab(int window, int tab) {
  QWidget* w = windowWidget(window);
  if (QTabWidget* t = w ? w->findChild<QTabWidget*>() : nullptr) t->setCurrentIndex(tab);
}

bool gadgetHasSunkenFrame(int gadget) {
  auto* f = qobject_cast<QFrame*>(gadgetWidget(gadget));
  return f && f->frameShadow() == QFrame::Sunken;
}

int gadgetScreenPixel(int gadget, int x, int y) {
  QWidget* w = gadgetWidget(gadget);
  if (!w) return -1;
  QRgb p = w->grab().toImage().pixel(x, y);
  return qRed(p) + qGreen(p) * 256 + qBlue(p) * 65536;
}

void comboItemPictureSize(int gadget, int item, int& width, int& height) {
  width = height = 0;
  auto* c = qobject_cast<QComboBox*>(gadgetWidget(gadget));
  if (!c || item < 0 || item >= c->count()) return;
  QList<QSize> sizes = c->itemIcon(item).availableSizes();
  for (const QSize& s : sizes) {
    width = std::max(width, s.width());
    height = std::max(height, s.height());
  }
}

int liveWidgetCount() { return int(QApplication::allWidgets().size()); }

std::vector<std::string> clippedTexts(int window) {
  std::vector<std::string> clipped;
  QWidget* w = windowWidget(window);
  if (!w) return clipped;
  // Whether or not the page that holds it is in front.
  for (QLabel* l : w->findChildren<QLabel*>()) {
    if (l->text().isEmpty()) continue;
    if (l->fontMetrics().horizontalAdvance(l->text()) > l->contentsRect().width() ||
        l->fontMetrics().height() > l->contentsRect().height())
      clipped.push_back(l->text().toStdString());
  }
  for (QCheckBox* c : w->findChildren<QCheckBox*>())
    if (c->sizeHint().width() > c->width()) clipped.push_back(c->text().toStdString());
  for (QRadioButton* r : w->findChildren<QRadioButton*>())
    if (r->sizeHint().width() > r->width()) clipped.push_back(r->text().toStdString());
  for (QPushButton* b : w->findChildren<QPushButton*>())
    if (b->fontMetrics().horizontalAdvance(b->text()) + 4 > b->width()) clipped.push_back(b->text().toStdString());
  return clipped;
}

std::vector<std::string> crowdedTexts(int window) {
  std::vector<std::string> crowded;
  QWidget* w = windowWidget(window);
  if (!w) return crowded;
  for (QLabel* l : w->findChildren<QLabel*>()) {
    if (l->text().isEmpty() || !(l->alignment() & Qt::AlignLeft) || !l->parentWidget()) continue;
    int left = l->x() + l->contentsRect().x();
    int right = left + l->fontMetrics().horizontalAdvance(l->text());
    for (QWidget* s : l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (s == l || qobject_cast<QLabel*>(s) || s->isHidden()) continue;
      bool beside = s->y() < l->geometry().bottom() && s->geometry().bottom() > l->y();
      if (beside && s->x() > left && s->x() < right + 3) crowded.push_back(l->text().toStdString());
    }
  }
  return crowded;
}

bool gadgetHasFocus(int gadget) {
  QWidget* g = gadgetWidget(gadget);
  if (!g) return false;
  // The focus the window gives when it is active, active or not yet.
  QWidget* f = g->window()->focusWidget();
  return f && (f == g || g->isAncestorOf(f));
}

bool buttonIsDefault(int gadget) {
  auto* b = qobject_cast<QPushButton*>(gadgetWidget(gadget));
  return b && b->isDefault();
}
