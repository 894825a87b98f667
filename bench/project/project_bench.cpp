// Writes and reads a large project: per unit of size, 2,000 sprites of 4
// frames of 32 x 32, 1,000 objects with 5 events each, 100 scenes with 500
// instances and 500 tiles each, 500 functions. Runs in a fresh folder under
// /tmp (or the folder that ZM_BENCH_FOLDER names), which it removes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "bench/project/large_project.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/project_file.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/system.h"

namespace {

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

BENCHMARK(BM_writeProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_resaveProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_openProject)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
