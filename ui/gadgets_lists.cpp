// Gadgets with items: drop-down lists and combo boxes, list views, list
// icons (rows with columns) and trees. Rows are addressed by their index in
// display order; a tree counts every node, open or not.
#include "ui/ui_internal.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTreeWidget>

namespace {

constexpr int DATA_ROLE = Qt::UserRole + 1;

// Mouse and keys of a list: a left click (not the release that ends a double
// click), a double click, a right click (which selects the row under it
// first), and a change of row from the keyboard.
template <class Base>
class ItemView : public Base {
 public:
  ItemView(int number, QWidget* parent) : Base(parent), number_(number) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    if (e->button() == Qt::RightButton) pushGadgetEvent(number_, ET_RIGHTCLICK);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    bool afterDouble = afterDouble_;
    afterDouble_ = false;
    Base::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && !afterDouble) pushGadgetEvent(number_, ET_LEFTCLICK);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) {
      afterDouble_ = true;
      pushGadgetEvent(number_, ET_LEFTDOUBLECLICK);
    } else if (e->button() == Qt::RightButton) {
      pushGadgetEvent(number_, ET_RIGHTDOUBLECLICK);
    }
  }
  void keyPressEvent(QKeyEvent* e) override {
    QModelIndex before = this->currentIndex();
    Base::keyPressEvent(e);
    if (this->currentIndex() != before) pushGadgetEvent(number_, ET_CHANGE);
  }

 private:
  int number_;
  bool afterDouble_ = false;
};

// A drop-down draws its chosen text condensed when it is a little too wide
// for the field beside the item's picture.
class FitComboBox : public QComboBox, public FittedText {
 public:
  explicit FitComboBox(QWidget* parent) : QComboBox(parent) {}
  QFont shownFont() const override {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    if (opt.editable) return font();
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    // The style's label: the picture and 4 pixels, then the text a pixel in.
    int room = field.width() - 1 - (opt.currentIcon.isNull() ? 0 : opt.iconSize.width() + 4);
    return fittedFont(font(), opt.currentText, room);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    painter.setFont(shownFont());
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
  }
};

using ListView = ItemView<QListWidget>;
using TreeView = ItemView<QTreeWidget>;

void setUpView(QAbstractItemView* v, int flags) {
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setSelectionMode(flags & LI_MULTISELECT ? QAbstractItemView::ExtendedSelection
                                            : QAbstractItemView::SingleSelection);
}

// Display order of a tree: every node, depth first.
void collect(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& out) {
  out.push_back(item);
  for (int i = 0; i < item->childCount(); ++i) collect(item->child(i), out);
}

std::vector<QTreeWidgetItem*> treeItems(QTreeWidget* t) {
  std::vector<QTreeWidgetItem*> out;
  for (int i = 0; i < t->topLevelItemCount(); ++i) collect(t->topLevelItem(i), out);
  return out;
}

int depthOf(QTreeWidgetItem* item) {
  int d = 0;
  for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++d;
  return d;
}

QTreeWidgetItem* treeItem(QTreeWidget* t, int index) {
  if (index < 0) return nullptr;
  if (t->rootIsDecorated()) {
    std::vector<QTreeWidgetItem*> all = treeItems(t);
    return index < int(all.size()) ? all[size_t(index)] : nullptr;
  }
  return t->topLevelItem(index);
}

int treeIndex(QTreeWidget* t, QTreeWidgetItem* item) {
  if (!item) return -1;
  if (!t->rootIsDecorated()) return t->indexOfTopLevelItem(item);
  std::vector<QTreeWidgetItem*> all = treeItems(t);
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i] == item) return int(i);
  return -1;
}

int treeCount(QTreeWidget* t) {
  return t->rootIsDecorated() ? int(treeItems(t).size()) : t->topLevelItemCount();
}

int selectedRow(QAbstractItemView* v) {
  QModelIndex cur = v->currentIndex();
  QItemSelectionModel* sm = v->selectionModel();
  if (!sm) return -1;
  if (!(cur.isValid() && sm->isSelected(cur))) {
    QModelIndexList sel = sm->selectedIndexes();
    if (sel.isEmpty()) return -1;
    cur = sel.first();
  }
  if (auto* t = qobject_cast<QTreeWidget*>(v)) return treeIndex(t, t->itemFromIndex(cur));
  return cur.row();
}

