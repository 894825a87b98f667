// The background preview's ticks against the whole picture drawn afresh,
// which is what every tick drew before an unchanged tick was left alone.
#include "editors/background_preview.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

int randomPicture(std::mt19937& random, int w, int h, int depth) {
  int picture = createImage(-1, w, h, depth);
  std::uniform_int_distribution<int> pick(0, 3);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      uint32_t c = random(), k = uint32_t(pick(random));   // plenty of clear and opaque pixels
      setPixel(picture, x, y, k == 0 ? c & 0x00FFFFFFu : k == 1 ? c | 0xFF000000u : c);
    }
  return picture;
}

// Whether the target holds exactly what one drawBackgroundTick draws.
::testing::AssertionResult showsWholeTick(int target, int picture, const TileGrid* grid) {
  int w = imageWidth(target), h = imageHeight(target);
  int expected = createImage(-1, w, h, imageDepth(target), opaque(rgb(1, 2, 3)));
  drawBackgroundTick(expected, picture, grid);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      if (getPixel(target, x, y) != getPixel(expected, x, y)) {
        freeImage(expected);
        return ::testing::AssertionFailure() << "differs at " << x << "," << y;
      }
  freeImage(expected);
  return ::testing::AssertionSuccess();
}

}  // namespace

// Random edits of the tile fields, the tile-set box, the picture and the
// canvas size: a tick with nothing new returns false and leaves the target
// as it is (a mark made on it stays); any other tick leaves exactly the
// whole picture, the grid put right by undoing the old one where only the
// grid changed.
TEST(BackgroundPreview, TicksMatchTheWholePictureAndSkipWhenNothingChanged) {
  loadCarriedPictures();
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> size(0, 40), offset(-60, 60), space(0, 12), step(0, 9);
  // Wider than the 800-pixel backdrop, so that it repeats.
  int picture = randomPicture(random, 830, 70, 32);
  int canvas = createImage(-1, 830, 70, 24, opaque(0xFFFFFF));
  BackgroundShown shown;
  TileGrid grid{32, 32, 0, 0, 0, 0};
  bool tiled = true;
  const uint32_t mark = opaque(rgb(7, 7, 7));
  uint32_t underMark = 0;
  for (int round = 0; round < 150; round++) {
    int what = step(random);
    bool expectChange = round == 0;
    if (what <= 3) {
      TileGrid before = grid;
      grid = {size(random), size(random), offset(random), offset(random), space(random), space(random)};
      if (what == 3) grid.xoffset = grid.yspace = 2000000000;   // nothing may overflow
      expectChange |= tiled && before != grid;
    } else if (what == 4) {
      tiled = !tiled;
      expectChange = true;
    } else if (what == 5) {
      // A new picture of the same size under the same number: the window
      // forgets what it showed.
      int fresh = randomPicture(random, 830, 70, random() % 2 ? 32 : 24);
      copyImage(fresh, picture);
      freeImage(fresh);
      shown = {};
      expectChange = true;
    } else if (what == 6) {
      // The canvas resized under its number, emptied: its size tells.
      createImage(canvas, imageWidth(canvas) == 830 ? 800 : 830, 70, 24, opaque(0xFFFFFF));
      expectChange = true;
    }
    int corner = imageWidth(canvas) - 1;
    if (expectChange && round > 0 && what != 6) setPixel(canvas, corner, 69, underMark);
    bool changed = updateBackgroundTick(shown, canvas, picture, tiled ? &grid : nullptr);
    ASSERT_EQ(changed, expectChange) << "round " << round;
    if (!changed) {
      ASSERT_EQ(getPixel(canvas, corner, 69), mark) << "round " << round;
      setPixel(canvas, corner, 69, underMark);
    }
    ASSERT_TRUE(showsWholeTick(canvas, picture, tiled ? &grid : nullptr)) << "round " << round << " step " << what;
    underMark = getPixel(canvas, corner, 69);
    setPixel(canvas, corner, 69, mark);
  }
  // Nothing is drawn without a picture.
  BackgroundShown none;
  EXPECT_FALSE(updateBackgroundTick(none, canvas, 0, &grid));
  EXPECT_FALSE(none.drawn);
  freeImage(picture);
  freeImage(canvas);
}
