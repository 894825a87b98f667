// Incremental restyling, fold levels, unfolding, indentation of new lines
// and the range checks of the styling pass.
#include "editor_fixture.h"

#include <QTest>

#include <set>

namespace {

std::vector<int> styledLines;
int nestedRequests = 0;

int countingStyler(int gadget, const char* text, int length, int line, int first, int end) {
  styledLines.push_back(line);
  return styleLine(gadget, text, length, line, first, end);
}

// Asks for a whole restyle from inside the pass, as an unfolding view can.
int nestingStyler(int gadget, const char* text, int length, int line, int first, int end) {
  if (nestedRequests++ < 3) restyleEditor(gadget, 0, -1, -1);
  return styleLine(gadget, text, length, line, first, end);
}

std::string lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; i++) text += line + "\n";
  return text;
}

class RestyleTest : public EditorTest {};

TEST_F(RestyleTest, TypingInPlainCodeRestylesThatLineOnly) {
  setLineStyler(gadget, countingStyler);
  setEditorText(gadget, lines(300, "x = 1;"));
  styledLines.clear();
  insertAt(lineStart(150) + 2, "y");
  styleTo(lineEnd(150));
  // The line before is styled again only for its fold level change.
  EXPECT_EQ(styledLines, (std::vector<int>{149, 150}));
  EXPECT_EQ(stylesOfLine(150), ".....3.");
}

TEST_F(RestyleTest, OpeningABlockCommentRestylesTheRest) {
  setLineStyler(gadget, countingStyler);
  setEditorText(gadget, lines(300, "x = 1;"));
  styledLines.clear();
  insertAt(lineStart(1), "/*");
  styleTo(lineEnd(1));
  std::set<int> seen(styledLines.begin(), styledLines.end());
  EXPECT_EQ(seen.size(), 300u);
  EXPECT_EQ(stylesOfLine(299), "111111");
  EXPECT_EQ(getLineState(gadget, 299), 1);

  styledLines.clear();
  send(Sci::SCI_DELETERANGE, lineStart(1), 2);
  styleTo(lineEnd(1));
  EXPECT_EQ(std::set<int>(styledLines.begin(), styledLines.end()).size(), 300u);
  EXPECT_EQ(stylesOfLine(299), "....3.");
  EXPECT_EQ(getLineState(gadget, 299), 0);
}

TEST_F(RestyleTest, FoldLevels) {
  struct Case {
    const char* text;
    std::vector<int> levels;
  };
  const int B = FOLD_BASE, H = FOLD_HEADER;
  const Case cases[] = {
      {"function f() {\n\tif (a) {\n\t\tb();\n\t}\n}\nx = 1;",
       {B | H, (B + 1) | H, B + 2, B + 2, B + 1, B}},
      {"{\n} }\nx", {B | H, B + 1, B}},
      {"{\n}}\nx", {B | H, B + 1, B + 1}},   // "}}" is one word
      {"}\nx", {B, B}},
      {"{ }\nx", {B, B}},
      // Braces against letters form words and change nothing.
      {"{abc\nx}\n}else{\ny", {B, B, B, B}},
      {"} else {\ny\n}", {B | H, B + 1, B + 1}},
  };
  for (const Case& c : cases) {
    setEditorText(gadget, c.text);
    for (size_t line = 0; line < c.levels.size(); line++)
      EXPECT_EQ(foldLevel(static_cast<int>(line)), c.levels[line]) << c.text << " line " << line;
  }
}

TEST_F(RestyleTest, MarginClickFoldsHeadersOnly) {
  setEditorText(gadget, "{\na\nb\n}\nc");
  EditorNotification click;
  click.code = EDITOR_MARGINCLICK;
  click.margin = 2;
  click.position = static_cast<int>(lineStart(1));
  onEditorNotification(gadget, click);
  EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, 2), 1);
  click.position = 0;
  click.margin = 1;
  onEditorNotification(gadget, click);
  EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, 2), 1);
  click.margin = 2;
  onEditorNotification(gadget, click);
  EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, 1), 0);
  EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, 3), 0);
  EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, 4), 1);
}

TEST_F(RestyleTest, FoldedBlockOpensWhenItsOpenerGoes) {
  // The opener becomes comment text through an edit on another line, so
  // nothing asks the view to show the folded lines.
  setEditorText(gadget, "x = 1;\n{\na\nb\n}\nc");
  send(Sci::SCI_TOGGLEFOLD, 1);
  ASSERT_EQ(send(Sci::SCI_GETLINEVISIBLE, 2), 0);
  insertAt(0, "/*");
  styleAll();
  EXPECT_EQ(foldLevel(1) & FOLD_HEADER, 0);
  for (int line = 0; line < 6; line++) EXPECT_EQ(send(Sci::SCI_GETLINEVISIBLE, line), 1) << line;
}

TEST_F(RestyleTest, NestedRequestsDuringAPassAreIgnored) {
  nestedRequests = 0;
  setLineStyler(gadget, nestingStyler);
  setEditorText(gadget, "a /* b\nc\nd */ e\n");
  EXPECT_EQ(stylesOfLine(1), "1");
  EXPECT_EQ(stylesOfLine(2), std::string("1111") + "..");
}

TEST_F(RestyleTest, NewLineTakesTheIndentationOfTheLineBefore) {
  struct Case {
    const char* text;
    int indentation;
  };
  const Case cases[] = {{"\tif (a) {", 4}, {"        x = 1;", 8}, {"x = 1;", 0}};
  for (const Case& c : cases) {
    setEditorText(gadget, c.text);
    caretTo(send(Sci::SCI_GETLENGTH));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(send(Sci::SCI_GETLINECOUNT), 2) << c.text;
    EXPECT_EQ(send(Sci::SCI_GETLINEINDENTATION, 1), c.indentation) << c.text;
    EXPECT_EQ(send(Sci::SCI_GETCURRENTPOS), send(Sci::SCI_GETLINEINDENTPOSITION, 1)) << c.text;
  }
  // Indented with tab characters.
  EXPECT_EQ(getEditorText(gadget), "x = 1;\n");
  setEditorText(gadget, "\tx");
  caretTo(2);
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(getEditorText(gadget), "\tx\n\t");
}

TEST_F(RestyleTest, OutOfRangeRequestsStayInsideTheText) {
  const char* texts[] = {"", "x", "a /* b c\nd\n", "{\n}\n"};
  for (const char* t : texts) {
    setEditorText(gadget, t);
    restyleEditor(gadget, 5, 100, 99999);
    restyleEditor(gadget, -3, -1, -1);
    restyleEditor(gadget, 0, 0, 0);
    restyleEditor(gadget, 0, -1, -5);
    EditorNotification n;
    n.code = EDITOR_STYLENEEDED;
    n.position = 1000000;
    onEditorNotification(gadget, n);
    n.code = EDITOR_NEEDSHOWN;
    n.position = -50;
    n.length = 1000000;
    onEditorNotification(gadget, n);
    n.code = EDITOR_MARGINCLICK;
    n.margin = 2;
    n.position = 1000000;
    onEditorNotification(gadget, n);
  }
  // A pass that ends inside a line whose state changes styles that line whole.
  setEditorText(gadget, "");
  insertAt(0, "a /* b c\nd\n");
  styleTo(4);
  EXPECT_EQ(stylesOfLine(0), std::string("..") + "111111");
  EXPECT_EQ(stylesOfLine(1), "1");
}

}  // namespace
