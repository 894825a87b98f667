// The Transform menu's dialogs that move pixels: mirror, rotate, shift and
// scale, each on the current frame or on every frame of the sprite.
#include "imaging/image_dialogs.h"
#include "imaging/image_operations.h"
#include "imaging/operation_dialog.h"
#include "imaging/pixel_rules.h"

#include "ui/ui.h"

#include <array>

void applyMirror(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Mirror the images")) return;
  int horizontal = checkBoxGadget(UI_ANY, 10, 445, 120, 25, "Mirror horizontally");
  int vertical = checkBoxGadget(UI_ANY, 10, 475, 120, 25, "Mirror vertically");
  OperationRules rules;
  rules.compute = [=](int image) {
    return mirrorImage(image, getGadgetState(horizontal) != 0, getGadgetState(vertical) != 0);
  };
  rules.control = [=](int gadget, int) { return gadget == horizontal || gadget == vertical; };
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}

void applyRotate(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Rotate the images")) return;
  static const std::array<int, 4> quarters = {0, 90, 180, 270};
  std::array<int, 4> quarter{};
  for (size_t i = 0; i < quarters.size(); i++)
    quarter[i] = optionGadget(UI_ANY, 10 + 60 * int(i), 445, 50, 25, std::to_string(quarters[i]));
  int freeAngle = optionGadget(UI_ANY, 250, 445, 50, 25, "Free");
  setGadgetState(quarter[0], 1);
  int track = trackBarGadget(UI_ANY, 310, 440, 360, 25, 0, 359);
  nameGadget(track, "Angle track");
  OperationRules rules;
  rules.compute = [=](int image) {
    int angle = getGadgetState(track);
    for (size_t i = 0; i < quarters.size(); i++)
      if (getGadgetState(quarter[i])) angle = quarters[i];
    return turnImage(image, angle);
  };
  rules.control = [=](int gadget, int) {
    for (size_t i = 0; i < quarters.size(); i++)
      if (gadget == quarter[i]) setGadgetState(track, quarters[i]);
    if (gadget == track) setGadgetState(freeAngle, 1);
    return true;
  };
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}

void applyShift(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Shift the images")) return;
  int horizontal = addValuePair(d, "Horizontal", 445, 440, 500, -d.width, d.width, d.width, 0);
  int wrapHorizontally = checkBoxGadget(UI_ANY, 690, 440, 110, 25, "Wrap horizontally");
  int vertical = addValuePair(d, "Vertical", 475, 470, 500, -d.height, d.height, d.height, 0);
  int wrapVertically = checkBoxGadget(UI_ANY, 690, 470, 110, 25, "Wrap vertically");
  // They reach to the window's edge; the tooltips repeat their texts.
  gadgetToolTip(wrapHorizontally, "Wrap horizontally");
  gadgetToolTip(wrapVertically, "Wrap vertically");
  OperationRules rules;
  rules.compute = [=, &d](int image) {
    return shiftImage(image, pairFieldValue(d, horizontal), pairFieldValue(d, vertical),
                      getGadgetState(wrapHorizontally) != 0, getGadgetState(wrapVertically) != 0);
  };
  rules.control = [=](int gadget, int) { return gadget == wrapHorizontally || gadget == wrapVertically; };
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}

void applyScale(int editorWindow, const std::string& sprite, int currentFrame) {
  OperationDialog d;
  if (!openOperationDialog(d, editorWindow, sprite, currentFrame, "Scale the images")) return;
  int horizontal = addValuePair(d, "Horizontal", 445, 440, 500, 1, 400, 0, 100);
  int vertical = addValuePair(d, "Vertical", 475, 470, 500, 1, 400, 0, 100);
  static const std::array<const char*, 4> presetTexts = {"1/4", "1/2", "2x", "4x"};
  static const std::array<int, 4> presetPercents = {25, 50, 200, 400};
  std::array<int, 4> presets{};
  for (size_t i = 0; i < presets.size(); i++)
    presets[i] = buttonGadget(UI_ANY, 10 + 60 * int(i), 500, 50, 25, presetTexts[i]);
  int lock = checkBoxGadget(UI_ANY, 700, 455, 100, 25, "Lock");
  setGadgetState(lock, 1);
  ValuePair h = d.pairs[size_t(horizontal)], v = d.pairs[size_t(vertical)];
  OperationRules rules;
  // The fields are read as decimals: a typed 12.5 counts as 12.5 %.
  rules.compute = [=](int image) {
    return scaleImage(image, decimalValue(getGadgetText(h.field)), decimalValue(getGadgetText(v.field)));
  };
  rules.control = [=](int gadget, int type) {
    for (size_t i = 0; i < presets.size(); i++) {
      if (gadget != presets[i]) continue;
      for (const ValuePair& p : {h, v}) {
        setGadgetText(p.field, std::to_string(presetPercents[i]));
        setGadgetState(p.track, presetPercents[i]);
      }
      return true;
    }
    // With "Lock" the other axis follows; the pair itself is already in step.
    bool moved = gadget == h.track || gadget == v.track || ((gadget == h.field || gadget == v.field) && type == ET_CHANGE);
    if (!moved || !getGadgetState(lock)) return false;
    bool fromHorizontal = gadget == h.track || gadget == h.field;
    const ValuePair& from = fromHorizontal ? h : v;
    const ValuePair& to = fromHorizontal ? v : h;
    setGadgetText(to.field, getGadgetText(from.field));
    setGadgetState(to.track, getGadgetState(from.track));
    return true;
  };
  runOperationDialog(d, rules, PREVIEW_AT_OPENING);
}
