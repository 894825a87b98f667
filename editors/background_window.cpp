// The background window: the common frame with the image file, its preview
// (with the tile grid redrawn by a timer) and the tile-set fields.
#include "editors/background_preview.h"
#include "editors/editors.h"
#include "editors/picked_files.h"
#include "editors/property_frame.h"
#include "project/deletes.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/panel_picture.h"
#include "ui/ui.h"

#include <string>
#include <vector>

namespace {

constexpr int previewTimer = 777;
constexpr int tileFieldCount = 6;
const char* const tileLabels[tileFieldCount] = {"Width", "Height", "X offset", "Y offset", "X space", "Y space"};
const int tileLabelY[tileFieldCount] = {15, 45, 105, 145, 205, 245};
const char* const imagePatterns =
    "Image files(jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP files(*.bmp)|*.bmp|"
    "PNG files(*.png)|*.png";

struct BackgroundWindow {
  PropertyFrame frame;
  int fileLabel = 0, select = 0, area = 0, canvas = 0, tileBox = 0, panel = 0;
  int fields[tileFieldCount] = {};
  std::string picked;    // the work folder's name of a file picked here, "" for none
  int preview = 0;       // the picture of the current file, 0 when it cannot be loaded
  BackgroundShown shown;   // what the last tick left on the canvas
};

BackgroundRecord& record(const BackgroundWindow& b) { return backgrounds[size_t(b.frame.index)]; }

std::vector<int*> tileValues(BackgroundRecord& r) {
  return {&r.tilewidth, &r.tileheight, &r.tilexoffset, &r.tileyoffset, &r.tilexspace, &r.tileyspace};
}

void drawBackgroundPreview(int area, int canvas, int image) {
  if (!isImage(image)) return;
  int w = imageWidth(image), h = imageHeight(image);
  resizeGadget(canvas, 0, 0, w, h);
  setGadgetAttribute(area, ATTR_SCROLL_INNERWIDTH, w);
  setGadgetAttribute(area, ATTR_SCROLL_INNERHEIGHT, h);
  if (startDrawing(canvasImage(canvas))) {
    drawingMode(DRAW_ALPHABLEND);
    drawImage(image, 0, 0);
    stopDrawing();
  }
  refreshCanvas(canvas);
}

// Most ticks have nothing new to show: the canvas then stays as it is.
void tick(BackgroundWindow& b) {
  if (!isImage(b.preview)) return;
  int v[tileFieldCount];
  for (int i = 0; i < tileFieldCount; ++i) v[i] = textValue(getGadgetText(b.fields[i]));
  TileGrid grid{v[0], v[1], v[2], v[3], v[4], v[5]};
  if (updateBackgroundTick(b.shown, canvasImage(b.canvas), b.preview, getGadgetState(b.tileBox) ? &grid : nullptr))
    refreshCanvas(b.canvas);
}

// The tiles of this background that start beyond the new picture go; the
// others are cut afresh from it.
void recutTiles(const std::string& background, int picture) {
  int w = imageWidth(picture), h = imageHeight(picture);
  std::vector<std::string> outside;
  for (const TileRecord& t : tiles)
    if (t.background == background && (t.left > w || t.top > h)) outside.push_back(t.name);
  for (const std::string& name : outside) removeTiles(name);
  for (const TileRecord& t : tiles) {
    if (t.background != background || !isImage(t.image) || !startDrawing(t.image)) continue;
    drawingMode(DRAW_DEFAULT);
    box(0, 0, imageWidth(t.image), imageHeight(t.image), rgba(0, 0, 0, 0));
    drawingMode(DRAW_ALPHABLEND);
    drawImage(picture, -t.left, -t.top);
    stopDrawing();
  }
}

// The file goes into the work folder at once, under a name of its own: the
// choice changes the panel picture and the tiles, so one that cannot be
// copied must change nothing.
void selectImage(BackgroundWindow& b) {
  std::string path = openFileRequester("Select an image", "", imagePatterns, 0);
  if (path.empty()) return;
  BackgroundRecord& r = record(b);
  std::vector<std::string> taken = workFileNamesInUse();
  dropOneName(taken, r.file);
  std::string name = pickedFileName(path, taken);
  if (!copyPickedFile(path, name)) {
    messageRequester("Error", uncopiedPickText(path));
    return;
  }
  b.picked = name;
  setGadgetText(b.fileLabel, "File: " + filePart(path));
  if (b.preview) freeImage(b.preview);
  b.preview = loadImage(UI_ANY, path);
  drawBackgroundPreview(b.area, b.canvas, b.preview);
  b.shown = {};   // a new picture, maybe under the old number
  if (r.thumbnail > 0) freeImage(r.thumbnail);
  r.thumbnail = panelPicture(b.preview);
  // A file that is no picture leaves the tiles as they are: there is
  // nothing to cut them from.
  if (isImage(b.preview)) recutTiles(r.name, b.preview);
}

// Done: the tile settings as typed, and the file picked here, if any.
void writeBackground(BackgroundWindow& b) {
  BackgroundRecord& r = record(b);
  r.tile = getGadgetState(b.tileBox) ? 1 : 0;
  std::vector<int*> values = tileValues(r);
  for (int i = 0; i < tileFieldCount; ++i) *values[size_t(i)] = textValue(getGadgetText(b.fields[i]));
  if (!b.picked.empty()) r.file = b.picked;
}

void makeTileFields(BackgroundWindow& b) {
  BackgroundRecord& r = record(b);
  b.panel = containerGadget(UI_ANY, r.tile ? 10 : 10000, 130, 100, 280);
  nameGadget(b.panel, "tile set");
  openGadgetList(b.panel);
  std::vector<int*> values = tileValues(r);
  for (int i = 0; i < tileFieldCount; ++i) {
    textGadget(UI_ANY, 10, tileLabelY[i], 50, 25, tileLabels[i]);
    // Each field lies over the end of its label's box.
    b.fields[i] = stringGadget(UI_ANY, 50, tileLabelY[i] - 5, 30, 25, std::to_string(*values[size_t(i)]), STR_NUMERIC);
    nameGadget(b.fields[i], tileLabels[i]);
  }
  closeGadgetList();
}

}  // namespace

