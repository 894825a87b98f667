// The scene window's canvases driven as a user would: placing, painting,
// selecting and removing on the scene canvas, picking tiles on the tile-set
// canvas, and the view's picture of the part in sight.
#include "tests/scene/scene_test_util.h"

#include <algorithm>

#include "tests/scene/scene_draw_reference.h"
#include "ui/draw.h"

namespace {

using SceneCanvas = SceneWindowTest;

const char* const CANVAS = "scene canvas";

int instancesOf(const std::string& scene) {
  int n = 0;
  for (const ObjectRecord& o : objects) n += o.prototype == 0 && o.scene == scene;
  return n;
}

TEST_F(SceneCanvas, ClicksAndShiftDragPlaceInstances) {
  std::string scene = newScene();
  addDefinition("obj", "");
  chooseTab(TAB_OBJECTS);
  driverCanvas(CANVAS, ET_MOUSEENTER, 47, 13);
  driverCanvas(CANVAS, ET_LEFTCLICK, 47, 13, BUTTON_LEFT);
  driverCall([&] {
    ASSERT_EQ(instancesOf(scene), 1);
    EXPECT_EQ(objects.back().x, 40);
    EXPECT_EQ(objects.back().y, 0);
    EXPECT_EQ(objects.back().template_, "obj");
  });
  driverCanvas(CANVAS, ET_LEFTDOUBLECLICK, 300, 300, BUTTON_LEFT);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 2) << "a double click places one"; });
  // A Shift-drag over five new cells; the release's click places nothing.
  driverCanvas(CANVAS, ET_LEFTBUTTONDOWN, 5, 5, BUTTON_LEFT, MOD_SHIFT);   // cell (0, 0): nothing yet
  for (int x : {25, 35, 45, 65, 85, 105}) driverCanvas(CANVAS, ET_MOUSEMOVE, x, 5, BUTTON_LEFT, MOD_SHIFT);
  driverCanvas(CANVAS, ET_LEFTBUTTONUP, 105, 5, 0, MOD_SHIFT);
  driverCall([&] {
    EXPECT_EQ(instancesOf(scene), 7);
    EXPECT_EQ(objects.back().x, 100);
    EXPECT_EQ(openSceneState()->mouseX, 105);
  });
  // The placing preview follows the pointer: the no-image icon, faint.
  uint32_t ground = 0;
  driverCanvas(CANVAS, ET_MOUSEMOVE, 205, 205);
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([&] {
    int canvas = canvasImage(gadgets().sceneCanvas);
    ground = getPixel(canvas, 230, 230);
    EXPECT_NE(getPixel(canvas, 201, 201), ground);
  });
  driverCanvas(CANVAS, ET_MOUSELEAVE, 0, 0);
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([&] {
    EXPECT_EQ(openSceneState()->pointerInside, 0);
    EXPECT_EQ(getPixel(canvasImage(gadgets().sceneCanvas), 201, 201), ground);
  });
  driverClick("Done");
  editScene(scene);
}

