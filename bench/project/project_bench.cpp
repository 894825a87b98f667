// Writes and reads a large project: per unit of size, 2,000 sprites of 4
// frames of 32 x 32, 1,000 objects with 5 events each, 100 scenes with 500
// instances and 500 tiles each, 500 functions. Runs in a fresh folder under
// /tmp (or the folder that ZM_BENCH_FOLDER names), which it removes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "project/exchange.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/project_file.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/system.h"

namespace {

void buildProject(int size) {
  clearProjectTables();
  const char* events[] = {"Creation", "Step", "Draw", "Destroy", "Collision"};
  for (int i = 0; i < 2000 * size; ++i) {
    std::string sprite = newSprite();
    for (int f = 0; f < 4; ++f) {
      int image = createImage(-1, 32, 32, 32, rgba(i & 255, f * 60, 100, 255));
      startDrawing(image);
      box(f, f, 10, 10, rgba(255, 255, 255, 128));
      stopDrawing();
      appendFrame() = {std::to_string(f), sprite, image};
    }
  }
  for (int b = 0; b < 10; ++b) {
    std::string bg = newBackground();
    backgrounds.back().file = bg + ".png";
    backgrounds.back().tile = 1;
    int sheet = createImage(-1, 256, 256, 32, rgba(b * 20, 0, 0, 255));
    savePng(sheet, workFolder + "/" + bg + ".png");
    freeImage(sheet);
  }
  for (int i = 0; i < 1000 * size; ++i) {
    std::string object = newObject();
    objects.back().sprite = sprites[size_t(i) % sprites.size()].name;
    for (const char* e : events) {
      int at = addObjectEvent(object, e, "");
      scripts[size_t(at)].code = "if (x < 10 && y > 2) {\n\tx += 1; // \"step\"\n}\n";
    }
  }
  const size_t definitions = objects.size();
  for (int s = 0; s < 100 * size; ++s) {
    std::string scene = newScene();
    scenes.back().code = "start();";
    for (int k = 0; k < 500; ++k) {
      const ObjectRecord def = objects[size_t(k * 7 + s) % definitions];
      ObjectRecord& o = appendObject();
      o.prototype = 0;
      o.template_ = def.name;
      o.name = "SceneObject" + std::to_string(nextUid());
      o.sprite = def.sprite;
      o.scene = scene;
      o.x = k * 3;
      o.y = k * 5;
      o.visible = 1;
      o.collision = 1;
      TileRecord& t = appendTile();
      t.name = "tile_" + std::to_string(nextUid());
      t.background = backgrounds[size_t(k) % backgrounds.size()].name;
      t.left = (k % 8) * 32;
      t.top = (k / 8 % 8) * 32;
      t.width = 32;
      t.height = 32;
      t.x = k * 32;
      t.y = k * 16;
      t.depth = 1000000;
      t.scene = scene;
    }
  }
  for (int i = 0; i < 500 * size; ++i) {
    newFunction();
    fns.back().params = "a, b";
    fns.back().code = "return a + b;";
  }
  projectName = "big" + std::to_string(size);
}

struct BenchFolder {
  std::string path, old;
  BenchFolder() {
    old = currentFolder();
    const char* base = getenv("ZM_BENCH_FOLDER");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zm_project_bench_XXXXXX";
    path = mkdtemp(pattern.data());
    setCurrentFolder(path);
    makeFolder("Projects");
    workFolder = "_temp_000000";
    makeFolder(workFolder);
  }
  ~BenchFolder() {
    clearProjectTables();
    setCurrentFolder(old);
    deleteFolderTree(path);
  }
};

// A first save: under a new name each time, into an empty project folder.
void BM_writeProject(benchmark::State& state) {
  BenchFolder folder;
  buildProject(int(state.range(0)));
  const std::string base = projectName;
  int round = 0;
  for (auto _ : state) {
    projectName = base + "_" + std::to_string(++round);
    writeProject();
  }
  state.counters["bytes"] = double(fileSize("Projects/" + projectName + ".xml"));
}

// Saving again over the same files.
void BM_resaveProject(benchmark::State& state) {
  BenchFolder folder;
  buildProject(int(state.range(0)));
  writeProject();
  for (auto _ : state) writeProject();
}

void BM_openProject(benchmark::State& state) {
  BenchFolder folder;
  buildProject(int(state.range(0)));
  writeProject();
  const std::string name = projectName;
  projectHooks.newProject = [] {
    clearProjectTables();
    deleteFolderTree(workFolder);
    makeFolder(workFolder);
  };
  for (auto _ : state) {
    if (!openProjectNamed(name)) state.SkipWithError("the project did not open");
  }
  state.counters["tiles"] = double(tiles.size());
}

// Importing a file of N functions that are all named "f": each takes the
// first free name of f, f_2, f_2_2, ... (4,000 took 5 s when every import
// walked the whole chain).
void BM_importSameName(benchmark::State& state) {
  std::string file = "<?xml version=\"1.0\"?><zembrik_functions><fns count=\"" +
                     std::to_string(state.range(0)) + "\">";
  for (int64_t i = 0; i < state.range(0); ++i) file += "<fn name=\"f\" params=\"\" description=\"\"/>";
  file += "</fns></zembrik_functions>";
  const std::string path = "/tmp/zm_bench_same_name_" + std::to_string(getpid()) + ".xml";
  writeFile(path, file);
  for (auto _ : state) {
    clearProjectTables();
    importFunctionsFrom(path);
  }
  deleteFile(path);
  clearProjectTables();
}
BENCHMARK(BM_importSameName)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK(BM_writeProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_resaveProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_openProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
