#include "imaging/rotate_image.h"

#include "ui/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

int randomImage(int w, int h, int depth, unsigned seed) {
  int image = createImage(-1, w, h, depth);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel(image, x, y, depth == 24 ? opaque(int(random())) : uint32_t(random()));
  return image;
}

// Same size, depth and every pixel.
::testing::AssertionResult samePixels(int a, int b) {
  if (!isImage(a) || !isImage(b)) return ::testing::AssertionFailure() << "no image";
  if (imageWidth(a) != imageWidth(b) || imageHeight(a) != imageHeight(b) || imageDepth(a) != imageDepth(b))
    return ::testing::AssertionFailure() << imageWidth(a) << "x" << imageHeight(a) << " vs " << imageWidth(b)
                                         << "x" << imageHeight(b);
  for (int y = 0; y < imageHeight(a); ++y)
    for (int x = 0; x < imageWidth(a); ++x)
      if (getPixel(a, x, y) != getPixel(b, x, y))
        return ::testing::AssertionFailure() << "differs at " << x << "," << y;
  return ::testing::AssertionSuccess();
}

class Rotation : public testing::Test {
 protected:
  void TearDown() override {
    for (int i : made) freeImage(i);
  }
  int keep(int image) {
    made.push_back(image);
    return image;
  }
  std::vector<int> made;
};

TEST_F(Rotation, QuarterTurnMovesCornersClockwise) {
  int src = keep(randomImage(30, 10, 32, 1));
  int r = keep(rotateImageRightAngle(src, 90));
  ASSERT_TRUE(isImage(r));
  EXPECT_EQ(imageWidth(r), 10);
  EXPECT_EQ(imageHeight(r), 30);
  EXPECT_EQ(imageDepth(r), 32);
  EXPECT_EQ(getPixel(r, 9, 0), getPixel(src, 0, 0));     // top-left to top-right
  EXPECT_EQ(getPixel(r, 9, 29), getPixel(src, 29, 0));   // top-right to bottom-right
  EXPECT_EQ(getPixel(r, 0, 29), getPixel(src, 29, 9));
  EXPECT_EQ(getPixel(r, 0, 0), getPixel(src, 0, 9));
  // Four quarter turns and two half turns give the picture back.
  int turned = copyImage(src);
  for (int i = 0; i < 4; ++i) {
    int next = rotateImageRightAngle(turned, 90);
    freeImage(turned);
    turned = next;
  }
  EXPECT_TRUE(samePixels(keep(turned), src));
  int half = keep(rotateImageRightAngle(src, 180));
  EXPECT_TRUE(samePixels(keep(rotateImageRightAngle(half, -180)), src));
}

TEST_F(Rotation, EquivalentAnglesGiveTheSamePicture) {
  int src = keep(randomImage(30, 10, 24, 2));
  struct Case {
    float angle;
    int sameAs;   // a right-angle turn
  } cases[] = {{-90, 270}, {450, 90}, {720, 0}, {360, 0}, {90, 90}, {-270, 90}, {540, 180}, {270, 270}};
  for (const Case& c : cases) {
    int want = keep(rotateImageRightAngle(src, c.sameAs));
    EXPECT_TRUE(samePixels(keep(rotateImageRightAngle(src, int(c.angle))), want)) << "right angle " << c.angle;
    // The general turn hands exact right angles to the exact one; -90 and
    // -270 are not among them and are interpolated.
    if (c.angle >= 0) {
      EXPECT_TRUE(samePixels(keep(rotateImage(src, c.angle, ROTATE_BILINEAR, -1)), want)) << c.angle;
    }
  }
  EXPECT_TRUE(samePixels(keep(rotateImageRightAngle(src, 0)), src));
}

TEST_F(Rotation, RefusalsGiveNoImage) {
  int src = keep(randomImage(4, 4, 32, 3));
  EXPECT_EQ(rotateImageRightAngle(src, 45), 0);
  EXPECT_EQ(rotateImageRightAngle(src, 1), 0);
  EXPECT_EQ(rotateImageRightAngle(987654, 90), 0);
  EXPECT_EQ(rotateImage(987654, 30.0f, ROTATE_BILINEAR, rgb(255, 255, 255)), 0);
}

