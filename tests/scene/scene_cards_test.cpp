// The scenes' pictures outside their window: the card in the resource panel
// and the project thumbnail, as Done makes them and as Open makes the cards.
#include "project/project_file.h"
#include "scene/scene_cards.h"
#include "tests/scene/scene_test_util.h"
#include "ui/draw.h"

using SceneCards = SceneWindowTest;

namespace {

const uint32_t GREEN = opaque(rgb(0, 200, 0));
const uint32_t SCENE_COLOUR = opaque(rgb(40, 60, 160));

// A 50 x 30 tile set in the work folder: its left half green, its right
// half brown.
void addTileSet(const std::string& name) {
  int picture = createImage(UI_ANY, 50, 30, 32, opaque(rgb(120, 60, 0)));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 25; ++x) setPixel(picture, x, y, GREEN);
  ASSERT_TRUE(savePng(picture, workFolder + "/" + name + ".png"));
  freeImage(picture);
  BackgroundRecord& b = appendBackground();
  b.name = name;
  b.file = name + ".png";
  b.thumbnail = -1;
  b.tile = 1;
  b.tilewidth = 25;
  b.tileheight = 30;
}

int countPixels(int image, uint32_t colour) {
  int n = 0;
  for (int y = 0; y < imageHeight(image); ++y)
    for (int x = 0; x < imageWidth(image); ++x) n += getPixel(image, x, y) == colour;
  return n;
}

void expectSamePixels(int a, int b) {
  ASSERT_EQ(imageWidth(a), imageWidth(b));
  ASSERT_EQ(imageHeight(a), imageHeight(b));
  int differing = 0;
  for (int y = 0; y < imageHeight(a); ++y)
    for (int x = 0; x < imageWidth(a); ++x) differing += getPixel(a, x, y) != getPixel(b, x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace

// A scene with a coloured, tiled background, a turned instance and a tile
// (both selected when Done is clicked), and a scene whose background and
// sprite are gone: after Open both cards show their scenes, the first
// with the very pixels that Done made.
TEST_F(SceneCards, OpenMakesTheCardsThatDoneMakes) {
  const std::string room = newScene(), bare = newScene();
  scenes[0].red = 40;
  scenes[0].green = 60;
  scenes[0].blue = 160;
  scenes[0].background = "stones";
  scenes[0].backgroundtilex = 1;   // a row of copies along the top
  addTileSet("stones");
  addSprite("ball", 64, 48, opaque(rgb(250, 250, 0)));
  addDefinition("obj", "ball");
  addInstance(room, "SceneObject1", "ball", 300, 200, 45);
  objects.back().selected = 1;
  TileRecord& t = appendTile();
  t.name = "tile_1";
  t.background = "stones";
  t.scene = room;
  t.left = 0, t.top = 0, t.width = 25, t.height = 30;
  t.x = 100, t.y = 100, t.depth = 1000000;
  int stones = loadImage(UI_ANY, workFolder + "/stones.png");
  t.image = grabImage(stones, UI_ANY, 0, 0, 25, 30);
  freeImage(stones);
  t.selected = 1;
  scenes[1].red = 200;
  scenes[1].background = "gone";
  addInstance(bare, "SceneObject2", "nosuch", 320, 240);

  projectName = "cards";
  makeFolder("Projects");
  driverClick("Done");
  editScene(room);
  const int done = copyImage(scenes[0].thumbnail);
  ASSERT_TRUE(saveProject());

  driverChooseMenu(MENU_OPEN);
  driverSelectRow("projects", 0);
  driverClick("Open");
  runSteps();
  ASSERT_EQ(projectName, "cards");
  ASSERT_EQ(scenes.size(), 2u);
  expectSamePixels(scenes[0].thumbnail, done);
  EXPECT_GT(countPixels(scenes[0].thumbnail, SCENE_COLOUR), 3000);
  EXPECT_GT(countPixels(scenes[0].thumbnail, GREEN), 100);
  EXPECT_GT(countPixels(scenes[0].thumbnail, opaque(rgb(250, 250, 0))), 10);
  // The scene without its pictures: its colour, with at most the few
  // pixels of the instance's no-image icon.
  ASSERT_TRUE(isImage(scenes[1].thumbnail));
  EXPECT_NE(scenes[1].thumbnail, int(PIC_RESOURCE_CARD));
  EXPECT_EQ(getPixel(scenes[1].thumbnail, 40, 15), opaque(rgb(200, 0, 0)));
  EXPECT_GE(countPixels(scenes[1].thumbnail, opaque(rgb(200, 0, 0))), 80 * 60 - 4);
  EXPECT_EQ(getGadgetAttribute(itemGadget("Scenes", bare), ATTR_IMAGE), scenes[1].thumbnail);
  // The opened scene's own window then makes the same card again.
  const int opened = copyImage(scenes[0].thumbnail);
  driverClick("Done");
  editScene(room);
  expectSamePixels(scenes[0].thumbnail, opened);
  freeImage(done);
  freeImage(opened);
}

// Selected instances and tiles are the editing's; the pictures show the
// scene without their marks.
TEST_F(SceneCards, PicturesShowNoSelectionMarks) {
  const std::string scene = newScene();
  scenes[0].red = 255;
  addSprite("ball", 80, 80, opaque(rgb(0, 255, 0)));
  addInstance(scene, "SceneObject1", "ball", 400, 240);
  objects.back().selected = 1;
  addTile(scene, "tile_1", 1000000, 0, 0, 320, 240);
  tiles.back().selected = 1;
  projectName = "marks";
  makeFolder("Projects");
  driverTick("", SCENE_VIEW_TIMER);
  driverClick("Done");
  editScene(scene);
  int png = loadImage(UI_ANY, "Projects/marks.png");
  ASSERT_TRUE(isImage(png));
  const uint32_t blue = opaque(rgb(0, 0, 255)), green = opaque(rgb(0, 255, 0));
  EXPECT_EQ(getPixel(png, 60, 45), blue);
  EXPECT_EQ(getPixel(png, 165, 105), green);
  EXPECT_EQ(countPixels(png, blue), 120 * 90);
  freeImage(png);
  EXPECT_EQ(getPixel(scenes[0].thumbnail, 35 + 20, 10 + 15), blue);
  EXPECT_EQ(getPixel(scenes[0].thumbnail, 35 + 55, 10 + 35), green);
  EXPECT_EQ(countPixels(scenes[0].thumbnail, blue), 40 * 30);
}
