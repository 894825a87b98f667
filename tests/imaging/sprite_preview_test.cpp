#include "imaging/sprite_preview.h"
#include "imaging_test_util.h"
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SpritePreview, IntervalAndZoomCap) {
  for (auto [speed, ms] : {std::pair{30, 33}, {7, 142}, {1000, 1}, {1001, 0}, {1, 1000}})
    EXPECT_EQ(previewIntervalFor(speed), ms) << speed;
  struct Case {
    int w, h, zoom, effective;
  } cases[] = {{32, 16, 3, 3}, {128, 128, 64, 32}, {256, 100, 64, 16}, {5000, 10, 8, 1}, {0, 0, 4, 4}};
  for (const Case& c : cases) EXPECT_EQ(effectivePreviewZoom(c.w, c.h, c.zoom), c.effective) << c.w << " " << c.zoom;
}

// A 4 x 2 frame at zoom 3: the frame blended over the backdrop, the origin
// cross moved with the zoom, and the circle around the middle of the image,
// not around the origin.
TEST(SpritePreview, DrawsFrameCrossAndShapeScaled) {
  int frame = imageOf(4, 2, std::vector<uint32_t>(8, rgba(200, 0, 0, 255)));
  setPixel(frame, 3, 1, 0);   // transparent: the backdrop shows
  SpriteRecord s;
  s.centerx = 1;
  s.centery = 0;
  s.collisionshape = "Circle";
  s.collisionradius = 0;
  int target = createImage(-1, 12, 6, 24, opaque(rgb(1, 2, 3)));
  drawSpritePreview(target, frame, s, 4, 2, 3, 1);
  EXPECT_EQ(getPixel(target, 0, 5), opaque(rgb(200, 0, 0)));
  EXPECT_EQ(getPixel(target, 11, 5), isImage(PIC_CHECKERBOARD) ? getPixel(PIC_CHECKERBOARD, 11, 5)
                                                                 : opaque(rgb(1, 2, 3)));
  EXPECT_EQ(getPixel(target, 3, 4), opaque(0));    // vertical line at 1 x 3
  EXPECT_EQ(getPixel(target, 10, 0), opaque(0));   // horizontal line at 0 x 3
  EXPECT_EQ(getPixel(target, 2, 4), opaque(rgb(200, 0, 0)));
  // Radius 0 at the middle (2, 1) x 3 = (6, 3): one green-tinted pixel.
  uint32_t tinted = getPixel(target, 6, 3);
  EXPECT_EQ(red(tinted), 200 * 125 / 255);
  EXPECT_EQ(green(tinted), 255 * 130 / 255);
  EXPECT_EQ(getPixel(target, 7, 4), opaque(rgb(200, 0, 0)));

  // The box from (left, top) to (right, bottom), and no shape when hidden.
  s.collisionshape = "Box";
  s.collisionleft = 2, s.collisionright = 3, s.collisiontop = 1, s.collisionbottom = 2;
  drawSpritePreview(target, frame, s, 4, 2, 3, 1);
  EXPECT_EQ(getPixel(target, 6, 3), tinted);
  EXPECT_EQ(getPixel(target, 8, 5), tinted);
  EXPECT_EQ(getPixel(target, 9, 5), isImage(PIC_CHECKERBOARD) ? getPixel(PIC_CHECKERBOARD, 9, 5) : opaque(rgb(1, 2, 3)));
  EXPECT_EQ(getPixel(target, 5, 3), opaque(rgb(200, 0, 0)));
  drawSpritePreview(target, frame, s, 4, 2, 3, 0);
  EXPECT_EQ(getPixel(target, 6, 3), opaque(rgb(200, 0, 0)));

  // Numbers far beyond the canvas draw nothing wrong.
  s.collisionleft = -2000000000, s.collisionright = 2000000000, s.centerx = 2000000000;
  drawSpritePreview(target, frame, s, 4, 2, 64, 1);
  freeImage(target);
  freeImage(frame);
}

// Drawing only the part on show gives that part exactly as drawing the whole
// canvas does, over a backdrop tiled across the canvas, and leaves the rest.
TEST(SpritePreview, APartEqualsTheSamePartOfTheWhole) {
  std::mt19937 random(5);
  int backdrop = randomImage(random, 40, 30, 24);
  ASSERT_EQ(copyImage(backdrop, PIC_CHECKERBOARD), PIC_CHECKERBOARD);
  int frame = randomImage(random, 13, 9);
  SpriteRecord s;
  s.centerx = 5, s.centery = 7, s.collisionshape = "Circle", s.collisionradius = 4;
  for (const char* shape : {"Circle", "Box"}) {
    s.collisionshape = shape;
    s.collisionleft = 2, s.collisionright = 11, s.collisiontop = -1, s.collisionbottom = 6;
    int whole = createImage(-1, 13 * 7, 9 * 7, 24, opaque(rgb(1, 2, 3)));
    drawSpritePreview(whole, frame, s, 13, 9, 7, 1);
    int part = createImage(-1, 13 * 7, 9 * 7, 24, opaque(rgb(1, 2, 3)));
    drawSpritePreview(part, frame, s, 13, 9, 7, 1, 33, 21, 45, 500);
    for (int y = 0; y < 63; ++y)
      for (int x = 0; x < 91; ++x) {
        bool inside = x >= 33 && x < 78 && y >= 21;
        ASSERT_EQ(getPixel(part, x, y), inside ? getPixel(whole, x, y) : opaque(rgb(1, 2, 3))) << x << ", " << y;
      }
    freeImage(whole);
    freeImage(part);
  }
  freeImage(PIC_CHECKERBOARD);
  freeImage(backdrop);
  freeImage(frame);
}

}  // namespace
