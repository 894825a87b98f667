#include "ui/image.h"
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Picture {
  int first, last, w, h;
};

// Numbers and sizes the rest of the program relies on.
const Picture table[] = {
    {98, 105, 150, 100},  {106, 113, 2880, 50}, {122, 130, 16, 16},   {131, 131, 800, 600},
    {144, 144, 800, 800}, {147, 150, 275, 38},  {151, 151, 500, 350}, {152, 152, 100, 100},
    {156, 168, 16, 16},   {169, 170, 15, 15},   {171, 171, 16, 16},   {174, 174, 16, 16},
    {176, 201, 16, 16},   {229, 229, 1280, 1280}, {230, 230, 360, 19}, {231, 231, 240, 240},
};

int expectedWidth(int number) {
  if (number == PIC_NO_SPRITE) return 100;
  for (const Picture& p : table)
    if (number >= p.first && number <= p.last) return p.w;
  return 0;
}

bool sameImage(int a, int b) {
  if (imageWidth(a) != imageWidth(b) || imageHeight(a) != imageHeight(b)) return false;
  return std::memcmp(imageBuffer(a), imageBuffer(b), size_t(imageBufferPitch(a)) * imageHeight(a)) == 0;
}

}  // namespace

TEST(CarriedPictures, EveryPictureAtItsNumberAndSize) {
  loadCarriedPictures();
  loadCarriedPictures();   // a second call changes nothing
  int count = 0;
  for (const Picture& p : table)
    for (int n = p.first; n <= p.last; n++) {
      if (n == PIC_NO_SPRITE) continue;
      ASSERT_TRUE(isImage(n)) << n;
      EXPECT_EQ(imageWidth(n), p.w) << n;
      EXPECT_EQ(imageHeight(n), p.h) << n;
      count++;
    }
  EXPECT_EQ(count, 77 + 1);   // the stored pictures and the blank one
  EXPECT_EQ(imageWidth(PIC_NO_SPRITE), 100);
  EXPECT_EQ(imageHeight(PIC_NO_SPRITE), 100);
  EXPECT_EQ(expectedWidth(157), 16);
  for (int n : {98, 122, 144, 156, 229, 231}) {
    freeImage(n);
    EXPECT_TRUE(isImage(n)) << n;
  }
}

TEST(CarriedPictures, FixedPixels) {
  loadCarriedPictures();
  struct Probe {
    int image, x, y;
    uint32_t pixel;
  } probes[] = {
      {PIC_CHECKERBOARD, 0, 0, rgba(192, 192, 192, 255)},   {PIC_CHECKERBOARD, 15, 15, rgba(192, 192, 192, 255)},
      {PIC_CHECKERBOARD, 16, 0, rgba(255, 255, 255, 255)},  {PIC_CHECKERBOARD, 0, 16, rgba(255, 255, 255, 255)},
      {PIC_CHECKERBOARD, 16, 16, rgba(192, 192, 192, 255)}, {PIC_CHECKERBOARD, 799, 799, rgba(192, 192, 192, 255)},
      {PIC_CURRENT_FRAME_MARK, 0, 0, rgba(149, 149, 255, 255)}, {PIC_CURRENT_FRAME_MARK, 1, 0, 0},
      {PIC_CURRENT_FRAME_MARK, 0, 1, 0}, {PIC_CURRENT_FRAME_MARK, 1279, 1279, rgba(149, 149, 255, 255)},
      {PIC_HUE_SPECTRUM, 0, 0, rgba(255, 0, 0, 255)},   {PIC_HUE_SPECTRUM, 60, 5, rgba(255, 255, 0, 255)},
      {PIC_HUE_SPECTRUM, 120, 18, rgba(0, 255, 0, 255)}, {PIC_HUE_SPECTRUM, 180, 0, rgba(0, 255, 255, 255)},
      {PIC_HUE_SPECTRUM, 240, 0, rgba(0, 0, 255, 255)},  {PIC_HUE_SPECTRUM, 300, 0, rgba(255, 0, 255, 255)},
      {PIC_HUE_SPECTRUM, 30, 0, rgba(255, 128, 0, 255)}, {PIC_HUE_SPECTRUM, 359, 0, rgba(255, 0, 4, 255)},
      {PIC_BLANK, 50, 50, rgba(0, 0, 0, 255)},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(getPixel(p.image, p.x, p.y), p.pixel) << p.image << " at " << p.x << "," << p.y;
  EXPECT_EQ(imageDepth(PIC_BLANK), 24);
  EXPECT_EQ(imageDepth(PIC_CURRENT_FRAME_MARK), 32);
}

TEST(CarriedPictures, IconsAreDistinctAndDrawn) {
  loadCarriedPictures();
  std::vector<int> icons;
  for (int n = 122; n <= 130; n++) icons.push_back(n);
  for (int n = 156; n <= 201; n++)
    if (isImage(n) && imageWidth(n) <= 16) icons.push_back(n);
  for (size_t i = 0; i < icons.size(); i++) {
    int n = icons[i], opaquePixels = 0;
    for (int y = 0; y < imageHeight(n); y++)
      for (int x = 0; x < imageWidth(n); x++) {
        int a = alpha(getPixel(n, x, y));
        opaquePixels += a == 255;
        if (a == 0) {
          ASSERT_EQ(getPixel(n, x, y), 0u) << n;   // no stray colour under alpha 0
        }
      }
    EXPECT_GT(opaquePixels, 12) << n;
    for (size_t j = 0; j < i; j++) EXPECT_FALSE(sameImage(n, icons[j])) << n << " looks like " << icons[j];
  }
}
