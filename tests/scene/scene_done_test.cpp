#include "tests/scene/scene_test_util.h"

#include "ui/draw.h"

using SceneDone = SceneWindowTest;

TEST_F(SceneDone, SpeedBelowTwoOrEmptyIsRefused) {
  std::string scene = newScene();
  for (const char* speed : {"", "1", "0"}) {
    driverSetText("speed", speed);
    driverClick("Done");
    driverAnswerMessage("Error", "Invalid scene speed value");
  }
  driverSetText("speed", "2");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(scenes[0].speed, 2);
  EXPECT_EQ(modifiedFlag, 1);
}

TEST_F(SceneDone, EveryMessageOfOneClickAndARenameThatStays) {
  std::string scene = newScene(), other = newScene();
  addInstance(scene, "SceneObject20", "", 0, 0);
  addTile(scene, "tile_30", 1000000);
  setModified(0);
  driverSetText("name", "");
  driverSetText("speed", "1");
  driverClick("Done");
  driverAnswerMessage("Error", "The scene name is missing");
  driverAnswerMessage("Error", "Invalid scene speed value");
  driverCall([] { EXPECT_EQ(modifiedFlag, 1) << "a refused Done marks the project modified"; });
  driverSetText("name", other);
  driverClick("Done");
  driverAnswerMessage("Error", "The scene name '" + other + "' already exists");
  driverAnswerMessage("Error", "Invalid scene speed value");
  driverSetText("name", "level");
  driverClick("Done");
  driverAnswerMessage("Error", "Invalid scene speed value");
  driverCall([&] {
    EXPECT_EQ(scenes[0].name, "level");
    EXPECT_EQ(objects[0].scene, "level");
    EXPECT_EQ(layers[0].scene, "level");
    EXPECT_EQ(tiles[0].scene, "level");
    EXPECT_EQ(getWindowTitle(window()), "Scene properties - " + scene);
  });
  driverSetText("speed", "60");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(scenes[0].speed, 60);
  EXPECT_EQ(layers[1].scene, other);
  EXPECT_NE(itemGadget("Scenes", "level"), 0);
}

// The project picture and the panel picture are the scene scaled: a red
// 640 x 480 scene with a blue tile on its top-left quarter.
TEST_F(SceneDone, PicturesAreTheScaledScene) {
  std::string scene = newScene();
  scenes[0].red = 255;
  addTile(scene, "tile_30", 1000000, 0, 0, 320, 240);
  projectName = "game";
  makeFolder("Projects");
  driverTick("", SCENE_VIEW_TIMER);
  driverClick("Done");
  editScene(scene);
  int png = loadImage(UI_ANY, "Projects/game.png");
  ASSERT_TRUE(isImage(png));
  EXPECT_EQ(imageWidth(png), 240);
  EXPECT_EQ(imageHeight(png), 240);
  const uint32_t red = opaque(rgb(255, 0, 0)), blue = opaque(rgb(0, 0, 255)), black = opaque(rgb(0, 0, 0));
  struct Probe {
    int x, y;
    uint32_t want;
  } thumbnail[] = {{0, 0, blue}, {119, 89, blue}, {120, 89, red}, {119, 90, red}, {239, 179, red},
                   {0, 180, black}, {239, 239, black}};
  for (const Probe& p : thumbnail) EXPECT_EQ(getPixel(png, p.x, p.y), p.want) << p.x << "," << p.y;
  freeImage(png);
  // 80 x 60 at (35, 10) on the resource card.
  int panel = scenes[0].thumbnail;
  ASSERT_TRUE(isImage(panel));
  EXPECT_EQ(imageWidth(panel), 150);
  EXPECT_EQ(imageHeight(panel), 100);
  Probe card[] = {{35, 10, blue}, {74, 39, blue}, {75, 39, red}, {114, 69, red}};
  for (const Probe& p : card) EXPECT_EQ(getPixel(panel, p.x, p.y), p.want) << p.x << "," << p.y;
  for (auto [x, y] : {std::pair{34, 10}, {115, 69}, {35, 70}, {0, 0}})
    EXPECT_EQ(getPixel(panel, x, y), getPixel(PIC_RESOURCE_CARD, x, y)) << x << "," << y;
}

TEST_F(SceneDone, AnUnsavedProjectGetsThePanelPictureOnly) {
  std::string scene = newScene();
  makeFolder("Projects");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(fileKind("Projects/.png"), FILE_NONE);
  EXPECT_TRUE(isImage(scenes[0].thumbnail));
}

// A scene without area is drawn nowhere; a scene wider than a canvas can
// be keeps the width the user typed.
TEST_F(SceneDone, SizesAtTheLimits) {
  struct Case {
    const char* width;
    int kept, canvas, redRows;
  } cases[] = {{"0", 0, 0, 0}, {"20000", 20000, IMAGE_MAX_SIDE, 6}};
  projectName = "game";
  makeFolder("Projects");
  showGrid = 0;   // the grid's lines would cross the sampled rows
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    std::string scene = newScene();
    int index = int(scenes.size()) - 1;
    scenes[size_t(index)].red = 255;
    driverSetText("width", c.width);
    driverCall([&] { EXPECT_EQ(gadgetWidth(gadgets().sceneCanvas), c.canvas); });
    driverTick("", SCENE_VIEW_TIMER);
    driverClick("Done");
    editScene(scene);
    EXPECT_EQ(scenes[size_t(index)].width, c.kept);
    int png = loadImage(UI_ANY, "Projects/game.png");
    // 20000 x 480 shows as 240 x 6 (480 / 20000 of 240 rounded).
    for (int y = 0; y < 8; ++y)
      EXPECT_EQ(getPixel(png, 239, y), y < c.redRows ? opaque(rgb(255, 0, 0)) : opaque(0)) << y;
    freeImage(png);
    int panel = scenes[size_t(index)].thumbnail;
    if (c.kept == 0) {
      for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 150; x += 7) ASSERT_EQ(getPixel(panel, x, y), getPixel(PIC_RESOURCE_CARD, x, y));
    }
  }
}
