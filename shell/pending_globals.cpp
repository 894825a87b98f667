#include "shell/pending.h"

int sciColorFore = 0;
int sciColorSelectionBack = 0;
int sciColorSelectionFore = 0;
int sciColorCommand = 0;
int sciColorComment = 0;
int sciColorString = 0;
int sciColorNumber = 0;
int sciColorFunction = 0;
int sciColorResource = 0;
int sciColorZmFunction = 0;
int sciColorZmVariable = 0;
int sciColorZmConstant = 0;
int sciColorCaret = 0;
std::string sciFontFamily;
int sciFontSize = 0;
