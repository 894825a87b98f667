// The preference store: a text file of [groups] and "key = value" lines that
// keeps its comments and unknown keys when values are written back.
#pragma once

#include <string>

// Reads the file into the store. false (and an empty store) when it cannot
// be read.
bool openPreferences(const std::string& path);
// Makes the file anew, empty; false when it cannot be made.
bool createPreferences(const std::string& path);
// Selects the group that reads and writes go to (compared without case).
void preferenceGroup(const std::string& name);
// A key missing from the current group gives the default; a value that does
// not begin with a number reads as 0.
int readPreferenceInt(const std::string& key, int defaultValue);
std::string readPreferenceString(const std::string& key, const std::string& defaultValue);
void writePreferenceInt(const std::string& key, int value);
void writePreferenceString(const std::string& key, const std::string& value);
// Writes the file back when anything was written, then empties the store.
// false when the write failed.
bool closePreferences();

// Decimal integer of a text: blanks and tabs, an optional sign, digits up to
// the first other character; 0 when no digit follows. Clamped to 32 bits.
int preferenceNumber(const std::string& text);
