// Small rules shared by the project file writer, reader and exchange file.
#pragma once

#include <string>
#include <string_view>

// A text taken as a file or folder name inside the project's folders: false
// for "", ".", "..", and any text with "/" or NUL, which could lead out.
bool isUsableName(std::string_view name);

// An image or audio folder name as the Preferences window lets it be
// typed: a usable name, or "" and "." for the project folder itself.
bool isMediaFolderName(std::string_view name);
// The path (ending with "/") that a media folder name stands for inside
// projectFolder (which ends with "/"); "" for a name that could lead out.
std::string mediaFolderPath(const std::string& projectFolder, std::string_view name);

// The integer value of a text: blanks and tabs skipped, an optional sign,
// then decimal digits ("$" before them: hexadecimal, "%": binary) up to the
// first other character; 0 without digits. Clamped to 32 bits.
int textValue(std::string_view text);
