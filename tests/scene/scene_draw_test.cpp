// The scene view's drawing order and picture, drawn into plain images.
#include <algorithm>
#include <random>

#include "imaging/rotate_image.h"
#include "scene/scene_draw.h"
#include "tests/scene/scene_view_fixture.h"
#include "ui/draw.h"

namespace {

const uint32_t SCENE_COLOUR = opaque(rgb(10, 20, 30));

using SceneDrawTest = SceneViewTest;

TEST_F(SceneDrawTest, DrawOrderIsByDepthLargestFirstWithTilesOverInstancesAtEqualDepth) {
  addInstance("front", "", 0, 0, -5);
  addInstance("mid_a", "", 0, 0, 100);
  addInstance("back", "", 0, 0, 200);
  addInstance("mid_b", "", 0, 0, 100);
  addTile("tile_mid", 0, 0, 4, 4, 100, 0);
  addTile("tile_far", 0, 0, 4, 4, 2147483647, 0);
  addTile("tile_near", 0, 0, 4, 4, -2147483647 - 1, 0);
  ObjectRecord& other = addInstance("elsewhere", "", 0, 0, 100);
  other.scene = "hall";
  ObjectRecord& definition = appendObject();
  definition.prototype = 1;
  definition.scene = "room";
  buildSceneDrawOrder("room");
  std::vector<std::string> order;
  for (const SceneDrawEntry& e : sceneDrawList) {
    ASSERT_NE(e.instance >= 0, e.tile >= 0);
    order.push_back(e.instance >= 0 ? objects[size_t(e.instance)].name : tiles[size_t(e.tile)].name);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"tile_far", "back", "mid_a", "mid_b", "tile_mid", "front",
                                             "tile_near"}));
}

TEST_F(SceneDrawTest, LaterInstanceAndTileCoverEarlierAtEqualDepth) {
  addSprite("red", 10, 10, opaque(rgb(255, 0, 0)));
  addSprite("green", 10, 10, opaque(rgb(0, 255, 0)));
  addInstance("a", "red", 20, 20, 100);
  addInstance("b", "green", 25, 20, 100);
  addTile("t", 0, 20, 22, 10, 100, opaque(rgb(0, 0, 255)));
  int canvas = drawWhole();
  EXPECT_EQ(getPixel(canvas, 21, 25), opaque(rgb(0, 0, 255)));    // tile over instance a
  EXPECT_EQ(getPixel(canvas, 23, 25), opaque(rgb(255, 0, 0)));    // a alone
  EXPECT_EQ(getPixel(canvas, 26, 25), opaque(rgb(0, 255, 0)));    // b over a
}

TEST_F(SceneDrawTest, InstanceWithoutImageShowsTheIconAndItsSelectionBox) {
  ObjectRecord& o = addInstance("lost", "", 50, 40);
  int canvas = drawWhole();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(getPixel(canvas, 43 + x, 33 + y), blendExpected(SCENE_COLOUR, getPixel(PIC_ICON_NO_IMAGE, x, y)))
          << x << "," << y;
  EXPECT_EQ(getPixel(canvas, 42, 40), SCENE_COLOUR);
  EXPECT_EQ(status, "");

  o.selected = 1;
  o.template_ = "object_3";
  canvas = drawWhole();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t icon = blendExpected(SCENE_COLOUR, getPixel(PIC_ICON_NO_IMAGE, x, y));
      bool boxed = x < 15 && y < 15;
      ASSERT_EQ(getPixel(canvas, 43 + x, 33 + y), boxed ? xorExpected(icon, 200, 64, 64) : icon) << x << "," << y;
    }
  EXPECT_EQ(status, "[object_3] x:50 y:40");
}

TEST_F(SceneDrawTest, TurnedInstanceIsCentredOnItsUnturnedBoxWhichTheSelectionKeeps) {
  int frame = addSprite("bar", 20, 10, rgba(250, 120, 0, 200), 1, 10, 5);
  ObjectRecord& o = addInstance("turned", "bar", 60, 50);
  freeImage(o.rotatedImage);
  o.rotatedImage = keep(rotateImage(frame, 45.0f, ROTATE_BILINEAR, 0xFFFFFF));
  ASSERT_EQ(imageWidth(o.rotatedImage), 22);
  ASSERT_EQ(imageHeight(o.rotatedImage), 22);
  o.selected = 1;
  int canvas = drawWhole();
  // (60 - 10 - (22 - 20) / 2, 50 - 5 - (22 - 10) / 2)
  const int left = 49, top = 39;
  for (int y = -2; y < 24; ++y)
    for (int x = -2; x < 24; ++x) {
      bool inside = x >= 0 && y >= 0 && x < 22 && y < 22;
      uint32_t expected = inside ? blendExpected(SCENE_COLOUR, getPixel(o.rotatedImage, x, y)) : SCENE_COLOUR;
      int sx = left + x, sy = top + y;
      if (sx >= 50 && sx < 70 && sy >= 45 && sy < 55) expected = xorExpected(expected, 200, 64, 64);
      ASSERT_EQ(getPixel(canvas, sx, sy), expected) << sx << "," << sy;
    }
}

