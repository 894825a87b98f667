#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "ui/panel_picture.h"

using BackgroundWindow = ShellTest;

namespace {

const uint32_t paint = opaque(rgb(10, 100, 200));
const uint32_t inverted = opaque(rgb(10 ^ 255, 100 ^ 255, 200 ^ 255));

// A flat opaque picture written as a PNG file.
void writePicture(const std::string& path, int w, int h, uint32_t color) {
  int image = createImage(UI_ANY, w, h, 24, color);
  ASSERT_TRUE(savePng(image, path));
  freeImage(image);
}

TileRecord& addTile(const std::string& name, const std::string& background, int left, int top) {
  TileRecord& t = appendTile();
  t.name = name;
  t.background = background;
  t.left = left;
  t.top = top;
  t.width = t.height = 32;
  t.image = createImage(UI_ANY, 32, 32, 32, rgba(1, 2, 3, 255));
  return t;
}

std::vector<std::string> tileNames() {
  std::vector<std::string> names;
  for (const TileRecord& t : tiles) names.push_back(t.name);
  return names;
}

std::string titleOf(const std::string& name) { return "Background properties - " + name; }

}  // namespace

// Cells start at x = 0, 32, 64, 96 and y = 0, 32, 64, the last of each cut
// off by the canvas. Each cell's frame is four runs combined by exclusive
// or, so a pixel where two runs cross is back to the picture's colour.
TEST_F(BackgroundWindow, TileGridIsCombinedByExclusiveOr) {
  startMainWindow();
  std::string name = newBackground();
  writePicture(workFolder + "/tiles.png", 100, 64, paint);
  BackgroundRecord& r = backgrounds[0];
  r.file = "tiles.png";
  r.tile = 1;
  r.tilewidth = r.tileheight = 32;
  r.tilexoffset = r.tileyoffset = r.tilexspace = r.tileyspace = 0;

  struct Probe {
    int x, y;
    uint32_t color;
  };
  auto expectPixels = [](const std::vector<Probe>& probes, const char* what) {
    int canvas = gadgetByName(0, "preview");
    EXPECT_EQ(gadgetWidth(canvas), 100);
    EXPECT_EQ(gadgetHeight(canvas), 64);
    int shown = canvasSnapshot(canvas);
    for (const Probe& p : probes)
      EXPECT_EQ(getPixel(shown, p.x, p.y), p.color) << what << " at " << p.x << "," << p.y;
    freeImage(shown);
  };
  std::vector<Probe> grid = {
      {5, 0, inverted},  {0, 5, inverted},  {0, 0, paint},      // top, left, and where they cross
      {5, 31, inverted}, {31, 5, inverted}, {15, 15, paint},    // bottom, right, inside
      {31, 31, paint},   {31, 32, paint},                        // right run meets bottom, then next top
      {69, 32, inverted}, {97, 0, inverted}, {97, 33, paint},    // last column, cut off by the canvas
      {40, 63, inverted},                                       // bottom of the second row
  };
  driverTick(titleOf(name), 777);
  driverCall([&] { expectPixels(grid, "32 x 32"); });
  // Ticks draw over the last picture without piling up.
  driverTick(titleOf(name), 777);
  driverTick(titleOf(name), 777);
  driverCall([&] { expectPixels(grid, "third tick"); });
  // A tile width of 0 gives no grid at all, and Done stores it as typed.
  driverSetText("Width", "0");
  driverTick(titleOf(name), 777);
  driverCall([&] { expectPixels({{0, 5, paint}, {5, 0, paint}, {5, 31, paint}}, "width 0"); });
  driverSetText("Width", "16");
  driverSetText("X space", "4");
  // Clearing the box moves the fields away; Done writes them all the same.
  driverCheck("Use as tile set", false);
  driverCall([] { EXPECT_EQ(gadgetX(gadgetByName(0, "tile set")), 10000); });
  driverTick(titleOf(name), 777);
  driverCall([&] { expectPixels({{5, 0, paint}, {0, 5, paint}}, "no tile set"); });
  driverClick("Done");
  editBackground(name);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(backgrounds[0].tile, 0);
  EXPECT_EQ(backgrounds[0].tilewidth, 16);
  EXPECT_EQ(backgrounds[0].tilexspace, 4);

  // Done without a pick copies nothing: a stray file of that name in the
  // program's folder does not replace the project's picture.
  writeFile("tiles.png", "a stray file");
  driverSetText("Width", "0");
  driverClick("Done");
  editBackground(name);
  EXPECT_EQ(backgrounds[0].tilewidth, 0);
  EXPECT_EQ(backgrounds[0].file, "tiles.png");
  int kept = loadImage(UI_ANY, workFolder + "/tiles.png");
  EXPECT_EQ(imageWidth(kept), 100);
  freeImage(kept);
}

