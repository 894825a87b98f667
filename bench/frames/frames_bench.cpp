// Timings of the frame editor's strip of 200 frames of 64 x 64, one tick of
// the sprite preview of a 128 x 128 frame at zoom 8, and a 4096 x 64 strip
// cut into 64 frames. Runs on the offscreen platform unless QT_QPA_PLATFORM
// says otherwise.
#include "bench/imaging/random_image.h"
#include "imaging/frame_editor.h"
#include "imaging/frame_list.h"
#include "imaging/image_strips.h"
#include "imaging/sprite_preview.h"
#include "project/tables.h"
#include "ui/driver.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace {

// The strip rebuilt inside an open frame editor, as every frame command does.
void BM_DrawFrameStrip(benchmark::State& state) {
  clearProjectTables();
  for (int k = 0; k < int(state.range(0)); ++k) appendSpriteFrame("hero", std::to_string(k), randomImage(64, 64, k));
  driverStart();
  driverCall([&] {
    for (auto _ : state) drawFrameStrip("hero", 1);
  });
  driverClick("Done");
  editSpriteFrames("hero", 0);
  driverCheckDone();
  driverStop();
  clearProjectTables();
}
BENCHMARK(BM_DrawFrameStrip)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(50);

// One preview tick of a 128 x 128 frame at zoom 8: the part that the
// window's 550 x 400 view shows (arg 1: 1), or all of the 1024 x 1024
// canvas (0); with and without the collision circle.
void BM_PreviewTick(benchmark::State& state) {
  int zoom = 8;
  int frame = randomImage(128, 128, 7);
  int canvas = createImage(-1, 128 * zoom, 128 * zoom, 24);
  SpriteRecord s;
  s.collisionshape = "Circle";
  s.collisionradius = 50;
  s.centerx = s.centery = 64;
  bool view = state.range(0) == 1;
  int shape = int(state.range(1));
  for (auto _ : state) {
    if (view)
      drawSpritePreview(canvas, frame, s, 128, 128, zoom, shape, 300, 300, 550, 400);
    else
      drawSpritePreview(canvas, frame, s, 128, 128, zoom, shape);
  }
  freeImage(canvas);
  freeImage(frame);
}
BENCHMARK(BM_PreviewTick)->Args({1, 1})->Args({0, 1})->Args({0, 0})->Unit(benchmark::kMillisecond);

// The cut of an imported strip, old frames freed and new ones made.
void BM_CutStrip(benchmark::State& state) {
  clearProjectTables();
  appendSprite().name = "hero";
  int strip = randomImage(4096, 64, 3);
  for (auto _ : state) cutImageStrip(0, strip, 64, 1);
  freeImage(strip);
  clearProjectTables();
}
BENCHMARK(BM_CutStrip)->Unit(benchmark::kMillisecond);

}  // namespace
