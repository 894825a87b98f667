// The RTF reader on small documents: text, formats, tables, escapes, and
// the malformed inputs it refuses.
#include "ui/rtf_reader.h"

#include <gtest/gtest.h>

namespace {

RtfDocument read(const std::string& rtf) {
  RtfDocument doc;
  EXPECT_TRUE(parseRtf(rtf, doc)) << rtf;
  return doc;
}

// The runs of a document as "text|flags" with b, i, u, the font, size and
// colour when they differ from the defaults; paragraphs ended by " / ".
std::string describe(const RtfDocument& doc) {
  std::string out;
  for (const RtfParagraph& p : doc.paragraphs) {
    for (const RtfRun& r : p.runs) {
      out += "[" + r.text;
      const RtfCharFormat& f = r.format;
      std::string flags;
      if (f.bold) flags += "b";
      if (f.italic) flags += "i";
      if (f.underline) flags += "u";
      if (f.font >= 0) flags += "f" + std::to_string(f.font);
      if (f.halfPoints != 24) flags += "s" + std::to_string(f.halfPoints);
      if (f.color != 0) flags += "c" + std::to_string(f.color);
      if (!flags.empty()) out += "|" + flags;
      out += "]";
    }
    out += " / ";
  }
  return out;
}

TEST(RtfReader, TextAndFormats) {
  struct Case {
    const char* rtf;
    const char* runs;
  } cases[] = {
      {"{\\rtf1 Hello}", "[Hello] / "},
      {"{\\rtf1\\ansi plain \\b bold\\b0  plain}", "[plain ][bold|b][ plain] / "},
      {"{\\rtf1 \\i a\\i0 b\\ul c\\ulnone d\\ul0 e}", "[a|i][b][c|u][de] / "},
      // A group restores the format that was before it.
      {"{\\rtf1 a{\\b\\i b}c}", "[a][b|bi][c] / "},
      {"{\\rtf1 \\b\\fs32\\cf2 x\\plain y}", "[x|bs32c2][y] / "},
      // Two paragraphs; an empty one between them is kept.
      {"{\\rtf1 one\\par\\par two\\par}", "[one] /  / [two] / "},
      {"{\\rtf1 a\\line b\\tab c}", "[a\nb\tc] / "},
      // The parameter ends at a blank, which belongs to the control word.
      {"{\\rtf1 \\b1 x\\b0 y}", "[x|b][y] / "},
      {"{\\rtf1 \\{ \\} \\\\}", "[{ } \\] / "},
      // Code page 1252: curly quotes, the euro, and Latin-1 above 0xA0.
      {"{\\rtf1 \\'93q\\'94 \\'80 \\'e9}", "[\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC \xC3\xA9] / "},
      // \u with its fallback character; \uc0 has none; negative numbers
      // wrap to 16 bits.
      {"{\\rtf1 \\u8226?x}", "[\xE2\x80\xA2x] / "},
      {"{\\rtf1 \\uc0\\u8226 x}", "[\xE2\x80\xA2x] / "},
      {"{\\rtf1 \\uc2\\u8226\\'95\\'95x}", "[\xE2\x80\xA2x] / "},
      {"{\\rtf1 \\u-3913?}", "[\xEF\x82\xB7] / "},
      {"{\\rtf1 \\u-10179?\\u-8704?}", "[\xF0\x9F\x98\x80] / "},
      {"{\\rtf1 \\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote}",
       "[\xE2\x80\xA2\xE2\x80\x94\xE2\x80\x93\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D] / "},
      // Unknown words and starred destinations leak no text.
      {"{\\rtf1 a\\zzunknown b{\\*\\zzdest hidden {nested}}c}", "[abc] / "},
      {"{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}text}", "[text] / "},
      {"{\\rtf1 a\r\nb\nc}", "[abc] / "},
      // Text after the last \par is a paragraph of its own.
      {"{\\rtf1 a\\par b}", "[a] / [b] / "},
      {"{\\rtf1 \\b\\par}", " / "},
  };
  for (const Case& c : cases) EXPECT_EQ(describe(read(c.rtf)), c.runs) << c.rtf;
}

TEST(RtfReader, FontAndColourTables) {
  RtfDocument doc = read(
      "{\\rtf1\\ansi\\ansicpg1252\\deff0"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern{\\*\\panose 02}Courier New;}\\f2\\froman Times;}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue300;}"
      "x{\\f1\\cf1 y}\\f2 z}");
  ASSERT_EQ(doc.fonts.size(), 3u);
  EXPECT_EQ(doc.fonts[0].name, "Arial");
  EXPECT_EQ(doc.fonts[0].family, RTF_FAMILY_SWISS);
  EXPECT_EQ(doc.fonts[1].name, "Courier New");
  EXPECT_EQ(doc.fonts[1].family, RTF_FAMILY_MODERN);
  EXPECT_EQ(doc.fonts[2].number, 2);
  EXPECT_EQ(doc.fonts[2].name, "Times");
  ASSERT_EQ(findRtfFont(doc, 1), &doc.fonts[1]);
  EXPECT_EQ(findRtfFont(doc, 7), nullptr);
  ASSERT_EQ(doc.colors.size(), 3u);
  EXPECT_TRUE(doc.colors[0].automatic);
  EXPECT_FALSE(doc.colors[1].automatic);
  EXPECT_EQ(doc.colors[1].red, 255);
  EXPECT_EQ(doc.colors[2].green, 128);
  EXPECT_EQ(doc.colors[2].blue, 255);   // kept in range
  // \deff is the font of text that names none; the tables leak no text.
  EXPECT_EQ(describe(doc), "[x|f0][y|f1c1][z|f2] / ");
  // Tables inside a skipped destination are not read.
  doc = read("{\\rtf1{\\*\\zz{\\fonttbl{\\f3 Bad;}}{\\colortbl;\\red1;}}ok}");
  EXPECT_TRUE(doc.fonts.empty());
  EXPECT_TRUE(doc.colors.empty());
  EXPECT_EQ(describe(doc), "[ok] / ");
}

