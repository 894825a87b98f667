// The scene window's lists and canvases: the layer list, the sizes of the
// two canvases, the tile set shown on its canvas, the instances' display
// images and the object-to-place preview.
#include <algorithm>
#include <cmath>
#include <string>

#include "editors/instance_dialog.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_parts.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

// A canvas side from a typed number: the scene keeps what was typed, the
// canvas holds what an image can.
int canvasSide(int typed) { return std::clamp(typed, 0, IMAGE_MAX_SIDE); }

void sizeCanvas(int canvas, int area, int w, int h) {
  resizeGadget(canvas, 0, 0, w, h);
  setGadgetAttribute(area, ATTR_SCROLL_INNERWIDTH, w);
  setGadgetAttribute(area, ATTR_SCROLL_INNERHEIGHT, h);
}

}  // namespace

int loadWorkImage(const std::string& file) {
  int image = loadImage(UI_ANY, workFolder + "/" + file);
  return image > 0 ? image : -1;
}

int loadSceneBackgroundImage(const std::string& name, bool needsFile) {
  if (name.empty()) return -1;
  for (const BackgroundRecord& b : backgrounds)
    if (b.name == name && (!needsFile || !b.file.empty()))
      return isUsableName(b.file) ? loadWorkImage(b.file) : -1;   // nothing read from outside the work folder
  return -1;
}

void fillLayerList(const std::string& sceneName, int list) {
  clearGadgetItems(list);
  for (const LayerRecord& l : layers)
    if (l.scene == sceneName) addGadgetItem(list, -1, std::to_string(l.value));
  setGadgetState(list, 0);
}

void chooseLayer(int list, const std::string& kept, const std::string& previous) {
  const int depth = textValue(kept);
  const int count = countGadgetItems(list);
  for (int i = 0; i < count; ++i)
    if (textValue(getGadgetItemText(list, i)) == depth) return setGadgetState(list, i);
  for (int i = 0; i < count; ++i)
    if (getGadgetItemText(list, i) == previous) return setGadgetState(list, i);
}

void resizeSceneCanvas(int canvas, int area, int widthField, int heightField) {
  sizeCanvas(canvas, area, canvasSide(textValue(getGadgetText(widthField))),
             canvasSide(textValue(getGadgetText(heightField))));
}

void loadSceneBackground(int canvas, int area, const std::string& name) {
  int found = findBackground(name);
  int picture = found >= 0 && !backgrounds[size_t(found)].file.empty()
                    ? loadWorkImage(backgrounds[size_t(found)].file)
                    : -1;
  showSceneBackground(canvas, area, picture);
  releaseImage(picture);
}

void showSceneBackground(int canvas, int area, int picture) {
  if (picture < 0 || !isImage(picture)) return sizeCanvas(canvas, area, 0, 0);
  sizeCanvas(canvas, area, imageWidth(picture), imageHeight(picture));
  if (startDrawing(canvasImage(canvas))) {
    drawingMode(DRAW_DEFAULT);
    drawImage(PIC_CHECKERBOARD, 0, 0);
    drawingMode(DRAW_ALPHABLEND);
    drawImage(picture, 0, 0);
    stopDrawing();
  }
  refreshCanvas(canvas);
}

void buildInstanceImages(const std::string& sceneName) {
  noteTablesChanged();
  for (ObjectRecord& o : objects)
    if (o.prototype == 0 && o.scene == sceneName) rebuildDisplayImage(o);
}

void freeInstanceImages(const std::string& sceneName) {
  noteTablesChanged();
  for (ObjectRecord& o : objects)
    if (o.prototype == 0 && o.scene == sceneName) o.rotatedImage = releaseImage(o.rotatedImage);
}

void updatePlacePreview(SceneState& s) {
  const std::string sprite = objectSprite(getGadgetText(s.g.objectList));
  s.placeImage = spriteFirstFrameImage(sprite);
  s.placeSprite = findSprite(sprite);
  if (!isImage(s.placeImage)) {
    s.placeImage = -1;
    setGadgetAttribute(s.g.preview, ATTR_IMAGE, PIC_BLANK);
    return;
  }
  float w = float(imageWidth(s.placeImage)), h = float(imageHeight(s.placeImage));
  float sx = 1.0f, sy = 1.0f;
  if (w >= h) sy = h / w;
  else sx = w / h;
  s.previewImage = releaseImage(s.previewImage);
  s.previewImage = createImage(UI_ANY, 100, 100, 32, 0);
  if (startDrawing(s.previewImage)) {
    drawingMode(DRAW_ALPHABLEND);
    drawImageScaled(s.placeImage, 0, 0, int(std::nearbyint(sx * 100)), int(std::nearbyint(sy * 100)));
    stopDrawing();
  }
  setGadgetAttribute(s.g.preview, ATTR_IMAGE, s.previewImage);
}
