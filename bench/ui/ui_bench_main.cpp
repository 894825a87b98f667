// The main of the benchmarks that need the window system and the carried
// pictures but no window of their own.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "ui/pictures.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  initUi(argc, argv);
  loadCarriedPictures();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
