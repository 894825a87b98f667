// Resize canvas and Stretch: small dialogs that give every frame of the
// sprite one new size, the picture kept unscaled and centred or scaled.
#include "imaging/image_dialogs.h"
#include "imaging/image_operations.h"
#include "imaging/operation_dialog.h"
#include "imaging/pixel_rules.h"

#include "project/file_names.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

struct SizeDialog {
  int window = 0;
  int ok = 0;
  int cancel = 0;
  int newWidth = 0;
  int newHeight = 0;
  int keepAspect = 0;
  int smooth = 0;
  int width = 0;    // the sprite's frame size, the base of the aspect ratio
  int height = 0;
};

// The size of the sprite's last frame in table order that has a picture.
bool spriteFrameSize(const std::string& sprite, int& width, int& height) {
  width = height = 0;
  for (const FrameRecord& f : frames) {
    if (f.sprite != sprite || !isImage(f.image)) continue;
    width = imageWidth(f.image);
    height = imageHeight(f.image);
  }
  return width > 0 && height > 0;
}

// The current size is shown whole up to five digits; "New:" makes room.
void sizeRow(int y, const std::string& label, int current, int& field, const char* name) {
  textGadget(UI_ANY, 10, y + 5, 40, 25, label);
  textGadget(UI_ANY, 60, y + 5, 75, 25, "Current: " + std::to_string(current));
  textGadget(UI_ANY, 138, y + 5, 30, 25, "New:");
  field = stringGadget(UI_ANY, 170, y, 40, 25, std::to_string(current), STR_NUMERIC);
  nameGadget(field, name);
}

bool openSizeDialog(SizeDialog& d, int editorWindow, const std::string& sprite, const std::string& title,
                    bool withSmooth) {
  if (!spriteFrameSize(sprite, d.width, d.height)) return false;
  int w = 220, h = withSmooth ? 200 : 160;
  d.window = openWindow(UI_ANY, 0, 0, w, h, title, WIN_TITLEBAR | WIN_SCREENCENTERED | WIN_STAYONTOP,
                        isWindow(editorWindow) ? editorWindow : 0);
  if (!d.window) return false;
  if (isWindow(editorWindow)) disableWindow(editorWindow, true);
  d.ok = buttonGadget(UI_ANY, w - 75, h - 35, 65, 25, "OK");
  d.cancel = buttonGadget(UI_ANY, 10, h - 35, 65, 25, "Cancel");
  sizeRow(10, "Width", d.width, d.newWidth, "new width");
  sizeRow(40, "Height", d.height, d.newHeight, "new height");
  d.keepAspect = checkBoxGadget(UI_ANY, 10, 70, 200, 25, "Keep aspect ratio");
  setGadgetState(d.keepAspect, 1);
  if (withSmooth) {
    d.smooth = checkBoxGadget(UI_ANY, 10, 100, 200, 25, "Smooth (Interpolate pixels)");
    setGadgetState(d.smooth, 1);
  }
  return true;
}

// Runs the dialog until Cancel or an OK whose size `apply` was given; every
// other event, the close request included, is ignored.
void runSizeDialog(SizeDialog& d, int editorWindow, const std::string& sprite,
                   void (*apply)(const SizeDialog& d, const std::string& sprite, int width, int height)) {
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != d.window) continue;
    int gadget = eventGadget();
    if (gadget == d.cancel) break;
    bool keep = getGadgetState(d.keepAspect) != 0;
    if (gadget == d.newWidth && eventType() == ET_CHANGE && keep)
      setGadgetText(d.newHeight, aspectSideText(getGadgetText(d.newWidth), d.width, d.height));
    if (gadget == d.newHeight && eventType() == ET_CHANGE && keep)
      setGadgetText(d.newWidth, aspectSideText(getGadgetText(d.newHeight), d.height, d.width));
    if (gadget != d.ok) continue;
    int width = textValue(getGadgetText(d.newWidth)), height = textValue(getGadgetText(d.newHeight));
    // Checked before any frame is touched: no frame of that size can be made.
    if (!validFrameSize(width, height)) {
      messageRequester("Error", "The new width and height must each be from 1 to " +
                                    std::to_string(IMAGE_MAX_SIDE) + " pixels.");
      continue;
    }
    apply(d, sprite, width, height);
    break;
  }
  if (isWindow(editorWindow)) disableWindow(editorWindow, false);
  closeWindow(d.window);
  rebuildFrameStrip(sprite);
}

void resizeEveryFrame(const SizeDialog&, const std::string& sprite, int width, int height) {
  applyToFrames(sprite, -1, true, [=](int image) { return resizeCanvasImage(image, width, height); });
}

void stretchEveryFrame(const SizeDialog& d, const std::string& sprite, int width, int height) {
  bool smooth = getGadgetState(d.smooth) != 0;
  // Stretched in place: the frames keep their image numbers.
  applyToFrames(sprite, -1, true, [=](int image) {
    if (imageWidth(image) == width && imageHeight(image) == height) return image;
    return stretchImage(image, width, height, smooth) ? image : 0;
  });
}

}  // namespace

void resizeCanvas(int editorWindow, const std::string& sprite, int) {
  SizeDialog d;
  if (!openSizeDialog(d, editorWindow, sprite, "Resize canvas", false)) return;
  runSizeDialog(d, editorWindow, sprite, resizeEveryFrame);
}

void applyStretch(int editorWindow, const std::string& sprite, int) {
  SizeDialog d;
  if (!openSizeDialog(d, editorWindow, sprite, "Stretch the images", true)) return;
  runSizeDialog(d, editorWindow, sprite, stretchEveryFrame);
}