// A row of a list icon whose other columns are empty lets its first text run
// on over them, so that it is not cut beside an empty column.
void spanOverEmptyColumns(QTreeWidgetItem* item) {
  QTreeWidget* t = item->treeWidget();
  bool empty = true;
  for (int c = 1; t && c < t->columnCount(); ++c) empty = empty && item->text(c).isEmpty();
  item->setFirstColumnSpanned(empty);
}

int addTreeItem(QTreeWidget* t, int position, const QStringList& columns, const QIcon& icon, int level) {
  auto* item = new QTreeWidgetItem(columns);
  if (!icon.isNull()) item->setIcon(0, icon);
  if (t->rootIsDecorated()) {
    std::vector<QTreeWidgetItem*> all = treeItems(t);
    QTreeWidgetItem* before = position >= 0 && position < int(all.size()) ? all[size_t(position)] : nullptr;
    if (before && depthOf(before) == level) {
      QTreeWidgetItem* parent = before->parent();
      if (parent) parent->insertChild(parent->indexOfChild(before), item);
      else t->insertTopLevelItem(t->indexOfTopLevelItem(before), item);
    } else {
      // Appended under the last node one level up.
      QTreeWidgetItem* parent = nullptr;
      for (size_t i = all.size(); level > 0 && i-- > 0;)
        if (depthOf(all[i]) == level - 1) {
          parent = all[i];
          break;
        }
      if (parent) parent->addChild(item);
      else t->addTopLevelItem(item);
    }
    return treeIndex(t, item);
  }
  int count = t->topLevelItemCount();
  if (position < 0 || position > count) position = count;
  t->insertTopLevelItem(position, item);
  return position;
}

}  // namespace

int comboBoxGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* c = new FitComboBox(currentGadgetParent());
  c->setEditable(flags & COMBO_EDITABLE);
  c->setIconSize(QSize(16, 16));
  if (flags & COMBO_EDITABLE)
    QObject::connect(c, &QComboBox::editTextChanged, c, [n] { pushGadgetEvent(n, ET_CHANGE); });
  else
    QObject::connect(c, &QComboBox::currentIndexChanged, c, [n] { pushGadgetEvent(n, ET_CHANGE); });
  return finishGadget(n, GK_COMBOBOX, c, x, y, w, h, flags);
}

int listViewGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* l = new ListView(n, currentGadgetParent());
  setUpView(l, flags);
  return finishGadget(n, GK_LISTVIEW, l, x, y, w, h, flags);
}

int listIconGadget(int number, int x, int y, int w, int h, const std::string& firstColumnTitle,
                   int firstColumnWidth, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  if (flags & LI_ICONVIEW) {
    auto* l = new ListView(n, currentGadgetParent());
    setUpView(l, flags);
    l->setViewMode(QListView::IconMode);
    l->setResizeMode(QListView::Adjust);
    l->setMovement(QListView::Static);
    return finishGadget(n, GK_LISTICON, l, x, y, w, h, flags);
  }
  auto* t = new TreeView(n, currentGadgetParent());
  setUpView(t, flags);
  t->setRootIsDecorated(false);
  t->setItemsExpandable(false);
  t->setUniformRowHeights(true);
  t->setAllColumnsShowFocus(flags & LI_FULLROWSELECT);
  t->setColumnCount(1);
  t->setHeaderLabels({qs(firstColumnTitle)});
  t->setColumnWidth(0, firstColumnWidth);
  return finishGadget(n, GK_LISTICON, t, x, y, w, h, flags);
}

int treeGadget(int number, int x, int y, int w, int h, int flags) {
  int n = claimGadget(number);
  if (!n) return 0;
  auto* t = new TreeView(n, currentGadgetParent());
  setUpView(t, flags);
  t->setHeaderHidden(true);
  t->setRootIsDecorated(true);
  return finishGadget(n, GK_TREE, t, x, y, w, h, flags);
}

int addGadgetItem(int gadget, int position, const std::string& text, int image, int flags) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return -1;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) return panelAddItem(*g, position, text, image);
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    // Adding to an empty list must not choose the new item.
    int before = c->currentIndex();
    QString edit = c->currentText();
    if (position < 0 || position > c->count()) position = c->count();
    c->insertItem(position, itemIconOfImage(image), qs(text));
    if (before < 0) {
      c->setCurrentIndex(-1);
      if (c->isEditable()) c->setEditText(edit);
    }
    return position;
  }
  QIcon icon = iconOfImage(image);
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    if (position < 0 || position > l->count()) position = l->count();
    auto* item = new QListWidgetItem(icon, qs(text));
    if (g->flags & LI_CHECKBOXES) item->setCheckState(Qt::Unchecked);
    l->insertItem(position, item);
    return position;
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QStringList cols = qs(text).split(QLatin1Char('\n'));
    int level = g->kind == GK_TREE ? std::max(0, flags) : 0;
    int row = addTreeItem(t, position, cols, icon, level);
    if (g->flags & LI_CHECKBOXES) treeItem(t, row)->setCheckState(0, Qt::Unchecked);
    if (g->kind == GK_LISTICON) spanOverEmptyColumns(treeItem(t, row));
    return row;
  }
  return -1;
}

