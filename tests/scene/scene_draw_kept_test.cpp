// The scene view's kept drawing order and its leaving out what lies outside
// the view, against the old way of drawing (every record walked and looked
// up every tick), kept as the reference: the pictures must be the same
// pixel for pixel, through edits of every kind between ticks.
#include <algorithm>
#include <functional>
#include <random>

#include "imaging/rotate_image.h"
#include "project/deletes.h"
#include "scene/scene_draw.h"
#include "tests/scene/scene_draw_reference.h"
#include "tests/scene/scene_view_fixture.h"
#include "ui/draw.h"

namespace {

const uint32_t SCENE_COLOUR = opaque(rgb(10, 20, 30));

using SceneDrawKeptTest = SceneViewTest;

struct Part {
  int x, y, w, h;
};

// The part drawn both ways into targets of the same fill; the first pixel
// that differs, or none. `drawn` counts the pixels not of the scene colour.
::testing::AssertionResult sameAsReference(const SceneViewInput& in, const Part& p, int* drawn = nullptr) {
  int ours = createImage(-1, p.w, p.h, 24, opaque(0x123456));
  int theirs = createImage(-1, p.w, p.h, 24, opaque(0x123456));
  std::string ourStatus = drawSceneView(ours, p.x, p.y, in);
  std::string theirStatus = referenceDrawSceneView(theirs, p.x, p.y, in);
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  if (ourStatus != theirStatus)
    result = ::testing::AssertionFailure() << "status " << ourStatus << " / " << theirStatus;
  int count = 0;
  for (int y = 0; y < p.h && result; ++y)
    for (int x = 0; x < p.w && result; ++x) {
      uint32_t a = getPixel(ours, x, y), b = getPixel(theirs, x, y);
      if (a != b)
        result = ::testing::AssertionFailure() << "pixel " << p.x + x << "," << p.y + y << ": " << std::hex << a
                                               << " / " << b;
      count += a != SCENE_COLOUR;
    }
  freeImage(ours);
  freeImage(theirs);
  if (drawn) *drawn = count;
  return result;
}

// A fresh project of one scene, "room", 400 x 300 in the scene colour.
void freshRoom() {
  clearProjectTables();
  SceneRecord& room = appendScene();
  room.name = "room";
  room.width = 400;
  room.height = 300;
  room.red = 10;
  room.green = 20;
  room.blue = 30;
}

// The bounding box of the pixels of an image that are not fully clear.
struct Bounds {
  int left, top, right, bottom;   // right and bottom exclusive
};
Bounds seenPart(int image) {
  Bounds b{imageWidth(image), imageHeight(image), 0, 0};
  for (int y = 0; y < imageHeight(image); ++y)
    for (int x = 0; x < imageWidth(image); ++x)
      if (alpha(getPixel(image, x, y)) != 0) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                                                  std::max(b.bottom, y + 1)};
  return b;
}

