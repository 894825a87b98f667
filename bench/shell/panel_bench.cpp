// The main window with the large project (4 quarters) and a quarter of it:
// rebuilding the resource panel, and Open from a double click to the new
// title and on to a window that answers. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise, in a fresh folder under /tmp (or the
// folder that ZM_BENCH_FOLDER names), which it removes unless ZM_BENCH_KEEP
// is set: its Projects folder then holds the projects, to open in the
// program.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include "bench/project/large_project.h"
#include "project/hooks.h"
#include "project/project_file.h"
#include "project/tables.h"
#include "shell/mainwindow.h"
#include "shell/project_files.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of this thread, which a loaded machine does not inflate
// as much as it does the wall clock.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What the main loop does before it waits again: frees the gadgets given
// up, lays out and paints.
void answer() {
  for (int i = 0; i < 3; ++i) windowEvent();
}

std::string benchFolder;

// The program folder and the main window as start-up makes them, without
// the splash pause and the version check.
void startWindow() {
  const char* base = getenv("ZM_BENCH_FOLDER");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/zm_shell_bench_XXXXXX";
  benchFolder = mkdtemp(pattern.data());
  setCurrentFolder(benchFolder);
  initGlobals();
  clearProjectTables();
  bindShellHooks();
  projectHooks.chooseProject = [] { return std::string(); };
  loadFont(2, "Arial", 11);
  setDefaultGadgetFont(2);
  loadFont(87, "Arial", 11);
  loadFont(140, "Arial", 11, FONT_BOLD);
  loadCarriedPictures();
  buildMainWindow();
  newProject();
  answer();
  layoutMainWindow();
  answer();
}

// The project of `quarters` saved under Projects, then opened as the user
// opens it, so that its pictures are those of a real Open.
std::string savedProject(int quarters) {
  static int saved[64] = {};
  newProject();
  buildLargeProjectQuarters(quarters);
  std::string name = projectName;
  if (!saved[quarters]) writeProject();
  saved[quarters] = 1;
  return name;
}

// What the Open command does after the reader.
void afterOpen() {
  refreshResourcePanel();
  releaseFreeMemory();
  answer();
}

void openSaved(const std::string& name) {
  openProjectNamed(name);
  afterOpen();
}

void countHoldings(benchmark::State& state) {
  state.counters["rss_MB"] = residentMB();
  state.counters["images"] = liveImageCount();
  state.counters["pixels_MB"] = double(imagePixelBytes()) / (1024.0 * 1024.0);
  state.counters["gadgets"] = liveGadgetCount();
}

void BM_refreshResourcePanel(benchmark::State& state) {
  openSaved(savedProject(int(state.range(0))));
  double before = residentMB();
  for (auto _ : state) {
    refreshResourcePanel();
    answer();
  }
  countHoldings(state);
  state.counters["rss_growth_MB"] = residentMB() - before;
}

// Timed: the double click's work up to the new title (the reader, the
// reset with it, and the panel rebuild's start). The counter answer_ms is
// the rest of the rebuild and the loop turn after it.
void BM_openToTitle(benchmark::State& state) {
  const std::string name = savedProject(int(state.range(0)));
  openSaved(name);
  double answerMs = 0, titleCpuMs = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    double cpu = cpuMs();
    openProjectNamed(name);
    titleCpuMs += cpuMs() - cpu;
    state.SetIterationTime(msSince(start) / 1000.0);
    auto rest = Clock::now();
    afterOpen();
    answerMs += msSince(rest);
  }
  state.counters["answer_ms"] = answerMs / double(state.iterations());
  state.counters["title_cpu_ms"] = titleCpuMs / double(state.iterations());
  countHoldings(state);
}

BENCHMARK(BM_refreshResourcePanel)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_openToTitle)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  initUi(argc, argv);
  benchmark::Initialize(&argc, argv);
  startWindow();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  newProject();
  deleteWorkFolder();
  setCurrentFolder("/");
  const char* keep = getenv("ZM_BENCH_KEEP");
  if (keep && *keep)
    printf("projects kept in %s/Projects\n", benchFolder.c_str());
  else
    deleteFolderTree(benchFolder);
  return 0;
}
