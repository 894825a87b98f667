// Timings of the scene view: one tick's picture on a small and on a large
// scene, the tick of one scene in a small and in a large project, the tick
// of a scene of 80,000 instances, and a hit test over many instances. The
// ticks are timed beside the old way of drawing (walking the whole project
// and looking every record up each tick), which the names marked Reference
// run.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "bench/project/bench_folder.h"
#include "bench/project/large_project.h"
#include "project/tables.h"
#include "scene/scene_draw.h"
#include "scene/scene_hits.h"
#include "tests/scene/scene_draw_reference.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

namespace {

using DrawView = std::string (*)(int, int, int, const SceneViewInput&);

// A scene of w x h with `count` instances of a 32 x 32 sprite (a few turned
// pictures larger) and `tileCount` tiles of 32 x 32 on two layers, spread at
// random, some selected, and a tiled background.
int makeScene(int w, int h, int count, unsigned seed, int tileCount = -1) {
  if (tileCount < 0) tileCount = count;
  loadCarriedPictures();
  clearProjectTables();
  SceneRecord& s = appendScene();
  s.name = "room";
  s.width = w;
  s.height = h;
  s.red = 40;
  s.background = "bricks";
  s.backgroundtilex = s.backgroundtiley = 1;
  SpriteRecord& sprite = appendSprite();
  sprite.name = "ball";
  sprite.centerx = sprite.centery = 16;
  for (int i = 0; i < 3; ++i) {
    FrameRecord& f = appendFrame();
    f.sprite = "ball";
    f.image = createImage(-1, 32, 32, 32, rgba(200, 40, 40, 180));
  }
  std::mt19937 random(seed);
  for (int i = 0; i < count; ++i) {
    ObjectRecord& o = appendObject();
    o.name = "SceneObject" + std::to_string(i);
    o.template_ = "obj";
    o.scene = "room";
    o.sprite = "ball";
    o.image = frames[0].image;
    o.rotatedImage = copyImage(o.image);
    o.imageWidth = o.imageHeight = 32;
    o.x = int(random() % unsigned(w));
    o.y = int(random() % unsigned(h));
    o.depth = int(random() % 3);
    o.selected = i % 50 == 0;
    if (i >= tileCount) continue;
    TileRecord& t = appendTile();
    t.name = "tile_" + std::to_string(i);
    t.scene = "room";
    t.width = t.height = 32;
    t.x = int(random() % unsigned(w));
    t.y = int(random() % unsigned(h));
    t.depth = 1000 * int(1 + random() % 2);
    t.image = createImage(-1, 32, 32, 32, rgba(30, 200, 30, 220));
  }
  return createImage(-1, 64, 48, 24, opaque(rgb(90, 60, 30)));
}

SceneViewInput viewInput(int background) {
  SceneViewInput in;
  in.sceneIndex = 0;
  in.backgroundImage = background;
  in.tab = VIEW_TAB_OBJECTS;
  in.showGrid = 1;
  in.gridSize = 20;
  in.pointerInside = 1;
  in.mouseX = 100;
  in.mouseY = 100;
  in.objectToPlace = "obj";
  in.placeImage = frames[0].image;
  in.placeSprite = 0;
  return in;
}

void BM_TickSmallScene(benchmark::State& state) {
  int background = makeScene(640, 480, 500, 1);
  int canvas = createImage(-1, 640, 480, 24);
  SceneViewInput in = viewInput(background);
  for (auto _ : state) benchmark::DoNotOptimize(drawSceneView(canvas, 0, 0, in));
  freeImage(canvas);
  freeImage(background);
  clearProjectTables();
}
BENCHMARK(BM_TickSmallScene)->Unit(benchmark::kMillisecond);

// The visible 1024 x 768 drawn apart and copied into the scene's canvas,
// as the window's tick does.
void BM_TickLargeSceneVisiblePart(benchmark::State& state) {
  int background = makeScene(8192, 8192, 5000, 2);
  int canvas = createImage(-1, 8192, 8192, 24);
  int part = createImage(-1, 1024, 768, 24);
  SceneViewInput in = viewInput(background);
  for (auto _ : state) {
    drawSceneView(part, 3000, 4000, in);
    startDrawing(canvas);
    drawingMode(DRAW_DEFAULT);
    drawImage(part, 3000, 4000);
    stopDrawing();
  }
  freeImage(part);
  freeImage(canvas);
  freeImage(background);
  clearProjectTables();
}
BENCHMARK(BM_TickLargeSceneVisiblePart)->Unit(benchmark::kMillisecond);

// One tick of the same 500-instance scene, drawn whole into its 640 x 480
// canvas, in the large project counted in quarters (1: the quarter
// project; 16: one 16 times larger).
template <DrawView draw>
void BM_SceneTickInProject(benchmark::State& state) {
  BenchFolder folder("scene_view", false);
  loadCarriedPictures();
  buildLargeProjectQuarters(int(state.range(0)));
  SceneViewInput in = viewInput(-1);
  in.sceneIndex = int(scenes.size() / 2);
  int canvas = createImage(-1, 640, 480, 24);
  draw(canvas, 0, 0, in);
  for (auto _ : state) benchmark::DoNotOptimize(draw(canvas, 0, 0, in));
  state.counters["instances"] = double(objects.size());
  freeImage(canvas);
}
BENCHMARK(BM_SceneTickInProject<drawSceneView>)
    ->Name("BM_SceneTickInProject")
    ->Arg(1)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneTickInProject<referenceDrawSceneView>)
    ->Name("BM_SceneTickInProjectReference")
    ->Arg(1)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);

// A scene of 16,000 x 16,000 with 80,000 instances, each with a display
// picture of its own as the window makes them, seen through a 640 x 480
// view.
template <DrawView draw>
void BM_Tick80000Instances(benchmark::State& state) {
  int background = makeScene(16000, 16000, 80000, 4, 0);
  int part = createImage(-1, 640, 480, 24);
  SceneViewInput in = viewInput(background);
  draw(part, 7000, 9000, in);
  for (auto _ : state) benchmark::DoNotOptimize(draw(part, 7000, 9000, in));
  freeImage(part);
  freeImage(background);
  clearProjectTables();
}
BENCHMARK(BM_Tick80000Instances<drawSceneView>)->Name("BM_Tick80000Instances")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tick80000Instances<referenceDrawSceneView>)
    ->Name("BM_Tick80000InstancesReference")
    ->Unit(benchmark::kMillisecond);

void BM_HitTest5000(benchmark::State& state) {
  int background = makeScene(4000, 4000, 5000, 3);
  for (auto _ : state) benchmark::DoNotOptimize(instancesHitAt("room", 2000, 2000));
  freeImage(background);
  clearProjectTables();
}
BENCHMARK(BM_HitTest5000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