TEST(RtfReader, ParagraphFormats) {
  RtfDocument doc = read(
      "{\\rtf1 \\qc\\sb120\\sa60 centred\\par \\pard\\li720\\fi-360\\ri240 indented\\par"
      "\\qr right\\par\\pard plain\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.paragraphs[0].align, RTF_CENTER);
  EXPECT_EQ(doc.paragraphs[0].spaceBefore, 120);
  EXPECT_EQ(doc.paragraphs[0].spaceAfter, 60);
  EXPECT_EQ(doc.paragraphs[1].align, RTF_LEFT);
  EXPECT_EQ(doc.paragraphs[1].leftIndent, 720);
  EXPECT_EQ(doc.paragraphs[1].firstIndent, -360);
  EXPECT_EQ(doc.paragraphs[1].rightIndent, 240);
  EXPECT_EQ(doc.paragraphs[2].align, RTF_RIGHT);
  EXPECT_EQ(doc.paragraphs[2].leftIndent, 720);   // kept until \pard
  EXPECT_EQ(doc.paragraphs[3].leftIndent, 0);
}

TEST(RtfReader, MalformedInputsFailAndLeaveNothing) {
  const std::string cases[] = {
      "",
      "{\\rt",
      "Hello",
      " {\\rtf1 leading blank}",
      "{\\RTF1 x}",
      "{\\rtf1 unclosed",
      "{\\rtf1 {inner}",
      "{\\rtf1 x}}",
      "{\\rtf1 x} trailing",
      "{\\rtf1 \\'4",
      "{\\rtf1 \\'4}",
      "{\\rtf1 \\'zz}",
      "{\\rtf1 x\\",
  };
  for (const std::string& rtf : cases) {
    RtfDocument doc;
    doc.paragraphs.resize(2);
    EXPECT_FALSE(parseRtf(rtf, doc)) << rtf;
    EXPECT_TRUE(doc.paragraphs.empty() && doc.fonts.empty()) << rtf;
  }
  RtfDocument doc;
  EXPECT_FALSE(parseRtf(nullptr, 0, doc));
}

TEST(RtfReader, OddButReadableInputs) {
  // Blanks after the last brace, a number too large for an int, a word with
  // no letters after the backslash's digits, a stray NUL.
  EXPECT_EQ(describe(read("{\\rtf1 x}\r\n")), "[x] / ");
  EXPECT_EQ(describe(read("{\\rtf1 \\fs99999999999999999999 x}")), "[x|s2000] / ");
  EXPECT_EQ(describe(read(std::string("{\\rtf1 a\0b}", 11))), "[ab] / ");
  // The length bounds the reading: the bytes need no terminating zero.
  const char bytes[] = "{\\rtf1 ab}{\\rtf1 cd}";
  RtfDocument doc;
  ASSERT_TRUE(parseRtf(bytes, 10, doc));
  EXPECT_EQ(rtfPlainText(doc), "ab\n");
}

}  // namespace