TEST_F(SceneDrawTest, BackgroundTilesStretchesOrSitsOnce) {
  int background = keep(createImage(-1, 50, 10, 24));
  for (int x = 0; x < 50; ++x)
    for (int y = 0; y < 10; ++y) setPixel(background, x, y, opaque(rgb(x, y, 100)));
  input.backgroundImage = background;
  SceneRecord& s = scenes[0];
  s.background = "bricks";
  s.width = 120;
  s.height = 30;
  struct Case {
    int tileX, tileY, stretch;
    int x, y;
    uint32_t expected;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 0, opaque(rgb(0, 0, 100))},     {1, 0, 0, 57, 3, opaque(rgb(7, 3, 100))},
      {1, 0, 0, 119, 9, opaque(rgb(19, 9, 100))},  {1, 0, 0, 119, 10, SCENE_COLOUR},
      {0, 1, 0, 49, 25, opaque(rgb(49, 5, 100))},  {0, 1, 0, 50, 25, SCENE_COLOUR},
      {1, 1, 0, 101, 21, opaque(rgb(1, 1, 100))},  {0, 0, 0, 49, 9, opaque(rgb(49, 9, 100))},
      {0, 0, 0, 50, 0, SCENE_COLOUR},              {0, 0, 0, 0, 10, SCENE_COLOUR},
      // Stretched 50 x 10 over 120 x 30, whatever the tiling flags say.
      {1, 1, 1, 119, 29, opaque(rgb(49, 9, 100))}, {1, 1, 1, 60, 15, opaque(rgb(25, 5, 100))},
  };
  for (const Case& c : cases) {
    s.backgroundtilex = c.tileX;
    s.backgroundtiley = c.tileY;
    s.backgroundstretch = c.stretch;
    int canvas = drawWhole();
    EXPECT_EQ(getPixel(canvas, c.x, c.y), c.expected)
        << c.tileX << c.tileY << c.stretch << " at " << c.x << "," << c.y;
  }
  s.background = "";   // a chosen picture without a name draws nothing
  EXPECT_EQ(getPixel(drawWhole(), 0, 0), SCENE_COLOUR);
}

TEST_F(SceneDrawTest, GridInvertsItsLinesAndLeavesCrossingsUnchanged) {
  scenes[0].width = 640;
  scenes[0].height = 480;
  input.showGrid = 1;
  input.gridSize = 20;
  // One pixel wider and higher than the scene, to see the last lines.
  int target = keep(createImage(-1, 641, 481, 24, opaque(0)));
  drawSceneView(target, 0, 0, input);
  const uint32_t line = xorExpected(SCENE_COLOUR, 255, 255, 255);
  int vertical = 0, horizontal = 0;
  for (int x = 0; x < 641; ++x) vertical += getPixel(target, x, 5) != SCENE_COLOUR;
  for (int y = 0; y < 481; ++y) horizontal += getPixel(target, 5, y) != SCENE_COLOUR;
  EXPECT_EQ(vertical, 33);
  EXPECT_EQ(horizontal, 25);
  EXPECT_EQ(getPixel(target, 20, 5), line);
  EXPECT_EQ(getPixel(target, 640, 5), opaque(0xFFFFFF));   // the line at x = width, over black
  EXPECT_EQ(getPixel(target, 20, 40), SCENE_COLOUR);       // crossing
  EXPECT_EQ(getPixel(target, 21, 41), SCENE_COLOUR);
}

