// The gadget: text in and out, lines and line states, margins, the style
// table of a configured editor, freeing, and the window layer's gadget.
#include "codeeditor/editor_settings.h"
#include "editor_fixture.h"
#include "ui/ui.h"

#include <QScrollBar>
#include <QTest>

#include <algorithm>

namespace {

class GadgetTest : public EditorTest {
 protected:
  long textWidth(const char* text) {
    return view->SendScintilla(Sci::SCI_TEXTWIDTH, static_cast<uintptr_t>(STYLE_LINE_NUMBERS), text);
  }
};

TEST_F(GadgetTest, TextInAndOut) {
  EXPECT_EQ(getEditorText(gadget), "");
  const std::string text = "a = \"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\";\r\n\r\nb\n";
  setEditorText(gadget, text);
  EXPECT_EQ(getEditorText(gadget), text);
  EXPECT_EQ(send(Sci::SCI_GETLENGTH), static_cast<long>(text.size()));
  EXPECT_EQ(getEditorLine(gadget, 0), "a = \"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\";");
  EXPECT_EQ(getEditorLine(gadget, 1), "");
  EXPECT_EQ(getEditorLine(gadget, 2), "b");
  EXPECT_EQ(send(Sci::SCI_GETLINECOUNT), 4);
  EXPECT_EQ(getEditorLine(gadget, 3), "");
  EXPECT_EQ(getEditorLine(gadget, 4), "");
  EXPECT_EQ(getEditorLine(gadget, -1), "");
}

TEST_F(GadgetTest, LoadingATextCannotBeUndone) {
  for (int flag : {0, 1}) {
    setEditorText(gadget, "code of the window", flag);
    EXPECT_EQ(send(Sci::SCI_CANUNDO), 0);
    send(Sci::SCI_UNDO);
    EXPECT_EQ(getEditorText(gadget), "code of the window");
  }
}

TEST_F(GadgetTest, LineStatesOnlyForExistingLines) {
  setEditorText(gadget, "a\nb");
  EXPECT_EQ(setLineState(gadget, 1, 7), 0);
  EXPECT_EQ(setLineState(gadget, 1, 8), 7);
  EXPECT_EQ(getLineState(gadget, 1), 8);
  EXPECT_EQ(setLineState(gadget, -1, 5), 0);
  EXPECT_EQ(setLineState(gadget, 2, 5), 0);
  EXPECT_EQ(getLineState(gadget, -1), 0);
  EXPECT_EQ(getLineState(gadget, 2), 0);
}

TEST_F(GadgetTest, LineNumberMarginFollowsTheLineCount) {
  setEditorText(gadget, "1\n2\n3\n4\n5\n6\n7\n8\n9");
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 0), textWidth("9") + 10);
  // Taken up right after the change, once the view is done with it.
  insertAt(send(Sci::SCI_GETLENGTH), "\n10");
  QCoreApplication::processEvents();
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 0), textWidth("99") + 10);
  send(Sci::SCI_DELETERANGE, lineEnd(8), 3);
  QCoreApplication::processEvents();
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 0), textWidth("9") + 10);
  // Margin 0 belongs to the line numbers.
  setMarginWidth(gadget, 0, 99);
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 0), textWidth("9") + 10);
  setMarginWidth(gadget, 1, 30);
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 1), 30);
  setMarginWidth(gadget, 1, -4);
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 1), 0);
  setMarginWidth(gadget, 7, 30);   // no such margin
}

// The view scrolls sideways only when a line is wider than it.
TEST_F(GadgetTest, HorizontalScrollBarOnlyForAWideLine) {
  parent->resize(800, 600);
  parent->show();
  QScrollBar* bar = view->horizontalScrollBar();
  struct {
    const char* what;
    std::string text;
    bool bar;
  } cases[] = {{"empty", "", false},
               {"short lines", "var a = 1;\nfunction f() {}", false},
               {"a line wider than the view", "x" + std::string(400, '=') + ";", true}};
  for (const auto& c : cases) {
    setEditorText(gadget, c.text);
    // A line is measured when it is shown; the view widens a little later.
    view->viewport()->repaint();
    QTest::qWait(200);
    EXPECT_EQ(bar->isVisible(), c.bar) << c.what;
  }
}

