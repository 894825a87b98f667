// Globals of the code editor's preferences. Until its header declares them,
// the shell declares them here (and defines them in pending_globals.cpp).
#pragma once

#include <string>

#include "builder/settings.h"

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
