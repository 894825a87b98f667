// Freeing and making gadgets in bulk: a container takes the gadgets inside
// it along, and a frozen holder lends the widgets of freed pictures and
// labels to the next ones made there, each as a new gadget would be.
#include "tests/ui/ui_test_util.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <QApplication>
#include <QFrame>
#include <QTest>
#include <gtest/gtest.h>

namespace {
int widgetCount() { return int(QApplication::allWidgets().size()); }
}  // namespace

TEST(Frozen, FreeingAContainerTakesTheGadgetsInsideAlong) {
  int w = openWindow(UI_ANY, 0, 0, 400, 300, "c", WIN_TITLEBAR);
  int outer = containerGadget(UI_ANY, 0, 0, 300, 200);
  openGadgetList(outer);
  int inner = containerGadget(UI_ANY, 0, 0, 100, 100);
  openGadgetList(inner);
  int deep = textGadget(UI_ANY, 0, 0, 50, 20, "deep");
  closeGadgetList();
  int side = imageGadget(UI_ANY, 120, 0, 50, 50, 0);
  closeGadgetList();
  int beside = buttonGadget(UI_ANY, 310, 0, 50, 20, "beside");
  const int gadgets = liveGadgetCount();
  freeGadget(outer);
  for (int g : {outer, inner, deep, side}) EXPECT_FALSE(isGadget(g)) << g;
  EXPECT_TRUE(isGadget(beside));
  EXPECT_EQ(liveGadgetCount(), gadgets - 4);
  closeWindow(w);
}

TEST(Frozen, FreedPicturesAndLabelsServeTheNextOnesAsNew) {
  int w = openWindow(UI_ANY, 0, 0, 400, 300, "f", WIN_TITLEBAR);
  int area = scrollAreaGadget(UI_ANY, 0, 0, 300, 200, 300, 600, 10);
  openGadgetList(area);
  int picture = imageGadget(UI_ANY, 0, 0, 50, 50, 0, IMG_BORDER);
  int label = textGadget(UI_ANY, 0, 60, 50, 20, "old", TEXT_CENTER);
  int extra = textGadget(UI_ANY, 0, 90, 50, 20, "extra");
  const QFont plain = gadgetWidget(extra)->font();
  QFont big = plain;
  big.setPointSize(plain.pointSize() + 9);
  for (int g : {picture, label}) {
    gadgetWidget(g)->setFont(big);
    gadgetToolTip(g, "tip");
    disableGadget(g, true);
    setGadgetColor(g, COLOR_BACK, 200);   // red
  }
  drainEvents();
  const int widgets = widgetCount();
  QWidget* oldPicture = gadgetWidget(picture);

  freezeGadget(area, true);
  for (int g : {picture, label, extra}) freeGadget(g);
  int newPicture = imageGadget(UI_ANY, 60, 0, 50, 50, 0);
  int newLabel = textGadget(UI_ANY, 60, 60, 50, 20, "new");
  EXPECT_EQ(widgetCount(), widgets);   // nothing made: the freed widgets serve
  EXPECT_EQ(gadgetWidget(newPicture), oldPicture);
  EXPECT_NE(newPicture, picture);
  for (int g : {newPicture, newLabel}) {
    SCOPED_TRACE(g);
    EXPECT_FALSE(isGadgetDisabled(g));
    EXPECT_EQ(getGadgetColor(g, COLOR_BACK), -1);
    EXPECT_TRUE(gadgetWidget(g)->toolTip().isEmpty());
    EXPECT_FALSE(gadgetWidget(g)->autoFillBackground());
    EXPECT_FALSE(gadgetWidget(g)->testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(static_cast<QFrame*>(gadgetWidget(g))->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(gadgetX(g), 60);
    EXPECT_EQ(gadgetWidget(g)->font(), plain);
  }
  EXPECT_EQ(getGadgetText(newLabel), "new");

  // The widget left over goes when the holder thaws; the rest stay shown.
  freezeGadget(area, false);
  drainEvents();
  EXPECT_EQ(widgetCount(), widgets - 1);
  EXPECT_TRUE(gadgetWidget(newPicture)->isVisible());
  QTest::mouseClick(gadgetWidget(newPicture), Qt::LeftButton);
  auto events = drainEvents();
  EXPECT_EQ(gadgetTypes(events, newPicture), std::vector<int>{ET_LEFTCLICK});
  EXPECT_TRUE(gadgetTypes(events, picture).empty());

  // Not frozen: a freed widget is deleted, never lent.
  freeGadget(newLabel);
  int made = textGadget(UI_ANY, 0, 0, 50, 20, "made");
  EXPECT_EQ(widgetCount(), widgets);
  drainEvents();
  EXPECT_EQ(widgetCount(), widgets - 1);
  EXPECT_TRUE(isGadget(made));
  closeWindow(w);
}
