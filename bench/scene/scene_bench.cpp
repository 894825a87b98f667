// The scene window on the large benchmark project: opening it (and closing
// it through Done, which costs little beside), with the memory that the
// images made for the open window take; Done's two pictures of a 640 x 480
// scene; and the cards of every scene that Open makes. Runs on the offscreen platform unless QT_QPA_PLATFORM
// says otherwise, in a fresh folder under /tmp (or ZM_BENCH_FOLDER).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "bench/project/bench_folder.h"
#include "bench/project/large_project.h"
#include "project/makers.h"
#include "project/tables.h"
#include "ui/image.h"
#include "scene/scene_cards.h"
#include "scene/scene_pictures.h"
#include "scene/scene_window.h"
#include "ui/driver.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

// The bytes of the images alive now whose numbers were picked after `since`
// (picked numbers only grow).
double bytesOfImagesAfter(int since) {
  int probe = createImage(UI_ANY, 1, 1);
  double bytes = 0;
  for (int n = since + 1; n < probe; ++n)
    if (isImage(n)) bytes += 4.0 * imageWidth(n) * imageHeight(n);
  freeImage(probe);
  return bytes;
}

void BM_OpenSceneWindow(benchmark::State& state) {
  BenchFolder folder("scene", true);
  buildLargeProject(1);
  // A scene in the middle of the table, with a tile set as its background.
  const std::string scene = scenes[scenes.size() / 2].name;
  scenes[scenes.size() / 2].background = backgrounds[0].name;
  double newImageBytes = 0;
  for (auto _ : state) {
    int before = createImage(UI_ANY, 1, 1);
    freeImage(before);
    driverStart();
    driverCall([&] { newImageBytes = bytesOfImagesAfter(before); }, "measure");
    driverClick("Done");
    editScene(scene);
    if (!driverCheckDone()) state.SkipWithError("the window did not end as planned");
  }
  state.counters["new_image_MB"] = newImageBytes / (1024.0 * 1024.0);
  state.counters["instances"] = double(objects.size());
}

void BM_DonePictures(benchmark::State& state) {
  clearProjectTables();
  SceneRecord& scene = appendScene();
  scene.width = 640;
  scene.height = 480;
  scene.blue = 200;
  for (auto _ : state) {
    int project = sceneProjectPicture(0, -1);
    int panel = scenePanelPicture(0, -1);
    benchmark::DoNotOptimize(project + panel);
    freeImage(project);
    freeImage(panel);
  }
  clearProjectTables();
}

// What Open adds: the card of every scene of the large project.
void BM_SceneCards(benchmark::State& state) {
  BenchFolder folder("scene cards", true);
  buildLargeProject(1);
  for (auto _ : state) buildSceneCards();
  state.counters["scenes"] = double(scenes.size());
}

BENCHMARK(BM_OpenSceneWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DonePictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneCards)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
