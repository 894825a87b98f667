// The background window's preview: one timer tick on a large tile set.
#include "editors/background_preview.h"
#include "ui/image.h"
#include "ui/pictures.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <random>

namespace {

// One tick of the background preview: backdrop, picture and a 32 x 32 grid.
void BM_BackgroundPreviewTick(benchmark::State& state) {
  int side = int(state.range(0));
  int picture = createImage(-1, side, side, 32);
  std::mt19937 random(3);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(picture));
  for (int i = 0; i < side * side; i++) p[i] = random();
  int canvas = createImage(-1, side, side, 24, opaque(0xFFFFFF));
  TileGrid grid{32, 32, 0, 0, 0, 0};
  for (auto _ : state) {
    drawBackgroundTick(canvas, picture, &grid);
    benchmark::ClobberMemory();
  }
  freeImage(picture);
  freeImage(canvas);
}
BENCHMARK(BM_BackgroundPreviewTick)->Arg(512)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  loadCarriedPictures();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
