#include "project/xml_write.h"

namespace {

// Length of the valid UTF-8 sequence at text[i] that XML may hold, or 0 for
// a byte to leave out.
size_t allowedSequence(const std::string& text, size_t i) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  unsigned c = s[i];
  if (c < 0x80) return (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') ? 1 : 0;
  size_t len;
  unsigned cp, min;
  if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; min = 0x80; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; min = 0x800; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; min = 0x10000; }
  else return 0;
  if (i + len > n) return 0;
  for (size_t k = 1; k < len; ++k) {
    unsigned b = s[i + k];
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF) return 0;
  if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
  if (cp == 0xFFFE || cp == 0xFFFF) return 0;
  return len;
}

}  // namespace

void appendXmlEscaped(std::string& out, const std::string& text, bool inAttribute) {
  size_t i = 0, n = text.size();
  while (i < n) {
    char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; ++i; continue;
      case '<': out += "&lt;"; ++i; continue;
      case '>': out += "&gt;"; ++i; continue;
      case '\'': if (inAttribute) { out += "&apos;"; ++i; continue; } break;
      case '"': if (inAttribute) { out += "&quot;"; ++i; continue; } break;
      default: break;
    }
    size_t len = allowedSequence(text, i);
    if (len == 0) {
      ++i;
      continue;
    }
    out.append(text, i, len);
    i += len;
  }
}

void XmlWriter::declaration() { out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"; }

void XmlWriter::start(const char* name) {
  if (tagOpen_) out += '>';
  out += '<';
  out += name;
  open_.push_back(name);
  tagOpen_ = true;
}

void XmlWriter::attr(const char* name, const std::string& value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendXmlEscaped(out, value, true);
  out += '"';
}

void XmlWriter::attr(const char* name, int value) {
  out += ' ';
  out += name;
  out += "=\"";
  out += std::to_string(value);
  out += '"';
}

void XmlWriter::text(const std::string& value) {
  if (value.empty()) return;
  size_t mark = out.size();
  if (tagOpen_) out += '>';
  size_t before = out.size();
  appendXmlEscaped(out, value, false);
  if (out.size() == before) {
    out.resize(mark);   // nothing XML can hold: the element stays empty
    return;
  }
  tagOpen_ = false;
}

void XmlWriter::end() {
  if (tagOpen_) {
    out += "/>";
    tagOpen_ = false;
  } else {
    out += "</";
    out += open_.back();
    out += '>';
  }
  open_.pop_back();
}
