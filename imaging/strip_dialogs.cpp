// Image strips in and out: the import dialog that cuts a picked picture into
// a sprite's frames, and the export of the frames as one PNG file.
#include "imaging/frame_editor.h"
#include "imaging/frame_list.h"
#include "imaging/image_strips.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

// Returns 1 when the strip was cut into frames, 0 on Cancel.
int showImportDialog(int spriteIndex, int strip, int opener) {
  int w = imageWidth(strip), h = imageHeight(strip);
  int dialog = openWindow(UI_ANY, 0, 0, 800, 600, "Importing image strips", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          isWindow(opener) ? opener : 0);
  int import = buttonGadget(UI_ANY, 725, 565, 65, 25, " Import! ");
  nameGadget(import, "Import");
  // A wrong file picked must not cost the sprite its frames.
  int cancel = buttonGadget(UI_ANY, 650, 565, 65, 25, "Cancel");
  nameGadget(cancel, "Cancel");
  textGadget(UI_ANY, 480, 15, 150, 25,
             "Dimensions: " + std::to_string(w) + " x " + std::to_string(h) + " pixels");
  int view = scrollAreaGadget(UI_ANY, 10, 45, 780, 520, w, h, 32);
  nameGadget(view, "strip view");
  openGadgetList(view);
  nameGadget(imageGadget(UI_ANY, 0, 0, w, h, strip), "strip picture");
  closeGadgetList();
  useGadgetList(dialog);
  textGadget(UI_ANY, 10, 15, 40, 25, "Columns");
  int columns = stringGadget(UI_ANY, 60, 10, 50, 25, "1", STR_NUMERIC);
  textGadget(UI_ANY, 120, 15, 40, 25, "Rows");
  int rows = stringGadget(UI_ANY, 160, 10, 50, 25, "1", STR_NUMERIC);
  nameGadget(columns, "Columns");
  nameGadget(rows, "Rows");
  int imported = 0;
  for (;;) {
    int event = waitWindowEvent();
    if (event != EV_GADGET || eventWindow() != dialog) continue;
    if (eventGadget() == cancel) break;
    if (eventGadget() != import) continue;
    int c = textValue(getGadgetText(columns)), r = textValue(getGadgetText(rows));
    // More columns than pixels would make frames without pixels.
    if (validStripCut(w, h, c, r) == 0) {
      messageRequester("Error", "Invalid column or row number");
      continue;
    }
    if (cutImageStrip(spriteIndex, strip, c, r) > 0) {
      imported = 1;
      break;
    }
    messageRequester("Error", "The frames could not be made");
  }
  closeWindow(dialog);
  return imported;
}

}  // namespace

int importImageStrip(int spriteIndex, int opener) {
  std::string path = openFileRequester("Select an image strip", "",
                                       "Image strips(jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP "
                                       "files(*.bmp)|*.bmp|PNG files(*.png)|*.png",
                                       0);
  int strip = path.empty() ? 0 : loadImage(UI_ANY, path);
  if (!path.empty() && !strip) messageRequester("Error", "The image '" + path + "' could not be loaded");
  int imported = 0;
  if (strip && spriteIndex >= 0 && size_t(spriteIndex) < sprites.size()) {
    if (opener) disableWindow(opener, true);
    imported = showImportDialog(spriteIndex, strip, opener);
    if (opener) disableWindow(opener, false);
  }
  if (strip) freeImage(strip);
  if (opener) activateWindow(opener);
  return imported;
}

void saveSpriteStrip(const std::string& sprite, const std::string& shownName) {
  int n = countSpriteFrames(sprite);
  std::string offered = shownName.empty() ? sprite : shownName;
  std::string chosen = saveFileRequester("Save sprite as PNG strip", currentFolder() + offered + "_strip" +
                                                                         std::to_string(n),
                                         "PNG Images (*.png)|*.png", 0);
  if (chosen.empty()) return;
  long long width = spriteStripWidth(sprite);
  if (width > IMAGE_MAX_SIDE) {
    messageRequester("Error", "The strip would be " + std::to_string(width) + " pixels wide; a PNG image can be " +
                                  std::to_string(IMAGE_MAX_SIDE) + " pixels wide at most");
    return;
  }
  int strip = makeSpriteStrip(sprite);
  if (!strip) return;   // no frame with an image: nothing to save
  std::string file = stripFileName(chosen);
  if (!savePng(strip, file)) messageRequester("Error", "The file '" + file + "' could not be written");
  freeImage(strip);
}
