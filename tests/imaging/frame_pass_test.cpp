#include "imaging/frame_pass.h"
#include "imaging/image_operations.h"
#include "imaging_test_util.h"
#include "project/tables.h"

#include <gtest/gtest.h>

namespace {

class FramePass : public testing::Test {
 protected:
  void SetUp() override {
    clearProjectTables();
    addFrame("hero", 4, 4);    // 0: the current frame
    addFrame("other", 4, 4);   // 1
    addFrame("hero", 2, 2);    // 2: smaller than the current frame
    addFrame("hero", 6, 3);    // 3: larger
    addFrame("hero", 0, 0);    // 4: no image
    addFrame("Hero", 4, 4);    // 5: another sprite, by case
  }
  void TearDown() override { clearProjectTables(); }

  void addFrame(const std::string& sprite, int w, int h) {
    FrameRecord& frame = appendFrame();
    frame.sprite = sprite;
    frame.image = w > 0 ? imageOf(w, h, std::vector<uint32_t>(size_t(w * h), rgba(10, 20, 30, 255))) : 0;
    before.push_back(frame.image);
  }

  std::vector<int> before;
};

// Each frame is read within its own size; other sprites and frames without
// an image are left alone; replaced images are freed.
TEST_F(FramePass, AllFramesEachWithinItsOwnSize) {
  EXPECT_EQ(applyToFrames("hero", 0, true, invertImage), 3);
  for (int i : {0, 2, 3}) {
    EXPECT_NE(frames[size_t(i)].image, before[size_t(i)]) << i;
    EXPECT_FALSE(isImage(before[size_t(i)])) << i;
  }
  EXPECT_EQ(imageWidth(frames[0].image), 4);
  EXPECT_EQ(imageWidth(frames[2].image), 2);
  EXPECT_EQ(imageHeight(frames[3].image), 3);
  EXPECT_EQ(imageWidth(frames[3].image), 6);
  for (int i : {0, 2, 3})
    for (uint32_t c : pixelsOf(frames[size_t(i)].image)) ASSERT_EQ(c, rgba(245, 235, 225, 255)) << i;
  EXPECT_EQ(frames[4].image, 0);
  for (int i : {1, 5}) {
    EXPECT_EQ(frames[size_t(i)].image, before[size_t(i)]);
    EXPECT_EQ(getPixel(frames[size_t(i)].image, 0, 0), rgba(10, 20, 30, 255));
  }
}

TEST_F(FramePass, OnlyTheCurrentFrame) {
  EXPECT_EQ(applyToFrames("hero", 2, false, invertImage), 1);
  for (size_t i = 0; i < frames.size(); i++) EXPECT_EQ(frames[i].image != before[i], i == 2) << i;
  // A current frame without an image, or of another sprite, changes nothing.
  EXPECT_EQ(applyToFrames("hero", 4, false, invertImage), 0);
  EXPECT_EQ(applyToFrames("hero", 1, false, invertImage), 0);
  EXPECT_EQ(frames[1].image, before[1]);
}

// A failed operation keeps the frame's image; one done in place keeps its number.
TEST_F(FramePass, FailedAndInPlaceOperations) {
  EXPECT_EQ(applyToFrames("hero", 0, true, [](int) { return 0; }), 0);
  for (size_t i = 0; i < frames.size(); i++) {
    EXPECT_EQ(frames[i].image, before[i]);
    if (before[i]) {
      EXPECT_TRUE(isImage(before[i]));
    }
  }
  EXPECT_EQ(applyToFrames("hero", 0, true, [](int image) { return stretchImage(image, 5, 5, true) ? image : 0; }), 3);
  for (int i : {0, 2, 3}) {
    EXPECT_EQ(frames[size_t(i)].image, before[size_t(i)]);
    EXPECT_EQ(imageWidth(frames[size_t(i)].image), 5);
  }
  EXPECT_EQ(imageWidth(frames[1].image), 4);
}

}  // namespace