void removeGadgetItem(int gadget, int position) {
  GadgetRec* g = findGadget(gadget);
  if (!g || position < 0) return;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) return panelRemoveItem(*g, position);
  if (auto* c = qobject_cast<QComboBox*>(w)) c->removeItem(position);
  else if (auto* l = qobject_cast<QListWidget*>(w)) delete l->takeItem(position);
  else if (auto* t = qobject_cast<QTreeWidget*>(w)) delete treeItem(t, position);
}

void clearGadgetItems(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) {
    while (panelCount(*g) > 0) panelRemoveItem(*g, 0);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    c->clear();
  } else if (auto* l = qobject_cast<QListWidget*>(w)) {
    l->clear();
  } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    t->clear();
  }
}

int countGadgetItems(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return 0;
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) return panelCount(*g);
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->count();
  if (auto* l = qobject_cast<QListWidget*>(w)) return l->count();
  if (auto* t = qobject_cast<QTreeWidget*>(w)) return treeCount(t);
  return 0;
}

void setGadgetItemText(int gadget, int item, const std::string& text, int column) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) return panelSetItemText(*g, item, text);
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (item < c->count()) c->setItemText(item, qs(text));
  } else if (auto* l = qobject_cast<QListWidget*>(w)) {
    if (QListWidgetItem* it = l->item(item)) it->setText(qs(text));
  } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    if (QTreeWidgetItem* it = treeItem(t, item)) {
      if (column >= t->columnCount()) t->setColumnCount(column + 1);
      it->setText(column, qs(text));
      if (g->kind == GK_LISTICON) spanOverEmptyColumns(it);
    }
  }
}

std::string getGadgetItemText(int gadget, int item, int column) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return std::string();
  QWidget* w = g->widget;
  if (g->kind == GK_PANEL) return panelItemText(*g, item);
  if (auto* c = qobject_cast<QComboBox*>(w)) return item < c->count() ? ss(c->itemText(item)) : std::string();
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* it = l->item(item);
    return it ? ss(it->text()) : std::string();
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* it = treeItem(t, item);
    return it ? ss(it->text(column)) : std::string();
  }
  return std::string();
}

void setGadgetItemState(int gadget, int item, int state) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return;
  QuietScope quiet;
  QWidget* w = g->widget;
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* it = l->item(item);
    if (!it) return;
    it->setSelected(state & ITEM_SELECTED);
    if (g->flags & LI_CHECKBOXES) it->setCheckState(state & ITEM_CHECKED ? Qt::Checked : Qt::Unchecked);
  } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* it = treeItem(t, item);
    if (!it) return;
    it->setSelected(state & ITEM_SELECTED);
    if (g->flags & LI_CHECKBOXES) it->setCheckState(0, state & ITEM_CHECKED ? Qt::Checked : Qt::Unchecked);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (state & ITEM_SELECTED) c->setCurrentIndex(item);
  }
}

int getGadgetItemState(int gadget, int item) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return 0;
  QWidget* w = g->widget;
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* it = l->item(item);
    if (!it) return 0;
    return (it->isSelected() ? ITEM_SELECTED : 0) | (it->checkState() == Qt::Checked ? ITEM_CHECKED : 0);
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* it = treeItem(t, item);
    if (!it) return 0;
    return (it->isSelected() ? ITEM_SELECTED : 0) | (it->checkState(0) == Qt::Checked ? ITEM_CHECKED : 0);
  }
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex() == item ? ITEM_SELECTED : 0;
  return 0;
}

void setGadgetItemData(int gadget, int item, int64_t data) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return;
  QWidget* w = g->widget;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (item < c->count()) c->setItemData(item, qlonglong(data), DATA_ROLE);
  } else if (auto* l = qobject_cast<QListWidget*>(w)) {
    if (QListWidgetItem* it = l->item(item)) it->setData(DATA_ROLE, qlonglong(data));
  } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    if (QTreeWidgetItem* it = treeItem(t, item)) it->setData(0, DATA_ROLE, qlonglong(data));
  }
}

