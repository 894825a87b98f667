// The function exchange file: path, code layout, the document, the import
// with its renaming, and files that are broken.
#include "project/exchange.h"
#include "project_fixture.h"

namespace {

using ExchangeTest = ProjectTest;

TEST_F(ExchangeTest, PathEndsInOneXml) {
  const std::pair<const char*, const char*> cases[] = {
      {"lib.xml", "lib.xml"},
      {"lib", "lib.xml"},
      {"a.xml.xml", "a.xml.xml"},
      {"A.XML", "A.XML.xml"},
      {"/home/u/old.xml.d/lib.xml", "/home/u/old.xml.d/lib.xml"},
      {"/home/u/old.xml.d/lib", "/home/u/old.xml.d/lib.xml"},
      {".xml", ".xml"},
  };
  for (const auto& c : cases) EXPECT_EQ(exchangeFilePath(c.first), c.second) << c.first;
}

TEST_F(ExchangeTest, CodeLinesAreIndentedByFourSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"f() {\n\tx();\n}", "f() {\n    x();\n    }"},
      {"  first\n   second", "  first\n    second"},
      {"a\r\n\t b\rc", "a\r\n    b\r    c"},
      {"a\n", "a\n"},
      {"a\n \t ", "a\n"},
      {"a\n\nb", "a\n    \n    b"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(exchangeCode(c.first), c.second) << c.first;
}

TEST_F(ExchangeTest, DocumentHoldsTheChosenFunctionsByPosition) {
  fns = {{"a", "x", "d\"a", "return 1;"}, {"b", "", "", ""}, {"same", "", "", "first"}, {"same", "", "", "second"},
         {"e", "", "", "if (a < b) {\n  go();\n}"}};
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><zembrik_functions version=\"130\" "
      "author=\"Me &amp; you\" description=\"line\nnext\">";
  EXPECT_EQ(functionExchangeDocument("Me & you", "line\nnext", {false, false, false, false, false}),
            head + "<fns count=\"0\"/></zembrik_functions>");
  EXPECT_EQ(functionExchangeDocument("Me & you", "line\nnext", {true, true, false, true, true}),
            head +
                "<fns count=\"4\"><fn name=\"a\" params=\"x\" description=\"d&quot;a\">return 1;</fn>"
                "<fn name=\"b\" params=\"\" description=\"\"/>"
                "<fn name=\"same\" params=\"\" description=\"\">second</fn>"
                "<fn name=\"e\" params=\"\" description=\"\">if (a &lt; b) {\n    go();\n    }</fn>"
                "</fns></zembrik_functions>");
}

TEST_F(ExchangeTest, ExportThenImportRoundTrip) {
  fns = {{"f", "a, b", "two\nlines", "return a;\n\tdone();\n"}};
  ASSERT_TRUE(writeFunctionExchange("lib.xml", "", "", {true}));
  fns.clear();
  setModified(0);
  ASSERT_TRUE(importFunctionsFrom("lib.xml"));
  ASSERT_EQ(fns.size(), 1u);
  EXPECT_EQ(fns[0].name, "f");
  EXPECT_EQ(fns[0].params, "a, b");
  EXPECT_EQ(fns[0].description, "two lines");
  EXPECT_EQ(fns[0].code, "return a;\n    done();\n");
  EXPECT_EQ(modifiedFlag, 1);   // New and Open must ask before dropping them
  EXPECT_FALSE(writeFunctionExchange("no/such/folder/lib.xml", "", "", {true}));
}

std::string exchangeOf(const std::vector<std::string>& names, int count) {
  std::string doc = "<?xml version=\"1.0\"?><zembrik_functions><fns count=\"" +
                    std::to_string(count) + "\">";
  for (const std::string& n : names)
    doc += n == "<none>" ? "<fn/>" : "<fn name=\"" + n + "\">code</fn>";
  return doc + "</fns></zembrik_functions>";
}

TEST_F(ExchangeTest, ImportRenamesUntilTheNameIsFree) {
  struct Case {
    std::vector<std::string> present;
    std::vector<std::string> imported;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {{"f", "f_2"}, {"f"}, {"f", "f_2", "f_2_2"}},
      {{"f_2", "f"}, {"f"}, {"f_2", "f", "f_2_2"}},
      {{}, {"f", "f"}, {"f", "f_2"}},
      {{}, {"<none>"}, {"_2"}},
      {{"_2"}, {""}, {"_2", "_2_2"}},
      {{"g"}, {"h"}, {"g", "h"}},
      {{"f_2"}, {"f", "g", "f", "f", "g"}, {"f_2", "f", "g", "f_2_2", "f_2_2_2", "g_2"}},
  };
  for (const Case& c : cases) {
    fns.clear();
    for (const std::string& n : c.present) appendFunction().name = n;
    writeFile("in.xml", exchangeOf(c.imported, int(c.imported.size())));
    ASSERT_TRUE(importFunctionsFrom("in.xml"));
    std::vector<std::string> names;
    for (const FunctionRecord& f : fns) names.push_back(f.name);
    EXPECT_EQ(names, c.expected);
  }
}

TEST_F(ExchangeTest, ImportOfBrokenFiles) {
  struct Case {
    const char* what;
    std::string file;
    bool readable;
    size_t appended;
  };
  const std::vector<Case> cases = {
      {"count above the children", exchangeOf({"a", "b"}, 1000000), true, 2},
      {"count below the children", exchangeOf({"a", "b"}, 1), true, 1},
      {"negative count", exchangeOf({"a"}, -4), true, 0},
      {"no list", "<?xml version=\"1.0\"?><zembrik_functions/>", true, 0},
      {"not XML", "function f() {}", false, 0},
      {"truncated", exchangeOf({"a"}, 1).substr(0, 60), false, 0},
      {"missing file", "", false, 0},
  };
  for (const Case& c : cases) {
    fns = {named<FunctionRecord>("keep")};
    setModified(0);
    deleteFile("in.xml");
    if (!c.file.empty()) writeFile("in.xml", c.file);
    EXPECT_EQ(importFunctionsFrom("in.xml"), c.readable) << c.what;
    EXPECT_EQ(fns.size(), 1 + c.appended) << c.what;
    EXPECT_EQ(modifiedFlag, c.appended > 0 ? 1 : 0) << c.what << ": only an import that adds changes the project";
  }
}

}  // namespace
