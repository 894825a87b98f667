// The scene's pictures drawn a band of rows at a time against the plain
// way: the whole scene drawn at full size, then scaled to the nearest pixel.
#include "scene/scene_pictures.h"
#include "tests/scene/scene_view_fixture.h"
#include "ui/draw.h"

using ScenePictures = SceneViewTest;

namespace {

// The whole scene (as the pictures show it) at full size, scaled.
int plainScaledPicture(int w, int h) {
  const SceneRecord& scene = scenes[0];
  int whole = createImage(-1, std::min(scene.width, IMAGE_MAX_SIDE), std::min(scene.height, IMAGE_MAX_SIDE), 24);
  SceneViewInput in;
  in.sceneIndex = 0;
  in.showGrid = 0;
  in.marks = 0;
  drawSceneView(whole, 0, 0, in);
  int scaled = createImage(-1, w, h, 24);
  startDrawing(scaled);
  drawingMode(DRAW_DEFAULT);
  drawImageScaled(whole, 0, 0, w, h);
  stopDrawing();
  freeImage(whole);
  return scaled;
}

}  // namespace

// Sizes of one band, of several bands (4096 x 2048 is twice the band's
// pixels), of scenes smaller than their picture and of one wider than an
// image can be.
TEST_F(ScenePictures, BandsGiveThePixelsOfTheWholePicture) {
  struct Case {
    int sceneW, sceneH, w, h;
  } cases[] = {{200, 150, 80, 60}, {4096, 2048, 240, 120}, {4096, 2048, 80, 40}, {30, 7, 80, 19},
               {20000, 480, 240, 6}, {1, 5000, 1, 80}};
  addSprite("ball", 40, 30, opaque(rgb(250, 250, 0)));
  for (int i = 0; i < 40; ++i) {
    addInstance("o" + std::to_string(i), "ball", 97 * i, 51 * i).selected = i % 3 == 0;
    addTile("t" + std::to_string(i), 101 * i + 5, 47 * i, 60, 20, i % 5, opaque(rgb(0, 6 * i, 200))).selected =
        i % 2;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.sceneW) + " x " + std::to_string(c.sceneH));
    scenes[0].width = c.sceneW;
    scenes[0].height = c.sceneH;
    int banded = sceneScaledPicture(0, -1, c.w, c.h);
    int plain = plainScaledPicture(c.w, c.h);
    ASSERT_TRUE(isImage(banded));
    int differing = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) differing += getPixel(banded, x, y) != getPixel(plain, x, y);
    EXPECT_EQ(differing, 0);
    freeImage(banded);
    freeImage(plain);
  }
  scenes[0].width = 0;
  EXPECT_EQ(sceneScaledPicture(0, -1, 80, 60), 0);
  EXPECT_EQ(sceneScaledPicture(5, -1, 80, 60), 0);
}
