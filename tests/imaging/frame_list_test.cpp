#include "imaging/frame_list.h"
#include "imaging_test_util.h"
#include "project/tables.h"

#include <gtest/gtest.h>

namespace {

class FrameList : public testing::Test {
 protected:
  void SetUp() override { clearProjectTables(); }
  void TearDown() override { clearProjectTables(); }

  // A frame filled with one opaque colour whose red channel tells it apart.
  static int addFrame(const std::string& sprite, const std::string& file, int w, int h, int tag = 0) {
    int image = imageOf(w, h, std::vector<uint32_t>(size_t(w * h), rgba(tag, 0, 0, 255)));
    return appendSpriteFrame(sprite, file, image);
  }

  static std::vector<std::string> table() {
    std::vector<std::string> out;
    for (const FrameRecord& f : frames) out.push_back(f.sprite + ":" + f.file);
    return out;
  }
};

using Names = std::vector<std::string>;

TEST_F(FrameList, FindingAndNumberingTheFramesOfASprite) {
  EXPECT_EQ(newFrameNumber("hero"), "0");
  EXPECT_EQ(firstFrameIndex("hero"), -1);
  addFrame("other", "0", 2, 2);
  addFrame("hero", "0", 2, 2);
  addFrame("other", "7", 2, 2);
  addFrame("hero", "4", 2, 2);
  addFrame("hero", "2", 2, 2);
  // The first frame of a sprite whose frames do not lead the table.
  EXPECT_EQ(firstFrameIndex("hero"), 1);
  EXPECT_EQ(lastFrameIndex("hero"), 4);
  EXPECT_EQ(nthFrameIndex("hero", 1), 3);
  EXPECT_EQ(nthFrameIndex("hero", 3), -1);
  EXPECT_EQ(countSpriteFrames("hero"), 3);
  // One more than the highest, not than the last record's.
  EXPECT_EQ(newFrameNumber("hero"), "5");
  EXPECT_EQ(newFrameNumber("Hero"), "0");
}

TEST_F(FrameList, NewReplacesEveryFrameOnlyWhenTheSizeCanBeMade) {
  addFrame("hero", "0", 4, 4);
  addFrame("other", "0", 4, 4);
  addFrame("hero", "1", 4, 4);
  int old = frames[0].image;
  int oldLast = frames[2].image;
  addFrame("hero", "2", 4, 4);
  // Refused sizes change nothing (an empty field reads 0).
  for (auto [w, h] : {std::pair{0, 40}, {40, 0}, {-3, 5}, {16385, 1}}) {
    EXPECT_EQ(newBlankFrames("hero", w, h), -1) << w << " x " << h;
    EXPECT_EQ(table(), (Names{"hero:0", "other:0", "hero:1", "hero:2"}));
  }
  int index = newBlankFrames("hero", 40, 40);
  EXPECT_EQ(table(), (Names{"other:0", "hero:0"}));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(isImage(old));
  EXPECT_FALSE(isImage(oldLast));
  EXPECT_EQ(imageWidth(frames[1].image), 40);
  EXPECT_EQ(imageHeight(frames[1].image), 40);
  EXPECT_EQ(getPixel(frames[1].image, 20, 20), 0u);
}

TEST_F(FrameList, AddingAFrameOfTheSameSizeOrToASpriteWithoutFrames) {
  int loaded = imageOf(3, 2, std::vector<uint32_t>(6, rgba(9, 9, 9, 255)));
  EXPECT_EQ(frameAddNeedsChoice("hero", 3, 2), 0);
  EXPECT_EQ(addLoadedFrame("hero", loaded, RESIZE_ALL_FRAMES, PLACE_STRETCH), 0);
  EXPECT_EQ(frames[0].image, loaded);
  EXPECT_EQ(frames[0].file, "0");
  EXPECT_EQ(frameAddNeedsChoice("hero", 3, 2), 0);
  EXPECT_EQ(frameAddNeedsChoice("hero", 2, 3), 1);
  addLoadedFrame("hero", imageOf(3, 2, std::vector<uint32_t>(6, 0)), KEEP_FRAME_SIZE, PLACE_CENTER);
  EXPECT_EQ(table(), (Names{"hero:0", "hero:1"}));
}

// A 64 x 64 image added to 32 x 32 frames, kept or brought to the new size,
// placed in the centre.
TEST_F(FrameList, AddingALargerImageKeepOrResizeInTheCentre) {
  auto big = [] {
    std::vector<uint32_t> p(64 * 64, rgba(0, 0, 200, 255));
    p[16 * 64 + 16] = rgba(250, 0, 0, 255);   // lands on (0, 0) when kept
    return imageOf(64, 64, p);
  };
  addFrame("hero", "0", 32, 32, 1);
  addFrame("hero", "1", 32, 32, 2);
  EXPECT_EQ(addLoadedFrame("hero", big(), KEEP_FRAME_SIZE, PLACE_CENTER), 2);
  EXPECT_EQ(imageWidth(frames[2].image), 32);
  EXPECT_EQ(getPixel(frames[2].image, 0, 0), rgba(250, 0, 0, 255));
  EXPECT_EQ(getPixel(frames[2].image, 31, 31), rgba(0, 0, 200, 255));
  EXPECT_EQ(imageWidth(frames[0].image), 32);

  int old = frames[0].image;
  EXPECT_EQ(addLoadedFrame("hero", big(), RESIZE_ALL_FRAMES, PLACE_CENTER), 3);
  EXPECT_FALSE(isImage(old));
  for (int i = 0; i < 3; ++i) {
    int image = frames[size_t(i)].image;
    EXPECT_EQ(imageWidth(image), 64);
    EXPECT_EQ(getPixel(image, 15, 15), 0u) << i;
    EXPECT_EQ(getPixel(image, 16, 16), i == 2 ? rgba(250, 0, 0, 255) : rgba(i + 1, 0, 0, 255)) << i;
    EXPECT_EQ(getPixel(image, 47, 47), i == 2 ? rgba(0, 0, 200, 255) : rgba(i + 1, 0, 0, 255)) << i;
    EXPECT_EQ(getPixel(image, 48, 48), 0u) << i;
  }
  EXPECT_EQ(table(), (Names{"hero:0", "hero:1", "hero:2", "hero:3"}));
}

// Brought to a larger size and centred, every old frame sits at
// (nw / 2 - ow / 2, nh / 2 - oh / 2), each half rounded down, with ow x oh
// the last frame's size: even and odd sizes on both sides.
TEST_F(FrameList, ResizingAllFramesCentresThemByIntegerHalves) {
  struct Case {
    int firstW, firstH;   // the first frame's size
    int ow, oh;           // the last frame's, which sets the offset
    int nw, nh;
    int x, y;
  } cases[] = {
      {2, 2, 2, 2, 5, 5, 1, 1},   {3, 3, 3, 3, 6, 6, 2, 2},   {3, 2, 3, 2, 8, 7, 3, 2},
      {4, 4, 4, 4, 7, 9, 1, 2},   {5, 3, 5, 3, 6, 4, 1, 1},   {1, 1, 1, 1, 2, 3, 1, 1},
      {4, 4, 3, 5, 8, 8, 3, 2},   // the first frame of another size takes the same offset
  };
  for (const Case& c : cases) {
    clearProjectTables();
    addFrame("hero", "0", c.firstW, c.firstH, 1);
    addFrame("hero", "1", c.ow, c.oh, 2);
    int loaded = imageOf(c.nw, c.nh, std::vector<uint32_t>(size_t(c.nw * c.nh), rgba(9, 0, 0, 255)));
    ASSERT_EQ(addLoadedFrame("hero", loaded, RESIZE_ALL_FRAMES, PLACE_CENTER), 2);
    std::string name = std::to_string(c.ow) + "x" + std::to_string(c.oh) + " to " + std::to_string(c.nw) + "x" +
                       std::to_string(c.nh);
    int sizes[][2] = {{c.firstW, c.firstH}, {c.ow, c.oh}};
    for (int i = 0; i < 2; ++i) {
      int w = sizes[i][0], h = sizes[i][1];
      std::vector<uint32_t> expected;
      for (int y = 0; y < c.nh; y++)
        for (int x = 0; x < c.nw; x++) {
          bool inside = x >= c.x && x < c.x + w && y >= c.y && y < c.y + h;
          expected.push_back(inside ? rgba(i + 1, 0, 0, 255) : 0u);
        }
      EXPECT_EQ(pixelsOf(frames[size_t(i)].image), expected) << name << ", frame " << i;
    }
    EXPECT_EQ(pixelsOf(frames[2].image), std::vector<uint32_t>(size_t(c.nw * c.nh), rgba(9, 0, 0, 255))) << name;
  }
}

TEST_F(FrameList, AddingWithLeftTopAndStretch) {
  addFrame("hero", "0", 4, 2, 1);
  addLoadedFrame("hero", imageOf(2, 2, std::vector<uint32_t>(4, rgba(7, 0, 0, 255))), KEEP_FRAME_SIZE,
                 PLACE_LEFT_TOP);
  EXPECT_EQ(pixelsOf(frames[1].image), (std::vector<uint32_t>{rgba(7, 0, 0, 255), rgba(7, 0, 0, 255), 0, 0,
                                                              rgba(7, 0, 0, 255), rgba(7, 0, 0, 255), 0, 0}));
  addLoadedFrame("hero", imageOf(2, 1, std::vector<uint32_t>(2, rgba(8, 0, 0, 255))), KEEP_FRAME_SIZE,
                 PLACE_STRETCH);
  EXPECT_EQ(pixelsOf(frames[2].image), std::vector<uint32_t>(8, rgba(8, 0, 0, 255)));
  // Stretching every frame keeps their image numbers.
  int kept = frames[0].image;
  addLoadedFrame("hero", imageOf(8, 8, std::vector<uint32_t>(64, 0)), RESIZE_ALL_FRAMES, PLACE_STRETCH);
  EXPECT_EQ(frames[0].image, kept);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(imageWidth(frames[size_t(i)].image), 8);
}

TEST_F(FrameList, DuplicateAndMoveWithForeignRecordsAround) {
  addFrame("hero", "0", 2, 2, 10);
  addFrame("other", "0", 2, 2);
  addFrame("hero", "1", 2, 2, 11);
  addFrame("hero", "2", 2, 2, 12);
  addFrame("other", "1", 2, 2);
  // The copy of the first frame becomes the last, numbered after the highest.
  EXPECT_EQ(duplicateFrame("hero", 0), 5);
  EXPECT_EQ(table(), (Names{"hero:0", "other:0", "hero:1", "hero:2", "other:1", "hero:3"}));
  EXPECT_NE(frames[5].image, frames[0].image);
  EXPECT_EQ(getPixel(frames[5].image, 1, 1), rgba(10, 0, 0, 255));
  EXPECT_EQ(duplicateFrame("hero", -1), -1);
  EXPECT_EQ(duplicateFrame("hero", 1), -1);   // another sprite's frame
  EXPECT_EQ(frames.size(), 6u);

  // A foreign record stops a move; the first and last stay where they are.
  EXPECT_EQ(moveFrame("hero", 2, -1), 2);
  EXPECT_EQ(moveFrame("hero", 0, -1), 0);
  EXPECT_EQ(moveFrame("hero", 5, +1), 5);
  EXPECT_EQ(moveFrame("hero", 3, +1), 3);
  EXPECT_EQ(moveFrame("hero", 3, -1), 2);
  EXPECT_EQ(table(), (Names{"hero:0", "other:0", "hero:2", "hero:1", "other:1", "hero:3"}));
  EXPECT_EQ(getPixel(frames[2].image, 0, 0), rgba(12, 0, 0, 255));   // the image moved with its number
}

// After a move the last record does not hold the highest number: a new frame
// must not take the number (and the PNG file) of another.
TEST_F(FrameList, MoveThenAddNeverRepeatsANumber) {
  addFrame("hero", "0", 2, 2);
  addFrame("hero", "1", 2, 2);
  moveFrame("hero", 1, -1);
  addLoadedFrame("hero", imageOf(2, 2, std::vector<uint32_t>(4, 0)), KEEP_FRAME_SIZE, PLACE_CENTER);
  duplicateFrame("hero", 0);
  EXPECT_EQ(table(), (Names{"hero:1", "hero:0", "hero:2", "hero:3"}));
}

TEST_F(FrameList, DeleteMakesTheFirstRemainingFrameCurrent) {
  addFrame("other", "0", 2, 2);
  addFrame("hero", "0", 2, 2);
  addFrame("hero", "1", 2, 2);
  addFrame("hero", "2", 2, 2);
  int middle = frames[2].image;
  EXPECT_EQ(deleteFrame("hero", 2), 1);
  EXPECT_FALSE(isImage(middle));
  EXPECT_EQ(table(), (Names{"other:0", "hero:0", "hero:2"}));
  EXPECT_EQ(deleteFrame("hero", 0), 1);   // not the sprite's: nothing removed
  EXPECT_EQ(frames.size(), 3u);
  deleteFrame("hero", 1);
  EXPECT_EQ(deleteFrame("hero", 1), -1);
  EXPECT_EQ(table(), (Names{"other:0"}));
}

TEST_F(FrameList, UsersOfASpriteTakeItsFirstFrame) {
  ObjectRecord& definition = appendObject();
  definition.sprite = "hero";
  ObjectRecord& instance = appendObject();
  instance.sprite = "hero";
  instance.image = 12345;
  appendObject().sprite = "other";
  addFrame("hero", "3", 5, 7);
  giveSpriteUsersFirstFrame("hero");
  for (int i : {0, 1}) {
    EXPECT_EQ(objects[size_t(i)].image, frames[0].image);
    EXPECT_EQ(objects[size_t(i)].imageWidth, 5);
    EXPECT_EQ(objects[size_t(i)].imageHeight, 7);
  }
  EXPECT_EQ(objects[2].image, 0);
  removeSpriteFrames("hero");
  giveSpriteUsersFirstFrame("hero");
  EXPECT_EQ(objects[1].image, -1);
  EXPECT_EQ(objects[1].imageWidth, 15);
}

}  // namespace