int64_t getGadgetItemData(int gadget, int item) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return 0;
  QWidget* w = g->widget;
  if (auto* c = qobject_cast<QComboBox*>(w))
    return item < c->count() ? c->itemData(item, DATA_ROLE).toLongLong() : 0;
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* it = l->item(item);
    return it ? it->data(DATA_ROLE).toLongLong() : 0;
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* it = treeItem(t, item);
    return it ? it->data(0, DATA_ROLE).toLongLong() : 0;
  }
  return 0;
}

void setGadgetItemImage(int gadget, int item, int image) {
  GadgetRec* g = findGadget(gadget);
  if (!g || item < 0) return;
  QWidget* w = g->widget;
  QIcon icon = iconOfImage(image);
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (item < c->count()) c->setItemIcon(item, icon);
  } else if (auto* l = qobject_cast<QListWidget*>(w)) {
    if (QListWidgetItem* it = l->item(item)) it->setIcon(icon);
  } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    if (QTreeWidgetItem* it = treeItem(t, item)) it->setIcon(0, icon);
  }
}

void addGadgetColumn(int gadget, int position, const std::string& title, int width) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  auto* t = qobject_cast<QTreeWidget*>(g->widget);
  if (!t || g->kind != GK_LISTICON) return;
  int count = t->columnCount();
  if (position < 0 || position > count) position = count;
  QTreeWidgetItem* header = t->headerItem();
  if (position == count) {
    t->setColumnCount(count + 1);
  } else {
    // Columns after the new one move right, in the header and in every row.
    t->setColumnCount(count + 1);
    for (int c = count; c > position; --c) header->setText(c, header->text(c - 1));
    for (QTreeWidgetItem* it : treeItems(t))
      for (int c = count; c > position; --c) it->setText(c, it->text(c - 1));
    for (QTreeWidgetItem* it : treeItems(t)) it->setText(position, QString());
  }
  header->setText(position, qs(title));
  t->setColumnWidth(position, width);
  for (QTreeWidgetItem* it : treeItems(t)) spanOverEmptyColumns(it);
}

// ---------------------------------------------------------------- text and state
bool listSetText(GadgetRec& g, const std::string& text) {
  auto* c = qobject_cast<QComboBox*>(g.widget);
  if (!c) return g.kind == GK_LISTVIEW || g.kind == GK_LISTICON || g.kind == GK_TREE;
  if (c->isEditable()) {
    c->setEditText(qs(text));
    return true;
  }
  // A text that no item has chooses nothing.
  c->setCurrentIndex(c->findText(qs(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
  return true;
}

bool listGetText(GadgetRec& g, std::string& text) {
  QWidget* w = g.widget;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    text = c->isEditable() || c->currentIndex() >= 0 ? ss(c->currentText()) : std::string();
    return true;
  }
  if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
    int row = selectedRow(v);
    text = row >= 0 ? getGadgetItemText(g.number, row, 0) : std::string();
    return true;
  }
  return false;
}

bool listSetState(GadgetRec& g, int state) {
  QWidget* w = g.widget;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    c->setCurrentIndex(state >= 0 && state < c->count() ? state : -1);
    return true;
  }
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    l->clearSelection();
    if (QListWidgetItem* it = l->item(state)) {
      l->setCurrentItem(it);
      it->setSelected(true);
    } else {
      l->setCurrentRow(-1);
    }
    return true;
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    t->clearSelection();
    if (QTreeWidgetItem* it = treeItem(t, state)) {
      t->setCurrentItem(it);
      it->setSelected(true);
    } else {
      t->setCurrentItem(nullptr);
    }
    return true;
  }
  return false;
}

bool listGetState(GadgetRec& g, int& state) {
  QWidget* w = g.widget;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    state = c->currentIndex();
    return true;
  }
  if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
    state = selectedRow(v);
    return true;
  }
  return false;
}

// The on-screen rectangle of a row in the view's viewport, for the driver.
QRect listRowRect(GadgetRec& g, int row) {
  QWidget* w = g.widget;
  if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* it = l->item(row);
    if (!it) return QRect();
    l->scrollToItem(it);
    return l->visualItemRect(it);
  }
  if (auto* t = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* it = treeItem(t, row);
    if (!it) return QRect();
    for (QTreeWidgetItem* p = it->parent(); p; p = p->parent()) p->setExpanded(true);
    t->scrollToItem(it);
    return t->visualItemRect(it);
  }
  return QRect();
}