TEST_F(SceneCanvas, SelectDeleteEscapeAndArrows) {
  std::string scene = newScene();
  addInstance(scene, "SceneObject40", "", 50, 50);
  addInstance(scene, "SceneObject41", "", 100, 50);
  addInstance(scene, "SceneObject42", "", 150, 50);
  addInstance(scene, "SceneObject43", "", 200, 50);
  chooseTab(TAB_OBJECTS);
  driverChoose("object action", ACTION_SELECT);
  for (int x : {50, 100, 150, 200, 200}) driverCanvas(CANVAS, ET_LEFTCLICK, x + 3, 52, BUTTON_LEFT);
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([] {
    EXPECT_EQ(objects[0].selected + objects[1].selected + objects[2].selected, 3);
    EXPECT_EQ(objects[3].selected, 0) << "clicked twice";
    EXPECT_EQ(getGadgetText(gadgets().status), "[obj] x:150 y:50");
  });
  driverCanvasKey(CANVAS, KEY_DELETE);
  driverAnswerMessage("Confirm", "Delete 3 objects?", MSG_RESULT_NO);
  driverCanvasKey(CANVAS, KEY_RIGHT);
  driverCall([&] {
    EXPECT_EQ(instancesOf(scene), 4);
    EXPECT_EQ(objects[0].x, 70);
    EXPECT_EQ(objects[3].x, 200);
  });
  driverCanvasKey(CANVAS, KEY_ESCAPE);
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([] {
    EXPECT_EQ(objects[0].selected + objects[1].selected + objects[2].selected, 0);
    EXPECT_EQ(getGadgetText(gadgets().status), "");
  });
  driverCanvas(CANVAS, ET_LEFTCLICK, 123, 52, BUTTON_LEFT);   // moved from 100
  driverCanvasKey(CANVAS, KEY_DELETE);
  driverAnswerMessage("Confirm", "Delete 1 objects?", MSG_RESULT_YES);
  driverChoose("object action", ACTION_REMOVE);
  driverCanvas(CANVAS, ET_LEFTCLICK, 203, 52, BUTTON_LEFT);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 2); });
  driverClick("Done");
  editScene(scene);
}

class SceneTileCanvas : public SceneWindowTest {
 protected:
  void SetUp() override {
    SceneWindowTest::SetUp();
    scene = newScene();
    std::string name = newBackground();
    BackgroundRecord& b = backgrounds.back();
    b.file = "sheet.png";
    b.tile = 1;
    b.tilewidth = b.tileheight = 32;
    b.tilexspace = b.tileyspace = 2;
    b.tilexoffset = b.tileyoffset = 4;
    int picture = createImage(UI_ANY, 140, 80, 32, opaque(rgb(0, 0, 200)));
    ASSERT_TRUE(savePng(picture, workFolder + "/sheet.png"));
    freeImage(picture);
  }
  std::string scene;
};

TEST_F(SceneTileCanvas, DragPicksCellsOrAFreeRectangleAndClicksPlaceTheTile) {
  const char* const SET = "tile set canvas";
  chooseTab(TAB_TILES);
  driverChoose("tile action", ACTION_SELECT);
  driverCanvas(SET, ET_LEFTBUTTONDOWN, 10, 10, BUTTON_LEFT);
  driverCanvas(SET, ET_MOUSEMOVE, 50, 10, BUTTON_LEFT);
  driverCanvas(SET, ET_LEFTBUTTONUP, 50, 10);
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([] {
    const SceneState& s = *openSceneState();
    EXPECT_EQ((std::vector<int>{s.tileLeft, s.tileTop, s.tileWidth, s.tileHeight}), (std::vector<int>{4, 4, 66, 32}));
    EXPECT_EQ(getGadgetState(s.g.tileAction), ACTION_PLACE);
    EXPECT_EQ(getGadgetAttribute(s.g.selectedTile, ATTR_IMAGE), s.tilePreviewImage);
    EXPECT_EQ(imageWidth(s.selectedTileImage), 66);
    // The rectangle's top edge inverted on the tile set.
    EXPECT_EQ(getPixel(canvasImage(s.g.tileSetCanvas), 20, 4), opaque(rgb(255, 255, 200 ^ 255)));
    EXPECT_EQ(s.tileDrag, DRAG_IDLE);
  });
  driverCanvas(CANVAS, ET_LEFTCLICK, 47, 13, BUTTON_LEFT);
  driverCall([this] {
    ASSERT_EQ(tiles.size(), 1u);
    const TileRecord& t = tiles[0];
    EXPECT_EQ((std::vector<int>{t.x, t.y, t.width, t.height, t.depth}), (std::vector<int>{40, 0, 66, 32, 1000000}));
    EXPECT_EQ(t.scene, scene);
    EXPECT_EQ(t.background, backgrounds[0].name);
  });
  // Control with Shift picks freely, as Option does.
  driverCanvas(SET, ET_LEFTBUTTONDOWN, 5, 7, BUTTON_LEFT, MOD_CONTROL | MOD_SHIFT);
  driverCanvas(SET, ET_MOUSEMOVE, 25, 17, BUTTON_LEFT, MOD_CONTROL | MOD_SHIFT);
  driverCall([] {
    const SceneState& s = *openSceneState();
    EXPECT_EQ((std::vector<int>{s.tileLeft, s.tileTop, s.tileWidth, s.tileHeight}), (std::vector<int>{5, 7, 20, 10}));
  });
  driverCanvas(SET, ET_LEFTBUTTONUP, 25, 17);
  driverClick("Done");
  editScene(scene);
}

