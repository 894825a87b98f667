// Styles read back byte by byte after styling a text.
#include "editor_fixture.h"

namespace {

struct StyleCase {
  const char* text;
  std::string styles;   // one character a byte: 0-9, '.' = default
};

class StylingTest : public EditorTest {
 protected:
  template <size_t N>
  void expectStyles(const StyleCase (&cases)[N]) {
    for (const StyleCase& c : cases) {
      setEditorText(gadget, c.text);
      EXPECT_EQ(stylesOf(0, send(Sci::SCI_GETLENGTH)), c.styles) << c.text;
    }
  }
};

TEST_F(StylingTest, OneLineTexts) {
  const StyleCase cases[] = {
      {"var x = 1;", "000" "....." "3" "."},
      {"if(a)", std::string("00") + "4" + "." + "4"},
      {"s = \"a\\\"b\";", std::string("....") + "222222" + "."},
      {"t = 'it''s';", std::string("....") + "2222" + "222" + "."},
      {"\"open", "22222"},
      {"a = 12 + 3.5 + .5", std::string("....") + "33" + "..." + "333" + "..." + "33"},
      // Of three groups only the last two form a number; digits and letters a word.
      {"1.2.3 12ab", std::string("..") + "333" + "." + "...."},
      {"spr_hero obj_wall scene_1 new SceneObject7",
       std::string(8, '5') + "." + std::string(8, '5') + "." + std::string(7, '5') + "." + "555" +
           "." + std::string(12, '.')},
      {"instance_create room_width c_red vk_left",
       std::string(15, '6') + "." + std::string(10, '7') + "." + "88888" + "." + "8888888"},
      {"foo(1) foo  (2) spr_hero(3)",
       std::string("444434") + "." + "44444" + "434" + "." + std::string(8, '5') + "434"},
      {"x = 1; // note", std::string("....3.") + "." + "1111111"},
      {"a//b", "...."},
      {"//x", "111"},
      {"\t// x", std::string(".") + "1111"},
      {"a /b/ c", "......."},
      {"/* c */ x", std::string("1111111") + ".."},
      {"/* c *///x", std::string("1111111") + "111"},
      {"\"/* no\" x", std::string("2222222") + ".."},
      {"x = \"a\" /* c", std::string("....") + "222" + "." + "1111"},
      {"/*/", "111"},
      {"/**/x", std::string("1111") + "."},
      {"{ x }", "0...0"},
      {"{abc} x}", "........"},
      // Positions are bytes: the accented letters take two each.
      {"s = \"h\xC3\xA9llo\" // \xC3\xBC", std::string("....") + std::string(8, '2') + "." +
                                               "11111"},
      {"h\xC3\xA9 = while", std::string("...") + "..." + "00000"},
  };
  expectStyles(cases);
}

// Whole texts, line ends included: a span never runs past its line.
TEST_F(StylingTest, BackslashTakesTheNextCharacterIntoASpan) {
  const StyleCase cases[] = {
      {"'it\\'s here'; var x = 1;", std::string(12, '2') + ".." + "000" + "....." + "3" + "."},
      {"\"a\\\"b\" + c", std::string(6, '2') + "...."},
      {"'\\\\'; x", std::string("2222") + "..."},
      {"'a\\\\\\'b';", std::string(8, '2') + "."},
      {"'\\n' + \"\\\\\" + 'b'", std::string("2222") + "..." + "2222" + "..." + "222"},
      {"s = 'x\\'y' // c", std::string("....") + "222222" + "." + "1111"},
      {"a \\ 'b'", std::string("....") + "222"},
      // A backslash last in the line stays in the span; the line end does not.
      {"'a\\\nb = 'c'", std::string("222") + "." + "...." + "222"},
      {"\"a\\\r\nx", std::string("222") + ".." + "."},
      {"\"ab\\", "2222"},
  };
  expectStyles(cases);
}

TEST_F(StylingTest, LineCommentRightAfterASemicolon) {
  const StyleCase cases[] = {
      {"x = 1;// n", std::string("....3.") + "1111"},
      {"f();//c", std::string("444.") + "111"},
      {";;//", std::string("..") + "11"},
  };
  expectStyles(cases);
}

TEST_F(StylingTest, BlockCommentOverThreeLines) {
  setEditorText(gadget, "a = 1 /* start\nmiddle line\nend */ b = 2\nc\n");
  EXPECT_EQ(stylesOfLine(0), std::string("....3.") + "11111111");
  EXPECT_EQ(stylesOfLine(1), std::string(11, '1'));
  EXPECT_EQ(stylesOfLine(2), std::string("111111") + ".....3");
  EXPECT_EQ(stylesOfLine(3), ".");
  const int states[] = {1, 1, 0, 0, 0};
  for (int line = 0; line < 5; line++) EXPECT_EQ(getLineState(gadget, line), states[line]) << line;
}

TEST_F(StylingTest, StylingOffGivesDefaultStyle) {
  setEditorText(gadget, "var s = \"x\";");
  setLexerOption(gadget, LEXOPT_FOLDING);
  EXPECT_EQ(stylesOf(0, send(Sci::SCI_GETLENGTH)), std::string(12, '.'));
}

TEST_F(StylingTest, LineStylerDirectly) {
  // Outside a styling pass nothing reaches the view; results still count.
  setEditorText(gadget, "/* a\n\n");
  EXPECT_EQ(getLineState(gadget, 1), 1);
  // An empty last line takes over the state of the line before it.
  EXPECT_EQ(styleLine(gadget, "", 0, 2, 0, 2), 1);
  EXPECT_EQ(getLineState(gadget, 2), 1);
  int state = 1;
  EXPECT_EQ(styleBlockComment(gadget, "ab*/cd", 6, state), 4);
  EXPECT_EQ(state, 0);
  state = 1;
  EXPECT_EQ(styleBlockComment(gadget, "ab*\r\n", 5, state), 3);
  EXPECT_EQ(state, 1);
}

TEST_F(StylingTest, StyleTokenAlwaysAdvances) {
  const char* texts[] = {"x", " ", "\n", "(", "\"", "'a", ".", "1.", "\xC3", "{", "}}"};
  for (const char* t : texts) {
    int n = styleToken(gadget, t, static_cast<int>(std::string(t).size()));
    EXPECT_GE(n, 1) << t;
  }
  EXPECT_EQ(styleToken(gadget, "x", 0), 0);
  EXPECT_EQ(styleToken(999, "x", 1), 0);
}

}  // namespace
