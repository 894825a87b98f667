// The text field of the code windows: a code editor where the program has
// one, a plain editor gadget in tests without the editing component.
#pragma once

#include <string>

// Made in the current gadget list; returns its gadget number.
int createCodeField(int x, int y, int w, int h);
void setCodeFieldText(int gadget, const std::string& text);
std::string getCodeFieldText(int gadget);
void freeCodeField(int gadget);
// The two help lines of the identifier at the caret; false (both "") when
// there is none.
bool codeFieldHelp(int gadget, std::string& line1, std::string& line2);
