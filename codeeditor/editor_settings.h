// The code editors' colours and font: global settings that start-up gives
// their initial values and the preferences change. Colours are
// red + green * 256 + blue * 65536.
#pragma once

#include <string>

extern int sciColorFore;
extern int sciColorSelectionBack;
extern int sciColorSelectionFore;
extern int sciColorCommand;
extern int sciColorComment;
extern int sciColorString;
extern int sciColorNumber;
extern int sciColorFunction;
extern int sciColorResource;
extern int sciColorZmFunction;
extern int sciColorZmVariable;
extern int sciColorZmConstant;
extern int sciColorCaret;
extern std::string sciFontFamily;
extern int sciFontSize;

// Gives every setting above its initial value.
void resetEditorSettings();