// A smaller picture drops the tiles that start beyond it (one starting on
// its edge stays) and cuts the others afresh; the panel picture follows at
// once, and Done copies the file into the work folder.
TEST_F(BackgroundWindow, PickingAPictureRecutsTheTilesAndThePanelPicture) {
  startMainWindow();
  std::string name = newBackground(), other = newBackground();
  writePicture(workFolder + "/big.png", 100, 64, paint);
  backgrounds[0].file = "big.png";
  makeFolder("picks");
  const uint32_t green = opaque(rgb(20, 200, 20));
  writePicture(folder.path + "/picks/small.png", 64, 32, green);
  addTile("tile_1", name, 0, 0);
  addTile("tile_2", name, 64, 0);    // on the new right edge: stays
  addTile("tile_3", name, 96, 0);    // beyond it
  addTile("tile_4", name, 0, 40);    // below it
  addTile("tile_5", other, 96, 40);  // another background's
  int oldThumbnail = backgrounds[0].thumbnail = panelPicture(0);

  driverClick("Select image...");
  driverAnswerFile("Select an image", folder.path + "/picks/small.png");
  driverCall([&] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "file")), "File: small.png");
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_1", "tile_2", "tile_5"}));
    EXPECT_EQ(getPixel(tiles[0].image, 31, 31), green);
    EXPECT_EQ(getPixel(tiles[1].image, 0, 0), rgba(0, 0, 0, 0));   // nothing right of the edge
    EXPECT_EQ(getPixel(tiles[2].image, 0, 0), rgba(1, 2, 3, 255));
    EXPECT_FALSE(isImage(oldThumbnail));
    int card = backgrounds[0].thumbnail;
    EXPECT_EQ(imageWidth(card), 150);
    EXPECT_EQ(getPixel(card, 45 + 59, 20 + 29), green);   // 64 x 32 shown as 60 x 30
    EXPECT_NE(getPixel(card, 45 + 59, 20 + 31), green);
    EXPECT_EQ(backgrounds[0].file, "big.png");             // the file waits for Done
  });
  driverClick("Done");
  editBackground(name);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(backgrounds[0].file, "small.png");
  int copied = loadImage(UI_ANY, workFolder + "/small.png");
  EXPECT_EQ(imageWidth(copied), 64);
  freeImage(copied);
  for (const TileRecord& t : tiles) freeImage(t.image);
}

// A cancelled requester changes nothing; a file that is no picture keeps
// the tiles as they were and leaves the card alone as the panel picture.
TEST_F(BackgroundWindow, CancelledOrUnreadablePicksKeepTheTiles) {
  startMainWindow();
  std::string name = newBackground();
  writePicture(workFolder + "/big.png", 100, 64, paint);
  backgrounds[0].file = "big.png";
  makeFolder("picks");
  writeFile(folder.path + "/picks/broken.png", "not a picture");
  addTile("tile_1", name, 0, 0);
  addTile("tile_2", name, 96, 0);
  int thumbnail = backgrounds[0].thumbnail = panelPicture(0);
  auto unchanged = [&] {
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_1", "tile_2"}));
    EXPECT_EQ(getPixel(tiles[0].image, 0, 0), rgba(1, 2, 3, 255));
  };

  driverClick("Select image...");
  driverAnswerFile("Select an image", "");
  driverCall([&] {
    unchanged();
    EXPECT_EQ(backgrounds[0].thumbnail, thumbnail);
    EXPECT_EQ(getGadgetText(gadgetByName(0, "file")), "File: big.png");
  });
  driverClick("Select image...");
  driverAnswerFile("Select an image", folder.path + "/picks/broken.png");
  driverCall([&] {
    unchanged();
    int card = panelPicture(0), shown = backgrounds[0].thumbnail;
    EXPECT_NE(shown, thumbnail);
    for (auto [x, y] : {std::pair{75, 50}, {46, 21}, {104, 79}})
      EXPECT_EQ(getPixel(shown, x, y), getPixel(card, x, y)) << x << "," << y;
    freeImage(card);
  });
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Do you really want to delete this background?", MSG_RESULT_NO);
  driverClick("Done");
  editBackground(name);
  EXPECT_TRUE(driverCheckDone());
  for (const TileRecord& t : tiles) freeImage(t.image);
}

