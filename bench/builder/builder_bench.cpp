// Fills the template for a large project: per unit of size, 2,000 sprites
// of 4 frames, 1,000 objects with 5 events each, 100 scenes with 500
// instances and 500 tiles each (at four depths over ten backgrounds), 500
// functions. Sizes 1, 2 and 4 show whether the time grows linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/project/bench_folder.h"
#include "bench/project/large_project.h"
#include "builder/game_files.h"
#include "builder/js_check.h"
#include "builder/js_text.h"
#include "builder/sections.h"
#include "project/makers.h"
#include "project/tables.h"
#include "ui/image.h"

namespace {

void buildProject(int size) {
  clearProjectTables();
  int frameImage = createImage(-1, 32, 32);
  const char* events[] = {"Creation", "Step", "Draw", "Destroy", "Collision"};
  for (int i = 0; i < 2000 * size; ++i) {
    std::string sprite = newSprite();
    for (int f = 0; f < 4; ++f) appendFrame() = {std::to_string(f), sprite, frameImage};
  }
  for (int b = 0; b < 10; ++b) {
    std::string bg = newBackground();
    backgrounds.back().file = bg + ".png";
    backgrounds.back().tile = 1;
  }
  for (int i = 0; i < 1000 * size; ++i) {
    std::string object = newObject();
    objects.back().sprite = sprites[size_t(i) % sprites.size()].name;
    if (i > 0) objects.back().parent = objects[size_t(i) - 1].name;
    for (const char* e : events) {
      int at = addObjectEvent(object, e, e[1] == 'o' ? objects.front().name : "");
      scripts[size_t(at)].code = "if (x < 10 && y > 2) {\n\tx += 1; // \"step\"\n}\n";
    }
  }
  const size_t definitions = objects.size();
  for (int s = 0; s < 100 * size; ++s) {
    std::string scene = newScene();
    scenes.back().code = "start();";
    scenes.back().background = backgrounds.front().name;
    scenes.back().viewportobject = objects.front().name;
    for (int k = 0; k < 500; ++k) {
      const ObjectRecord& def = objects[size_t(k * 7 + s) % definitions];
      std::string name = def.name, sprite = def.sprite;
      ObjectRecord& o = appendObject();
      o.prototype = 0;
      o.template_ = name;
      o.name = "SceneObject" + std::to_string(nextUid());
      o.sprite = sprite;
      o.scene = scene;
      o.x = k * 3;
      o.y = k * 5;
      o.direction = k % 4 * 90;
      TileRecord& t = appendTile();
      t.name = "tile_" + std::to_string(nextUid());
      t.background = backgrounds[size_t(k) % backgrounds.size()].name;
      t.left = (k % 8) * 32;
      t.top = (k / 8 % 8) * 32;
      t.width = 32;
      t.height = 32;
      t.x = k * 32;
      t.y = k * 16;
      t.depth = 1000000 - k % 4 * 10;
      t.scene = scene;
    }
  }
  for (int i = 0; i < 500 * size; ++i) {
    newFunction();
    fns.back().params = "a, b";
    fns.back().code = "return a + b;";
  }
}

const std::string templateText =
    "var v = '//ZEMBRIK_VERSION';\r\n//ZEMBRIK_EXTENSIONS\r\n//ZEMBRIK_GLOBAL_VARIABLES\r\n"
    "//ZEMBRIK_GLOBAL_FUNCTIONS\r\n//ZEMBRIK_SPRITES\r\n//ZEMBRIK_SOUNDS\r\n//ZEMBRIK_MUSICS\r\n"
    "//ZEMBRIK_BACKGROUNDS\r\n//ZEMBRIK_FONTS\r\n//ZEMBRIK_OBJECTS\r\n//ZEMBRIK_SCENES\r\n";

void BM_fillTemplate(benchmark::State& state) {
  buildProject(int(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    std::string game = fillTemplate(templateText);
    bytes = game.size();
    benchmark::DoNotOptimize(game);
  }
  state.counters["bytes"] = double(bytes);
  clearProjectTables();
}
BENCHMARK(BM_fillTemplate)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_objectsSection(benchmark::State& state) {
  buildProject(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(generateObjectsSection());
  clearProjectTables();
}
BENCHMARK(BM_objectsSection)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_scenesSection(benchmark::State& state) {
  buildProject(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(generateScenesSection());
  clearProjectTables();
}
BENCHMARK(BM_scenesSection)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The code check alone: every event, scene code and function of the large
// project compiled once; the time is per piece.
void BM_checkEveryPiece(benchmark::State& state) {
  buildProject(1);
  size_t pieces = scripts.size() + scenes.size() + fns.size();
  for (auto _ : state) {
    JsProblem problem;
    for (const ScriptRecord& s : scripts) benchmark::DoNotOptimize(compilesAsFunction("", s.code, problem));
    for (const SceneRecord& s : scenes) benchmark::DoNotOptimize(compilesAsFunction("", s.code, problem));
    for (const FunctionRecord& f : fns) benchmark::DoNotOptimize(compilesAsFunction(f.params, f.code, problem));
  }
  state.counters["pieces"] = double(pieces);
  state.counters["per_piece"] = benchmark::Counter(double(pieces), benchmark::Counter::kIsIterationInvariantRate |
                                                                     benchmark::Counter::kInvert);
  clearProjectTables();
}
BENCHMARK(BM_checkEveryPiece)->Unit(benchmark::kMillisecond);

// The filled game of the large project of bench/project, with the shipped
// runtime, compiled once as the script it is: what the check of the whole
// game adds to every write.
void BM_compileWholeGame(benchmark::State& state) {
  BenchFolder folder("builder", false);
  buildLargeProject(int(state.range(0)));
  std::string runtime;
  readFile(ZM_RUNTIME_TEMPLATE, runtime);
  const std::string game = fillTemplate(latin1ToUtf8(runtime));
  for (auto _ : state) {
    JsProblem problem;
    benchmark::DoNotOptimize(compilesAsScript(game, problem));
  }
  state.counters["bytes"] = double(game.size());
}
BENCHMARK(BM_compileWholeGame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
