// Menu bars, popup menus and window keyboard shortcuts. A menu item, its
// shortcut and a popup item all give one EV_MENU event with the item number.
#include "ui/ui_internal.h"

#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

void attachMenuBar(int window, QMenuBar* bar);
void detachMenuBar(int window);
void placeMenuBar(int window);

namespace {

struct MenuRec {
  int number = 0;
  int window = 0;              // the owner of a menu bar; for a popup, where it was shown last
  QMenuBar* bar = nullptr;
  QMenu* popup = nullptr;
  std::vector<QMenu*> titles;
  std::vector<QMenu*> subs;    // open sub-menus
  std::map<int, QAction*> items;
  std::map<int, std::string> texts;
  // The application menu's items: About at the end of Help, Preferences and
  // Quit at the end of File.
  std::vector<QAction*> appFile, appHelp;
  QAction* appFileBar = nullptr;
  QAction* appHelpBar = nullptr;
};

std::map<int, MenuRec> menus;
int building = 0;
int shownPopup = 0;

MenuRec* findMenu(int menu) {
  auto it = menus.find(menu);
  return it == menus.end() ? nullptr : &it->second;
}

QMenu* targetMenu(MenuRec& m) {
  if (!m.subs.empty()) return m.subs.back();
  if (m.popup) return m.popup;
  return m.titles.empty() ? nullptr : m.titles.back();
}

QMenu* helpMenu(MenuRec& m) {
  for (QMenu* t : m.titles)
    if (t->title() == QLatin1String("Help")) return t;
  return m.titles.empty() ? nullptr : m.titles.back();
}

void moveLast(QMenu* menu, QAction* a) {
  if (!menu || !a) return;
  menu->removeAction(a);
  menu->addAction(a);
}

void keepAppItemsLast(MenuRec& m) {
  if (!m.bar || m.titles.empty()) return;
  QMenu* file = m.titles.front();
  if (!m.appFile.empty()) {
    moveLast(file, m.appFileBar);
    for (QAction* a : m.appFile) moveLast(file, a);
  }
  if (!m.appHelp.empty()) {
    QMenu* help = helpMenu(m);
    moveLast(help, m.appHelpBar);
    for (QAction* a : m.appHelp) moveLast(help, a);
  }
}

void menuTriggered(int menu, int item) {
  MenuRec* m = findMenu(menu);
  if (!m) return;
  if (m->bar && isWindowDisabled(m->window)) return;
  postEvent(EV_MENU, m->window, item);
}

QKeySequence sequenceOf(int shortcut) {
  int mods = 0;
  if (shortcut & SC_CONTROL) mods |= Qt::ControlModifier;
  if (shortcut & SC_SHIFT) mods |= Qt::ShiftModifier;
  if (shortcut & SC_ALT) mods |= Qt::AltModifier;
  int key = qtKeyFromKey(shortcut & 0xFFFF);
  return QKeySequence(key | mods);
}

}  // namespace

int createMenu(int number, int window) {
  WindowRec* w = findWindow(window);
  if (!w) return 0;
  int n = resolveNumber(number);
  if (!n) return 0;
  if (findMenu(n)) freeMenu(n);
  // One menu bar a window.
  for (auto& [num, rec] : menus)
    if (rec.bar && rec.window == window) {
      freeMenu(num);
      break;
    }
  MenuRec& m = menus[n];
  m.number = n;
  m.window = window;
  m.bar = new QMenuBar;
  m.bar->setNativeMenuBar(false);
  attachMenuBar(window, m.bar);
  building = n;
  return n;
}

void menuTitle(const std::string& title) {
  MenuRec* m = findMenu(building);
  if (!m || !m->bar) return;
  m->subs.clear();
  m->titles.push_back(m->bar->addMenu(escapeMnemonic(title)));
  keepAppItemsLast(*m);
  placeMenuBar(m->window);
}

void menuItem(int item, const std::string& text, int image) {
  MenuRec* m = findMenu(building);
  if (!m) return;
  QMenu* target = targetMenu(*m);
  if (!target) return;
  int menu = m->number;
  QAction* a = nullptr;
  bool app = m->bar && (item == APPMENU_ABOUT || item == APPMENU_PREFERENCES || item == APPMENU_QUIT);
  if (app) {
    QMenu* place = item == APPMENU_ABOUT ? helpMenu(*m) : m->titles.front();
    QString label = item == APPMENU_PREFERENCES ? QStringLiteral("Preferences...")
                    : item == APPMENU_QUIT      ? QStringLiteral("Quit")
                                                : escapeMnemonic(text);
    std::vector<QAction*>& group = item == APPMENU_ABOUT ? m->appHelp : m->appFile;
    QAction*& bar = item == APPMENU_ABOUT ? m->appHelpBar : m->appFileBar;
    if (!bar) bar = place->addSeparator();
    a = place->addAction(label);
    if (item == APPMENU_QUIT) {
      a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
      a->setShortcutContext(Qt::WindowShortcut);
    }
    group.push_back(a);
  } else {
    a = target->addAction(escapeMnemonic(text));
  }
  if (image > 0) a->setIcon(iconOfImage(image));
  a->setIconVisibleInMenu(image > 0);
  if (m->items.count(item)) m->items[item]->deleteLater();
  m->items[item] = a;
  m->texts[item] = text;
  QObject::connect(a, &QAction::triggered, a, [menu, item] { menuTriggered(menu, item); });
  keepAppItemsLast(*m);
}

