// What the editing windows share: the main window they disable, and the
// shell's procedures reached through the project model's hooks.
#pragma once

#include <string>

constexpr int EDITOR_MAIN_WINDOW = 13;

int askYesNo(const std::string& title, const std::string& text);
void rebuildResourcePanel();

// The popup menu of the object window's event list ("Edit", a separator,
// "Delete"), which the shell builds at start-up under these numbers.
constexpr int EVENT_LIST_POPUP = 75;
constexpr int EVENT_POPUP_EDIT = 76;
constexpr int EVENT_POPUP_DELETE = 77;
