// Editing on the scene canvas over the records: hit boxes, placing,
// painting, selecting, moving and removing.
#include <climits>
#include <functional>

#include "project/deletes.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "scene/scene_edit.h"
#include "scene/scene_hits.h"
#include "tests/scene/scene_view_fixture.h"

namespace {

class SceneEditTest : public SceneViewTest {
 protected:
  void SetUp() override {
    SceneViewTest::SetUp();
    edit.sceneName = "room";
    edit.tab = VIEW_TAB_OBJECTS;
    edit.objectToPlace = "obj";
    ObjectRecord& d = appendObject();
    d.prototype = 1;
    d.name = "obj";
    d.depth = 30;
    projectHooks.confirmYesNo = [this](const std::string& title, const std::string& text) {
      questions.push_back(title + ": " + text);
      return answer;
    };
  }
  void TearDown() override {
    projectHooks.confirmYesNo = nullptr;
    SceneViewTest::TearDown();
  }
  std::vector<std::pair<int, int>> instancePositions() {
    std::vector<std::pair<int, int>> out;
    for (const ObjectRecord& o : objects)
      if (o.prototype == 0) out.push_back({o.x, o.y});
    return out;
  }
  int instanceCount() { return int(instancePositions().size()); }

  SceneEditInput edit;
  std::vector<std::string> questions;
  int answer = 0;
};

TEST(SceneGridTest, SnapsAndCellsRoundDownAlsoLeftOfTheScene) {
  struct Case {
    int m, n, grid, snap;
    GridPoint snapped, cell;
  };
  const Case cases[] = {
      {47, 13, 20, 1, {40, 0}, {2, 0}},   {47, 13, 20, 0, {47, 13}, {2, 0}},
      {-1, -20, 20, 1, {-20, -20}, {-1, -1}}, {-21, 0, 20, 1, {-40, 0}, {-2, 0}},
      {INT_MIN, 5, 16, 1, {INT_MIN, 0}, {INT_MIN / 16, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(snappedPoint(c.m, c.n, c.grid, c.snap), c.snapped) << c.m << "," << c.n;
    EXPECT_EQ(gridCell(c.m, c.n, c.grid), c.cell) << c.m << "," << c.n;
  }
}

TEST_F(SceneEditTest, ClickPlacesAtTheSnappedPointWithAFreshName) {
  uidCounter = 40;
  addInstance("SceneObject41", "", 0, 0);   // a name the counter would give again
  appendTile().name = "tile_44";
  int frame = addSprite("ball", 12, 8, opaque(0));
  objects[0].sprite = "ball";
  edit.placeImage = frame;
  sceneClick(edit, 47, 13, false);
  const ObjectRecord& o = objects.back();
  EXPECT_EQ(o.name, "SceneObject42");
  EXPECT_EQ(std::make_pair(o.x, o.y), std::make_pair(40, 0));
  EXPECT_EQ(o.template_, "obj");
  EXPECT_EQ(o.scene, "room");
  EXPECT_EQ(o.depth, 30);
  EXPECT_EQ(o.image, frame);
  EXPECT_NE(o.rotatedImage, frame);
  EXPECT_EQ(imageWidth(o.rotatedImage), 12);
  EXPECT_EQ(std::make_pair(o.imageWidth, o.imageHeight), std::make_pair(12, 8));

  edit.snapToGrid = 0;
  edit.placeImage = -1;
  sceneClick(edit, 47, 13, false);
  EXPECT_EQ(objects.back().name, "SceneObject43");
  EXPECT_EQ(std::make_pair(objects.back().x, objects.back().y), std::make_pair(47, 13));
  EXPECT_EQ(objects.back().image, -1);
  EXPECT_EQ(objects.back().imageWidth, 15);

  EXPECT_EQ(freeTileName(), "tile_45");   // tile_44 is taken
  uidCounter = INT_MAX;
  addInstance("SceneObject2147483647", "", 0, 0);
  EXPECT_EQ(freeInstanceName(), "SceneObject2147483647_2");

  int before = instanceCount();
  sceneClick(edit, 47, 13, true);   // the Shift press already painted
  edit.objectToPlace = "";
  sceneClick(edit, 47, 13, false);
  EXPECT_EQ(instanceCount(), before);
}

TEST_F(SceneEditTest, ShiftDragPlacesOnePerNewCell) {
  GridPoint lastCell;   // cell (0, 0) when the window opens
  shiftPaint(edit, 5, 5, lastCell);
  EXPECT_EQ(instanceCount(), 0);
  const int path[][2] = {{12, 8}, {25, 8}, {31, 9}, {39, 10}, {45, 12}, {61, 12}, {79, 15}, {99, 19}};
  for (const auto& p : path) shiftPaint(edit, p[0], p[1], lastCell);
  EXPECT_EQ(instancePositions(), (std::vector<std::pair<int, int>>{{20, 0}, {40, 0}, {60, 0}, {80, 0}}));
  shiftPaint(edit, 101, 50, lastCell);
  EXPECT_EQ(instanceCount(), 5);

  // Without snapping each sits where the pointer entered its cell.
  clearProjectTables();
  SetUp();
  edit.snapToGrid = 0;
  lastCell = {0, 0};
  for (const auto& p : path) shiftPaint(edit, p[0], p[1], lastCell);
  EXPECT_EQ(instancePositions(), (std::vector<std::pair<int, int>>{{25, 8}, {45, 12}, {61, 12}, {99, 19}}));

  // Removing with the Tiles tab chosen leaves instances alone.
  edit.tab = VIEW_TAB_TILES;
  edit.objectAction = VIEW_ACTION_REMOVE;
  shiftPaint(edit, 25, 8, lastCell);
  EXPECT_EQ(instanceCount(), 4);
  edit.tab = VIEW_TAB_OBJECTS;
  shiftPaint(edit, 25, 8, lastCell);
  EXPECT_EQ(instanceCount(), 3);
}

TEST_F(SceneEditTest, ShiftPaintsTilesOfTheSelectedRectangle) {
  edit.tab = VIEW_TAB_TILES;
  edit.tileSetName = "bricks";
  edit.tileLeft = 4;
  edit.tileTop = 4;
  edit.tileWidth = 32;
  edit.tileHeight = 16;
  edit.layerDepth = 1000;
  GridPoint lastCell;
  shiftPaint(edit, 30, 30, lastCell);
  EXPECT_TRUE(tiles.empty());   // no tile picked yet
  edit.selectedTileImage = keep(createImage(-1, 32, 16, 32, opaque(0)));
  lastCell = {0, 0};
  shiftPaint(edit, 30, 30, lastCell);
  shiftPaint(edit, 35, 30, lastCell);
  ASSERT_EQ(tiles.size(), 1u);
  const TileRecord& t = tiles[0];
  EXPECT_EQ(t.background, "bricks");
  EXPECT_EQ((std::vector<int>{t.left, t.top, t.width, t.height, t.x, t.y, t.depth}),
            (std::vector<int>{4, 4, 32, 16, 20, 20, 1000}));
  EXPECT_NE(t.image, edit.selectedTileImage);
  EXPECT_EQ(imageWidth(t.image), 32);
}

TEST_F(SceneEditTest, InstanceHitBoxes) {
  addSprite("ball", 10, 6, opaque(0), 1, 2, 3);
  addSprite("empty", 1, 1, opaque(0), 0, 20, 20);   // a sprite without frames
  addInstance("p", "ball", 50, 50);
  addInstance("b", "empty", 100, 100);
  const ObjectRecord& pictured = objects[objects.size() - 2];
  const ObjectRecord& bare = objects.back();
  SpriteBoxIndex boxes = buildSpriteBoxIndex();
  struct Case {
    const ObjectRecord* o;
    int m, n, hits;
  };
  const Case cases[] = {
      {&pictured, 48, 47, 1}, {&pictured, 58, 53, 1}, {&pictured, 47, 50, 0}, {&pictured, 58, 54, 0},
      // Without a picture: the icon's box centred at (7, 7), where it is drawn.
      {&bare, 93, 93, 1},     {&bare, 108, 108, 1},   {&bare, 92, 100, 0},   {&bare, 109, 100, 0},
      {&bare, 80, 80, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(instanceBoxHits(*c.o, boxes, c.m, c.n), c.hits) << c.o->name << " " << c.m << "," << c.n;
}

TEST_F(SceneEditTest, SelectTogglesEveryPicturedInstanceUpToTheFirstWithout) {
  addSprite("ball", 20, 20, opaque(0));
  addInstance("a", "ball", 10, 10);
  addInstance("b", "ball", 15, 15);
  addInstance("c", "", 20, 20);
  addInstance("d", "ball", 12, 12);
  addInstance("far", "ball", 100, 100);
  objects[2].selected = 1;
  edit.objectAction = VIEW_ACTION_SELECT;
  sceneClick(edit, 20, 20, false);
  std::vector<int> selected;
  for (const ObjectRecord& o : objects)
    if (o.prototype == 0) selected.push_back(o.selected);
  EXPECT_EQ(selected, (std::vector<int>{1, 0, 1, 0, 0}));
  sceneClick(edit, 60, 60, false);   // empty canvas
  EXPECT_EQ(objects[1].selected + objects[2].selected + objects[3].selected, 2);
}

TEST_F(SceneEditTest, RemoveDeletesAnInstanceHitByEveryFrameOnceWithoutAsking) {
  addSprite("walk", 16, 16, opaque(0), 3);
  addInstance("walker", "walk", 40, 40);
  addInstance("kept", "walk", 80, 40);
  EXPECT_EQ(instancesHitAt("room", 45, 45), (std::vector<std::string>{"walker", "walker", "walker"}));
  edit.objectAction = VIEW_ACTION_REMOVE;
  sceneClick(edit, 45, 45, false);
  EXPECT_EQ(instanceCount(), 1);
  EXPECT_EQ(objects.back().name, "kept");
  EXPECT_TRUE(questions.empty());
}

// An instance's display picture is a picture of its own: whichever way the
// instance goes, its picture goes with it.
TEST_F(SceneEditTest, RemovedInstancesFreeTheirDisplayPictures) {
  struct Case {
    const char* path;
    std::function<void()> remove;
  } cases[] = {
      {"removed on the canvas",
       [this] {
         edit.objectAction = VIEW_ACTION_REMOVE;
         sceneClick(edit, 45, 45, false);
         sceneClick(edit, 85, 45, false);
       }},
      {"Delete of the selected",
       [this] {
         for (ObjectRecord& o : objects) o.selected = 1;
         answer = 1;
         sceneKey(edit, SCENE_KEY_DELETE);
       }},
      {"the object deleted with its instances", [] { deleteObject("obj"); }},
      {"the scene deleted", [] { deleteScene("room"); }},
      {"New and Open", [] { projectHooks.newProject(); }},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    edit = SceneEditInput();
    SetUp();
    const int before = liveImageCount();
    int frame = addSprite("ball", 12, 8, opaque(0));
    objects[0].sprite = "ball";
    edit.placeImage = frame;
    sceneClick(edit, 45, 45, false);
    sceneClick(edit, 85, 45, false);
    ASSERT_EQ(instanceCount(), 2);
    ASSERT_EQ(liveImageCount(), before + 3) << "a frame and two display pictures";
    c.remove();
    EXPECT_EQ(instanceCount(), 0) << c.path;
    clearProjectTables();   // the frame
    EXPECT_EQ(liveImageCount(), before) << c.path;
  }
}

TEST_F(SceneEditTest, TilesAreHitInsideTheirBordersOnTheChosenLayerOnly) {
  addTile("on", 20, 20, 10, 10, 1000, opaque(0));
  addTile("other", 20, 20, 10, 10, 2000, opaque(0));
  struct Case {
    int m, n, layer;
    std::vector<std::string> hit;
  };
  const Case cases[] = {
      {21, 21, 1000, {"on"}}, {29, 29, 1000, {"on"}}, {20, 25, 1000, {}}, {25, 20, 1000, {}},
      {30, 25, 1000, {}},     {25, 25, 2000, {"other"}}, {25, 25, 3000, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(tilesHitAt("room", c.layer, c.m, c.n), c.hit) << c.m << "," << c.n;
  edit.tab = VIEW_TAB_TILES;
  edit.layerDepth = 2000;
  edit.tileAction = VIEW_ACTION_SELECT;
  sceneClick(edit, 25, 25, false);
  EXPECT_EQ(tiles[0].selected, 0);
  EXPECT_EQ(tiles[1].selected, 1);
  edit.tileAction = VIEW_ACTION_REMOVE;
  sceneClick(edit, 25, 25, false);
  ASSERT_EQ(tiles.size(), 1u);
  EXPECT_EQ(tiles[0].name, "on");
}

TEST_F(SceneEditTest, ArrowsMoveSelectedRecordsOfThisSceneByTheStepHeldInRange) {
  ObjectRecord& a = addInstance("a", "", 5, 7);
  a.selected = 1;
  addInstance("b", "", 5, 7);
  ObjectRecord& elsewhere = addInstance("c", "", 5, 7);
  elsewhere.scene = "hall";
  elsewhere.selected = 1;
  ObjectRecord& edge = addInstance("edge", "", INT_MAX - 3, INT_MIN + 3);
  edge.selected = 1;
  addTile("t", 0, 0, 4, 4, 2000, 0).selected = 1;
  edit.gridSize = 16;
  sceneKey(edit, SCENE_KEY_RIGHT);
  sceneKey(edit, SCENE_KEY_UP);
  edit.snapToGrid = 0;
  sceneKey(edit, SCENE_KEY_DOWN);
  EXPECT_EQ(std::make_pair(objects[1].x, objects[1].y), std::make_pair(21, -8));
  EXPECT_EQ(std::make_pair(objects[2].x, objects[2].y), std::make_pair(5, 7));
  EXPECT_EQ(std::make_pair(objects[3].x, objects[3].y), std::make_pair(5, 7));
  EXPECT_EQ(std::make_pair(objects[4].x, objects[4].y), std::make_pair(INT_MAX, INT_MIN + 1));
  EXPECT_EQ(std::make_pair(tiles[0].x, tiles[0].y), std::make_pair(0, 0));
  edit.tab = VIEW_TAB_TILES;
  sceneKey(edit, SCENE_KEY_LEFT);
  EXPECT_EQ(tiles[0].x, -1);   // whatever its layer
  edit.tab = VIEW_TAB_SETTINGS;
  sceneKey(edit, SCENE_KEY_LEFT);
  EXPECT_EQ(objects[1].x, 21);
}

TEST_F(SceneEditTest, DeleteAsksForTheSelectedCountAndNoKeepsThem) {
  for (const char* name : {"a", "b", "c", "d"}) addInstance(name, "", 0, 0).selected = 1;
  objects[4].selected = 0;
  edit.tab = VIEW_TAB_OBJECTS;
  answer = 0;
  sceneKey(edit, SCENE_KEY_DELETE);
  EXPECT_EQ(questions, (std::vector<std::string>{"Confirm: Delete 3 objects?"}));
  EXPECT_EQ(instanceCount(), 4);
  answer = 1;
  sceneKey(edit, SCENE_KEY_DELETE);
  EXPECT_EQ(instanceCount(), 1);
  questions.clear();
  sceneKey(edit, SCENE_KEY_DELETE);
  EXPECT_TRUE(questions.empty());

  addTile("t1", 0, 0, 4, 4, 0, 0).selected = 1;
  addTile("t2", 0, 0, 4, 4, 9, 0).selected = 1;
  edit.tab = VIEW_TAB_TILES;
  sceneKey(edit, SCENE_KEY_DELETE);
  EXPECT_EQ(questions, (std::vector<std::string>{"Confirm: Delete 2 tiles?"}));
  EXPECT_TRUE(tiles.empty());
}

TEST_F(SceneEditTest, EscapeClearsTheSelectionOfItsTabInEveryScene) {
  addInstance("a", "", 0, 0).selected = 1;
  ObjectRecord& other = addInstance("b", "", 0, 0);
  other.scene = "hall";
  other.selected = 1;
  addTile("t", 0, 0, 4, 4, 0, 0).selected = 1;
  sceneKey(edit, SCENE_KEY_CLEAR);
  EXPECT_EQ(objects[1].selected + objects[2].selected, 0);
  EXPECT_EQ(tiles[0].selected, 1);
  edit.tab = VIEW_TAB_TILES;
  sceneKey(edit, SCENE_KEY_CLEAR);
  EXPECT_EQ(tiles[0].selected, 0);
}

}  // namespace
