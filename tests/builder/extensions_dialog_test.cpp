// The "Installed extensions" window over the real window layer.
#include "builder/extensions_dialog.h"

#include "builder_fixture.h"
#include "tests/support/unreadable_file.h"
#include "ui/driver.h"
#include "ui/ui.h"

namespace {

class ExtensionsDialogTest : public BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    projectName = "game";
    makeFolder("Projects/game");
    makeFolder("Extensions");
    writeFile("Extensions/a.tex", "[EXTENSION]\nAlpha\n[AUTHOR]\nAnn\n");
    writeFile("Extensions/b.tex",
              "[EXTENSION]\nBe\nta\n[AUTHOR]\nBob\n[DESCRIPTION]\nDoes it.\n[HELP]\nb()\n");
    writeFile("Extensions/c.tex", "[CODE]\nc();\n");   // no name
    writeFile("Projects/game/extensions.dat", "b\n");
  }
  static int list() { return gadgetByName(0, "extensions"); }
  static int details() { return gadgetByName(0, "details"); }
  static int row(const std::string& text) {
    for (int r = 0; r < countGadgetItems(list()); ++r)
      if (getGadgetItemText(list(), r) == text) return r;
    return -1;
  }
  // A click on the row: rows follow the folder listing, so they are found
  // by their text once the dialog is open.
  static void select(const std::string& text) {
    driverCall([=] {
      setGadgetState(list(), row(text));
      postEvent(EV_GADGET, gadgetWindow(list()), list(), ET_LEFTCLICK);
    }, "select " + text);
  }
  static void check(const std::string& text, bool checked) {
    driverCall([=] { setGadgetItemState(list(), row(text), checked ? ITEM_CHECKED : 0); },
               "check " + text);
  }
};

TEST_F(ExtensionsDialogTest, UnnamedProjectIsRefused) {
  projectName.clear();
  chooseExtensions();
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Message", "Please save your project."}}));
}

TEST_F(ExtensionsDialogTest, ShowsTheChoiceAndDetailsAndWritesItOnOk) {
  driverStart();
  driverCall([] {
    EXPECT_EQ(getWindowTitle(gadgetWindow(list())), "Installed extensions");
    EXPECT_EQ(windowWidth(gadgetWindow(list())), 640);
    EXPECT_EQ(windowHeight(gadgetWindow(list())), 480);
    ASSERT_EQ(countGadgetItems(list()), 3);
    ASSERT_GE(row("Beta"), 0);
    EXPECT_EQ(getGadgetItemState(list(), row("Beta")) & ITEM_CHECKED, ITEM_CHECKED);
    EXPECT_EQ(getGadgetItemState(list(), row("Alpha")) & ITEM_CHECKED, 0);
    EXPECT_EQ(getGadgetText(details()), "");
  });
  select("Beta");
  driverCall([] {
    EXPECT_EQ(getGadgetText(details()),
              "NAME:Beta\nAUTHOR: Bob\n\nDESCRIPTION: \nDoes it.\nHELP:\nb()\n");
  });
  select("Alpha");
  driverCall([] {
    EXPECT_EQ(getGadgetText(details()), "NAME:Alpha\nAUTHOR: Ann\n\nDESCRIPTION: HELP:");
  });
  check("Beta", false);
  check("Alpha", true);
  driverClick("OK");
  chooseExtensions();
  driverCheckDone();
  EXPECT_EQ(slurp("Projects/game/extensions.dat"), "a\n");
}

TEST_F(ExtensionsDialogTest, RowWithoutNameLeavesTheDetails) {
  driverStart();
  driverCall([] { setGadgetText(details(), "before"); });
  select("");
  driverCall([] { EXPECT_EQ(getGadgetText(details()), "before"); });
  driverClick("OK");
  chooseExtensions();
  driverCheckDone();
  EXPECT_EQ(slurp("Projects/game/extensions.dat"), "b\n");
}

TEST_F(ExtensionsDialogTest, CancelWritesNothingAndOkWithNoneEmptiesTheList) {
  driverStart();
  check("Alpha", true);
  driverClick("Cancel");
  chooseExtensions();
  driverCheckDone();
  EXPECT_EQ(slurp("Projects/game/extensions.dat"), "b\n");

  driverStart();
  check("Beta", false);
  driverClick("OK");
  chooseExtensions();
  driverCheckDone();
  EXPECT_EQ(fileSize("Projects/game/extensions.dat"), 0);
}

// Shown without the choice it could not read, the dialog's OK would write
// the list anew without it: it does not open.
TEST_F(ExtensionsDialogTest, AChoiceThatCannotBeReadIsNotShown) {
  ASSERT_TRUE(makeUnreadable("Projects/game/extensions.dat", UNREADABLE_DISK));
  driverStart();
  chooseExtensions();
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Error", "The file Projects/game/extensions.dat cannot be read."}}));
  EXPECT_TRUE(isLink("Projects/game/extensions.dat"));
}

}  // namespace
