// Pieces of the texts that messages are made of.
#pragma once

#include <string>
#include <vector>

// The first `shown` items joined by ", ", then " and N more" for the rest:
// a message that names many things stays a few lines high.
std::string firstFewOf(const std::vector<std::string>& items, size_t shown);

// A name or path as a message shows it: cut after 60 bytes (never inside a
// UTF-8 character) and marked "...". A text read from a file may be of any
// length, and a message box the height of the screen helps no one.
std::string shownText(const std::string& text);
