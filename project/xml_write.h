// Our own XML serializer for the project and function exchange files. The
// byte layout is fixed: no whitespace between elements, attributes in the
// order given, an element with neither children nor text closed with "/>".
// Characters that XML 1.0 forbids (controls other than tab, LF and CR,
// U+FFFE, U+FFFF) and bytes that are not UTF-8 are left out, so that what
// is written always reads back.
#pragma once

#include <string>
#include <vector>

struct XmlWriter {
  std::string out;

  void declaration();   // <?xml version="1.0" encoding="UTF-8"?>
  void start(const char* name);
  // Attribute values escape & < > ' "; element text escapes & < > only.
  void attr(const char* name, const std::string& value);
  void attr(const char* name, int value);
  void text(const std::string& value);
  void end();

 private:
  std::vector<const char*> open_;
  bool tagOpen_ = false;
};

// Appends `text` to `out` without the characters XML cannot hold, escaping
// & < > always and ' " when `inAttribute`.
void appendXmlEscaped(std::string& out, const std::string& text, bool inAttribute);
