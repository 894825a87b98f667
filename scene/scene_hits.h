// Which instances and tiles of a scene lie under a point of the scene view:
// pure functions over the records.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "project/tables.h"

// The sizes of every sprite's frames and its centre, gathered once so that
// testing many instances does not search the frames table for each.
struct SpriteBoxes {
  int centerx = 0, centery = 0;
  bool known = false;   // a sprite record of that name exists
  std::vector<std::pair<int, int>> frameSizes;   // frames with an image, table order
};
using SpriteBoxIndex = std::unordered_map<std::string, SpriteBoxes>;
SpriteBoxIndex buildSpriteBoxIndex();

// How many of the instance's boxes hold the point (bounds inclusive). An
// instance with a picture has one box per frame of its sprite, at the
// sprite's centre; one without a picture has the 15 x 15 box of its icon,
// centred at (7, 7), where the view draws it.
int instanceBoxHits(const ObjectRecord& o, const SpriteBoxIndex& boxes, int m, int n);
// The tile's box holds the point, bounds excluded.
bool tileHit(const TileRecord& t, int m, int n);

// Names of the scene's instances under the point, in table order, one per
// box that holds it.
std::vector<std::string> instancesHitAt(const std::string& sceneName, int m, int n);
// Names of the scene's tiles on the layer of that depth under the point.
std::vector<std::string> tilesHitAt(const std::string& sceneName, int layerDepth, int m, int n);
