// Hit boxes of instances and tiles on the scene view.
#include "scene/scene_hits.h"

#include <cstdint>

#include "ui/image.h"

namespace {

constexpr int NO_IMAGE_CENTRE = 7;
constexpr int NO_IMAGE_BOX = 15;

bool inBox(int64_t left, int64_t top, int64_t w, int64_t h, int m, int n) {
  return m >= left && m <= left + w && n >= top && n <= top + h;
}

}  // namespace

SpriteBoxIndex buildSpriteBoxIndex() {
  SpriteBoxIndex index;
  for (const SpriteRecord& s : sprites) {
    SpriteBoxes& b = index[s.name];
    if (b.known) continue;   // the first sprite of a name counts
    b.known = true;
    b.centerx = s.centerx;
    b.centery = s.centery;
  }
  for (const FrameRecord& f : frames)
    if (isImage(f.image)) index[f.sprite].frameSizes.push_back({imageWidth(f.image), imageHeight(f.image)});
  return index;
}

int instanceBoxHits(const ObjectRecord& o, const SpriteBoxIndex& boxes, int m, int n) {
  if (!isImage(o.image)) {
    // Hit where its icon is drawn, whatever its sprite.
    return inBox(int64_t(o.x) - NO_IMAGE_CENTRE, int64_t(o.y) - NO_IMAGE_CENTRE, NO_IMAGE_BOX, NO_IMAGE_BOX, m, n);
  }
  auto it = boxes.find(o.sprite);
  const SpriteBoxes* b = it == boxes.end() ? nullptr : &it->second;
  int64_t left = int64_t(o.x) - (b && b->known ? b->centerx : 0);
  int64_t top = int64_t(o.y) - (b && b->known ? b->centery : 0);
  if (!b || b->frameSizes.empty()) {
    // A picture whose sprite has no frames left: its own box.
    return inBox(left, top, imageWidth(o.image), imageHeight(o.image), m, n);
  }
  int hits = 0;
  for (const auto& [w, h] : b->frameSizes) hits += inBox(left, top, w, h, m, n);
  return hits;
}

bool tileHit(const TileRecord& t, int m, int n) {
  return t.x < m && m < int64_t(t.x) + t.width && t.y < n && n < int64_t(t.y) + t.height;
}

std::vector<std::string> instancesHitAt(const std::string& sceneName, int m, int n) {
  SpriteBoxIndex boxes = buildSpriteBoxIndex();
  std::vector<std::string> names;
  for (const ObjectRecord& o : objects) {
    if (o.prototype != 0 || o.scene != sceneName) continue;
    for (int k = instanceBoxHits(o, boxes, m, n); k > 0; --k) names.push_back(o.name);
  }
  return names;
}

std::vector<std::string> tilesHitAt(const std::string& sceneName, int layerDepth, int m, int n) {
  std::vector<std::string> names;
  for (const TileRecord& t : tiles)
    if (t.scene == sceneName && t.depth == layerDepth && tileHit(t, m, n)) names.push_back(t.name);
  return names;
}
