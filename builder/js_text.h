// Small text pieces shared by the section generators.
#pragma once

#include <string>
#include <string_view>

// The line end of every generated line.
inline constexpr std::string_view CRLF = "\r\n";

// Appends the decimal text of an integer, with "-" when negative.
void appendInt(std::string& out, int value);

// Appends a UTF-8 text for use inside a '...' JavaScript literal: a
// backslash, a quote, CR, LF, U+2028 and U+2029 would end or break the
// literal, so they are written as escapes; everything else stays.
void appendQuotedText(std::string& out, std::string_view text);

// The texts of a file read one byte per character (ISO 8859-1), as UTF-8;
// a 0 byte adds nothing.
std::string latin1ToUtf8(std::string_view bytes);

// Every occurrence of `marker`, scanning left to right, replaced by `by`;
// the inserted text is not scanned again.
std::string replaceAll(const std::string& text, std::string_view marker, std::string_view by);