TEST_F(SceneTileCanvas, ZeroSizedCellsPickTheWholeSheet) {
  backgrounds[0].tilewidth = 0;
  chooseTab(TAB_TILES);
  driverCanvas("tile set canvas", ET_LEFTCLICK, 60, 30, BUTTON_LEFT);
  driverCall([] {
    const SceneState& s = *openSceneState();
    EXPECT_EQ((std::vector<int>{s.tileLeft, s.tileTop, s.tileWidth, s.tileHeight}), (std::vector<int>{0, 0, 140, 80}));
  });
  driverClick("Done");
  editScene(scene);
}

// Each tick draws the part in sight with the pixels of the whole picture;
// Done's pictures show the whole scene.
TEST_F(SceneCanvas, TickDrawsThePartInSightAndDoneTheWhole) {
  std::string scene = newScene();
  projectName = "game";
  makeFolder("Projects");
  scenes[0].red = 200;
  addSprite("ball", 30, 20, rgba(0, 255, 0, 160));
  for (int i = 0; i < 40; ++i) addInstance(scene, "SceneObject" + std::to_string(100 + i), "ball", i * 97, i * 71);
  objects[5].selected = 1;
  driverSetText("width", "4000");
  driverSetText("height", "3000");
  driverCall([] { setGadgetAttribute(gadgets().sceneArea, ATTR_SCROLL_X, 700); });
  driverTick("", SCENE_VIEW_TIMER);
  driverCall([] {
    const SceneState& s = *openSceneState();
    int canvas = canvasImage(s.g.sceneCanvas);
    int whole = createImage(UI_ANY, 4000, 3000, 24);
    drawSceneView(whole, 0, 0, sceneViewInput(s));
    int left = getGadgetAttribute(s.g.sceneArea, ATTR_SCROLL_X);
    ASSERT_GT(left, 0);
    for (int y = 0; y < gadgetHeight(s.g.sceneArea); y += 3)
      for (int x = left; x < left + gadgetWidth(s.g.sceneArea); x += 3)
        ASSERT_EQ(getPixel(canvas, x, y), getPixel(whole, x, y)) << x << "," << y;
    EXPECT_EQ(getPixel(canvas, 3999, 2999), opaque(0xFFFFFF)) << "out of sight: not drawn";
    freeImage(whole);
  });
  driverClick("Done");
  editScene(scene);
  int png = loadImage(UI_ANY, "Projects/game.png");
  EXPECT_EQ(getPixel(png, 235, 170), getPixel(png, 2, 2)) << "the far corner drawn like the near one";
  EXPECT_NE(getPixel(png, 235, 170), opaque(0xFFFFFF));
  freeImage(png);
}