void menuBar() {
  MenuRec* m = findMenu(building);
  if (!m) return;
  if (QMenu* target = targetMenu(*m)) target->addSeparator();
  keepAppItemsLast(*m);
}

void openSubMenu(const std::string& text, int image) {
  MenuRec* m = findMenu(building);
  if (!m) return;
  QMenu* target = targetMenu(*m);
  if (!target) return;
  QMenu* sub = target->addMenu(iconOfImage(image), escapeMnemonic(text));
  m->subs.push_back(sub);
  keepAppItemsLast(*m);
}

void closeSubMenu() {
  MenuRec* m = findMenu(building);
  if (m && !m->subs.empty()) m->subs.pop_back();
}

int createPopupMenu(int number) {
  int n = resolveNumber(number);
  if (!n) return 0;
  if (findMenu(n)) freeMenu(n);
  MenuRec& m = menus[n];
  m.number = n;
  m.popup = new QMenu;
  building = n;
  return n;
}

void displayPopupMenu(int menu, int window) {
  MenuRec* m = findMenu(menu);
  if (!m || !m->popup) return;
  m->window = window;
  shownPopup = menu;
  // Under the test driver the next step picks an item (or leaves the popup).
  if (!driverActive()) m->popup->popup(QCursor::pos());
}

bool isMenu(int menu) { return findMenu(menu) != nullptr; }

void freeMenu(int menu) {
  MenuRec* m = findMenu(menu);
  if (!m) return;
  if (m->bar) {
    detachMenuBar(m->window);
    m->bar->hide();
    m->bar->deleteLater();
  }
  if (m->popup) {
    m->popup->hide();
    m->popup->deleteLater();
  }
  if (shownPopup == menu) shownPopup = 0;
  if (building == menu) building = 0;
  menus.erase(menu);
}

void freeAllMenus() {
  while (!menus.empty()) freeMenu(menus.begin()->first);
}

void closeWindowMenus(int window) {
  std::vector<int> own;
  for (auto& [num, rec] : menus)
    if (rec.bar && rec.window == window) own.push_back(num);
  for (int n : own) freeMenu(n);
}

void disableMenuItem(int menu, int item, bool disabled) {
  MenuRec* m = findMenu(menu);
  if (m && m->items.count(item)) m->items[item]->setEnabled(!disabled);
}

void setMenuItemState(int menu, int item, int state) {
  MenuRec* m = findMenu(menu);
  if (!m || !m->items.count(item)) return;
  QAction* a = m->items[item];
  a->setCheckable(true);
  a->setChecked(state != 0);
}

int getMenuItemState(int menu, int item) {
  MenuRec* m = findMenu(menu);
  if (!m || !m->items.count(item)) return 0;
  return m->items[item]->isChecked() ? 1 : 0;
}

std::string getMenuItemText(int menu, int item) {
  MenuRec* m = findMenu(menu);
  if (!m || !m->texts.count(item)) return std::string();
  if (m->bar && item == APPMENU_PREFERENCES) return "Preferences...";
  if (m->bar && item == APPMENU_QUIT) return "Quit";
  return m->texts[item];
}

// ---------------------------------------------------------------- shortcuts
void addKeyboardShortcut(int window, int shortcut, int item) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  removeKeyboardShortcut(window, shortcut);
  auto* sc = new QShortcut(sequenceOf(shortcut), w->top);
  sc->setContext(Qt::WindowShortcut);
  sc->setAutoRepeat(false);
  sc->setProperty("zmItem", item);
  QObject::connect(sc, &QShortcut::activated, sc, [window, item] {
    if (!isWindowDisabled(window)) postEvent(EV_MENU, window, item);
  });
  w->shortcuts[shortcut] = sc;
}

void removeKeyboardShortcut(int window, int shortcut) {
  WindowRec* w = findWindow(window);
  if (!w) return;
  auto it = w->shortcuts.find(shortcut);
  if (it == w->shortcuts.end()) return;
  it->second->setEnabled(false);
  it->second->deleteLater();
  w->shortcuts.erase(it);
}

QShortcut* findShortcut(int window, int shortcut) {
  WindowRec* w = findWindow(window);
  if (!w) return nullptr;
  auto it = w->shortcuts.find(shortcut);
  return it == w->shortcuts.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- for the driver
QAction* findMenuBarAction(int item, int* window) {
  const std::vector<int>& order = windowOrder();
  for (auto w = order.rbegin(); w != order.rend(); ++w)
    for (auto& [num, rec] : menus)
      if (rec.bar && rec.window == *w && rec.items.count(item)) {
        if (window) *window = *w;
        return rec.items[item];
      }
  return nullptr;
}

QAction* findPopupAction(int menu, int item) {
  MenuRec* m = findMenu(menu);
  if (!m || !m->items.count(item)) return nullptr;
  return m->items[item];
}

int shownPopupMenu() { return shownPopup; }
int shownPopupWindow() {
  MenuRec* m = findMenu(shownPopup);
  return m ? m->window : 0;
}
void clearShownPopup() { shownPopup = 0; }
