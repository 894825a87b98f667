// Reads RTF bytes into paragraphs of styled runs. No Qt here: the text view
// turns the result into its own rich text, and the reader can be driven alone
// (tests, fuzzing) over any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct RtfCharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int font = -1;        // number in the font table; -1: none chosen
  int halfPoints = 24;  // \fs: size in half points
  int color = 0;        // index in the colour table; 0: the default colour
  bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
  std::string text;     // UTF-8; "\n" is a line break inside the paragraph
  RtfCharFormat format;
};

enum RtfAlign : int { RTF_LEFT = 0, RTF_CENTER, RTF_RIGHT, RTF_JUSTIFY };

struct RtfParagraph {
  std::vector<RtfRun> runs;
  RtfCharFormat mark;   // the format at the paragraph's end (the height of an empty line)
  int align = RTF_LEFT;
  // In twips (1/1440 inch).
  int leftIndent = 0;
  int rightIndent = 0;
  int firstIndent = 0;  // of the first line, relative to leftIndent
  int spaceBefore = 0;
  int spaceAfter = 0;
};

enum RtfFontFamily : int { RTF_FAMILY_NIL = 0, RTF_FAMILY_ROMAN, RTF_FAMILY_SWISS, RTF_FAMILY_MODERN,
                           RTF_FAMILY_SCRIPT, RTF_FAMILY_DECOR, RTF_FAMILY_TECH };

struct RtfFont {
  int number = 0;
  int family = RTF_FAMILY_NIL;
  std::string name;     // UTF-8, without the closing ";"
};

struct RtfColor {
  bool automatic = true;  // an empty entry: the view's own text colour
  int red = 0, green = 0, blue = 0;
};

struct RtfDocument {
  std::vector<RtfFont> fonts;
  std::vector<RtfColor> colors;
  std::vector<RtfParagraph> paragraphs;
};

// Reads `length` bytes at `data`. Returns false, leaving `doc` empty, when
// the bytes do not start with "{\rtf", when the braces do not balance, when
// a "\'" escape is cut or not hexadecimal, or when a backslash ends the bytes.
bool parseRtf(const char* data, size_t length, RtfDocument& doc);
bool parseRtf(const std::string& bytes, RtfDocument& doc);

// The font-table entry of a number, nullptr when the table has none.
const RtfFont* findRtfFont(const RtfDocument& doc, int number);
// All the text of the document, paragraphs ended by "\n" (tests, searching).
std::string rtfPlainText(const RtfDocument& doc);
