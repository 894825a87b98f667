#include "project/deletes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "project/tables.h"
#include "ui/image.h"

namespace {

template <typename Record, typename Pred>
void removeWhere(std::vector<Record>& table, Pred pred) {
  noteTablesChanged();
  table.erase(std::remove_if(table.begin(), table.end(), pred), table.end());
}

template <typename Record>
void removeNamed(std::vector<Record>& table, const std::string& name) {
  removeWhere(table, [&](const Record& r) { return r.name == name; });
}

void releaseImage(int image) {
  if (image > 0 && isImage(image)) freeImage(image);
}

// Removing the tiles of many names at once gives what one removeTiles per
// name gives, without rebuilding the table for each.
void removeTilesNamed(const std::unordered_set<std::string>& names) {
  if (names.empty()) return;
  removeWhere(tiles, [&](const TileRecord& t) {
    if (!names.count(t.name)) return false;
    releaseImage(t.image);
    return true;
  });
}

// An instance's display picture (`rotatedImage`) is a picture of its own,
// so every way its record goes frees it.
template <typename Pred>
void removeObjectsWhere(Pred pred) {
  removeWhere(objects, [&](const ObjectRecord& o) {
    if (!pred(o)) return false;
    releaseImage(o.rotatedImage);
    return true;
  });
}

}  // namespace

void deleteSound(const std::string& name) { std::string n = name; removeNamed(sounds, n); }
void deleteMusic(const std::string& name) { std::string n = name; removeNamed(musics, n); }
void deleteFont(const std::string& name) { std::string n = name; removeNamed(fonts, n); }
void deleteFunction(const std::string& name) { std::string n = name; removeNamed(fns, n); }
void deleteLayer(const std::string& name) { std::string n = name; removeNamed(layers, n); }

void removeTiles(const std::string& name) { removeTilesNamed({name}); }

void deleteBackground(const std::string& nameArg) {
  const std::string name = nameArg;
  removeNamed(backgrounds, name);
  for (SceneRecord& s : scenes)
    if (s.background == name) s.background.clear();
  std::unordered_set<std::string> cut;
  for (const TileRecord& t : tiles)
    if (t.background == name) cut.insert(t.name);
  removeTilesNamed(cut);
}

void deleteObject(const std::string& nameArg) {
  const std::string name = nameArg;
  removeObjectsWhere([&](const ObjectRecord& o) { return o.name == name || o.template_ == name; });
  removeWhere(scripts, [&](const ScriptRecord& s) { return s.object == name; });
}

void deleteScene(const std::string& nameArg) {
  const std::string name = nameArg;
  removeNamed(scenes, name);
  // Only the instances themselves: an object definition that happens to bear
  // an instance's name stays.
  removeObjectsWhere([&](const ObjectRecord& o) { return o.prototype == 0 && o.scene == name; });
  std::unordered_set<std::string> layerNames, tileNames;
  for (const LayerRecord& l : layers)
    if (l.scene == name) layerNames.insert(l.name);
  removeWhere(layers, [&](const LayerRecord& l) { return layerNames.count(l.name) > 0; });
  for (const TileRecord& t : tiles)
    if (t.scene == name) tileNames.insert(t.name);
  removeTilesNamed(tileNames);
}

void deleteSprite(const std::string& nameArg) {
  const std::string name = nameArg;
  for (ObjectRecord& o : objects)
    if (o.sprite == name) {
      o.sprite.clear();
      o.image = -1;
    }
  removeWhere(frames, [&](const FrameRecord& f) {
    if (f.sprite != name) return false;
    releaseImage(f.image);
    return true;
  });
  removeWhere(sprites, [&](const SpriteRecord& s) {
    if (s.name != name) return false;
    releaseImage(s.thumbnail);
    return true;
  });
  std::unordered_map<std::string, int> firstImage;
  for (const FrameRecord& f : frames) firstImage.emplace(f.sprite, f.image);
  for (ObjectRecord& o : objects) {
    if (o.sprite.empty()) {
      o.image = -1;
      continue;
    }
    auto it = firstImage.find(o.sprite);
    o.image = it == firstImage.end() ? -1 : it->second;
    if (o.image != -1) {
      o.imageWidth = imageWidth(o.image);
      o.imageHeight = imageHeight(o.image);
    }
  }
}

void duplicateObject(const std::string& nameArg) {
  const std::string name = nameArg;
  int i = findObject(name);
  if (i >= 0) {
    const ObjectRecord source = objects[i];
    ObjectRecord& copy = appendObject();
    copy.name = name + "_dup";
    copy.template_ = source.template_;
    copy.prototype = source.prototype;
    copy.scene = source.scene;
    copy.selected = source.selected;
    copy.sprite = source.sprite;
    copy.image = source.image;
    copy.imageWidth = source.imageWidth;
    copy.imageHeight = source.imageHeight;
    copy.x = source.x;
    copy.y = source.y;
    copy.visible = source.visible;
    copy.depth = source.depth;
    copy.collision = source.collision;
    copy.parent = source.parent;
  }
  // Copies appended during the walk name another object, so they never match.
  const size_t end = scripts.size();
  for (size_t k = 0; k < end; ++k) {
    if (scripts[k].object != name) continue;
    ScriptRecord copy = scripts[k];
    copy.object = name + "_dup";
    appendScript() = std::move(copy);
  }
}