void editBackground(const std::string& name) {
  BackgroundWindow b;
  if (!openPropertyFrame(backgroundKind, name, b.frame)) return;
  BackgroundRecord& r = record(b);
  if (!r.file.empty()) b.preview = loadImage(UI_ANY, workFolder + "/" + r.file);
  b.fileLabel = textGadget(UI_ANY, 10, 45, 100, 25, "File: " + r.file);
  nameGadget(b.fileLabel, "file");
  b.select = buttonGadget(UI_ANY, 10, 70, 100, 25, "Select image...");
  b.area = scrollAreaGadget(UI_ANY, 120, 10, 670, 540, 400, 300, 16);
  openGadgetList(b.area);
  b.canvas = canvasGadget(UI_ANY, 0, 0, 0, 0);
  closeGadgetList();
  nameGadget(b.area, "preview area");
  nameGadget(b.canvas, "preview");
  b.tileBox = checkBoxGadget(UI_ANY, 10, 105, 100, 25, "Use as tile set");
  setGadgetState(b.tileBox, r.tile ? 1 : 0);
  makeTileFields(b);
  drawBackgroundPreview(b.area, b.canvas, b.preview);
  addWindowTimer(b.frame.window, previewTimer, 33);

  PropertyHooks hooks;
  hooks.event = [&](int event) {
    if (event == EV_TIMER && eventTimer() == previewTimer) return tick(b);
    if (event != EV_GADGET) return;
    if (eventGadget() == b.select) selectImage(b);
    if (eventGadget() == b.tileBox)
      resizeGadget(b.panel, getGadgetState(b.tileBox) ? 10 : 10000, UI_IGNORE, UI_IGNORE, UI_IGNORE);
  };
  hooks.write = [&] { writeBackground(b); };
  hooks.release = [&] {
    if (b.preview) freeImage(b.preview);
    b.preview = 0;
  };
  runPropertyWindow(b.frame, hooks);
}