// Each edge of what an instance or a tile draws, one pixel inside a small
// view and one pixel outside it: nothing at the edge of the view goes
// missing, and nothing outside it is drawn.
TEST_F(SceneDrawKeptTest, WhatReachesTheViewByOnePixelIsDrawn) {
  const uint32_t red = opaque(rgb(255, 0, 0));
  // A turned or scaled display picture larger than its frame, opaque to its
  // edges: 40 x 30 over 20 x 10 reaches 10 further left and up.
  auto turned = [&](ObjectRecord& o) {
    freeImage(o.rotatedImage);
    o.rotatedImage = keep(createImage(-1, 40, 30, 32, opaque(rgb(0, 200, 0))));
  };
  const Bounds icon = seenPart(PIC_ICON_NO_IMAGE);
  // Each case makes its records after two sprites of a 20 x 10 frame: "bar"
  // centred at (10, 5) and "far" at (-60, 45), whose picture lies well away
  // from the instance's point.
  struct Case {
    const char* what;
    std::function<void()> make;
    Bounds drawn;
  };
  const Case cases[] = {
      {"turned picture", [&] { turned(addInstance("i", "bar", 200, 150)); }, {180, 135, 220, 165}},
      {"turned picture, far centre", [&] { turned(addInstance("i", "far", 200, 150)); }, {250, 95, 290, 125}},
      {"unturned picture", [&] { addInstance("i", "bar", 200, 150); }, {190, 145, 210, 155}},
      // What changes between ticks untold: the picture, the sprite's centre.
      {"display picture replaced after a tick",
       [&] {
         ObjectRecord& o = addInstance("i", "bar", 200, 150);
         drawWhole();
         turned(o);
       },
       {180, 135, 220, 165}},
      {"centre moved after a tick",
       [&] {
         addInstance("i", "bar", 200, 150);
         drawWhole();
         sprites[0].centerx = -60;
         sprites[0].centery = 45;
       },
       {260, 105, 280, 115}},
      {"no picture: the icon and its box",
       [&] { addInstance("i", "", 200, 150).selected = 1; },
       {193 + std::min(icon.left, 0), 143 + std::min(icon.top, 0), 193 + std::max(icon.right, 15),
        143 + std::max(icon.bottom, 15)}},
      {"selection box wider than the picture",
       [&] {
         ObjectRecord& o = addInstance("i", "bar", 200, 150);
         o.selected = 1;
         o.imageWidth = 90;
         o.imageHeight = 70;
       },
       {190, 145, 280, 215}},
      {"tile picture larger than the tile",
       [&] {
         TileRecord& t = addTile("t", 150, 100, 30, 20, 0, 0);
         freeImage(t.image);
         t.image = createImage(-1, 50, 45, 32, opaque(rgb(0, 0, 255)));
       },
       {150, 100, 200, 145}},
      {"tile picture replaced after a tick",
       [&] {
         TileRecord& t = addTile("t", 150, 100, 30, 20, 0, opaque(rgb(0, 0, 255)));
         drawWhole();
         freeImage(t.image);
         t.image = createImage(-1, 50, 45, 32, opaque(rgb(0, 0, 255)));
       },
       {150, 100, 200, 145}},
      {"tile box larger than the tile picture",
       [&] {
         TileRecord& t = addTile("t", 150, 100, 30, 20, 0, opaque(rgb(0, 0, 255)));
         t.selected = 1;
         t.width = 80;
         t.height = 66;
       },
       {150, 100, 230, 166}},
  };
  const int w = 30, h = 25;
  for (const Case& c : cases) {
    freshRoom();
    addSprite("bar", 20, 10, red, 1, 10, 5);
    addSprite("far", 20, 10, red, 1, -60, 45);
    c.make();
    const Bounds& b = c.drawn;
    struct Edge {
      const char* name;
      Part inside, outside;
    };
    const Edge edges[] = {
        {"left", {b.left - w + 1, b.top, w, h}, {b.left - w, b.top, w, h}},
        {"right", {b.right - 1, b.top, w, h}, {b.right, b.top, w, h}},
        {"top", {b.left, b.top - h + 1, w, h}, {b.left, b.top - h, w, h}},
        {"bottom", {b.left, b.bottom - 1, w, h}, {b.left, b.bottom, w, h}},
    };
    for (const Edge& e : edges) {
      int drawn = 0;
      EXPECT_TRUE(sameAsReference(input, e.inside, &drawn)) << c.what << ", " << e.name << " inside";
      EXPECT_GT(drawn, 0) << c.what << ", " << e.name << " inside";
      EXPECT_TRUE(sameAsReference(input, e.outside, &drawn)) << c.what << ", " << e.name << " outside";
      EXPECT_EQ(drawn, 0) << c.what << ", " << e.name << " outside";
    }
  }
}

