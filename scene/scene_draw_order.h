// The scene view's drawing order, kept from tick to tick. Finding a scene's
// records by walking the whole tables and sorting them every tick made the
// tick cost what the project costs; the order is taken up again from the
// tables only when they have changed (tableGeneration has moved or a
// table's size differs) or another scene is asked for. Whatever adds,
// removes or reorders records, or moves one into a scene, tells
// (noteTablesChanged); depths, places, pictures and selections may change
// untold. The view checks each entry's depth every tick, and an entry that
// it draws or names for still being an instance or tile of the scene, so
// that it never draws a record that has gone or belongs elsewhere now.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SceneDrawEntry {
  int depth = 0;
  int instance = -1;   // index in `objects`, -1 for a tile
  int tile = -1;       // index in `tiles`, -1 for an instance
};

// What the store and the sprite table said about an entry's pictures,
// looked up once for its record's picture numbers, so that the view can
// leave out what lies outside it without asking the store. The pictures the
// view draws keep their sizes: an instance's display picture and a tile's
// picture are its own, replaced by a new number rather than changed, and
// the editors that give instances other frames move tableGeneration.
struct SceneDrawPicture {
  bool looked = false;
  int image = 0;         // the record's `image` it was looked up for
  int rotated = 0;       // the instance's `rotatedImage` it was looked up for
  int sprite = -1;       // the instance's sprite in `sprites` (the first of its name), -1 for none
  // The picture drawn: the instance's display picture, or the tile's; 0 x 0
  // when none is drawn. An instance's reaches offsetX, offsetY further left
  // and up than its unturned picture.
  int width = 0, height = 0;
  int offsetX = 0, offsetY = 0;
};

// The drawing order of the scene last passed to buildSceneDrawOrder.
extern std::vector<SceneDrawEntry> sceneDrawList;

// The same entries in table order (its instances, then its tiles), as the
// view walks them each tick: one record after another rather than wherever
// the drawing order leads. Each knows its place in the drawing order and
// keeps its pictures.
struct SceneDrawRecord {
  SceneDrawEntry entry;
  size_t position = 0;   // in sceneDrawList
  SceneDrawPicture picture;
};
extern std::vector<SceneDrawRecord> sceneDrawRecords;

// The scene's instances (table order), then its tiles (table order), sorted
// stably by depth, largest first: at equal depth tiles cover instances.
// The tables are walked only when they changed since the order was made or
// the scene is another.
void buildSceneDrawOrder(const std::string& sceneName);
// The same, walking the tables whatever they did.
void rebuildSceneDrawOrder(const std::string& sceneName);
// Whether the entry's record is still in its table, at the entry's depth:
// what the view checks every entry for, each tick.
bool drawEntryKeepsDepth(const SceneDrawEntry& e);
// Whether it still is an instance or a tile of the scene as well: what the
// view checks an entry for that it draws or names.
bool drawEntryHolds(const SceneDrawEntry& e, const std::string& sceneName);
// The record's pictures, looked up again when its numbers changed. Only for
// an entry that keeps its depth.
const SceneDrawPicture& drawEntryPicture(SceneDrawRecord& r);