TEST_F(Rotation, TurnedPictureGrowsAndItsCornersTakeTheFill) {
  struct Case {
    int depth, fill;
    uint32_t corner;
  } cases[] = {
      {32, rgb(255, 255, 255), rgba(0, 0, 0, 0)},   // transparent whatever the fill
      {24, rgb(255, 255, 255), opaque(rgb(255, 255, 255))},
      {32, -1, opaque(0)},
      {24, -1, opaque(0)},
  };
  for (int mode : {ROTATE_NEAREST, ROTATE_BILINEAR})
    for (const Case& c : cases) {
      std::string what = "depth " + std::to_string(c.depth) + " fill " + std::to_string(c.fill) + " mode " +
                          std::to_string(mode);
      int src = keep(createImage(-1, 100, 50, c.depth, opaque(rgb(10, 200, 30))));
      int r = keep(rotateImage(src, 45.0f, mode, c.fill));
      ASSERT_TRUE(isImage(r)) << what;
      EXPECT_EQ(imageWidth(r), 106) << what;
      EXPECT_EQ(imageHeight(r), 106) << what;
      EXPECT_EQ(imageDepth(r), c.depth) << what;
      for (auto [x, y] : {std::pair{0, 0}, {105, 0}, {0, 105}, {105, 105}})
        EXPECT_EQ(getPixel(r, x, y), c.corner) << what << " at " << x << "," << y;
      // A flat colour stays exactly that colour inside.
      EXPECT_EQ(getPixel(r, 53, 53), opaque(rgb(10, 200, 30))) << what;
    }
}

// Depth 24 keeps alpha 255 in our store: only the colour is interpolated.
TEST_F(Rotation, OpaqueImagesStayOpaque) {
  int src = keep(randomImage(20, 20, 24, 4));
  int r = keep(rotateImage(src, 33.0f, ROTATE_BILINEAR, rgb(255, 255, 255)));
  for (int y = 0; y < imageHeight(r); ++y)
    for (int x = 0; x < imageWidth(r); ++x) ASSERT_EQ(alpha(getPixel(r, x, y)), 255) << x << "," << y;
}

// A picture with a white left column, a red right one and black between,
// turned a little:
// each row of its middle begins just left of the picture, where the
// interpolation overshoots (up to 259 here, which would wrap to 3), and
// ends in the last column, which has no right-hand neighbour of its own.
TEST_F(Rotation, EdgesStayInRangeAndKeepTheirColour) {
  for (int depth : {24, 32}) {
    int src = keep(createImage(-1, 4, 40, depth, opaque(0)));
    for (int y = 0; y < 40; ++y) {
      setPixel(src, 0, y, opaque(0xFFFFFF));
      setPixel(src, 3, y, opaque(rgb(255, 0, 0)));
    }
    int r = keep(rotateImage(src, 10.0f, ROTATE_BILINEAR, 0));
    int h = imageHeight(r);
    for (int y = h / 3; y < 2 * h / 3; ++y) {
      int first = -1, last = -1;
      for (int x = 0; x < imageWidth(r); ++x)
        if (getPixel(r, x, y) != (depth == 32 ? rgba(0, 0, 0, 0) : opaque(0))) {
          if (first < 0) first = x;
          last = x;
        }
      ASSERT_GE(first, 0) << "row " << y;
      EXPECT_EQ(getPixel(r, first, y), opaque(0xFFFFFF)) << "depth " << depth << " row " << y << " first";
      EXPECT_EQ(getPixel(r, last, y), opaque(rgb(255, 0, 0))) << "depth " << depth << " row " << y << " last";
    }
  }
}

// The last row and column count as well: a single pixel survives a turn.
TEST_F(Rotation, SinglePixelSurvivesATurn) {
  int src = keep(createImage(-1, 1, 1, 32, rgba(200, 10, 20, 255)));
  int r = keep(rotateImage(src, 30.0f, ROTATE_BILINEAR, rgb(255, 255, 255)));
  ASSERT_EQ(imageWidth(r), 2);
  ASSERT_EQ(imageHeight(r), 2);
  EXPECT_EQ(getPixel(r, 1, 1), rgba(200, 10, 20, 255));
}

TEST_F(Rotation, NearestModeCopiesWholeSourcePixels) {
  int src = keep(randomImage(16, 16, 32, 5));
  int r = keep(rotateImage(src, 30.0f, ROTATE_NEAREST, rgb(255, 255, 255)));
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(getPixel(src, x, y));
  for (int y = 0; y < imageHeight(r); ++y)
    for (int x = 0; x < imageWidth(r); ++x) {
      uint32_t p = getPixel(r, x, y);
      if (p != rgba(0, 0, 0, 0)) {
        ASSERT_NE(std::find(pixels.begin(), pixels.end(), p), pixels.end()) << x << "," << y;
      }
    }
  EXPECT_EQ(getPixel(r, imageWidth(r) / 2, imageHeight(r) / 2), getPixel(src, 8, 8));
}

}  // namespace