// Random scenes edited between ticks in every way the tables change: the
// makers and deletes, and whatever else adds, removes, reorders or moves a
// record into a scene, which tell; and direct writes of depths, places,
// pictures, selections, centres and the scene's name, which do not. Each tick's picture and
// status equal the old way's for a random part of the scene and random
// settings of the window.
TEST_F(SceneDrawKeptTest, PicturesEqualTheOldWayThroughEdits) {
  std::mt19937 random(2024);
  auto pick = [&](int n) { return int(random() % unsigned(n)); };
  freshRoom();
  SceneRecord& hall = appendScene();
  hall.name = "hall";
  const uint32_t colours[] = {rgba(200, 30, 90, 180), opaque(rgb(250, 250, 0)), rgba(0, 90, 250, 255)};
  const char* spriteNames[] = {"ball", "bar", "far"};
  const int frame[] = {addSprite("ball", 24, 18, colours[0], 1, 12, 9), addSprite("bar", 20, 10, colours[1], 2, 0, 0),
                       addSprite("far", 16, 16, colours[2], 1, -70, 50)};
  int serial = 0;
  auto anyInstance = [&](const std::string& scene) {
    const char* sprite = pick(6) == 0 ? "" : spriteNames[pick(3)];
    ObjectRecord& o = addInstance("i" + std::to_string(serial++), sprite, pick(520) - 60, pick(420) - 60, pick(4));
    o.scene = scene;
    o.selected = pick(4) == 0;
    if (isImage(o.image) && pick(3) == 0) {
      freeImage(o.rotatedImage);
      o.rotatedImage = keep(rotateImage(o.image, float(pick(360)), ROTATE_BILINEAR, 0xFFFFFF));
    }
  };
  auto anyTile = [&](const std::string& scene) {
    int w = 8 + pick(40), h = 8 + pick(40);
    TileRecord& t = addTile("t" + std::to_string(serial++), pick(520) - 60, pick(420) - 60, w, h, 2 * pick(3),
                            rgba(pick(256), pick(256), pick(256), 128 + pick(128)));
    t.scene = scene;
    t.selected = pick(4) == 0;
  };
  for (int i = 0; i < 40; ++i) anyInstance(pick(3) ? "room" : "hall");
  for (int i = 0; i < 30; ++i) anyTile(pick(3) ? "room" : "hall");
  // Object definitions bear a scene name too, and are never drawn.
  ObjectRecord& definition = appendObject();
  definition.prototype = 1;
  definition.name = "obj";
  definition.scene = "room";
  definition.image = frame[0];

  auto anyOf = [&](auto& table) -> decltype(table[0])& { return table[size_t(pick(int(table.size())))]; };
  std::string roomName = "room";
  for (int round = 0; round < 150; ++round) {
    for (int edits = 1 + pick(3); edits > 0; --edits) {
      switch (pick(16)) {
        case 0: anyInstance(roomName); break;
        case 1: anyInstance("hall"); break;
        case 2: anyTile(pick(2) ? roomName : "hall"); break;
        case 3: {   // not the definition, whose removal takes every instance
          const ObjectRecord& o = anyOf(objects);
          if (o.prototype == 0) deleteObject(o.name);
          break;
        }
        case 4:
          if (!tiles.empty()) removeTiles(anyOf(tiles).name);
          break;
        case 5: {   // a removal and a placing at once leave the sizes as they were
          const ObjectRecord& o = anyOf(objects);
          if (o.prototype == 1) break;
          deleteObject(o.name);
          anyInstance(roomName);
          break;
        }
        case 6: {
          ObjectRecord& o = anyOf(objects);
          o.x += pick(81) - 40;
          o.y += pick(81) - 40;
          break;
        }
        case 7: anyOf(objects).depth = pick(4); break;
        case 8:
          if (!tiles.empty()) anyOf(tiles).depth = 2 * pick(3);
          break;
        case 9: anyOf(objects).selected ^= 1; break;
        case 10:
          if (!tiles.empty()) anyOf(tiles).selected ^= 1;
          break;
        case 11: {   // the instance dialog's turning gives a new display picture
          ObjectRecord& o = anyOf(objects);
          if (!isImage(o.image)) break;
          freeImage(o.rotatedImage);
          o.rotatedImage = keep(rotateImage(o.image, float(pick(360)), ROTATE_BILINEAR, 0xFFFFFF));
          break;
        }
        case 12: {
          SpriteRecord& sprite = anyOf(sprites);
          sprite.centerx = pick(101) - 50;
          sprite.centery = pick(101) - 50;
          break;
        }
        case 13: {   // an instance taken into the scene, as a scene's renaming does, told
          ObjectRecord& o = anyOf(objects);
          if (o.prototype == 1) break;
          o.scene = o.scene == roomName ? "hall" : roomName;
          noteTablesChanged();
          break;
        }
        case 14: {   // the scene renamed, untold: the drawn scene's name is another
          std::string to = roomName == "room" ? "room2" : "room";
          for (ObjectRecord& o : objects)
            if (o.scene == roomName) o.scene = to;
          for (TileRecord& t : tiles)
            if (t.scene == roomName) t.scene = to;
          scenes[0].name = roomName = to;
          break;
        }
        case 15: {   // two records trading places in the table, told as every reordering is
          std::swap(anyOf(objects), anyOf(objects));
          noteTablesChanged();
          break;
        }
      }
    }
    input.tab = pick(4);
    input.showObjects = pick(3) != 0;
    input.showTiles = pick(3) != 0;
    input.tileAction = pick(3);
    input.layerDepth = 2 * pick(3);
    Part part{0, 0, 400, 300};
    if (pick(3) != 0) part = {pick(400) - 50, pick(300) - 50, 1 + pick(200), 1 + pick(150)};
    ASSERT_TRUE(sameAsReference(input, part)) << "round " << round << " part " << part.x << "," << part.y << " "
                                              << part.w << "x" << part.h;
  }
}

}  // namespace
