// Gadgets with items: drop-down choice by text, list icon rows and columns,
// trees, panels and scroll areas.
#include "ui/image.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"
#include "ui_test_util.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
class Lists : public testing::Test {
 protected:
  void SetUp() override { window = openWindow(UI_ANY, 0, 0, 600, 400, "lists", WIN_TITLEBAR); }
  void TearDown() override { closeWindow(window); }
  int window = 0;
};
}  // namespace

TEST_F(Lists, DropDownTextThatNoItemHasChoosesNothing) {
  int combo = comboBoxGadget(UI_ANY, 0, 0, 100, 25, COMBO_IMAGE);
  int icon = createImage(UI_ANY, 16, 16, 32, rgba(255, 0, 0, 255));
  addGadgetItem(combo, -1, "");
  addGadgetItem(combo, -1, "ship", icon);
  addGadgetItem(combo, -1, "Ship");
  EXPECT_EQ(getGadgetState(combo), -1);   // filling chooses nothing
  struct Case {
    const char* text;
    int state;
    const char* shown;
  } cases[] = {
      {"Ship", 2, "Ship"}, {"ship", 1, "ship"}, {"rock", -1, ""}, {"ship", 1, "ship"},
      {"SHIP", -1, ""},    {"", 0, ""},         {"shi", -1, ""},
  };
  for (const Case& c : cases) {
    setGadgetText(combo, c.text);
    EXPECT_EQ(getGadgetState(combo), c.state) << c.text;
    EXPECT_EQ(getGadgetText(combo), c.shown) << c.text;
  }
  EXPECT_TRUE(drainEvents().empty());
  freeImage(icon);
}

TEST_F(Lists, EditableComboKeepsAnyText) {
  int combo = comboBoxGadget(UI_ANY, 0, 0, 100, 25, COMBO_EDITABLE);
  addGadgetItem(combo, -1, "10");
  addGadgetItem(combo, -1, "20");
  setGadgetText(combo, "15");
  EXPECT_EQ(getGadgetText(combo), "15");
  setGadgetState(combo, 1);
  EXPECT_EQ(getGadgetText(combo), "20");
}

TEST_F(Lists, ListIconRowsColumnsAndData) {
  int li = listIconGadget(UI_ANY, 0, 0, 300, 200, "Name", 100, LI_FULLROWSELECT);
  addGadgetColumn(li, 1, "Size", 60);
  addGadgetItem(li, -1, "a\n10");
  addGadgetItem(li, -1, "c\n30");
  addGadgetItem(li, 1, "b\n20");
  ASSERT_EQ(countGadgetItems(li), 3);
  const char* names[] = {"a", "b", "c"};
  const char* sizes[] = {"10", "20", "30"};
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(getGadgetItemText(li, r, 0), names[r]);
    EXPECT_EQ(getGadgetItemText(li, r, 1), sizes[r]);
    setGadgetItemData(li, r, int64_t(1) << (40 + r));
  }
  removeGadgetItem(li, 0);
  EXPECT_EQ(getGadgetItemText(li, 0, 0), "b");
  EXPECT_EQ(getGadgetItemData(li, 0), int64_t(1) << 41);
  setGadgetState(li, 1);
  EXPECT_EQ(getGadgetState(li), 1);
  EXPECT_EQ(getGadgetItemState(li, 1), ITEM_SELECTED);
  EXPECT_EQ(getGadgetItemState(li, 0), 0);
  setGadgetState(li, -1);
  EXPECT_EQ(getGadgetState(li), -1);
  EXPECT_EQ(getGadgetItemText(li, 9, 0), "");   // out of range reads nothing
}

