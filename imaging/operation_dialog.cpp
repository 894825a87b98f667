#include "imaging/operation_dialog.h"

#include "project/file_names.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

#include <algorithm>

void (*frameStripHook)(const std::string& sprite) = nullptr;

void rebuildFrameStrip(const std::string& sprite) {
  if (frameStripHook) frameStripHook(sprite);
}

namespace {

constexpr int DIALOG_WIDTH = 800;
constexpr int DIALOG_HEIGHT = 600;
constexpr int CHECKERBOARD_SIDE = 800;

int previewArea(int x, int w, int h, const char* name) {
  int area = scrollAreaGadget(UI_ANY, x, 30, 380, 380, w, h, 16);
  openGadgetList(area);
  int canvas = canvasGadget(UI_ANY, 0, 0, w, h);
  closeGadgetList();
  nameGadget(canvas, name);
  return canvas;
}

// Keeps the partner of a moved track bar or an edited field in step; true
// when the event was one of a value pair.
bool followValuePair(OperationDialog& d, int gadget, int type) {
  for (const ValuePair& p : d.pairs) {
    if (gadget == p.track) {
      setGadgetText(p.field, std::to_string(getGadgetState(p.track) - p.offset));
      return true;
    }
    if (gadget == p.field) {
      if (type != ET_CHANGE) return false;
      int value = textValue(getGadgetText(p.field));
      if (value > p.maximum) setGadgetText(p.field, std::to_string(p.maximum));
      else if (value < p.minimum) setGadgetText(p.field, std::to_string(p.minimum));
      setGadgetState(p.track, std::clamp(value, p.minimum, p.maximum) + p.offset);
      return true;
    }
  }
  return false;
}

void computePreview(OperationDialog& d, const OperationRules& rules) {
  if (rules.beforePreview) rules.beforePreview();
  int result = rules.compute(d.source);
  if (!result) return;
  paintPreviewCanvas(d.rightCanvas, result);
  if (result != d.source) freeImage(result);
}

void endOperationDialog(OperationDialog& d) {
  if (isWindow(d.editorWindow)) disableWindow(d.editorWindow, false);
  closeWindow(d.window);
  rebuildFrameStrip(d.sprite);
  freeImage(d.source);
  d.source = 0;
  d.window = 0;
}

}  // namespace

void paintPreviewCanvas(int canvas, int image) {
  int target = canvasImage(canvas);
  if (!startDrawing(target)) return;
  drawingMode(DRAW_DEFAULT);
  // The backdrop covers 800 x 800; past it a larger frame is shown over
  // white, not over the previous preview.
  if (imageWidth(target) > CHECKERBOARD_SIDE || imageHeight(target) > CHECKERBOARD_SIDE)
    box(0, 0, imageWidth(target), imageHeight(target), opaque(rgb(255, 255, 255)));
  drawImage(PIC_CHECKERBOARD, 0, 0);
  drawingMode(DRAW_ALPHABLEND);
  drawImage(image, 0, 0);
  stopDrawing();
  refreshCanvas(canvas);
}

bool openOperationDialog(OperationDialog& d, int editorWindow, const std::string& sprite, int frameIndex,
                         const std::string& title) {
  if (frameIndex < 0 || frameIndex >= int(frames.size())) return false;
  const FrameRecord& frame = frames[size_t(frameIndex)];
  if (frame.sprite != sprite || !isImage(frame.image)) return false;
  d = OperationDialog();
  d.editorWindow = editorWindow;
  d.sprite = sprite;
  d.frameIndex = frameIndex;
  d.width = imageWidth(frame.image);
  d.height = imageHeight(frame.image);
  d.source = copyImage(frame.image, UI_ANY);
  if (!d.source) return false;

  d.window = openWindow(UI_ANY, 0, 0, DIALOG_WIDTH, DIALOG_HEIGHT, title,
                        WIN_TITLEBAR | WIN_SCREENCENTERED | WIN_STAYONTOP, isWindow(editorWindow) ? editorWindow : 0);
  if (!d.window) {
    freeImage(d.source);
    return false;
  }
  if (isWindow(editorWindow)) disableWindow(editorWindow, true);
  d.ok = buttonGadget(UI_ANY, DIALOG_WIDTH - 75, DIALOG_HEIGHT - 35, 65, 25, "OK");
  d.cancel = buttonGadget(UI_ANY, 10, DIALOG_HEIGHT - 35, 65, 25, "Cancel");
  // A little wider than drawn, for its text in the program's font.
  d.allFrames = checkBoxGadget(UI_ANY, DIALOG_WIDTH - 270, DIALOG_HEIGHT - 35, 180, 25,
                               "Apply to all frames in the sprite");
  setGadgetState(d.allFrames, 1);
  nameGadget(d.allFrames, "all frames");
  textGadget(UI_ANY, 10, 10, 100, 25, "ORIGINAL");
  textGadget(UI_ANY, 410, 10, 100, 25, "MODIFIED");
  d.leftCanvas = previewArea(10, d.width, d.height, "original");
  paintPreviewCanvas(d.leftCanvas, d.source);
  d.rightCanvas = previewArea(410, d.width, d.height, "modified");
  return true;
}

int addValuePair(OperationDialog& d, const std::string& label, int labelY, int trackY, int trackWidth, int minimum,
                 int maximum, int offset, int value) {
  textGadget(UI_ANY, 10, labelY, 100, 25, label);
  ValuePair p;
  p.minimum = minimum;
  p.maximum = maximum;
  p.offset = offset;
  p.track = trackBarGadget(UI_ANY, 120, trackY, trackWidth, 25, minimum + offset, maximum + offset);
  setGadgetState(p.track, value + offset);
  p.field = stringGadget(UI_ANY, 630, trackY, 50, 25, std::to_string(value));
  nameGadget(p.track, label + " track");
  nameGadget(p.field, label + " field");
  d.pairs.push_back(p);
  return int(d.pairs.size()) - 1;
}

int pairFieldValue(const OperationDialog& d, int pair) {
  return textValue(getGadgetText(d.pairs[size_t(pair)].field));
}

int pairTrackValue(const OperationDialog& d, int pair) {
  const ValuePair& p = d.pairs[size_t(pair)];
  return getGadgetState(p.track) - p.offset;
}

void runOperationDialog(OperationDialog& d, const OperationRules& rules, FirstPreview first) {
  if (first == PREVIEW_AT_OPENING) computePreview(d, rules);
  d.outdated = first == PREVIEW_AFTER_FIRST_EVENT;
  bool done = false;
  while (!done) {
    // Every other event, the close request included, is ignored: the
    // dialog ends through OK or Cancel only.
    if (waitWindowEvent() == EV_GADGET && eventWindow() == d.window) {
      int gadget = eventGadget(), type = eventType();
      if (gadget == d.ok) {
        applyToFrames(d.sprite, d.frameIndex, getGadgetState(d.allFrames) != 0, rules.compute);
        done = true;
      } else if (gadget == d.cancel) {
        done = true;
      } else if (gadget != d.allFrames) {
        bool changed = followValuePair(d, gadget, type);
        if (rules.control && rules.control(gadget, type)) changed = true;
        d.outdated = d.outdated || changed;
      }
    }
    if (!done && d.outdated) {
      computePreview(d, rules);
      d.outdated = false;
    }
  }
  endOperationDialog(d);
}
