// The object window on the large project (bench/project/large_project.h):
// opened and filled with its 2,000 sprites and 1,000 parents, and its Done
// renaming an object over 50,000 instances and 5,000 events. The window runs
// offscreen under the scripted driver, in a fresh folder under /tmp (or the
// folder that ZM_BENCH_FOLDER names), which it removes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "bench/project/bench_folder.h"
#include "bench/project/large_project.h"
#include "editors/editors.h"
#include "project/tables.h"
#include "ui/driver.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

// The object with the most instances and events: the first definition.
std::string firstObject() {
  for (const ObjectRecord& o : objects)
    if (o.prototype == 1) return o.name;
  return "";
}

// From the open call to the window on show with every list filled; the
// Done that ends it is not timed.
void BM_openObjectWindow(benchmark::State& state) {
  BenchFolder folder("editors", false);
  buildLargeProject(1);
  const std::string name = firstObject();
  driverStart();
  for (auto _ : state) {
    driverCall([&] { state.PauseTiming(); }, "stop the clock");
    driverClick("Done");
    editObject(name);
    state.ResumeTiming();
  }
  driverCheckDone();
  state.counters["sprites"] = double(sprites.size());
  state.counters["events"] = double(scripts.size());
}

// Done with a new name: the name tests, the rename through the events,
// instances and parents, the fields and the instances' images. The window's
// opening is not timed.
void BM_objectDoneRename(benchmark::State& state) {
  BenchFolder folder("editors", false);
  buildLargeProject(1);
  std::string name = firstObject();
  int instances = 0;
  for (const ObjectRecord& o : objects) instances += o.prototype == 0;
  driverStart();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string next = "renamed" + std::to_string(++round);
    driverSetText("name", next);
    driverCall([&] { state.ResumeTiming(); }, "start the clock");
    driverClick("Done");
    editObject(name);
    name = next;
  }
  driverCheckDone();
  state.counters["instances"] = double(instances);
  state.counters["events"] = double(scripts.size());
}

BENCHMARK(BM_openObjectWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_objectDoneRename)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  initUi(argc, argv);
  loadFont(70, "Consolas", 10);
  loadFont(140, "Arial", 11, FONT_BOLD);
  loadCarriedPictures();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
