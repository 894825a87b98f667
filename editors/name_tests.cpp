#include "editors/name_tests.h"

#include "project/tables.h"

namespace {

template <typename Record>
int nameFree(const std::vector<Record>& table, const std::string& name, int skipIndex) {
  int result = 1;
  for (size_t i = 0; i < table.size(); ++i)
    if (int(i) != skipIndex && table[i].name == name) result = 0;
  return result;
}

void replaceName(std::string& field, const std::string& from, const std::string& to) {
  if (field == from) field = to;
}

}  // namespace

int isSpriteNameFree(const std::string& n, int s) { return nameFree(sprites, n, s); }
int isSoundNameFree(const std::string& n, int s) { return nameFree(sounds, n, s); }
int isMusicNameFree(const std::string& n, int s) { return nameFree(musics, n, s); }
int isBackgroundNameFree(const std::string& n, int s) { return nameFree(backgrounds, n, s); }
int isFontNameFree(const std::string& n, int s) { return nameFree(fonts, n, s); }
int isObjectNameFree(const std::string& n, int s) { return nameFree(objects, n, s); }
int isSceneNameFree(const std::string& n, int s) { return nameFree(scenes, n, s); }
int isFunctionNameFree(const std::string& n, int s) { return nameFree(fns, n, s); }

void renameSprite(int index, const std::string& to) {
  noteTablesChanged();
  std::string from = sprites[size_t(index)].name;
  for (FrameRecord& f : frames) replaceName(f.sprite, from, to);
  for (ObjectRecord& o : objects) replaceName(o.sprite, from, to);
  sprites[size_t(index)].name = to;
}

void renameSound(int index, const std::string& to) { sounds[size_t(index)].name = to; }
void renameMusic(int index, const std::string& to) { musics[size_t(index)].name = to; }
void renameFont(int index, const std::string& to) { fonts[size_t(index)].name = to; }
void renameFunction(int index, const std::string& to) { fns[size_t(index)].name = to; }

void renameBackground(int index, const std::string& to) {
  std::string from = backgrounds[size_t(index)].name;
  for (SceneRecord& s : scenes) replaceName(s.background, from, to);
  for (TileRecord& t : tiles) replaceName(t.background, from, to);
  backgrounds[size_t(index)].name = to;
}

void renameObject(int index, const std::string& to) {
  noteTablesChanged();
  std::string from = objects[size_t(index)].name;
  for (ScriptRecord& s : scripts) replaceName(s.object, from, to);
  for (ObjectRecord& o : objects) replaceName(o.template_, from, to);
  for (ObjectRecord& o : objects) replaceName(o.parent, from, to);
  for (ScriptRecord& s : scripts) replaceName(s.parameter, from, to);
  // The followed object of a scene would otherwise name nothing.
  for (SceneRecord& s : scenes) replaceName(s.viewportobject, from, to);
  objects[size_t(index)].name = to;
}

void renameScene(int index, const std::string& to) {
  noteTablesChanged();
  std::string from = scenes[size_t(index)].name;
  for (ObjectRecord& o : objects) replaceName(o.scene, from, to);
  for (LayerRecord& l : layers) replaceName(l.scene, from, to);
  for (TileRecord& t : tiles) replaceName(t.scene, from, to);
  scenes[size_t(index)].name = to;
}
