// What the resizable code windows share: the layout of their editor, help
// lines and buttons, the stored window geometry and the help lines of the
// identifier at the caret.
#pragma once

#include <string>

struct CodeDialog {
  int window = 0, editor = 0, ok = 0, cancel = 0, help1 = 0, help2 = 0;
};

constexpr int CODE_HELP_TIMER = 1;

// Places the editor, help lines and buttons from the window's inner size.
// With `store` (size, minimise and maximise events) it also keeps the size
// and the maximised state for the next code window, but never those of a
// minimised window or a size of 0.
void layoutCodeDialog(const CodeDialog& dialog, bool store);
// Opens a resizable code window with the stored geometry when a position is
// stored and the last window was not maximised (800 x 600 while no size is
// stored yet); centred on the screen when none is, or when the stored place
// would leave the title bar off the screen. Returns the window number.
int openCodeDialogWindow(const std::string& title, int flags, int parent);
// Keeps the window's position (its frame's top-left corner, as the window
// was placed) for the next code window, unless minimised.
void storeCodeDialogPlace(const CodeDialog& dialog);
// One tick of the help timer. With `skipNotAvailable` a help text "n/a"
// leaves its line as it was.
void showCodeHelpLines(const CodeDialog& dialog, bool skipNotAvailable);
