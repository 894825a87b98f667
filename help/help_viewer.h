// Zembrik Help: one window with the topic list and the text view that shows
// the chosen topic's reference document.
#pragma once

#include <string>

constexpr int HELP_TOPIC_COUNT = 14;
// The titles of the topic list; item n shows document n.
extern const char* const helpTopicTitles[HELP_TOPIC_COUNT];

// Gadget and window numbers, for tests.
enum HelpNumbers : int { HELP_WINDOW = 1, HELP_TEXT_VIEW, HELP_TOPIC_LIST };

// Shows topic document n in the view; false when n is out of range or the
// document cannot be read (the view is then left as it was).
bool showHelpTopic(int n);
// The viewer's main procedure: opens the window and runs until it is closed.
// Returns 0, or 1 when the window cannot be opened.
int runHelpViewer();
