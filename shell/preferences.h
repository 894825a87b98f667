// preferences.dat in the program folder: read by every new-project reset,
// written by the Preferences window and at exit.
#pragma once

#include <string>

// Reads every preference value (making the file from the current values when
// it is missing) and makes the folders Extensions and Projects when missing.
void loadPreferences();
// Writes every preference value into preferences.dat.
void savePreferences();
// The modal Preferences window.
void editPreferences();

// A name that can stand as one folder or file name: not empty, no "/" and no
// NUL, not "." or "..".
bool isSafeName(const std::string& name);
