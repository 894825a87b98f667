// The Effects menu's dialogs that change colours by a fixed rule or by
// levels: grayscale, invert, channel swap, brightness, colour balance and
// colorize.
#include "imaging/image_dialogs.h"
#include "imaging/image_operations.h"
#include "imaging/operation_dialog.h"

#include "ui/pictures.h"
#include "ui/ui.h"

#include <array>

namespace {

// An operation without values: its preview is shown at once and never
// changes.
void runFixedRule(int editorWindow, const std::string& sprite, int currentFrame, const std::string& title,
                  int (*rule)(int image)) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, title)) return;
  OperationRules rules;
  rules.compute = rule;
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}

}  // namespace

void applyGrayscale(int editorWindow, const std::string& sprite, int currentFrame) {
  runFixedRule(editorWindow, sprite, currentFrame, "Convert to grayscale", grayscaleImage);
}

void applyInvert(int editorWindow, const std::string& sprite, int currentFrame) {
  runFixedRule(editorWindow, sprite, currentFrame, "Invert", invertImage);
}

void applySwapChannels(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Swap RGB channels")) return;
  // In the order of SwapOrder.
  static const std::array<const char*, 5> texts = {"RGB ==> RBG", "RGB ==> GRB", "RGB ==> GBR", "RGB ==> BRG",
                                                   "RGB ==> BGR"};
  std::array<int, 5> options{};
  for (size_t i = 0; i < options.size(); i++) options[i] = optionGadget(UI_ANY, 10 + 130 * int(i), 445, 120, 25, texts[i]);
  setGadgetState(options[0], 1);
  OperationRules rules;
  rules.compute = [=](int image) {
    int order = SWAP_RBG;
    for (size_t i = 0; i < options.size(); i++)
      if (getGadgetState(options[i])) order = int(i);
    return swapChannelsImage(image, order);
  };
  rules.control = [=](int gadget, int) {
    for (int option : options)
      if (gadget == option) return true;
    return false;
  };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyBrightness(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Brightness")) return;
  int level = addValuePair(d, "Level", 445, 440, 500, -255, 255, 255, 0);
  OperationRules rules;
  rules.compute = [&d, level](int image) { return brightnessImage(image, pairFieldValue(d, level)); };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyColorBalance(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Color balance")) return;
  int r = addValuePair(d, "Red", 445, 440, 500, -255, 255, 255, 0);
  int g = addValuePair(d, "Green", 475, 470, 500, -255, 255, 255, 0);
  int b = addValuePair(d, "Blue", 505, 500, 500, -255, 255, 255, 0);
  OperationRules rules;
  rules.compute = [&d, r, g, b](int image) {
    return colorBalanceImage(image, pairTrackValue(d, r), pairTrackValue(d, g), pairTrackValue(d, b));
  };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyColorize(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Colorize")) return;
  // The spectrum stands over the track bar, each hue above its position.
  imageGadget(UI_ANY, 120, 420, 360, 20, PIC_HUE_SPECTRUM);
  int hue = addValuePair(d, "Hue", 455, 450, 360, 0, 359, 0, 0);
  OperationRules rules;
  rules.compute = [&d, hue](int image) { return colorizeImage(image, pairTrackValue(d, hue)); };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}
