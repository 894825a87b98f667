// Globals that the code editor and the game builder own. Until their headers
// declare them, the shell declares them here (and defines them in
// pending_globals.cpp).
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

extern int addFileProtocol;
extern int generateIndexHtml;
extern std::string exportTemplate;
