// The frame operations of the File and Edit menus: the dialogs of New and
// of adding a frame from a file, over the pure operations of frame_list.
#include "imaging/frame_editor.h"
#include "imaging/frame_list.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

// A small dialog of the frame editor: centred, on top, the editor disabled.
int openFrameDialog(int editor, int w, int h, const std::string& title) {
  disableWindow(editor, true);
  return openWindow(UI_ANY, 0, 0, w, h, title, WIN_TITLEBAR | WIN_SCREENCENTERED | WIN_STAYONTOP,
                    isWindow(editor) ? editor : 0);
}

void closeFrameDialog(int editor, int dialog) {
  disableWindow(editor, false);
  closeWindow(dialog);
}

// Waits for OK (true) or Cancel (false) of the dialog; `accept` runs on OK
// and may keep the dialog open by returning false.
template <class Accept>
bool runOkCancel(int dialog, int ok, int cancel, Accept accept) {
  for (;;) {
    int event = waitWindowEvent();
    if (event != EV_GADGET || eventWindow() != dialog) continue;
    if (eventGadget() == cancel) return false;
    if (eventGadget() == ok && accept()) return true;
  }
}

int dialogButton(int x, int y, const std::string& text) {
  int button = buttonGadget(UI_ANY, x, y, 65, 25, text);
  nameGadget(button, text);
  return button;
}

}  // namespace

void newSpriteFrames(int window, const std::string& sprite, int) {
  int dialog = openFrameDialog(window, 200, 120, "Create new sprite");
  int ok = dialogButton(125, 85, "OK");
  int cancel = dialogButton(10, 85, "Cancel");
  textGadget(UI_ANY, 10, 15, 90, 25, "Width");
  int width = stringGadget(UI_ANY, 110, 10, 80, 25, "40", STR_NUMERIC);
  textGadget(UI_ANY, 10, 45, 90, 25, "Height");
  int height = stringGadget(UI_ANY, 110, 40, 80, 25, "40", STR_NUMERIC);
  nameGadget(width, "Width");
  nameGadget(height, "Height");
  runOkCancel(dialog, ok, cancel, [&] {
    // The old frames go only once the new one can be made.
    int index = newBlankFrames(sprite, textValue(getGadgetText(width)), textValue(getGadgetText(height)));
    if (index < 0) {
      messageRequester("Error", "The width and the height must be from 1 to " + std::to_string(IMAGE_MAX_SIDE) +
                                    " pixels");
      return false;
    }
    currentFrame = index;
    return true;
  });
  closeFrameDialog(window, dialog);
  drawFrameStrip(sprite, 1);
}

namespace {

// "Adding new frame": the choice of size and placement for a loaded image
// whose size differs from the sprite's last frame. False when cancelled.
bool askFrameFit(int window, int ow, int oh, int nw, int nh, int& sizeChoice, int& placement) {
  int dialog = openFrameDialog(window, 300, 300, "Adding new frame");
  int ok = dialogButton(225, 265, "OK");
  int cancel = dialogButton(10, 265, "Cancel");
  textGadget(UI_ANY, 10, 10, 390, 25, "The dimensions of the new image is different.");
  textGadget(UI_ANY, 10, 30, 390, 25, "Please specify an action.");
  auto size = [](int w, int h) { return "(" + std::to_string(w) + " x " + std::to_string(h) + ")"; };
  int keep = optionGadget(UI_ANY, 10, 60, 380, 25, "Keep the original image size " + size(ow, oh));
  int resize = optionGadget(UI_ANY, 10, 90, 380, 25, "Resize all frames to the new image size " + size(nw, nh));
  setGadgetState(resize, 1);
  textGadget(UI_ANY, 10, 130, 390, 25, "Specify the placement of the images.");
  int leftTop = optionGadget(UI_ANY, 10, 160, 380, 25, "Place images at left-top (0, 0)");
  int center = optionGadget(UI_ANY, 10, 190, 380, 25, "Place images in center");
  int stretch = optionGadget(UI_ANY, 10, 220, 380, 25, "Stretch images");
  setGadgetState(stretch, 1);
  nameGadget(keep, "Keep");
  nameGadget(resize, "Resize");
  nameGadget(leftTop, "Left-top");
  nameGadget(center, "Center");
  nameGadget(stretch, "Stretch");
  bool accepted = runOkCancel(dialog, ok, cancel, [] { return true; });
  sizeChoice = getGadgetState(keep) == 1 ? KEEP_FRAME_SIZE : RESIZE_ALL_FRAMES;
  placement = getGadgetState(leftTop) == 1 ? PLACE_LEFT_TOP : getGadgetState(center) == 1 ? PLACE_CENTER
                                                                                           : PLACE_STRETCH;
  closeFrameDialog(window, dialog);
  return accepted;
}

}  // namespace

void addFrameFromFile(int window, const std::string& sprite, int frame) {
  std::string path = openFileRequester(
      "Select an image", "",
      "Images (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files (*.jpg)|*.jpg|BMP files (*.bmp)|*.bmp|PNG files (*.png)|*.png",
      0);
  if (path.empty()) return;
  int loaded = loadImage(UI_ANY, path);
  if (!loaded) {
    messageRequester("Error", "The image '" + path + "' could not be loaded");
    return;
  }
  int nw = imageWidth(loaded), nh = imageHeight(loaded);
  int sizeChoice = KEEP_FRAME_SIZE, placement = PLACE_STRETCH;
  int last = lastFrameIndex(sprite);
  if (frameAddNeedsChoice(sprite, nw, nh) == 1) {
    int ow = imageWidth(frames[size_t(last)].image), oh = imageHeight(frames[size_t(last)].image);
    if (!askFrameFit(window, ow, oh, nw, nh, sizeChoice, placement)) {
      freeImage(loaded);
      currentFrame = frame;
      drawFrameStrip(sprite, 1);
      return;
    }
  }
  int index = addLoadedFrame(sprite, loaded, sizeChoice, placement);
  currentFrame = index >= 0 ? index : frame;
  drawFrameStrip(sprite, 1);
}

void duplicateCurrentFrame(int, const std::string& sprite, int frame) {
  if (frame < 0) return;
  int copy = duplicateFrame(sprite, frame);
  if (copy >= 0) currentFrame = copy;
  drawFrameStrip(sprite, 1);
}

void moveFrameLeft(int, const std::string& sprite, int frame) {
  if (frame < 0) return;
  currentFrame = moveFrame(sprite, frame, -1);
  drawFrameStrip(sprite, 1);
}

void moveFrameRight(int, const std::string& sprite, int frame) {
  if (frame < 0) return;
  currentFrame = moveFrame(sprite, frame, +1);
  drawFrameStrip(sprite, 1);
}

void deleteCurrentFrame(int, const std::string& sprite, int frame) {
  if (frame < 0) return;
  currentFrame = deleteFrame(sprite, frame);
  drawFrameStrip(sprite, 1);
}
