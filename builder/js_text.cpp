#include "builder/js_text.h"

#include <charconv>

void appendInt(std::string& out, int value) {
  char buffer[16];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendQuotedText(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '\'': out += "\\'"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      default: break;
    }
    // U+2028 and U+2029 (E2 80 A8, E2 80 A9) end a line inside a literal.
    if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
        (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      i += 2;
      continue;
    }
    out += c;
  }
}

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b == 0) continue;
    if (b < 0x80) {
      out += char(b);
    } else {
      out += char(0xC0 | (b >> 6));
      out += char(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string replaceAll(const std::string& text, std::string_view marker, std::string_view by) {
  if (marker.empty()) return text;
  std::string out;
  size_t from = 0;
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, from)) {
    out.append(text, from, at - from);
    out += by;
    from = at + marker.size();
  }
  if (from == 0) return text;
  out.append(text, from, std::string::npos);
  return out;
}
