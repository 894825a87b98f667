// The Effects menu's dialogs that change alpha, reduce or scatter levels,
// or erase a colour: opacity, make opaque, posterize, noise, erase a colour.
#include "imaging/image_dialogs.h"
#include "imaging/image_operations.h"
#include "imaging/operation_dialog.h"

#include "ui/image.h"
#include "ui/system.h"
#include "ui/ui.h"

#include <climits>
#include <cstdint>

namespace {

// Noise draws one number per pixel at every preview: a small generator
// (xorshift64*) seeded from the system's random source once per dialog,
// rather than a call of that source per pixel.
class NoiseRandom {
 public:
  NoiseRandom() : state_((uint64_t(randomInt(INT_MAX)) << 32) | uint64_t(randomInt(INT_MAX)) | 1) {}
  // A whole number from 0 to maximum inclusive.
  int operator()(int maximum) {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    uint64_t bits = (state_ * 0x2545F4914F6CDD1Dull) >> 32;
    return int((bits * uint64_t(maximum + 1)) >> 32);
  }

 private:
  uint64_t state_;
};

}  // namespace

void applyOpacity(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Opacity")) return;
  int percent = addValuePair(d, "Percent", 445, 440, 500, 0, 100, 0, 100);
  OperationRules rules;
  rules.compute = [&d, percent](int image) { return opacityImage(image, pairFieldValue(d, percent)); };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyMakeOpaque(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Make opaque")) return;
  OperationRules rules;
  rules.compute = makeOpaqueImage;
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}

void applyPosterize(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Posterize")) return;
  int level = addValuePair(d, "Level", 445, 440, 500, 2, 120, 0, 50);
  OperationRules rules;
  rules.compute = [&d, level](int image) { return posterizeImage(image, pairFieldValue(d, level)); };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyNoise(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Noise")) return;
  int level = addValuePair(d, "Level", 445, 440, 500, 0, 100, 0, 0);
  // Every preview draws new values; OK gives every frame taken the values
  // of the last preview, so the current frame comes out as it was shown.
  NoisePattern pattern;
  NoiseRandom random;
  OperationRules rules;
  rules.beforePreview = [&] {
    pattern = makeNoisePattern(d.width, d.height, pairFieldValue(d, level), [&random](int maximum) { return random(maximum); });
  };
  rules.compute = [&pattern](int image) { return noiseImage(image, pattern); };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}

void applyEraseColor(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Erase a color")) return;
  int tolerance = addValuePair(d, "Tolerance", 445, 440, 500, 0, 255, 0, 0);
  int key = rgb(0, 0, 0);
  int swatch = stringGadget(UI_ANY, 10, 470, 100, 25, "", STR_READONLY | STR_BORDERLESS);
  nameGadget(swatch, "key colour");
  setGadgetColor(swatch, COLOR_BACK, key);
  int choose = buttonGadget(UI_ANY, 120, 470, 25, 25, "...");
  OperationRules rules;
  rules.compute = [&](int image) { return eraseColorImage(image, key, pairFieldValue(d, tolerance)); };
  rules.control = [&](int gadget, int type) {
    int picked = -1;
    if (gadget == choose) {
      picked = colorRequester(key);
    } else if (gadget == d.leftCanvas && type == ET_LEFTCLICK) {
      // What the preview shows there: over the backdrop for a pixel that
      // is not opaque.
      uint32_t shown = getPixel(canvasImage(d.leftCanvas), canvasMouseX(d.leftCanvas), canvasMouseY(d.leftCanvas));
      picked = rgb(red(shown), green(shown), blue(shown));
    }
    if (picked < 0) return false;
    key = picked;
    setGadgetColor(swatch, COLOR_BACK, key);
    return true;
  };
  runOperationDialog(d, rules, PREVIEW_AFTER_FIRST_EVENT);
}
