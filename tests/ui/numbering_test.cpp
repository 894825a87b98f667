// Numbers of windows, gadgets and menus: fixed ones as given, picked ones
// never 0 and never one that is in use or that the program may fix.
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <set>

TEST(Numbering, PickedNumbersAreHighUniqueAndNeverZero) {
  int w = openWindow(UI_ANY, 0, 0, 200, 100, "picked", WIN_TITLEBAR);
  ASSERT_GT(w, 0);
  std::set<int> seen{w};
  for (int i = 0; i < 5; ++i) {
    int g = buttonGadget(UI_ANY, 0, 0, 10, 10, "b");
    int m = createPopupMenu(UI_ANY);
    for (int n : {g, m}) {
      EXPECT_GE(n, 100000);
      EXPECT_TRUE(seen.insert(n).second) << n << " picked twice";
    }
  }
  // Freed numbers are not handed out again.
  int g = buttonGadget(UI_ANY, 0, 0, 10, 10, "b");
  freeGadget(g);
  EXPECT_NE(buttonGadget(UI_ANY, 0, 0, 10, 10, "b"), g);
  closeWindow(w);
}

TEST(Numbering, FixedNumbersCoexistWithPickedOnes) {
  ASSERT_EQ(openWindow(13, 0, 0, 300, 200, "fixed", WIN_TITLEBAR), 13);
  EXPECT_EQ(buttonGadget(34, 0, 0, 10, 10, "fixed"), 34);
  // The same small number names a gadget and a menu at once.
  EXPECT_EQ(createPopupMenu(34), 34);
  int picked = buttonGadget(UI_ANY, 0, 0, 10, 10, "picked");
  EXPECT_NE(picked, 34);
  EXPECT_EQ(gadgetWindow(34), 13);
  EXPECT_EQ(getGadgetText(34), "fixed");
  EXPECT_EQ(getGadgetText(picked), "picked");
  freeMenu(34);
  closeWindow(13);
  EXPECT_FALSE(isGadget(34));
}

TEST(Numbering, NumbersOutsideTheFixedRangeAreRefused) {
  ASSERT_EQ(openWindow(7, 0, 0, 100, 100, "w", WIN_TITLEBAR), 7);
  for (int bad : {0, -5, 100000, 2000000}) {
    EXPECT_EQ(buttonGadget(bad, 0, 0, 10, 10, "x"), 0) << bad;
    EXPECT_EQ(openWindow(bad, 0, 0, 10, 10, "x", 0), 0) << bad;
    EXPECT_EQ(createPopupMenu(bad), 0) << bad;
  }
  closeWindow(7);
}

TEST(Numbering, MakingAGadgetUnderAFixedNumberReplacesTheOldOne) {
  ASSERT_EQ(openWindow(8, 0, 0, 100, 100, "w", WIN_TITLEBAR), 8);
  ASSERT_EQ(imageGadget(132, 10, 60, 150, 100, 0), 132);
  nameGadget(132, "add");
  ASSERT_EQ(textGadget(132, 10, 190, 150, 20, "label"), 132);
  EXPECT_EQ(gadgetKind(132), GK_TEXT);
  EXPECT_EQ(gadgetY(132), 190);
  EXPECT_EQ(gadgetByName(8, "add"), 0);   // the name went with the old gadget
  closeWindow(8);
}

TEST(Numbering, GadgetsNeedAGadgetList) {
  EXPECT_EQ(buttonGadget(UI_ANY, 0, 0, 10, 10, "nowhere"), 0);
}

TEST(Numbering, AFreedHolderTakesNoMoreGadgets) {
  int w = openWindow(UI_ANY, 0, 0, 300, 300, "holder", WIN_TITLEBAR);
  int area = scrollAreaGadget(UI_ANY, 0, 0, 100, 100, 200, 200);
  openGadgetList(area);
  freeGadget(area);
  int after = buttonGadget(UI_ANY, 0, 0, 10, 10, "after");
  ASSERT_GT(after, 0);
  EXPECT_TRUE(isGadget(after));
  EXPECT_EQ(gadgetWindow(after), w);
  windowEvent();   // the freed area is deleted now; the button must not go with it
  EXPECT_EQ(getGadgetText(after), "after");
  closeWindow(w);
}
