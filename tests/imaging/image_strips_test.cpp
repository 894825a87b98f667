#include "imaging/frame_list.h"
#include "imaging/image_strips.h"
#include "imaging_test_util.h"
#include "project/tables.h"

#include <gtest/gtest.h>

namespace {

class ImageStrips : public testing::Test {
 protected:
  void SetUp() override {
    clearProjectTables();
    SpriteRecord& s = appendSprite();
    s.name = "hero";
    s.collisionshape = "Circle";
    s.thumbnail = -1;
  }
  void TearDown() override { clearProjectTables(); }

  // A strip whose pixel (x, y) tells its place: red x, green y.
  static int placeStrip(int w, int h) {
    std::vector<uint32_t> p;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p.push_back(rgba(x, y, 0, 255));
    return imageOf(w, h, p);
  }
};

TEST_F(ImageStrips, CutsRowByRowIntoWholeCells) {
  struct Case {
    int w, h, columns, rows, cw, ch;
  } cases[] = {{128, 32, 4, 1, 32, 32}, {100, 50, 3, 2, 33, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.w);
    int strip = placeStrip(c.w, c.h);
    EXPECT_EQ(cutImageStrip(0, strip, c.columns, c.rows), c.columns * c.rows);
    ASSERT_EQ(frames.size(), size_t(c.columns * c.rows));
    for (int k = 0; k < c.columns * c.rows; ++k) {
      const FrameRecord& f = frames[size_t(k)];
      EXPECT_EQ(f.file, std::to_string(k));
      EXPECT_EQ(imageWidth(f.image), c.cw);
      EXPECT_EQ(imageHeight(f.image), c.ch);
      int x = (k % c.columns) * c.cw, y = (k / c.columns) * c.ch;
      EXPECT_EQ(getPixel(f.image, 1, 1), rgba(x + 1, y + 1, 0, 255)) << k;
    }
    const SpriteRecord& s = sprites[0];
    EXPECT_EQ((std::vector<int>{s.centerx, s.centery, s.collisionradius, s.collisionleft, s.collisionright,
                                s.collisiontop, s.collisionbottom}),
              (std::vector<int>{0, 0, c.cw / 2, 0, c.cw, 0, c.ch}));
    EXPECT_EQ(s.collisionshape, "Circle");
    EXPECT_TRUE(isImage(strip));   // the caller's
    freeImage(strip);
  }
}

// A new cut replaces only the sprite's frames; its new frames follow the
// others in the table. The panel picture shows the first frame at 60 x 30.
TEST_F(ImageStrips, ReplacesTheSpritesFramesAndItsPanelPicture) {
  appendSpriteFrame("hero", "0", placeStrip(4, 4));
  appendSpriteFrame("other", "0", placeStrip(4, 4));
  int old = frames[0].image;
  int strip = imageOf(64, 16, std::vector<uint32_t>(64 * 16, rgba(255, 0, 0, 255)));
  EXPECT_EQ(cutImageStrip(0, strip, 2, 1), 2);
  EXPECT_FALSE(isImage(old));
  EXPECT_EQ(frames[0].sprite, "other");
  EXPECT_EQ(frames[1].sprite + frames[1].file + frames[2].file, "hero01");
  int picture = sprites[0].thumbnail;
  ASSERT_TRUE(isImage(picture));
  EXPECT_EQ(imageWidth(picture), 150);
  EXPECT_EQ(getPixel(picture, 45 + 59, 20 + 29), rgba(255, 0, 0, 255));
  EXPECT_EQ(alpha(getPixel(picture, 45 + 59, 20 + 30)), 0);
  EXPECT_EQ(alpha(getPixel(picture, 45 + 60, 20)), 0);
  freeImage(strip);
}

// Counts of zero, below zero, or more than the pixels are refused before a
// frame is touched.
TEST_F(ImageStrips, RefusesCutsWithoutWholePixels) {
  appendSpriteFrame("hero", "0", placeStrip(4, 4));
  int strip = placeStrip(10, 3);
  for (auto [columns, rows] : {std::pair{0, 1}, {1, 0}, {-2, 1}, {11, 1}, {1, 4}}) {
    EXPECT_EQ(validStripCut(10, 3, columns, rows), 0) << columns << " x " << rows;
    EXPECT_EQ(cutImageStrip(0, strip, columns, rows), 0);
    EXPECT_EQ(frames.size(), 1u);
    EXPECT_EQ(imageWidth(frames[0].image), 4);
  }
  EXPECT_EQ(cutImageStrip(0, strip, 10, 3), 30);
  freeImage(strip);
}

TEST_F(ImageStrips, ExportLaysTheFramesSideBySide) {
  for (int k = 0; k < 3; ++k)
    appendSpriteFrame("hero", std::to_string(k), imageOf(16, 16, std::vector<uint32_t>(256, rgba(k, 1, 2, 255))));
  appendSpriteFrame("other", "0", placeStrip(50, 50));
  int strip = makeSpriteStrip("hero");
  ASSERT_NE(strip, 0);
  EXPECT_EQ(imageWidth(strip), 48);
  EXPECT_EQ(imageHeight(strip), 16);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(getPixel(strip, k * 16 + 15, 15), rgba(k, 1, 2, 255));
  freeImage(strip);
  EXPECT_EQ(makeSpriteStrip("nobody"), 0);
}

// The cell is the last frame's size; a frame without image leaves its cell
// empty and a last frame without image does not make the cell 0 x 0.
TEST_F(ImageStrips, ExportCellsOfTheLastFrameWithAnImage) {
  appendSpriteFrame("hero", "0", imageOf(2, 2, std::vector<uint32_t>(4, rgba(1, 0, 0, 255))));
  appendSpriteFrame("hero", "1", imageOf(4, 1, std::vector<uint32_t>(4, rgba(2, 0, 0, 255))));
  appendSpriteFrame("hero", "2", 0);
  EXPECT_EQ(spriteStripWidth("hero"), 12);
  int strip = makeSpriteStrip("hero");
  EXPECT_EQ(pixelsOf(strip), (std::vector<uint32_t>{rgba(1, 0, 0, 255), rgba(1, 0, 0, 255), 0, 0,
                                                    rgba(2, 0, 0, 255), rgba(2, 0, 0, 255), rgba(2, 0, 0, 255),
                                                    rgba(2, 0, 0, 255), 0, 0, 0, 0}));
  freeImage(strip);
}

// 65 frames of 256 pixels are wider than an image can be: no strip.
TEST_F(ImageStrips, ExportRefusesAStripWiderThanAnImage) {
  for (int k = 0; k < 65; ++k) appendSpriteFrame("hero", std::to_string(k), createImage(-1, 256, 1, 32, 0));
  EXPECT_EQ(spriteStripWidth("hero"), 65 * 256);
  EXPECT_EQ(makeSpriteStrip("hero"), 0);
  deleteFrame("hero", 64);
  int strip = makeSpriteStrip("hero");
  EXPECT_EQ(imageWidth(strip), 16384);
  freeImage(strip);
}

TEST_F(ImageStrips, PngIsAppendedOnlyWhenMissing) {
  EXPECT_EQ(stripFileName("/a/ship_strip4"), "/a/ship_strip4.png");
  EXPECT_EQ(stripFileName("/a/ship.png"), "/a/ship.png");
  EXPECT_EQ(stripFileName("/a/ship.PNG"), "/a/ship.PNG");
  EXPECT_EQ(stripFileName("png"), "png.png");
  EXPECT_EQ(stripFileName("/a/ship.jpg"), "/a/ship.jpg.png");
}

}  // namespace