TEST_F(GadgetTest, ConfiguredStyleTable) {
  EXPECT_EQ(send(Sci::SCI_GETMARGINWIDTHN, 2), 24);
  EXPECT_EQ(send(Sci::SCI_GETTABWIDTH), 4);
  EXPECT_EQ(send(Sci::SCI_GETUSETABS), 1);
  EXPECT_EQ(send(Sci::SCI_GETCARETLINEVISIBLE), 1);
  EXPECT_EQ(send(Sci::SCI_GETCARETLINEBACK), sciColorCaret);
  const std::pair<int, int> fores[] = {
      {32, sciColorFore},       {0, sciColorCommand},     {1, sciColorComment},
      {2, sciColorString},      {3, sciColorNumber},      {4, sciColorFunction},
      {5, sciColorResource},    {6, sciColorZmFunction},  {7, sciColorZmVariable},
      {8, sciColorZmConstant},  {9, 255 * 65536},         {20, sciColorFore}};
  for (auto [style, colour] : fores) {
    EXPECT_EQ(send(Sci::SCI_STYLEGETFORE, style), colour) << style;
    EXPECT_EQ(send(Sci::SCI_STYLEGETSIZE, style), sciFontSize) << style;
  }
  EXPECT_EQ(send(Sci::SCI_STYLEGETITALIC, 1), 1);
  EXPECT_EQ(send(Sci::SCI_STYLEGETITALIC, 0), 0);
  EXPECT_EQ(send(Sci::SCI_STYLEGETBOLD, 9), 1);
  EXPECT_EQ(send(Sci::SCI_GETCODEPAGE), 65001);
  EXPECT_EQ(rec->options, 0x27);
  EXPECT_EQ(rec->lineStyler, styleLine);
  applyEditorColor(gadget, 7, -1);
  EXPECT_EQ(send(Sci::SCI_GETCARETLINEVISIBLE), 0);
}

TEST_F(GadgetTest, LexerRegistrations) {
  // A later registration of the same key decides style and case.
  addLexerWords(gadget, "Spr_HERO", 9, 0, 1, 0);
  const LexerEntry* e = lookupLexerWord(gadget, "  spr_hero ");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->text, "Spr_HERO");
  EXPECT_EQ(e->style, 9);
  EXPECT_EQ(e->flags, LEX_WORD);
  EXPECT_EQ(lookupLexerWord(gadget, "new")->style, 5);
  EXPECT_EQ(lookupLexerWord(gadget, "   "), nullptr);
  EXPECT_EQ(addLexerEntry(gadget, "  one two  three ", 3, 0), 3);
  EXPECT_EQ(addLexerEntry(gadget, "   ", 3, 0), 0);
  size_t before = rec->entries.size();
  addLexerSpan(gadget, "<", "", LEX_SPAN, 2, 1);   // a span needs its closing text
  addLexerSpan(gadget, "", ">", LEX_SPAN, 2, 1);
  EXPECT_EQ(rec->entries.size(), before);
  // Word entries stay in ascending order, ignoring case.
  std::string previous;
  for (const LexerEntry& entry : rec->entries) {
    if (!(entry.flags & LEX_WORD)) continue;
    std::string key = lexerKey(rec, entry.text);
    EXPECT_LT(previous, key);
    previous = key;
  }
}

TEST_F(GadgetTest, OperationsOnOtherGadgetsDoNothing) {
  const int other = 999;
  EXPECT_EQ(getEditorText(other), "");
  setEditorText(other, "x");
  EXPECT_EQ(getEditorLine(other, 0), "");
  EXPECT_EQ(getLineState(other, 0), 0);
  EXPECT_EQ(setLineState(other, 0, 1), 0);
  EXPECT_EQ(addLexerEntry(other, "a", 1, 0), 0);
  EXPECT_EQ(lookupLexerWord(other, "a"), nullptr);
  EXPECT_EQ(setLineStyler(other, styleLine), nullptr);
  EXPECT_EQ(keywordAtCaret(other), -1);
  restyleEditor(other, 0, -1, -1);
  setupEditorLexer(other);
  applyEditorColor(other, 2, 0);
  setEditorFont(other, "Mono", 10, 1);
  freeCodeEditor(other);
  updateAutoComplete(nullptr);
}

