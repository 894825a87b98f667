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
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTreeWidget>

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
    QFontMetrics m(shownFont(l));
    if (m.horizontalAdvance(l->text()) > l->contentsRect().width() || m.height() > l->contentsRect().height())
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
    int right = left + QFontMetrics(shownFont(l)).horizontalAdvance(l->text());
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

namespace {

std::vector<std::string> clippedComboItems(QComboBox* c) {
  std::vector<std::string> clipped;
  QSignalBlocker quiet(c);
  int chosen = c->currentIndex();
  for (int i = 0; i < c->count(); ++i) {
    c->setCurrentIndex(i);
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = c->isEditable();
    opt.currentText = c->itemText(i);
    opt.currentIcon = c->itemIcon(i);
    opt.iconSize = c->iconSize();
    QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    // As the style lays out the chosen item: its picture and 4 pixels, then
    // the text a pixel in, cut at the field's right edge.
    int room = field.width() - 1 - (opt.currentIcon.isNull() ? 0 : opt.iconSize.width() + 4);
    if (QFontMetrics(shownFont(c)).horizontalAdvance(opt.currentText) > room)
      clipped.push_back(opt.currentText.toStdString());
  }
  c->setCurrentIndex(chosen);
  return clipped;
}

std::vector<std::string> clippedRowCells(QTreeWidget* t) {
  std::vector<std::string> clipped;
  QAbstractItemModel* model = t->model();
  for (int row = 0; row < model->rowCount(); ++row)
    for (int column = 0; column < model->columnCount(); ++column) {
      QModelIndex cell = model->index(row, column);
      if (model->data(cell).toString().isEmpty()) continue;
      QStyleOptionViewItem opt;
      opt.initFrom(t);
      opt.font = t->font();
      opt.decorationSize = t->iconSize().isValid() ? t->iconSize() : QSize(16, 16);
      opt.widget = t;
      if (t->itemDelegateForIndex(cell)->sizeHint(opt, cell).width() > t->visualRect(cell).width())
        clipped.push_back(model->data(cell).toString().toStdString());
    }
  return clipped;
}

}  // namespace

std::vector<std::string> clippedItems(int gadget) {
  QWidget* w = gadgetWidget(gadget);
  if (auto* c = qobject_cast<QComboBox*>(w)) return clippedComboItems(c);
  if (auto* t = qobject_cast<QTreeWidget*>(w)) return clippedRowCells(t);
  return {};
}

int listColumnWidth(int gadget, int column) {
  auto* t = qobject_cast<QTreeWidget*>(gadgetWidget(gadget));
  return t && column < t->columnCount() ? t->columnWidth(column) : 0;
}

std::vector<int> textBox(int window, const std::string& text) {
  QWidget* w = windowWidget(window);
  if (!w) return {};
  for (QWidget* g : w->findChildren<QWidget*>()) {
    auto* l = qobject_cast<QLabel*>(g);
    auto* b = qobject_cast<QAbstractButton*>(g);
    if ((l && l->text().toStdString() == text) || (b && b->text().toStdString() == text))
      return {g->x(), g->y(), g->width(), g->height()};
  }
  return {};
}

std::vector<int> holderScreenPixels(int gadget, int x, int y, int w, int h) {
  QWidget* g = gadgetWidget(gadget);
  if (!g || !g->parentWidget()) return {};
  QImage shot = g->parentWidget()->grab(QRect(x, y, w, h)).toImage();
  std::vector<int> pixels;
  for (int row = 0; row < shot.height(); ++row)
    for (int column = 0; column < shot.width(); ++column) {
      QRgb p = shot.pixel(column, row);
      pixels.push_back(qRed(p) + qGreen(p) * 256 + qBlue(p) * 65536);
    }
  return pixels;
}
