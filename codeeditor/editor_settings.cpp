// Only the settings live in this file, so that a program that defines them
// itself does not pull it in.
#include "codeeditor/editor_settings.h"

namespace {
constexpr int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
}

int sciColorFore = rgb(0, 0, 0);
int sciColorSelectionBack = rgb(0, 0, 64);
int sciColorSelectionFore = rgb(255, 255, 255);
int sciColorCommand = rgb(54, 45, 227);
int sciColorComment = rgb(160, 160, 160);
int sciColorString = rgb(198, 0, 198);
int sciColorNumber = rgb(208, 64, 64);
int sciColorFunction = rgb(35, 163, 35);
int sciColorResource = rgb(49, 170, 187);
int sciColorZmFunction = rgb(32, 106, 34);
int sciColorZmVariable = rgb(81, 80, 19);
int sciColorZmConstant = rgb(60, 60, 60);
int sciColorCaret = rgb(255, 240, 240);
std::string sciFontFamily = "Consolas";
int sciFontSize = 11;
