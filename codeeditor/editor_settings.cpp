// Only the settings live in this file, so that a program that defines them
// itself does not pull it in.
#include "codeeditor/editor_settings.h"

namespace {
constexpr int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
}

int sciColorFore;
int sciColorSelectionBack;
int sciColorSelectionFore;
int sciColorCommand;
int sciColorComment;
int sciColorString;
int sciColorNumber;
int sciColorFunction;
int sciColorResource;
int sciColorZmFunction;
int sciColorZmVariable;
int sciColorZmConstant;
int sciColorCaret;
std::string sciFontFamily;
int sciFontSize;

void resetEditorSettings() {
  sciColorFore = rgb(0, 0, 0);
  sciColorSelectionBack = rgb(0, 0, 64);
  sciColorSelectionFore = rgb(255, 255, 255);
  sciColorCommand = rgb(54, 45, 227);
  sciColorComment = rgb(160, 160, 160);
  sciColorString = rgb(198, 0, 198);
  sciColorNumber = rgb(208, 64, 64);
  sciColorFunction = rgb(35, 163, 35);
  sciColorResource = rgb(49, 170, 187);
  sciColorZmFunction = rgb(32, 106, 34);
  sciColorZmVariable = rgb(81, 80, 19);
  sciColorZmConstant = rgb(60, 60, 60);
  sciColorCaret = rgb(255, 240, 240);
  sciFontFamily = "Consolas";
  sciFontSize = 11;
}

namespace {
// The settings hold their initial values before start-up runs.
[[maybe_unused]] const bool initialised = (resetEditorSettings(), true);
}  // namespace
