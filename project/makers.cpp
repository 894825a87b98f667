#include "project/makers.h"

#include <climits>

#include "project/tables.h"

namespace {

std::string generatedName(const char* prefix) { return prefix + std::to_string(nextUid()); }

// A user may have given a record a name of this form with a number the
// counter has not reached; deleting by name would then hit that record too.
// A counter stuck at the top of its range repeats its value: a suffix then
// keeps the name apart from the taken one.
std::string freeGeneratedName(const char* prefix, int (*find)(const std::string&)) {
  for (;;) {
    int uid = nextUid();
    std::string name = prefix + std::to_string(uid);
    if (find(name) < 0) return name;
    if (uid == INT_MAX) {
      for (int k = 2;; ++k) {
        std::string suffixed = name + "_" + std::to_string(k);
        if (find(suffixed) < 0) return suffixed;
      }
    }
  }
}

}  // namespace

std::string newSprite() {
  setModified(1);
  SpriteRecord& r = appendSprite();
  r.name = generatedName("sprite_");
  r.thumbnail = -1;
  r.collisionshape = "Box";
  return r.name;
}

std::string newSound() {
  setModified(1);
  SoundRecord& r = appendSound();
  r.name = generatedName("sound_");
  return r.name;
}

std::string newMusic() {
  setModified(1);
  MusicRecord& r = appendMusic();
  r.name = generatedName("music_");
  return r.name;
}

std::string newBackground() {
  setModified(1);
  BackgroundRecord& r = appendBackground();
  r.name = generatedName("background_");
  r.thumbnail = -1;
  r.tilewidth = 32;
  r.tileheight = 32;
  return r.name;
}

std::string newFont() {
  setModified(1);
  FontRecord& r = appendFont();
  r.name = generatedName("font_");
  r.family = "Arial";
  r.size = 12;
  return r.name;
}

std::string newObject() {
  setModified(1);
  ObjectRecord& r = appendObject();
  r.name = generatedName("object_");
  r.prototype = 1;
  r.image = -1;
  r.visible = 1;
  r.collision = 1;
  return r.name;
}

std::string newScene() {
  setModified(1);
  SceneRecord& r = appendScene();
  r.name = generatedName("scene_");
  r.thumbnail = -1;
  r.width = 640;
  r.height = 480;
  r.viewportwidth = 640;
  r.viewportheight = 480;
  r.speed = 30;
  r.viewportxborder = 50;
  r.viewportyborder = 50;
  std::string name = r.name;   // newLayer may not touch `scenes`, but copy before another call
  newLayer(name);
  return name;
}

std::string newFunction() {
  setModified(1);
  FunctionRecord& r = appendFunction();
  r.name = generatedName("function_");
  return r.name;
}

std::string freeLayerName() { return freeGeneratedName("layer_", findLayer); }
std::string freeInstanceName() { return freeGeneratedName("SceneObject", findObject); }
std::string freeTileName() { return freeGeneratedName("tile_", findTile); }

std::string newLayer(const std::string& sceneName) {
  std::string scene = sceneName;   // the argument may be a field of a record
  std::string name = freeLayerName();
  LayerRecord& r = appendLayer();
  r.name = name;
  r.scene = scene;
  r.value = 1000000;
  return r.name;
}

int addObjectEvent(const std::string& objectName, const std::string& eventKind,
                   const std::string& parameter) {
  ScriptRecord r;
  r.object = objectName;
  r.event = eventKind;
  r.parameter = parameter;
  r.name = generatedName("scr_");
  int position = int(scripts.size());
  appendScript() = std::move(r);
  return position;
}
