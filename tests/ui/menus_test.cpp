// Menu bars: the application menu's items on Linux, item texts, states.
#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {
std::vector<std::string> itemsOf(QMenu* m) {
  std::vector<std::string> out;
  for (QAction* a : m->actions()) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}
}  // namespace

TEST(Menus, ApplicationMenuItemsGoToTheEndOfFileAndHelp) {
  int w = openWindow(UI_ANY, 0, 0, 400, 300, "main", WIN_CLOSEBOX);
  createMenu(14, w);
  menuTitle("File");
  menuItem(1, "New\tCtrl + N");
  menuBar();
  menuItem(2, "Run game\tF5");
  menuTitle("Help");
  menuItem(3, "Help\tF1");
  menuItem(APPMENU_ABOUT, "About Zembrik");
  menuItem(APPMENU_PREFERENCES, "");
  menuItem(APPMENU_QUIT, "Quit\tCmd+Q");
  menuBar();
  menuItem(4, "Check program version...");
  QMenuBar* bar = windowWidget(w)->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  std::vector<QMenu*> menus;
  for (QAction* a : bar->actions()) menus.push_back(a->menu());
  ASSERT_EQ(menus.size(), 2u);
  std::vector<std::string> file = {"New\tCtrl + N", "-", "Run game\tF5", "-", "Preferences...", "Quit"};
  std::vector<std::string> help = {"Help\tF1", "-", "Check program version...", "-", "About Zembrik"};
  EXPECT_EQ(itemsOf(menus[0]), file);
  EXPECT_EQ(itemsOf(menus[1]), help);
  QAction* quit = menus[0]->actions().back();
  EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(getMenuItemText(14, APPMENU_QUIT), "Quit");
  EXPECT_EQ(getMenuItemText(14, 4), "Check program version...");
  quit->trigger();
  ASSERT_EQ(windowEvent(), EV_MENU);
  EXPECT_EQ(eventMenu(), APPMENU_QUIT);
  EXPECT_EQ(eventWindow(), w);
  closeWindow(w);
  EXPECT_FALSE(isMenu(14));
}

TEST(Menus, DisabledAndCheckedItems) {
  int w = openWindow(UI_ANY, 0, 0, 400, 300, "main", WIN_CLOSEBOX);
  int m = createMenu(UI_ANY, w);
  menuTitle("View");
  menuItem(1, "Grid");
  setMenuItemState(m, 1, 1);
  EXPECT_EQ(getMenuItemState(m, 1), 1);
  setMenuItemState(m, 1, 0);
  EXPECT_EQ(getMenuItemState(m, 1), 0);
  closeWindow(w);
}