TEST_F(Lists, TreeItemsCountInDisplayOrder) {
  int tree = treeGadget(UI_ANY, 0, 0, 200, 200);
  addGadgetItem(tree, -1, "root", 0, 0);
  addGadgetItem(tree, -1, "child", 0, 1);
  addGadgetItem(tree, -1, "grandchild", 0, 2);
  addGadgetItem(tree, -1, "second root", 0, 0);
  ASSERT_EQ(countGadgetItems(tree), 4);
  EXPECT_EQ(getGadgetItemText(tree, 2), "grandchild");
  EXPECT_EQ(getGadgetItemText(tree, 3), "second root");
  setGadgetState(tree, 2);
  EXPECT_EQ(getGadgetText(tree), "grandchild");
}

TEST_F(Lists, PanelPagesAndScrollAreasHoldGadgets) {
  int panel = panelGadget(UI_ANY, 5, 45, 590, 300);
  addGadgetItem(panel, -1, " Sprites ");
  addGadgetItem(panel, -1, " Game ");
  EXPECT_EQ(getGadgetItemText(panel, 0), " Sprites ");
  int pw = getGadgetAttribute(panel, ATTR_PANEL_ITEMWIDTH);
  int ph = getGadgetAttribute(panel, ATTR_PANEL_ITEMHEIGHT);
  EXPECT_GT(pw, 500);
  EXPECT_LE(pw, 590);
  EXPECT_GT(ph, 200);
  EXPECT_LT(ph, 300);   // the tab row takes its share
  openGadgetList(panel, 0);
  int area = scrollAreaGadget(UI_ANY, 0, 0, pw, ph, 640, 480, 16);
  setGadgetColor(area, COLOR_BACK, rgb(200, 200, 200));
  openGadgetList(area);
  int pic = imageGadget(UI_ANY, 10, 60, 150, 100, 0);
  closeGadgetList();
  closeGadgetList();
  int outside = buttonGadget(UI_ANY, 450, 10, 100, 25, "status");
  EXPECT_EQ(gadgetWindow(pic), window);
  EXPECT_EQ(getGadgetAttribute(area, ATTR_SCROLL_INNERWIDTH), 640);
  setGadgetAttribute(area, ATTR_SCROLL_INNERHEIGHT, 190);
  EXPECT_EQ(getGadgetAttribute(area, ATTR_SCROLL_INNERHEIGHT), 190);
  EXPECT_EQ(getGadgetColor(area, COLOR_BACK), rgb(200, 200, 200));
  // Freeing a holder frees what it holds, and nothing else.
  freeGadget(panel);
  EXPECT_FALSE(isGadget(area));
  EXPECT_FALSE(isGadget(pic));
  EXPECT_TRUE(isGadget(outside));
}

TEST_F(Lists, OptionsMadeInARunFormOneGroup) {
  int a = optionGadget(UI_ANY, 0, 0, 100, 20, "a");
  int b = optionGadget(UI_ANY, 0, 20, 100, 20, "b");
  textGadget(UI_ANY, 0, 40, 100, 20, "between");
  int c = optionGadget(UI_ANY, 0, 60, 100, 20, "c");
  setGadgetState(a, 1);
  setGadgetState(c, 1);
  setGadgetState(b, 1);
  EXPECT_EQ(getGadgetState(a), 0);
  EXPECT_EQ(getGadgetState(b), 1);
  EXPECT_EQ(getGadgetState(c), 1);   // another group
}

TEST_F(Lists, ReadOnlyBorderlessFieldShowsItsBackgroundColour) {
  int swatch = stringGadget(UI_ANY, 130, 10, 100, 25, "", STR_READONLY | STR_BORDERLESS);
  setGadgetColor(swatch, COLOR_BACK, rgb(0, 0, 64));
  QImage shot = gadgetWidget(swatch)->grab().toImage();
  EXPECT_EQ(shot.pixelColor(50, 12), QColor(0, 0, 64));
  EXPECT_EQ(getGadgetColor(swatch, COLOR_BACK), rgb(0, 0, 64));
}

TEST(ProgramFolder, IsTheFolderOfTheExecutable) {
  std::string folder = programFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(QFileInfo(QString::fromStdString(folder) + "ui_tests").exists(), true);
}