TEST_F(SceneDrawTest, ShowBoxesGiveWayToTheirOwnTab) {
  addSprite("red", 10, 10, opaque(rgb(255, 0, 0)));
  addInstance("a", "red", 20, 20).selected = 1;
  addTile("t", 60, 20, 10, 10, 0, opaque(rgb(0, 0, 255)));
  struct Case {
    int tab, showObjects, showTiles;
    bool instanceDrawn, tileDrawn;
  };
  const Case cases[] = {
      {VIEW_TAB_TILES, 0, 0, false, true},   {VIEW_TAB_OBJECTS, 0, 0, true, false},
      {VIEW_TAB_SETTINGS, 1, 0, true, false}, {VIEW_TAB_SETTINGS, 0, 1, false, true},
  };
  for (const Case& c : cases) {
    input.tab = c.tab;
    input.showObjects = c.showObjects;
    input.showTiles = c.showTiles;
    int canvas = drawWhole();
    EXPECT_EQ(getPixel(canvas, 25, 25) != SCENE_COLOUR, c.instanceDrawn) << c.tab;
    EXPECT_EQ(getPixel(canvas, 65, 25) != SCENE_COLOUR, c.tileDrawn) << c.tab;
    EXPECT_EQ(status.empty(), !c.instanceDrawn) << c.tab;
  }
}

TEST_F(SceneDrawTest, PickingALayerDimsTheTilesOfTheOthers) {
  const uint32_t blue = opaque(rgb(0, 0, 255));
  addTile("chosen", 20, 20, 10, 10, 1000, blue);
  addTile("other", 60, 20, 10, 10, 2000, blue);
  input.tab = VIEW_TAB_TILES;
  input.layerDepth = 1000;
  for (int action : {VIEW_ACTION_PLACE, VIEW_ACTION_SELECT, VIEW_ACTION_REMOVE}) {
    input.tileAction = action;
    int canvas = drawWhole();
    EXPECT_EQ(getPixel(canvas, 25, 25), blue);
    EXPECT_EQ(getPixel(canvas, 65, 25), action == VIEW_ACTION_PLACE ? blue : blendExpected(SCENE_COLOUR, blue, 100));
  }
}

TEST_F(SceneDrawTest, PlacingPreviewFollowsTheSnappedPointerInsideTheScene) {
  int frame = addSprite("red", 10, 10, opaque(rgb(255, 0, 0)), 1, 3, 4);
  input.tab = VIEW_TAB_OBJECTS;
  input.objectToPlace = "obj";
  input.placeImage = frame;
  input.placeSprite = 0;
  input.pointerInside = 1;
  input.mouseX = 47;
  input.mouseY = 13;
  int canvas = drawWhole();
  const uint32_t faint = blendExpected(SCENE_COLOUR, opaque(rgb(255, 0, 0)), 150);
  EXPECT_EQ(getPixel(canvas, 37, -4 + 9), faint);   // (40 - 3, 0 - 4) .. 10 x 10
  EXPECT_EQ(getPixel(canvas, 46, 5), faint);
  EXPECT_EQ(getPixel(canvas, 47, 5), SCENE_COLOUR);
  input.snapToGrid = 0;
  EXPECT_EQ(getPixel(drawWhole(), 47 - 3 + 9, 13 - 4 + 9), faint);
  input.snapToGrid = 1;
  for (int x : {0, 200}) {
    input.mouseX = x;
    canvas = drawWhole();
    for (int y = 0; y < 30; ++y)
      for (int px = std::max(x - 3, 0); px < std::min(x + 7, 200); ++px)
        ASSERT_EQ(getPixel(canvas, px, y), SCENE_COLOUR) << px << "," << y;
  }
}

TEST_F(SceneDrawTest, TileSetViewOutlinesThePickedRectangleInExclusiveOr) {
  int tileSet = keep(createImage(-1, 40, 40, 32, rgba(0, 0, 0, 0)));
  int canvas = keep(createImage(-1, 40, 40, 24, opaque(0)));
  drawTileSetView(canvas, tileSet, 4, 4, 10, 6);
  const uint32_t light = getPixel(PIC_CHECKERBOARD, 0, 0);
  EXPECT_EQ(getPixel(canvas, 8, 4), xorExpected(light, 255, 255, 255));
  EXPECT_EQ(getPixel(canvas, 4, 4), light);   // both lines start here
  EXPECT_EQ(getPixel(canvas, 14, 7), xorExpected(light, 255, 255, 255));
  EXPECT_EQ(getPixel(canvas, 8, 7), light);
  int untouched = keep(createImage(-1, 40, 40, 24, opaque(0)));
  drawTileSetView(untouched, tileSet, 4, 4, 0, 6);
  EXPECT_EQ(getPixel(untouched, 8, 4), opaque(0));
}