// The view keeps the scene's drawing order from tick to tick: after each
// kind of edit in the window, the next tick shows what drawing the old way
// (every record walked and looked up) shows, with the same status.
TEST_F(SceneCanvas, EachTickAfterAnEditShowsWhatTheOldWayShows) {
  std::string scene = newScene(), other = newScene();
  addSprite("ball", 30, 20, rgba(0, 255, 0, 160));
  addDefinition("obj", "ball");
  for (int i = 0; i < 12; ++i) {
    addInstance(scene, "SceneObject" + std::to_string(100 + i), "ball", 20 + i * 37, 30 + i * 23, i % 3 ? 0 : 30);
    addInstance(other, "SceneObject" + std::to_string(200 + i), "ball", 25 + i * 37, 30 + i * 23);
  }
  addTile(scene, "tile_1", 1000000, 40, 40, 60, 40);
  addTile(other, "tile_2", 1000000, 40, 100, 60, 40);
  addTile(scene, "tile_3", 1000000, 100, 80, 60, 40, opaque(rgb(250, 0, 0)));
  auto showsTheOldWay = [](const char* after) {
    driverTick("", SCENE_VIEW_TIMER);
    driverCall([after] {
      const SceneState& s = *openSceneState();
      int canvas = canvasImage(s.g.sceneCanvas);
      int left = getGadgetAttribute(s.g.sceneArea, ATTR_SCROLL_X);
      int top = getGadgetAttribute(s.g.sceneArea, ATTR_SCROLL_Y);
      int w = std::min(gadgetWidth(s.g.sceneArea), imageWidth(canvas) - left);
      int h = std::min(gadgetHeight(s.g.sceneArea), imageHeight(canvas) - top);
      int part = createImage(UI_ANY, w, h, 24);
      EXPECT_EQ(referenceDrawSceneView(part, left, top, sceneViewInput(s)), getGadgetText(s.g.status)) << after;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(getPixel(canvas, left + x, top + y), getPixel(part, x, y)) << after << " at " << x << "," << y;
      freeImage(part);
    });
  };
  showsTheOldWay("opening");
  chooseTab(TAB_OBJECTS);
  driverCanvas(CANVAS, ET_MOUSEENTER, 301, 201);
  driverCanvas(CANVAS, ET_LEFTCLICK, 301, 201, BUTTON_LEFT);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 13); });
  showsTheOldWay("placing");
  driverCanvas(CANVAS, ET_LEFTBUTTONDOWN, 401, 121, BUTTON_LEFT, MOD_SHIFT);
  for (int x : {421, 441, 461}) driverCanvas(CANVAS, ET_MOUSEMOVE, x, 121, BUTTON_LEFT, MOD_SHIFT);
  driverCanvas(CANVAS, ET_LEFTBUTTONUP, 461, 121, 0, MOD_SHIFT);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 17); });
  showsTheOldWay("painting");
  driverChoose("object action", ACTION_SELECT);
  driverCanvas(CANVAS, ET_LEFTCLICK, 20 + 37 + 3, 30 + 23 + 3, BUTTON_LEFT);
  driverCanvas(CANVAS, ET_LEFTCLICK, 20 + 4 * 37 + 3, 30 + 4 * 23 + 3, BUTTON_LEFT);
  showsTheOldWay("selecting");
  driverCall([] { EXPECT_EQ(getGadgetText(gadgets().status), "[obj] x:168 y:122"); });
  for (int key : {KEY_RIGHT, KEY_RIGHT, KEY_DOWN}) driverCanvasKey(CANVAS, key);
  showsTheOldWay("moving");
  driverClick("Edit selected instance...");
  driverSetText("image angle", "60");
  driverClick("OK");
  showsTheOldWay("turning");
  driverCanvasKey(CANVAS, KEY_DELETE);
  driverAnswerMessage("Confirm", "Delete 2 objects?", MSG_RESULT_YES);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 15); });
  showsTheOldWay("deleting");
  driverChoose("object action", ACTION_REMOVE);
  driverCanvas(CANVAS, ET_LEFTCLICK, 20 + 2 * 37 + 3, 30 + 2 * 23 + 3, BUTTON_LEFT);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 14); });
  showsTheOldWay("removing");
  chooseTab(TAB_TILES);
  driverClick("Change...");
  driverSetText("depth", "-5");   // the tiles go in front of the instances
  driverClick("OK");
  driverCall([] { EXPECT_EQ(tiles[0].depth, -5); });
  showsTheOldWay("changing the layer's depth");
  chooseTab(TAB_OBJECTS);
  driverClick("new");
  driverAnswerMessage("Confirm", "Delete all objects in this scene?", MSG_RESULT_YES);
  driverCall([&] { EXPECT_EQ(instancesOf(scene), 0); });
  showsTheOldWay("emptying");
  driverClick("Done");
  editScene(scene);
}

}  // namespace
