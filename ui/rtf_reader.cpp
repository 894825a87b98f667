// The RTF reader: one pass over the bytes with a stack of group states.
#include "ui/rtf_reader.h"

#include <cstdint>
#include <cstring>

namespace {

enum Destination : int { DEST_TEXT = 0, DEST_SKIP, DEST_FONTTABLE, DEST_COLORTABLE };

struct GroupState {
  RtfCharFormat chr;
  RtfParagraph para;   // its format only; the runs are gathered by the reader
  int unicodeSkip = 1; // \uc: fallback characters after each \u
  int dest = DEST_TEXT;
};

// Code page 1252 from 0x80 to 0x9f; the rest of the upper half is Latin-1.
// The five holes of the code page read as U+FFFD.
const char16_t cp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

uint32_t fromCp1252(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return cp1252High[b - 0x80];
  return b;
}

void appendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Destinations that hold no text of the document; starred ones ({\*\...})
// are skipped whatever their name.
const char* const skippedDestinations[] = {
    "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
    "footerr", "footerf", "footnote", "object", "fldinst", "themedata", "colorschememapping",
    "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable", "rsidtbl",
    "generator", "filetbl", "revtbl", "annotation", "atnid", "atnauthor", "xe", "tc", "txe",
    "shp", "shpinst", "nonshppict", "bkmkstart", "bkmkend"};

bool isSkippedDestination(std::string_view word) {
  for (const char* d : skippedDestinations)
    if (word == d) return true;
  return false;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reader {
 public:
  Reader(const char* data, size_t length) : p_(data), n_(length) {}

  bool run(RtfDocument& doc) {
    static const char head[] = "{\\rtf";
    if (n_ < sizeof head - 1 || std::memcmp(p_, head, sizeof head - 1) != 0) return false;
    doc_ = &doc;
    while (i_ < n_) {
      char c = p_[i_];
      if (c == '{') {
        ++i_;
        stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
        endUnicodeSkip();
      } else if (c == '}') {
        ++i_;
        if (stack_.empty()) return false;
        if (stack_.back().dest == DEST_FONTTABLE) commitFont();
        // Text after the last \par is a paragraph of its own.
        if (stack_.size() == 1 && !runs_.empty()) endParagraph();
        stack_.pop_back();
        endUnicodeSkip();
        if (stack_.empty()) return finish();
      } else if (c == '\\') {
        if (!control()) return false;
      } else if (c == '\r' || c == '\n' || c == '\0') {
        ++i_;
      } else {
        ++i_;
        character(fromCp1252((unsigned char)c), c == ';');
      }
    }
    return false;   // the outermost group was never closed
  }

 private:
  GroupState& top() { return stack_.back(); }

  // What may follow the outermost group: blanks only.
  bool finish() {
    for (; i_ < n_; ++i_) {
      char c = p_[i_];
      if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0') return false;
    }
    return true;
  }

  // One character of text (already out of its escape); `semicolon` when it
  // was a plain ";" that ends a table entry.
  void character(uint32_t c, bool semicolon) {
    if (skip_ > 0) {
      --skip_;
      return;
    }
    GroupState& g = top();
    switch (g.dest) {
      case DEST_TEXT: emit(c); break;
      case DEST_FONTTABLE:
        if (semicolon) commitFont();
        else appendUtf8(fontName_, c);
        break;
      case DEST_COLORTABLE:
        if (semicolon) {
          doc_->colors.push_back(color_);
          color_ = RtfColor{};
        }
        break;
      default: break;
    }
  }

  void emit(uint32_t c) {
    if (highSurrogate_) {
      uint32_t high = highSurrogate_;
      highSurrogate_ = 0;
      if (c >= 0xDC00 && c < 0xE000) {
        c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
      } else {
        emit(0xFFFD);
      }
    }
    if (c >= 0xD800 && c < 0xDC00) {
      highSurrogate_ = c;
      return;
    }
    if (c >= 0xDC00 && c < 0xE000) c = 0xFFFD;
    const RtfCharFormat& f = top().chr;
    if (runs_.empty() || !(runs_.back().format == f)) runs_.push_back(RtfRun{std::string(), f});
    appendUtf8(runs_.back().text, c);
  }

  void endParagraph() {
    RtfParagraph para = top().para;
    para.runs = std::move(runs_);
    para.mark = top().chr;
    runs_.clear();
    doc_->paragraphs.push_back(std::move(para));
  }

  void commitFont() {
    if (!fontOpen_) return;
    while (!fontName_.empty() && fontName_.back() == ' ') fontName_.pop_back();
    doc_->fonts.push_back(RtfFont{fontNumber_, fontFamily_, fontName_});
    fontOpen_ = false;
    fontName_.clear();
    fontFamily_ = RTF_FAMILY_NIL;
  }

  void endUnicodeSkip() {
    skip_ = 0;
    if (highSurrogate_) {
      highSurrogate_ = 0;
      if (!stack_.empty() && top().dest == DEST_TEXT) emit(0xFFFD);
    }
  }

  // A backslash at i_: a control word, a control symbol or an escape.
  bool control() {
    if (i_ + 1 >= n_) return false;
    char c = p_[i_ + 1];
    if (isLetter(c)) return word();
    i_ += 2;
    switch (c) {
      case '\'': {
        if (i_ + 2 > n_) return false;
        int hi = hexValue(p_[i_]), lo = hexValue(p_[i_ + 1]);
        if (hi < 0 || lo < 0) return false;
        i_ += 2;
        character(fromCp1252((unsigned char)(hi * 16 + lo)), false);
        return true;
      }
      case '\\':
      case '{':
      case '}': character((unsigned char)c, false); return true;
      case '~': symbol(0x00A0); return true;
      case '_': symbol(0x2011); return true;
      case '*': top().dest = DEST_SKIP; return true;
      case '\r':
      case '\n': word("par", false, 0); return true;
      default: return true;   // \- (optional hyphen), \| and the like show nothing
    }
  }

  void symbol(uint32_t c) {
    skip_ = 0;
    character(c, false);
  }

  bool word() {
    size_t start = ++i_;
    while (i_ < n_ && isLetter(p_[i_])) ++i_;
    std::string_view name(p_ + start, i_ - start);
    bool hasParam = false;
    long long value = 0;
    bool negative = false;
    if (i_ + 1 < n_ && p_[i_] == '-' && isDigit(p_[i_ + 1])) {
      negative = true;
      ++i_;
    }
    while (i_ < n_ && isDigit(p_[i_])) {
      hasParam = true;
      if (value < 100000000000LL) value = value * 10 + (p_[i_] - '0');
      ++i_;
    }
    if (value > 2147483647LL) value = 2147483647LL;
    if (negative) value = -value;
    if (i_ < n_ && p_[i_] == ' ') ++i_;
    word(name, hasParam, int(value));
    return true;
  }

  void word(std::string_view w, bool hasParam, int param) {
    GroupState& g = top();
    bool on = !hasParam || param != 0;
    if (w == "u") {
      uint32_t c = uint32_t(param < 0 ? param + 65536 : param) & 0xFFFF;
      skip_ = 0;
      character(c, false);
      skip_ = g.unicodeSkip;
      return;
    }
    skip_ = 0;
    if (g.dest == DEST_SKIP) return;   // not even a table inside is read
    if (w == "uc") g.unicodeSkip = param < 0 ? 0 : param;
    else if (w == "fonttbl") g.dest = DEST_FONTTABLE;
    else if (w == "colortbl") g.dest = DEST_COLORTABLE;
    else if (isSkippedDestination(w)) g.dest = DEST_SKIP;
    else if (g.dest == DEST_FONTTABLE) fontTableWord(w, param);
    else if (g.dest == DEST_COLORTABLE) colorTableWord(w, param);
    else if (g.dest == DEST_TEXT) textWord(g, w, hasParam, param, on);
  }

  void fontTableWord(std::string_view w, int param) {
    if (w == "f") {
      commitFont();
      fontOpen_ = true;
      fontNumber_ = param;
    } else if (w == "fnil") fontFamily_ = RTF_FAMILY_NIL;
    else if (w == "froman") fontFamily_ = RTF_FAMILY_ROMAN;
    else if (w == "fswiss") fontFamily_ = RTF_FAMILY_SWISS;
    else if (w == "fmodern") fontFamily_ = RTF_FAMILY_MODERN;
    else if (w == "fscript") fontFamily_ = RTF_FAMILY_SCRIPT;
    else if (w == "fdecor") fontFamily_ = RTF_FAMILY_DECOR;
    else if (w == "ftech") fontFamily_ = RTF_FAMILY_TECH;
  }

  void colorTableWord(std::string_view w, int param) {
    int v = param < 0 ? 0 : (param > 255 ? 255 : param);
    if (w == "red") color_.red = v;
    else if (w == "green") color_.green = v;
    else if (w == "blue") color_.blue = v;
    else return;
    color_.automatic = false;
  }

  void textWord(GroupState& g, std::string_view w, bool hasParam, int param, bool on) {
    RtfCharFormat& f = g.chr;
    if (w == "par") endParagraph();
    else if (w == "line") emit('\n');
    else if (w == "tab") emit('\t');
    else if (w == "b") f.bold = on;
    else if (w == "i") f.italic = on;
    else if (w == "ul") f.underline = on;
    else if (w == "ulnone") f.underline = false;
    else if (w == "plain") {
      f = RtfCharFormat{};
      f.font = defaultFont_;
    }
    else if (w == "f") f.font = param;
    else if (w == "fs") f.halfPoints = hasParam && param > 0 ? (param > 2000 ? 2000 : param) : 24;
    else if (w == "cf") f.color = param < 0 ? 0 : param;
    else if (w == "deff") defaultFont_ = g.chr.font = param;
    else if (w == "pard") g.para = RtfParagraph{};
    else if (w == "ql") g.para.align = RTF_LEFT;
    else if (w == "qc") g.para.align = RTF_CENTER;
    else if (w == "qr") g.para.align = RTF_RIGHT;
    else if (w == "qj") g.para.align = RTF_JUSTIFY;
    else if (w == "li") g.para.leftIndent = param;
    else if (w == "ri") g.para.rightIndent = param;
    else if (w == "fi") g.para.firstIndent = param;
    else if (w == "sb") g.para.spaceBefore = param;
    else if (w == "sa") g.para.spaceAfter = param;
    else if (w == "bullet") emit(0x2022);
    else if (w == "emdash") emit(0x2014);
    else if (w == "endash") emit(0x2013);
    else if (w == "lquote") emit(0x2018);
    else if (w == "rquote") emit(0x2019);
    else if (w == "ldblquote") emit(0x201C);
    else if (w == "rdblquote") emit(0x201D);
  }

  const char* p_;
  size_t n_;
  size_t i_ = 0;
  RtfDocument* doc_ = nullptr;
  std::vector<GroupState> stack_;
  std::vector<RtfRun> runs_;
  int skip_ = 0;
  uint32_t highSurrogate_ = 0;
  int defaultFont_ = -1;
  bool fontOpen_ = false;
  int fontNumber_ = 0;
  int fontFamily_ = RTF_FAMILY_NIL;
  std::string fontName_;
  RtfColor color_;
};

}  // namespace

bool parseRtf(const char* data, size_t length, RtfDocument& doc) {
  RtfDocument read;
  if (!data) return false;
  if (!Reader(data, length).run(read)) {
    doc = RtfDocument{};
    return false;
  }
  doc = std::move(read);
  return true;
}

bool parseRtf(const std::string& bytes, RtfDocument& doc) { return parseRtf(bytes.data(), bytes.size(), doc); }

const RtfFont* findRtfFont(const RtfDocument& doc, int number) {
  for (const RtfFont& f : doc.fonts)
    if (f.number == number) return &f;
  return nullptr;
}

std::string rtfPlainText(const RtfDocument& doc) {
  std::string out;
  for (const RtfParagraph& p : doc.paragraphs) {
    for (const RtfRun& r : p.runs) out += r.text;
    out += '\n';
  }
  return out;
}
