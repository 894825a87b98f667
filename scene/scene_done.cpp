// Done of the scene window: the name and speed tests, the fields written
// back, and the scene's two pictures (the project thumbnail that the Open
// dialog shows and the resource panel picture), drawn from the records.
#include <string>

#include "editors/game_names.h"
#include "editors/name_tests.h"
#include "editors/property_frame.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_pictures.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

int fieldValue(int field) { return textValue(getGadgetText(field)); }

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

bool sceneDone(SceneState& s) {
  // A refused Done marks the project modified all the same.
  setModified(1);
  int errors = checkName(s);
  errors += checkSpeed(s);
  if (errors != 0) return false;
  writeFields(s);
  SceneRecord& scene = scenes[size_t(s.sceneIndex)];
  releaseImage(projectThumbnail);
  projectThumbnail = sceneProjectPicture(s.sceneIndex, s.backgroundImage);
  if (!projectName.empty()) savePng(projectThumbnail, "Projects/" + projectName + ".png");
  releaseImage(scene.thumbnail);
  scene.thumbnail = scenePanelPicture(s.sceneIndex, s.backgroundImage);
  s.endFlag = 1;
  return true;
}
