// The export dialog and the import, driven through the scripted driver.
#include <QGuiApplication>

#include "project/exchange_dialog.h"
#include "project_fixture.h"
#include "ui/driver.h"
#include "ui/ui.h"

namespace {

class ExchangeDialogTest : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    driverReset();
    driverStart();
    fns = {{"a", "", "", "one"}, {"b", "", "", "two"}, {"a", "", "", "three"}};
  }
  void TearDown() override {
    EXPECT_TRUE(driverCheckDone());
    driverReset();
    ProjectTest::TearDown();
  }
  // The <fn> elements of a written file, by their code.
  static std::vector<std::string> exportedCode(const std::string& path) {
    std::string doc = slurp(path);
    std::vector<std::string> code;
    for (size_t at = doc.find("<fn "); at != std::string::npos; at = doc.find("<fn ", at + 1)) {
      size_t start = doc.find('>', at) + 1;
      code.push_back(doc.substr(start, doc.find('<', start) - start));
    }
    return code;
  }
};

TEST_F(ExchangeDialogTest, NothingToExport) {
  fns.clear();
  driverAnswerMessage("Message", "There nothing to export.");
  exportFunctions();
}

TEST_F(ExchangeDialogTest, ExportsTheTickedBoxesByPosition) {
  driverCheck("function0", false);
  driverSetText("author", "Me");
  driverClick("Export");
  driverAnswerFile("Exporting functions...", "");   // cancelled: the dialog stays
  driverClick("Export");
  driverAnswerFile("Exporting functions...", tempFolder + "/lib.xml");
  exportFunctions();
  EXPECT_EQ(exportedCode(tempFolder + "/lib.xml"), (std::vector<std::string>{"two", "three"}));
  EXPECT_NE(slurp(tempFolder + "/lib.xml").find("author=\"Me\""), std::string::npos);
}

TEST_F(ExchangeDialogTest, OverwriteQuestionAndFailedWrite) {
  writeFile("old.xml", "keep");
  driverClick("Export");
  driverAnswerFile("Exporting functions...", tempFolder + "/old");
  driverAnswerMessage("Message", "File exists. Overwrite?", MSG_RESULT_NO);
  driverCall([this] { EXPECT_EQ(slurp("old.xml"), "keep"); });
  driverClick("Export");
  driverAnswerFile("Exporting functions...", tempFolder + "/missing/lib.xml");
  driverAnswerMessage("Error", "The file " + tempFolder + "/missing/lib.xml cannot be written.");
  driverClick("Export");
  driverAnswerFile("Exporting functions...", tempFolder + "/old.xml");
  driverAnswerMessage("Message", "File exists. Overwrite?", MSG_RESULT_YES);
  exportFunctions();
  EXPECT_EQ(exportedCode("old.xml"), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(ExchangeDialogTest, CancelWritesNothing) {
  driverClick("Cancel");
  exportFunctions();
  std::vector<DirEntry> entries;
  listFolder(".", "*.xml", entries);
  EXPECT_TRUE(entries.empty());
}

TEST_F(ExchangeDialogTest, Import) {
  int refreshes = 0;
  projectHooks.refreshResourcePanel = [&] { ++refreshes; };
  driverAnswerFile("Select functions to import", "");
  importFunctions();
  EXPECT_EQ(refreshes, 0);
  writeFile("bad.xml", "<zembrik_functions>");
  driverAnswerFile("Select functions to import", tempFolder + "/bad.xml");
  driverAnswerMessage("Error", "The file " + tempFolder + "/bad.xml cannot be read.");
  importFunctions();
  EXPECT_EQ(refreshes, 0);
  writeFile("in.xml", "<zembrik_functions><fns count=\"1\"><fn name=\"b\"/></fns></zembrik_functions>");
  driverAnswerFile("Select functions to import", tempFolder + "/in.xml");
  importFunctions();
  EXPECT_EQ(refreshes, 1);
  ASSERT_EQ(fns.size(), 4u);
  EXPECT_EQ(fns[3].name, "b_2");
}

void reportToGtest(const std::string& message) { ADD_FAILURE() << message; }

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  initUi(argc, argv);
  driverOnFailure(reportToGtest);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