// Without a work folder (none could be made) a picked picture cannot be
// kept: the pick says so and changes nothing, neither in the window nor in
// the record, its panel picture or its tiles; Done keeps the old file.
TEST_F(BackgroundWindow, APickThatCannotBeCopiedChangesNothing) {
  startMainWindow();
  std::string name = newBackground();
  writePicture(workFolder + "/big.png", 100, 64, paint);
  backgrounds[0].file = "big.png";
  makeFolder("picks");
  const std::string picked = folder.path + "/picks/small.png";
  writePicture(picked, 64, 32, opaque(rgb(20, 200, 20)));
  addTile("tile_1", name, 0, 0);
  addTile("tile_2", name, 96, 0);
  int thumbnail = backgrounds[0].thumbnail = panelPicture(0);

  driverCall([] { ASSERT_TRUE(deleteFolderTree(workFolder)); });
  driverClick("Select image...");
  driverAnswerFile("Select an image", picked);
  driverAnswerMessage("Error", "The file " + picked + " cannot be copied into the work folder.");
  driverCall([&] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "file")), "File: big.png");
    EXPECT_EQ(gadgetWidth(gadgetByName(0, "preview")), 100);
    EXPECT_EQ(backgrounds[0].thumbnail, thumbnail);
    EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_1", "tile_2"}));
    EXPECT_EQ(getPixel(tiles[0].image, 0, 0), rgba(1, 2, 3, 255));
  });
  driverClick("Done");
  editBackground(name);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(backgrounds[0].file, "big.png");
  for (const TileRecord& t : tiles) freeImage(t.image);
}

// Where a picture is transparent past the backdrop's 800 pixels, each tick
// must still start from the backdrop: the grid there stays as it is.
TEST_F(BackgroundWindow, GridPastTheBackdropStaysSteady) {
  startMainWindow();
  std::string name = newBackground();
  int clear = createImage(UI_ANY, 900, 40, 32, rgba(0, 0, 0, 0));
  ASSERT_TRUE(savePng(clear, workFolder + "/wide.png"));
  freeImage(clear);
  BackgroundRecord& r = backgrounds[0];
  r.file = "wide.png";
  r.tile = 1;
  r.tilewidth = r.tileheight = 32;
  std::vector<uint32_t> seen;
  auto look = [&] {
    int shown = canvasSnapshot(gadgetByName(0, "preview"));
    seen.push_back(getPixel(shown, 850, 0));   // on a top run, over a white square
    freeImage(shown);
  };
  for (int i = 0; i < 3; ++i) {
    driverTick(titleOf(name), 777);
    driverCall(look);
  }
  driverClick("Done");
  editBackground(name);
  EXPECT_EQ(seen, std::vector<uint32_t>(3, opaque(0)));
}

// A tick with nothing new leaves the canvas as it is (a mark made on it
// stays); a typed tile field, the tile-set box and a new picture of the
// same size each show at the next tick.
TEST_F(BackgroundWindow, IdleTicksLeaveTheCanvasAndChangesShowAtOnce) {
  startMainWindow();
  std::string name = newBackground();
  writePicture(workFolder + "/tiles.png", 100, 64, paint);
  makeFolder("picks");
  const uint32_t green = opaque(rgb(20, 200, 20)), mark = opaque(rgb(7, 7, 7));
  writePicture(folder.path + "/picks/same_size.png", 100, 64, green);
  BackgroundRecord& r = backgrounds[0];
  r.file = "tiles.png";
  r.tile = 1;
  r.tilewidth = r.tileheight = 32;
  auto expectShown = [](std::vector<std::pair<std::pair<int, int>, uint32_t>> probes, const char* what) {
    int shown = canvasSnapshot(gadgetByName(0, "preview"));
    for (auto [at, color] : probes)
      EXPECT_EQ(getPixel(shown, at.first, at.second), color) << what << " at " << at.first << "," << at.second;
    freeImage(shown);
  };
  driverTick(titleOf(name), 777);
  driverCall([&] { setPixel(canvasImage(gadgetByName(0, "preview")), 50, 50, mark); });
  driverTick(titleOf(name), 777);
  driverTick(titleOf(name), 777);
  driverCall([&] { EXPECT_EQ(getPixel(canvasImage(gadgetByName(0, "preview")), 50, 50), mark); });
  driverSetText("Width", "16");
  driverTick(titleOf(name), 777);
  driverCall([&] { expectShown({{{16, 5}, inverted}, {{20, 5}, paint}, {{5, 0}, inverted}}, "width 16"); });
  driverClick("Select image...");
  driverAnswerFile("Select an image", folder.path + "/picks/same_size.png");
  driverTick(titleOf(name), 777);
  const uint32_t greenInverted = opaque(rgb(20 ^ 255, 200 ^ 255, 20 ^ 255));
  driverCall([&] { expectShown({{{16, 5}, greenInverted}, {{20, 5}, green}, {{50, 50}, green}}, "new picture"); });
  driverCheck("Use as tile set", false);
  driverTick(titleOf(name), 777);
  driverCall([&] { expectShown({{{16, 5}, green}, {{5, 0}, green}}, "no tile set"); });
  driverClick("Done");
  editBackground(name);
  EXPECT_TRUE(driverCheckDone());
}
