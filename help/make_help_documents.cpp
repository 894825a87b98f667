// Build tool: turns the help topics, written in a small line markup, into
// RTF documents (ANSI, code page 1252) and writes them as one C++ byte array
// with the start and length of each document.
//
//   make_help_documents OUTPUT.cpp TOPIC.txt...
//
// Markup, one line at a time (UTF-8):
//   # text      the topic's title
//   ## text     a section heading
//   @ text      the signature of a function, variable or constant
//   > text      a line of example code (consecutive lines form one block)
//   - text      a bulleted item
//   ---         ends the signature's entry: what follows is not indented
//   blank       ends a paragraph
//   other       prose; consecutive lines join into one paragraph
// In prose, items and headings `text` is set in the code font and **text**
// in bold. Prose that follows a signature is indented under it.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Code points that code page 1252 holds between 0x80 and 0x9f.
const uint16_t cp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// One UTF-8 character from s at i (advancing i); a stray byte reads as itself.
uint32_t nextCodePoint(const std::string& s, size_t& i) {
  unsigned char b = (unsigned char)s[i++];
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  uint32_t c = b & (0x3F >> extra);
  for (int k = 0; k < extra && i < s.size(); ++k) c = (c << 6) | ((unsigned char)s[i++] & 0x3F);
  return c;
}

std::string rtfChar(uint32_t c) {
  switch (c) {
    case '\\': return "\\\\";
    case '{': return "\\{";
    case '}': return "\\}";
    case 0x2022: return "\\bullet ";
    case 0x2014: return "\\emdash ";
    case 0x2013: return "\\endash ";
    case 0x2018: return "\\lquote ";
    case 0x2019: return "\\rquote ";
    case 0x201C: return "\\ldblquote ";
    case 0x201D: return "\\rdblquote ";
    default: break;
  }
  if (c < 0x80) return std::string(1, char(c));
  char buf[32];
  if (c >= 0xA0 && c <= 0xFF) {
    std::snprintf(buf, sizeof buf, "\\'%02x", unsigned(c));
    return buf;
  }
  for (int k = 0; k < 32; ++k) {
    if (cp1252High[k] == c) {
      std::snprintf(buf, sizeof buf, "\\'%02x", unsigned(0x80 + k));
      return buf;
    }
  }
  if (c > 0xFFFF) c = 0xFFFD;
  std::snprintf(buf, sizeof buf, "\\u%d?", c > 0x7FFF ? int(c) - 65536 : int(c));
  return buf;
}

std::string plain(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) out += rtfChar(nextCodePoint(text, i));
  return out;
}

// Prose with `code` and **bold** spans.
std::string inline_(const std::string& text) {
  std::string out;
  bool code = false, bold = false;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '`') {
      out += code ? "}" : "{\\f1\\fs19 ";
      code = !code;
      ++i;
    } else if (!code && text.compare(i, 2, "**") == 0) {
      out += bold ? "}" : "{\\b ";
      bold = !bold;
      i += 2;
    } else {
      out += rtfChar(nextCodePoint(text, i));
    }
  }
  if (code) out += "}";
  if (bold) out += "}";
  return out;
}

std::string convert(std::istream& in) {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red24\\green64\\blue128;\\red0\\green96\\blue0;}\n"
      "\\uc1\\pard\\f0\\fs20\n";
  std::string prose, code;
  bool inEntry = false;
  bool afterItem = false;   // a bulleted item was the last paragraph
  auto endProse = [&] {
    if (prose.empty()) return;
    rtf += std::string(inEntry ? "\\pard\\li360" : "\\pard") + (afterItem ? "\\sb60" : "") + "\\sa100 " +
           inline_(prose) + "\\par\n";
    prose.clear();
    afterItem = false;
  };
  auto endCode = [&] {
    if (code.empty()) return;
    rtf += std::string(inEntry ? "\\pard\\li720" : "\\pard\\li360") + "\\sa100{\\f1\\fs18\\cf3 " + code + "}\\par\n";
    code.clear();
  };
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    bool isCode = line.rfind("> ", 0) == 0 || line == ">";
    if (!isCode) endCode();
    if (isCode) {
      endProse();
      afterItem = false;
      if (!code.empty()) code += "\\line ";
      code += plain(line.size() > 2 ? line.substr(2) : "");
    } else if (line.rfind("## ", 0) == 0) {
      endProse();
      inEntry = afterItem = false;
      rtf += "\\pard\\sb240\\sa100{\\fs26\\b\\cf2 " + inline_(line.substr(3)) + "}\\par\n";
    } else if (line.rfind("# ", 0) == 0) {
      endProse();
      inEntry = false;
      rtf += "\\pard\\sa200{\\fs36\\b\\cf2 " + inline_(line.substr(2)) + "}\\par\n";
    } else if (line.rfind("@ ", 0) == 0) {
      endProse();
      inEntry = true;
      afterItem = false;
      rtf += "\\pard\\sb160\\sa60{\\f1\\fs20\\b " + plain(line.substr(2)) + "}\\par\n";
    } else if (line.rfind("- ", 0) == 0) {
      endProse();
      rtf += std::string(inEntry ? "\\pard\\li720" : "\\pard\\li600") + "\\fi-240\\sa40 \\bullet  " +
             inline_(line.substr(2)) + "\\par\n";
      afterItem = true;
    } else if (line == "---") {
      endProse();
      inEntry = afterItem = false;
    } else if (line.empty()) {
      endProse();
    } else {
      if (!prose.empty()) prose += ' ';
      prose += line;
    }
  }
  endProse();
  endCode();
  return rtf + "}\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: make_help_documents OUTPUT.cpp TOPIC.txt...\n";
    return 2;
  }
  std::string all;
  std::vector<size_t> starts, lengths;
  for (int a = 2; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    if (!in) {
      std::cerr << "make_help_documents: cannot read " << argv[a] << "\n";
      return 1;
    }
    std::string rtf = convert(in);
    starts.push_back(all.size());
    lengths.push_back(rtf.size());
    all += rtf;
  }
  std::ostringstream out;
  out << "// Made by make_help_documents from the topics in data/help.\n"
         "#include \"help/help_documents.h\"\n\n"
         "namespace {\n// The documents back to back, without terminating zeros.\n"
         "const char documentBytes[] = {";
  for (size_t i = 0; i < all.size(); ++i) {
    if (i % 20 == 0) out << "\n ";
    out << ' ' << int((signed char)all[i]) << ',';
  }
  out << "\n};\n}  // namespace\n\nconst HelpDocument helpDocuments[] = {\n";
  for (size_t k = 0; k < starts.size(); ++k)
    out << "    {documentBytes + " << starts[k] << ", " << lengths[k] << "},\n";
  out << "};\nconst int helpDocumentCount = " << starts.size() << ";\n";
  std::ofstream file(argv[1], std::ios::binary);
  file << out.str();
  return file ? 0 : 1;
}
