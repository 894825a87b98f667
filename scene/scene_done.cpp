// Done of the scene window: the name and speed tests, the fields written
// back, and the scene's two pictures (the project thumbnail that the Open
// dialog shows and the resource panel picture).
#include <cmath>
#include <string>

#include "editors/game_names.h"
#include "editors/name_tests.h"
#include "editors/property_frame.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_parts.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

int fieldValue(int field) { return textValue(getGadgetText(field)); }

// The scene's picture keeps its proportions: the longer side fills `side`.
// Nothing to draw for a scene without area.
bool scaledSize(int w, int h, int side, int& outW, int& outH) {
  if (w <= 0 || h <= 0) return false;
  float sx = 1.0f, sy = 1.0f;
  if (w >= h) sy = float(h) / float(w);
  else sx = float(w) / float(h);
  outW = int(std::nearbyint(sx * float(side)));
  outH = int(std::nearbyint(sy * float(side)));
  return true;
}

int checkName(SceneState& s) {
  const std::string typed = getGadgetText(s.g.name);
  if (typed.empty()) {
    messageRequester("Error", "The scene name is missing");
    return 1;
  }
  if (refuseUnusableName(typed, scenes[size_t(s.sceneIndex)].name, GAME_SCENE) != 0) return 1;
  if (isSceneNameFree(typed, s.sceneIndex) != 1) {
    messageRequester("Error", "The scene name '" + typed + "' already exists");
    return 1;
  }
  renameScene(s.sceneIndex, typed);
  return 0;
}

int checkSpeed(SceneState& s) {
  const std::string text = getGadgetText(s.g.speed);
  int speed = textValue(text);
  if (text.empty() || speed <= 1) {
    messageRequester("Error", "Invalid scene speed value");
    return 1;
  }
  scenes[size_t(s.sceneIndex)].speed = speed;
  return 0;
}

void writeFields(SceneState& s) {
  SceneRecord& scene = scenes[size_t(s.sceneIndex)];
  scene.width = fieldValue(s.g.width);
  scene.height = fieldValue(s.g.height);
  scene.viewportwidth = fieldValue(s.g.viewportWidth);
  scene.viewportheight = fieldValue(s.g.viewportHeight);
  scene.background = getGadgetText(s.g.backgroundList);
  scene.viewportobject = getGadgetText(s.g.follow);
  scene.viewportxborder = fieldValue(s.g.marginX);
  scene.viewportyborder = fieldValue(s.g.marginY);
}

}  // namespace

int sceneProjectPicture(int canvasPicture, int w, int h) {
  int picture = createImage(UI_ANY, 240, 240, 24, opaque(rgb(0, 0, 0)));
  int dw = 0, dh = 0;
  if (scaledSize(w, h, 240, dw, dh) && isImage(canvasPicture) && startDrawing(picture)) {
    drawingMode(DRAW_DEFAULT);
    drawImageScaled(canvasPicture, 0, 0, dw, dh);
    stopDrawing();
  }
  return picture;
}

int scenePanelPicture(int canvasPicture, int w, int h) {
  int picture = createImage(UI_ANY, 150, 100, 32, 0);
  if (!startDrawing(picture)) return picture;
  drawingMode(DRAW_ALPHABLEND);
  drawImage(PIC_RESOURCE_CARD, 0, 0);
  int dw = 0, dh = 0;
  if (scaledSize(w, h, 80, dw, dh) && isImage(canvasPicture)) drawImageScaled(canvasPicture, 35, 10, dw, dh);
  stopDrawing();
  return picture;
}

bool sceneDone(SceneState& s) {
  // A refused Done marks the project modified all the same.
  setModified(1);
  int errors = checkName(s);
  errors += checkSpeed(s);
  if (errors != 0) return false;
  writeFields(s);
  SceneRecord& scene = scenes[size_t(s.sceneIndex)];
  // The pictures show the whole scene, not only the part last in view.
  redrawSceneView(s, true);
  int canvasPicture = canvasImage(s.g.sceneCanvas);
  if (!projectName.empty()) {
    int thumbnail = sceneProjectPicture(canvasPicture, scene.width, scene.height);
    savePng(thumbnail, "Projects/" + projectName + ".png");
    freeImage(thumbnail);
  }
  releaseImage(scene.thumbnail);
  scene.thumbnail = scenePanelPicture(canvasPicture, scene.width, scene.height);
  s.endFlag = 1;
  return true;
}
