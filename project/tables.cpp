#include "project/tables.h"

#include <climits>

#include "ui/image.h"

ProjectRecord projectInfo;
std::vector<SpriteRecord> sprites;
std::vector<FrameRecord> frames;
std::vector<SoundRecord> sounds;
std::vector<MusicRecord> musics;
std::vector<BackgroundRecord> backgrounds;
std::vector<FontRecord> fonts;
std::vector<ObjectRecord> objects;
std::vector<ScriptRecord> scripts;
std::vector<SceneRecord> scenes;
std::vector<LayerRecord> layers;
std::vector<TileRecord> tiles;
std::vector<FunctionRecord> fns;

int uidCounter = 1;
int modifiedFlag = 0;
unsigned tableGeneration = 0;

std::string projectName;
std::string workFolder;
std::string imgFolder = "img";
std::string audFolder = "aud";
int projectThumbnail = 0;

namespace {

template <typename Record>
Record& appendTo(std::vector<Record>& table) {
  noteTablesChanged();
  table.emplace_back();
  return table.back();
}

template <typename Record>
int findByName(const std::vector<Record>& table, const std::string& name) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].name == name) return int(i);
  return -1;
}

}  // namespace

SpriteRecord& appendSprite() { return appendTo(sprites); }
FrameRecord& appendFrame() { return appendTo(frames); }
SoundRecord& appendSound() { return appendTo(sounds); }
MusicRecord& appendMusic() { return appendTo(musics); }
BackgroundRecord& appendBackground() { return appendTo(backgrounds); }
FontRecord& appendFont() { return appendTo(fonts); }
ObjectRecord& appendObject() { return appendTo(objects); }
ScriptRecord& appendScript() { return appendTo(scripts); }
SceneRecord& appendScene() { return appendTo(scenes); }
LayerRecord& appendLayer() { return appendTo(layers); }
TileRecord& appendTile() { return appendTo(tiles); }
FunctionRecord& appendFunction() { return appendTo(fns); }

void noteTablesChanged() { ++tableGeneration; }

// A counter read from a hostile file may stand at the top of the range; it
// then stays there (names may repeat anyway) instead of overflowing.
int nextUid() {
  if (uidCounter < INT_MAX) ++uidCounter;
  return uidCounter;
}

void setModified(int value) { modifiedFlag = value; }

void resetProjectRecord() { projectInfo = ProjectRecord(); }

namespace {

void releaseImage(int image) {
  if (image > 0 && isImage(image)) freeImage(image);
}

}  // namespace

// The images the records own go with them. An instance's `image` is a frame
// image, so it is not freed twice (its `rotatedImage` is its own); the
// carried cards are left alone by freeImage.
void clearProjectTables() {
  for (const SpriteRecord& r : sprites) releaseImage(r.thumbnail);
  for (const FrameRecord& r : frames) releaseImage(r.image);
  for (const BackgroundRecord& r : backgrounds) releaseImage(r.thumbnail);
  for (const SceneRecord& r : scenes) releaseImage(r.thumbnail);
  for (const TileRecord& r : tiles) releaseImage(r.image);
  for (const ObjectRecord& r : objects) releaseImage(r.rotatedImage);
  releaseImage(projectThumbnail);
  projectThumbnail = 0;
  sprites.clear();
  frames.clear();
  sounds.clear();
  musics.clear();
  backgrounds.clear();
  fonts.clear();
  objects.clear();
  scripts.clear();
  scenes.clear();
  layers.clear();
  tiles.clear();
  fns.clear();
  noteTablesChanged();
  resetProjectRecord();
  uidCounter = 1;
  modifiedFlag = 0;
}

int objectHasEvent(const std::string& objectName, const std::string& eventKind) {
  for (const ScriptRecord& s : scripts)
    if (s.object == objectName && s.event == eventKind) return 1;
  return 0;
}

int objectDepth(const std::string& objectName) {
  int i = findByName(objects, objectName);
  return i < 0 ? 0 : objects[i].depth;
}

std::string objectSprite(const std::string& objectName) {
  int i = findByName(objects, objectName);
  return i < 0 ? std::string() : objects[i].sprite;
}

int spriteFirstFrameImage(const std::string& spriteName) {
  for (const FrameRecord& f : frames)
    if (f.sprite == spriteName) return f.image;
  return -1;
}

int findSprite(const std::string& name) { return findByName(sprites, name); }
int findSound(const std::string& name) { return findByName(sounds, name); }
int findMusic(const std::string& name) { return findByName(musics, name); }
int findBackground(const std::string& name) { return findByName(backgrounds, name); }
int findFont(const std::string& name) { return findByName(fonts, name); }
int findObject(const std::string& name) { return findByName(objects, name); }
int findScript(const std::string& name) { return findByName(scripts, name); }
int findScene(const std::string& name) { return findByName(scenes, name); }
int findLayer(const std::string& name) { return findByName(layers, name); }
int findTile(const std::string& name) { return findByName(tiles, name); }
int findFunction(const std::string& name) { return findByName(fns, name); }

int findObjectDefinition(const std::string& name) {
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].prototype == 1 && objects[i].name == name) return int(i);
  return -1;
}
