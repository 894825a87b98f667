// The identifier table: names that the game runtime offers to scripts, each
// with its kind ("Var", "Fn" or "Cons") and two help lines. Filled once at
// start-up; serves highlighting, completion and context help.
#pragma once

#include <string>
#include <vector>

struct KeywordRecord {
  std::string word;
  std::string kind;
  std::string hintLine1;
  std::string hintLine2;
};

extern std::vector<KeywordRecord> keywords;

// Appends one record; a word may be there more than once.
void addKeyword(const std::string& word, const std::string& kind, const std::string& hintLine1,
                const std::string& hintLine2);
// Reads keywords.dat of the current folder: three lines a record, the first
// a marker ("." Var, "!" Fn, "#" Cons) and the name, then the help lines.
// A missing or empty file leaves the table as it is.
void loadKeywords();
// Appends the runtime's 82 key-code constants (kind "Cons", no help lines).
void addKeyCodeConstants();
