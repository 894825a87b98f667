#include "ui/draw.h"
#include "ui/image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "ui/image_store.h"

TEST(ImageStore, PickedNumbersAreNeverZeroNorReused) {
  std::set<int> seen;
  for (int i = 0; i < 50; i++) {
    int image = createImage(-1, 4, 4);
    ASSERT_NE(image, 0);
    EXPECT_TRUE(seen.insert(image).second);
    freeImage(image);
  }
  int stale = *seen.begin();
  EXPECT_FALSE(isImage(stale));
  freeImage(stale);   // nothing happens
  EXPECT_EQ(imageWidth(stale), 0);
  EXPECT_EQ(imageDepth(stale), 0);
}

TEST(ImageStore, RejectsBadSizes) {
  struct Case {
    int w, h;
  } cases[] = {{0, 5}, {5, 0}, {-1, 5}, {5, -3}, {IMAGE_MAX_SIDE + 1, 1}, {1, IMAGE_MAX_SIDE + 1},
               {-2147483647 - 1, -2147483647 - 1}, {2147483647, 2147483647}};
  for (const Case& c : cases) {
    EXPECT_EQ(createImage(-1, c.w, c.h), 0) << c.w << "x" << c.h;
  }
  int image = createImage(-1, 3, 3);
  EXPECT_FALSE(resizeImage(image, 0, 3, true));
  EXPECT_EQ(imageWidth(image), 3);
  freeImage(image);
}

TEST(ImageStore, FixedNumberReplacesButCarriedPictureStays) {
  ASSERT_EQ(createImage(4242, 2, 2, 32, rgba(1, 2, 3, 4)), 4242);
  ASSERT_EQ(createImage(4242, 5, 6, 24), 4242);
  EXPECT_EQ(imageWidth(4242), 5);
  EXPECT_EQ(imageDepth(4242), 24);
  keepImage(4242);
  freeImage(4242);
  EXPECT_TRUE(isImage(4242));
  EXPECT_EQ(createImage(4242, 1, 1), 0);   // a carried picture is not replaced
  EXPECT_EQ(imageWidth(4242), 5);
  // The program carries its pictures for its whole life, so nothing public
  // takes the mark off; the test does, so that it can run again.
  findImage(4242)->kept = false;
  freeImage(4242);
  EXPECT_FALSE(isImage(4242));
}

TEST(ImageStore, DepthDecidesAlpha) {
  int opaqueImage = createImage(-1, 2, 2, 24, rgba(10, 20, 30, 0));
  EXPECT_EQ(getPixel(opaqueImage, 1, 1), rgba(10, 20, 30, 255));
  setPixel(opaqueImage, 0, 0, rgba(1, 2, 3, 7));
  EXPECT_EQ(getPixel(opaqueImage, 0, 0), rgba(1, 2, 3, 255));
  int clear = createImage(-1, 2, 2);
  EXPECT_EQ(getPixel(clear, 0, 1), 0u);
  // Out of range: reads 0, writes nothing.
  setPixel(clear, 2, 0, rgba(9, 9, 9, 9));
  setPixel(clear, -1, 0, rgba(9, 9, 9, 9));
  EXPECT_EQ(getPixel(clear, 2, 0), 0u);
  EXPECT_EQ(getPixel(clear, -1, 0), 0u);
  freeImage(opaqueImage);
  freeImage(clear);
}

TEST(ImageStore, HiddenColourSurvivesCopyAndGrab) {
  int image = createImage(-1, 3, 2);
  setPixel(image, 2, 1, rgba(255, 0, 0, 0));
  int copy = copyImage(image);
  ASSERT_NE(copy, 0);
  EXPECT_EQ(getPixel(copy, 2, 1), rgba(255, 0, 0, 0));
  int grab = grabImage(image, -1, 1, 0, 10, 10);   // clipped to 2 x 2
  EXPECT_EQ(imageWidth(grab), 2);
  EXPECT_EQ(imageHeight(grab), 2);
  EXPECT_EQ(getPixel(grab, 1, 1), rgba(255, 0, 0, 0));
  EXPECT_EQ(grabImage(image, -1, 3, 0, 2, 2), 0);   // nothing inside
  EXPECT_EQ(copyImage(999999999), 0);
  freeImage(image);
  freeImage(copy);
  freeImage(grab);
}

// A copy shares its source's pixels until either is written, whichever way
// it is written; neither ever sees the other's changes.
TEST(ImageStore, CopiesSharePixelsUntilWritten) {
  const uint32_t grey = rgba(50, 50, 50, 255), green = rgba(0, 255, 0, 255);
  struct Case {
    const char* how;
    std::function<void(int)> write;
  } cases[] = {
      {"setPixel", [&](int i) { setPixel(i, 1, 1, green); }},
      {"drawing", [&](int i) {
         startDrawing(i);
         box(1, 1, 1, 1, green);
         stopDrawing();
       }},
      {"buffer", [&](int i) { std::memcpy(imageBuffer(i) + imageBufferPitch(i) + 4, &green, 4); }},
  };
  for (const Case& c : cases) {
    for (bool writeCopy : {true, false}) {
      SCOPED_TRACE(std::string(c.how) + (writeCopy ? " into the copy" : " into the source"));
      int source = createImage(-1, 4, 3, 32, grey);
      const size_t alone = imagePixelBytes();
      int copy = copyImage(source);
      ASSERT_NE(copy, 0);
      EXPECT_EQ(imagePixelBytes(), alone);
      c.write(writeCopy ? copy : source);
      EXPECT_EQ(imagePixelBytes(), alone + 4 * 3 * 4);
      EXPECT_EQ(getPixel(copy, 1, 1), writeCopy ? green : grey);
      EXPECT_EQ(getPixel(source, 1, 1), writeCopy ? grey : green);
      freeImage(writeCopy ? source : copy);   // the other keeps its pixels
      int kept = writeCopy ? copy : source;
      EXPECT_EQ(getPixel(kept, 1, 1), green);
      EXPECT_EQ(getPixel(kept, 0, 0), grey);
      freeImage(kept);
    }
  }
  const int before = liveImageCount();
  int image = createImage(-1, 2, 2);
  EXPECT_EQ(copyImage(image, image), image);   // onto itself: unchanged, no new image
  EXPECT_EQ(liveImageCount(), before + 1);
  freeImage(image);
  EXPECT_EQ(liveImageCount(), before);
}

