// What the editing windows share: the main window they disable, and the
// shell's procedures reached through the project model's hooks.
#pragma once

#include <string>

constexpr int EDITOR_MAIN_WINDOW = 13;

int askYesNo(const std::string& title, const std::string& text);
void rebuildResourcePanel();
