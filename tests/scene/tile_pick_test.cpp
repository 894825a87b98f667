// Picking the tile rectangle on the tile-set canvas, and cutting the tile.
#include <unistd.h>

#include <filesystem>

#include "scene/tile_pick.h"
#include "tests/scene/scene_view_fixture.h"
#include "ui/draw.h"

namespace {

constexpr int SHIFT = 1, OPTION = 2, CONTROL = 4, COMMAND = 8;

BackgroundRecord tileSet(int tile, int size, int space, int offset) {
  BackgroundRecord b;
  b.tile = tile;
  b.tilewidth = b.tileheight = size;
  b.tilexspace = b.tileyspace = space;
  b.tilexoffset = b.tileyoffset = offset;
  return b;
}

TEST(TilePickTest, ModifiersChooseTheMode) {
  struct Case {
    int modifiers, mode;
  };
  const Case cases[] = {{0, PICK_CELLS},          {SHIFT, PICK_CELLS},           {OPTION, PICK_FREE},
                        {CONTROL | SHIFT, PICK_FREE}, {CONTROL, PICK_GRID},      {OPTION | SHIFT, PICK_CELLS},
                        {COMMAND, PICK_CELLS},    {CONTROL | OPTION, PICK_CELLS}};
  for (const Case& c : cases) EXPECT_EQ(tilePickMode(c.modifiers), c.mode) << c.modifiers;
}

TEST(TilePickTest, RectangleOfADrag) {
  struct Case {
    const char* what;
    BackgroundRecord b;
    int sx, sy, m, n, mode;
    TileRect expected;
    bool margin;
  };
  const TileRect previous{1, 2, 3, 4};
  const Case cases[] = {
      {"two cells and the space between", tileSet(1, 32, 2, 4), 10, 10, 50, 10, PICK_CELLS, {4, 4, 66, 32}, false},
      {"one cell", tileSet(1, 32, 2, 4), 10, 10, 10, 10, PICK_CELLS, {4, 4, 32, 32}, false},
      {"end before the start keeps the size", tileSet(1, 32, 2, 4), 50, 50, 10, 10, PICK_CELLS, {38, 38, 3, 4}, false},
      {"start in the margin rounds down", tileSet(1, 32, 2, 4), 2, 10, 50, 10, PICK_CELLS, {-30, 4, 100, 32}, false},
      {"pointer in the margin", tileSet(1, 32, 2, 4), 10, 10, 4, 50, PICK_CELLS, {0, 0, 0, 0}, true},
      {"no tile set: the whole image", tileSet(0, 32, 2, 4), 10, 10, 50, 10, PICK_CELLS, {0, 0, 90, 60}, false},
      {"cells of no width", tileSet(1, 0, 0, 0), 10, 10, 50, 10, PICK_CELLS, {0, 0, 90, 60}, false},
      {"negative cells", tileSet(1, -8, 0, 0), 10, 10, 50, 10, PICK_CELLS, {0, 0, 90, 60}, false},
      {"a step of no length", tileSet(1, 16, -16, 0), 10, 10, 50, 10, PICK_CELLS, {0, 0, 90, 60}, false},
      {"free", tileSet(1, 32, 2, 4), 5, 7, 25, 17, PICK_FREE, {5, 7, 20, 10}, false},
      {"free up and left keeps the size", tileSet(1, 32, 2, 4), 25, 17, 5, 7, PICK_FREE, {25, 17, 3, 4}, false},
      {"scene grid", tileSet(0, 32, 2, 0), 25, 7, 61, 30, PICK_GRID, {20, 0, 60, 40}, false},
  };
  for (const Case& c : cases) {
    bool margin = !c.margin;
    TileRect r = pickTileRect(c.b, 90, 60, c.sx, c.sy, c.m, c.n, c.mode, 20, previous, margin);
    EXPECT_EQ(r, c.expected) << c.what << ": " << r.left << "," << r.top << "," << r.width << "," << r.height;
    EXPECT_EQ(margin, c.margin) << c.what;
  }
}

using TileCutTest = SceneViewTest;

TEST_F(TileCutTest, TheTileCarriesTheCheckerboardBehindTransparentParts) {
  int set = keep(createImage(-1, 40, 40, 32, rgba(0, 0, 0, 0)));
  setPixel(set, 20, 18, opaque(rgb(1, 2, 3)));
  int cut = keep(cutTile(set, {4, 2, 20, 20}));
  ASSERT_EQ(imageWidth(cut), 20);
  EXPECT_EQ(getPixel(cut, 16, 16), opaque(rgb(1, 2, 3)));
  EXPECT_EQ(getPixel(cut, 0, 0), getPixel(PIC_CHECKERBOARD, 0, 0));
  EXPECT_EQ(getPixel(cut, 17, 16), getPixel(PIC_CHECKERBOARD, 17, 16));
  int black = keep(cutTile(-1, {0, 0, 1, 1}));
  EXPECT_EQ(getPixel(black, 0, 0), opaque(0));
  EXPECT_EQ(cutTile(set, {0, 0, 20000, 5}), 0);
}

class TilePickEventTest : public SceneViewTest {
 protected:
  void SetUp() override {
    SceneViewTest::SetUp();
    folder = std::filesystem::temp_directory_path() / ("zm_tile_pick_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    workFolder = folder.string();
    int picture = createImage(-1, 100, 60, 32, opaque(rgb(0, 128, 0)));
    ASSERT_TRUE(savePng(picture, (folder / "set.png").string()));
    freeImage(picture);
    BackgroundRecord& b = appendBackground();
    b = tileSet(1, 32, 2, 4);
    b.name = "grass";
    b.file = "set.png";
  }
  void TearDown() override {
    for (int image : {s.tileSetImage, s.selectedTileImage, s.tilePreviewImage})
      if (isImage(image)) freeImage(image);
    std::filesystem::remove_all(folder);
    SceneViewTest::TearDown();
  }
  std::filesystem::path folder;
  TilePickState s;
};

TEST_F(TilePickEventTest, ADragPicksCellsAndAReleaseEndsIt) {
  EXPECT_FALSE(tilePickEvent(s, "grass", 10, 10, 0, 0, 20));   // a move without a button
  EXPECT_EQ(s.drag, TILE_DRAG_IDLE);
  EXPECT_TRUE(tilePickEvent(s, "grass", 10, 10, 1, 0, 20));
  EXPECT_EQ(s.drag, TILE_DRAG_DRAGGING);
  EXPECT_EQ(imageWidth(s.tileSetImage), 100);
  EXPECT_TRUE(tilePickEvent(s, "grass", 50, 10, 1, 0, 20));
  EXPECT_EQ(s.rect, (TileRect{4, 4, 66, 32}));
  EXPECT_EQ(imageWidth(s.selectedTileImage), 66);
  EXPECT_EQ(imageHeight(s.selectedTileImage), 32);
  EXPECT_EQ(getPixel(s.selectedTileImage, 0, 0), opaque(rgb(0, 128, 0)));
  EXPECT_EQ(imageWidth(s.tilePreviewImage), 100);
  EXPECT_EQ(imageHeight(s.tilePreviewImage), 100);
  EXPECT_FALSE(tilePickEvent(s, "grass", 50, 10, 1 | 2, 0, 20));   // not the left button alone
  EXPECT_EQ(s.drag, TILE_DRAG_IDLE);
  EXPECT_FALSE(tilePickEvent(s, "", 50, 10, 1, 0, 20));
  EXPECT_EQ(s.rect, (TileRect{4, 4, 66, 32}));
}

TEST_F(TilePickEventTest, ZeroSizedCellsPickTheWholeImage) {
  backgrounds[0].tilewidth = 0;
  backgrounds[0].tileheight = 0;
  EXPECT_TRUE(tilePickEvent(s, "grass", 30, 30, 1, 0, 20));
  EXPECT_EQ(s.rect, (TileRect{0, 0, 100, 60}));
  EXPECT_EQ(imageWidth(s.selectedTileImage), 100);
}

TEST_F(TilePickEventTest, APickInTheMarginGivesABlackTileAndEndsTheDrag) {
  EXPECT_TRUE(tilePickEvent(s, "grass", 2, 30, 1, 0, 20));
  EXPECT_EQ(s.rect, (TileRect{0, 0, 1, 1}));
  EXPECT_EQ(s.drag, TILE_DRAG_IDLE);
  EXPECT_FALSE(isImage(s.tileSetImage));
  EXPECT_EQ(getPixel(s.selectedTileImage, 0, 0), opaque(0));
  // A missing file leaves no tile set: the whole image is then 0 x 0, a 1 x 1 black tile.
  backgrounds[0].tile = 0;
  backgrounds[0].file = "gone.png";
  EXPECT_TRUE(tilePickEvent(s, "grass", 30, 30, 1, 0, 20));
  EXPECT_EQ(s.rect, (TileRect{0, 0, 1, 1}));
}

}  // namespace