TEST_F(GadgetTest, FontFamilyGoesThroughTheProgramsMapping) {
  struct Case { const char* asked; std::string used; } cases[] = {
      {"Consolas", installedFamily("Consolas")},
      {"consolas", installedFamily("Consolas")},
      {"Some Family Of Its Own", "Some Family Of Its Own"},
  };
  for (const Case& c : cases) {
    setEditorFont(gadget, c.asked, 12, 0);
    char family[128] = {};
    view->SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<uintptr_t>(32), family);
    EXPECT_EQ(std::string(family), c.used) << c.asked;
  }
}

TEST_F(GadgetTest, FreeingDropsTheRecord) {
  int second = createCodeEditor(-1, 0, 0, 100, 100, nullptr, 0);
  ASSERT_NE(second, 0);
  EXPECT_NE(second, gadget);
  EXPECT_EQ(editorRecord(second)->options, 5);
  freeCodeEditor(second);
  EXPECT_EQ(editorRecord(second), nullptr);
  freeCodeEditor(second);
  EXPECT_EQ(createCodeEditor(gadget, 0, 0, 10, 10, nullptr, 1), 0);   // number in use
}

std::vector<int> forwarded;
void recordNotification(int, const EditorNotification& n) { forwarded.push_back(n.code); }

TEST_F(GadgetTest, NotificationsGoOnToTheFurtherCallback) {
  int second = createCodeEditor(-1, 0, 0, 200, 100, recordNotification, 1);
  ASSERT_NE(second, 0);
  forwarded.clear();
  QTest::keyClicks(editorRecord(second)->view, "a");
  EXPECT_NE(std::find(forwarded.begin(), forwarded.end(), EDITOR_CHARADDED), forwarded.end());
  EXPECT_NE(std::find(forwarded.begin(), forwarded.end(), EDITOR_MODIFIED), forwarded.end());
  freeCodeEditor(second);
}

TEST_F(GadgetTest, CaseSensitiveEditor) {
  int second = createCodeEditor(-1, 0, 0, 200, 100, nullptr, 1 | EDITOR_CASE_SENSITIVE);
  setupEditorLexer(second);
  EXPECT_EQ(lookupLexerWord(second, "While"), nullptr);
  ASSERT_NE(lookupLexerWord(second, "spr_Hero"), nullptr);
  EXPECT_EQ(lookupLexerWord(second, "spr_hero"), nullptr);
  setEditorText(second, "While while");
  Sci* v = editorRecord(second)->view;
  EXPECT_EQ(v->SendScintilla(Sci::SCI_GETSTYLEAT, 0), 32);
  EXPECT_EQ(v->SendScintilla(Sci::SCI_GETSTYLEAT, 6), 0);
  freeCodeEditor(second);
}

TEST(CodeEditorGadget, IsAGadgetOfTheWindowLayer) {
  useUiEditorHost();
  int window = openWindow(UI_ANY, 0, 0, 800, 600, "Code", 0);
  ASSERT_NE(window, 0);
  ASSERT_EQ(createCodeEditor(146, 10, 45, 780, 540, nullptr, 1), 146);
  setupEditorLexer(146);
  EXPECT_TRUE(isGadget(146));
  EXPECT_GE(gadgetKind(146), GK_CUSTOM);
  setGadgetText(146, "var x;");
  EXPECT_EQ(getEditorText(146), "var x;");
  EXPECT_EQ(getGadgetText(146), "var x;");
  closeWindow(window);
  EXPECT_EQ(editorRecord(146), nullptr);
  EXPECT_FALSE(isGadget(146));
}

}  // namespace
