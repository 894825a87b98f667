#include "scene/scene_draw_order.h"

#include <algorithm>
#include <unordered_map>

#include "project/tables.h"
#include "ui/image.h"

std::vector<SceneDrawEntry> sceneDrawList;
std::vector<SceneDrawRecord> sceneDrawRecords;

namespace {

// What the kept order was made from.
struct Made {
  bool made = false;
  std::string scene;
  unsigned generation = 0;
  size_t objectCount = 0, tileCount = 0;
};
Made made;

// Sprite positions by name, the first of a name winning; made again when
// the tables change, which renaming, adding and removing sprites tell.
struct SpriteIndex {
  bool made = false;
  unsigned generation = 0;
  size_t count = 0;
  std::unordered_map<std::string, int> index;
};
SpriteIndex spriteIndex;

int spriteOf(const std::string& name) {
  SpriteIndex& s = spriteIndex;
  if (!s.made || s.generation != tableGeneration || s.count != sprites.size()) {
    s.index.clear();
    for (size_t i = sprites.size(); i-- > 0;) s.index[sprites[i].name] = int(i);
    s.made = true;
    s.generation = tableGeneration;
    s.count = sprites.size();
  }
  auto it = s.index.find(name);
  return it == s.index.end() ? -1 : it->second;
}

}  // namespace

void rebuildSceneDrawOrder(const std::string& sceneName) {
  sceneDrawRecords.clear();
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].prototype == 0 && objects[i].scene == sceneName)
      sceneDrawRecords.push_back({{objects[i].depth, int(i), -1}, 0, {}});
  for (size_t i = 0; i < tiles.size(); ++i)
    if (tiles[i].scene == sceneName) sceneDrawRecords.push_back({{tiles[i].depth, -1, int(i)}, 0, {}});
  std::vector<size_t> order(sceneDrawRecords.size());
  for (size_t j = 0; j < order.size(); ++j) order[j] = j;
  std::stable_sort(order.begin(), order.end(), [](size_t a, size_t b) {
    return sceneDrawRecords[a].entry.depth > sceneDrawRecords[b].entry.depth;
  });
  sceneDrawList.resize(order.size());
  for (size_t k = 0; k < order.size(); ++k) {
    sceneDrawList[k] = sceneDrawRecords[order[k]].entry;
    sceneDrawRecords[order[k]].position = k;
  }
  made = {true, sceneName, tableGeneration, objects.size(), tiles.size()};
}

void buildSceneDrawOrder(const std::string& sceneName) {
  if (!made.made || made.generation != tableGeneration || made.objectCount != objects.size() ||
      made.tileCount != tiles.size() || made.scene != sceneName)
    rebuildSceneDrawOrder(sceneName);
}

bool drawEntryKeepsDepth(const SceneDrawEntry& e) {
  if (e.instance >= 0) return size_t(e.instance) < objects.size() && objects[size_t(e.instance)].depth == e.depth;
  return e.tile >= 0 && size_t(e.tile) < tiles.size() && tiles[size_t(e.tile)].depth == e.depth;
}

bool drawEntryHolds(const SceneDrawEntry& e, const std::string& sceneName) {
  if (!drawEntryKeepsDepth(e)) return false;
  if (e.instance >= 0) {
    const ObjectRecord& o = objects[size_t(e.instance)];
    return o.prototype == 0 && o.scene == sceneName;
  }
  return tiles[size_t(e.tile)].scene == sceneName;
}

const SceneDrawPicture& drawEntryPicture(SceneDrawRecord& r) {
  SceneDrawPicture& p = r.picture;
  if (r.entry.instance >= 0) {
    const ObjectRecord& o = objects[size_t(r.entry.instance)];
    if (p.looked && p.image == o.image && p.rotated == o.rotatedImage && p.sprite < int(sprites.size())) return p;
    p = SceneDrawPicture();
    p.looked = true;
    p.image = o.image;
    p.rotated = o.rotatedImage;
    p.sprite = spriteOf(o.sprite);
    // Only a frame's instance shows its display picture, its middle where
    // the unturned frame has it.
    if (isImage(o.image) && isImage(o.rotatedImage)) {
      p.width = imageWidth(o.rotatedImage);
      p.height = imageHeight(o.rotatedImage);
      p.offsetX = (p.width - imageWidth(o.image)) / 2;
      p.offsetY = (p.height - imageHeight(o.image)) / 2;
    }
    return p;
  }
  const TileRecord& t = tiles[size_t(r.entry.tile)];
  if (p.looked && p.image == t.image) return p;
  p = SceneDrawPicture();
  p.looked = true;
  p.image = t.image;
  if (isImage(t.image)) {
    p.width = imageWidth(t.image);
    p.height = imageHeight(t.image);
  }
  return p;
}