// A part of the view drawn at its origin holds exactly the pixels of the
// whole picture there.
TEST_F(SceneDrawTest, VisiblePartMatchesTheWholePicture) {
  SceneRecord& s = scenes[0];
  s.width = 700;
  s.height = 500;
  s.background = "bricks";
  int background = keep(createImage(-1, 37, 23, 32));
  std::mt19937 random(7);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) setPixel(background, x, y, random());
  input.backgroundImage = background;
  input.showGrid = 1;
  input.gridSize = 16;
  input.tab = VIEW_TAB_TILES;
  input.tileAction = VIEW_ACTION_SELECT;
  input.layerDepth = 7;
  input.pointerInside = 1;
  input.mouseX = 333;
  input.mouseY = 222;
  input.selectedTileImage = keep(createImage(-1, 30, 30, 32, rgba(9, 200, 9, 128)));
  int frame = addSprite("ball", 24, 18, rgba(200, 30, 90, 180), 1, 12, 9);
  for (int i = 0; i < 60; ++i) {
    ObjectRecord& o = i % 7 == 0 ? addInstance("none" + std::to_string(i), "", 0, 0, int(random() % 5))
                                 : addInstance("i" + std::to_string(i), "ball", 0, 0, int(random() % 5));
    o.x = int(random() % 760) - 30;
    o.y = int(random() % 560) - 30;
    o.selected = int(random() % 3 == 0);
    if (i % 5 == 1) {
      freeImage(o.rotatedImage);
      o.rotatedImage = keep(rotateImage(frame, float(random() % 360), ROTATE_BILINEAR, 0xFFFFFF));
    }
    TileRecord& t = addTile("t" + std::to_string(i), int(random() % 760) - 30, int(random() % 560) - 30, 30, 20,
                            int(random() % 5) + 5, random());
    t.selected = int(random() % 3 == 0);
  }
  struct Flags {
    int tileX, tileY, stretch;
  };
  struct View {
    int x, y, w, h;
  };
  const View views[] = {{0, 0, 700, 500}, {0, 0, 120, 80}, {333, 177, 150, 101}, {17, 3, 683, 497},
                        {640, 480, 60, 20}, {1, 499, 699, 1}};
  for (Flags f : {Flags{1, 1, 0}, Flags{1, 0, 0}, Flags{0, 0, 1}, Flags{0, 0, 0}}) {
    s.backgroundtilex = f.tileX;
    s.backgroundtiley = f.tileY;
    s.backgroundstretch = f.stretch;
    int whole = drawWhole();
    std::string wholeStatus = status;
    for (const View& v : views) {
      int part = createImage(-1, v.w, v.h, 24, opaque(0x123456));
      EXPECT_EQ(drawSceneView(part, v.x, v.y, input), wholeStatus);
      for (int y = 0; y < v.h; ++y)
        for (int x = 0; x < v.w; ++x)
          ASSERT_EQ(getPixel(part, x, y), getPixel(whole, v.x + x, v.y + y))
              << "view " << v.x << "," << v.y << " pixel " << x << "," << y << " flags " << f.tileX << f.tileY
              << f.stretch;
      freeImage(part);
    }
  }
}

TEST_F(SceneDrawTest, FarOffRecordsAndOddSizesDrawNothingAndDoNotOverflow) {
  addSprite("red", 10, 10, opaque(rgb(255, 0, 0)));
  ObjectRecord& o = addInstance("far", "red", 2147483647, -2147483647 - 1);
  o.selected = 1;
  o.imageWidth = 2147483647;
  TileRecord& t = addTile("wide", -2147483647 + 200, 0, 10, 10, 0, opaque(0));
  t.selected = 1;
  t.width = 2147483647;
  input.showGrid = 1;
  input.gridSize = 0;   // never chosen by the window; no grid rather than a division by zero
  int canvas = drawWhole();
  // The selected tile's box reaches from far left into the scene.
  EXPECT_EQ(getPixel(canvas, 100, 5), xorExpected(SCENE_COLOUR, 200, 64, 64));
  EXPECT_EQ(getPixel(canvas, 100, 50), SCENE_COLOUR);
  scenes[0].width = -5;
  EXPECT_EQ(drawSceneView(canvas, 0, 0, input), "[obj] x:2147483647 y:-2147483648");
}

}  // namespace
