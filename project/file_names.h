// Small rules shared by the project file writer, reader and exchange file.
#pragma once

#include <string>
#include <string_view>

// A text taken as a file or folder name inside the project's folders: false
// for "", ".", "..", and any text with "/" or NUL, which could lead out.
bool isUsableName(std::string_view name);

// The integer value of a text: blanks and tabs skipped, an optional sign,
// then decimal digits ("$" before them: hexadecimal, "%": binary) up to the
// first other character; 0 without digits. Clamped to 32 bits.
int textValue(std::string_view text);