TEST(ImageStore, BufferIsRgbaRowsFromTheTop) {
  int image = createImage(-1, 3, 2);
  setPixel(image, 1, 1, rgba(11, 22, 33, 44));
  uint8_t* p = imageBuffer(image);
  int pitch = imageBufferPitch(image);
  ASSERT_EQ(pitch, 12);
  EXPECT_EQ(p[pitch + 4], 11);
  EXPECT_EQ(p[pitch + 5], 22);
  EXPECT_EQ(p[pitch + 6], 33);
  EXPECT_EQ(p[pitch + 7], 44);
  EXPECT_EQ(imageBuffer(999999999), nullptr);
  freeImage(image);
}

TEST(ImageStore, ResizePlainPicksNearestAndSmoothKeepsHiddenColourOut) {
  int image = createImage(-1, 2, 1);
  setPixel(image, 0, 0, rgba(200, 0, 0, 255));
  setPixel(image, 1, 0, rgba(0, 255, 0, 0));   // transparent green
  int plain = copyImage(image);
  ASSERT_TRUE(resizeImage(plain, 4, 2, false));
  for (int y = 0; y < 2; y++) {
    EXPECT_EQ(getPixel(plain, 0, y), rgba(200, 0, 0, 255));
    EXPECT_EQ(getPixel(plain, 1, y), rgba(200, 0, 0, 255));
    EXPECT_EQ(getPixel(plain, 3, y), rgba(0, 255, 0, 0));
  }
  ASSERT_TRUE(resizeImage(image, 4, 1, true));
  // Interpolated pixels take no colour from the transparent neighbour.
  for (int x = 0; x < 3; x++) {
    uint32_t p = getPixel(image, x, 0);
    if (alpha(p) > 0) {
      EXPECT_EQ(red(p), 200) << x;
      EXPECT_EQ(green(p), 0) << x;
    }
  }
  EXPECT_EQ(getPixel(image, 0, 0), rgba(200, 0, 0, 255));
  EXPECT_EQ(alpha(getPixel(image, 3, 0)), 0);
  freeImage(image);
  freeImage(plain);
}

// Shrinking plainly, each target pixel takes the source pixel under its
// middle: column floor((x + 1/2) * sw / tw), and the same for rows.
TEST(ImageStore, ResizePlainShrinkTakesThePixelUnderEachMiddle) {
  struct Case {
    int sw, sh, tw, th;
    std::vector<int> columns, rows;
  } cases[] = {
      {3, 3, 2, 2, {0, 2}, {0, 2}},
      {4, 1, 2, 1, {1, 3}, {0}},
      {5, 5, 3, 2, {0, 2, 4}, {1, 3}},
      {7, 3, 3, 1, {1, 3, 5}, {1}},
      {10, 6, 4, 4, {1, 3, 6, 8}, {0, 2, 3, 5}},
      {2, 2, 1, 1, {1}, {1}},
      {3, 2, 2, 5, {0, 2}, {0, 0, 1, 1, 1}},   // one side shrinks, the other grows
  };
  for (const Case& c : cases) {
    int image = createImage(-1, c.sw, c.sh);
    for (int y = 0; y < c.sh; y++)
      for (int x = 0; x < c.sw; x++) setPixel(image, x, y, rgba(x, y, 9, 255));
    ASSERT_TRUE(resizeImage(image, c.tw, c.th, false));
    ASSERT_EQ(imageWidth(image), c.tw);
    ASSERT_EQ(imageHeight(image), c.th);
    for (int y = 0; y < c.th; y++)
      for (int x = 0; x < c.tw; x++) {
        int sx = c.columns[size_t(x)], sy = c.rows[size_t(y)];
        EXPECT_EQ(getPixel(image, x, y), rgba(sx, sy, 9, 255))
            << c.sw << "x" << c.sh << " to " << c.tw << "x" << c.th << " at " << x << "," << y;
      }
    freeImage(image);
  }
}

TEST(ImageStore, SmoothShrinkAveragesAnOpaqueImage) {
  int image = createImage(-1, 4, 4, 24);
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 4; x++) setPixel(image, x, y, (x + y) % 2 ? rgba(255, 255, 255, 255) : rgba(0, 0, 0, 255));
  ASSERT_TRUE(resizeImage(image, 2, 2, true));
  for (int y = 0; y < 2; y++)
    for (int x = 0; x < 2; x++) EXPECT_EQ(getPixel(image, x, y), rgba(128, 128, 128, 255));
  freeImage(image);
}
