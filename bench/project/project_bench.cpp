// Writes and reads the large project of bench/project/large_project.h. Runs
// in a fresh folder under /tmp (or the folder that ZM_BENCH_FOLDER names),
// which it removes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "bench/project/bench_folder.h"
#include "bench/project/large_project.h"
#include "project/exchange.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/project_file.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/system.h"

namespace {

// A first save: under a new name each time, into an empty project folder.
void BM_writeProject(benchmark::State& state) {
  BenchFolder folder("project", true);
  buildLargeProject(int(state.range(0)));
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
  BenchFolder folder("project", true);
  buildLargeProject(int(state.range(0)));
  writeProject();
  for (auto _ : state) writeProject();
}

// Saving again after every frame changed: each picture file is replaced,
// its old one kept aside until the project file is in place.
void BM_resaveChangedFrames(benchmark::State& state) {
  BenchFolder folder("project", true);
  buildLargeProject(int(state.range(0)));
  writeProject();
  int shade = 0;
  for (auto _ : state) {
    state.PauseTiming();
    shade = (shade + 1) % 256;
    for (const FrameRecord& f : frames) setPixel(f.image, 0, 0, rgba(shade, 0, 0, 255));
    state.ResumeTiming();
    writeProject();
  }
}

void BM_openProject(benchmark::State& state) {
  BenchFolder folder("project", true);
  buildLargeProject(int(state.range(0)));
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
BENCHMARK(BM_resaveChangedFrames)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_openProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
