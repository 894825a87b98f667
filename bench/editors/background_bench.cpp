// The background window's preview on a large tile set: the whole picture a
// tick, and the window's own ticks when nothing changed, when a grid value
// changed and when a new picture came.
#include "editors/background_preview.h"
#include "ui/image.h"
#include "ui/pictures.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <random>

namespace {

// A side x side picture of random colours and alphas, and a canvas of its size.
struct Preview {
  int picture, canvas;
  explicit Preview(int side) {
    picture = createImage(-1, side, side, 32);
    std::mt19937 random(3);
    uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(picture));
    for (size_t i = 0; i < size_t(side) * size_t(side); i++) p[i] = random();
    canvas = createImage(-1, side, side, 24, opaque(0xFFFFFF));
  }
  ~Preview() {
    freeImage(picture);
    freeImage(canvas);
  }
};

const TileGrid grid32{32, 32, 0, 0, 0, 0};

// Backdrop, picture and a 32 x 32 grid, drawn whole: what every tick cost
// before a tick with nothing new left the canvas alone.
void BM_BackgroundPreviewTick(benchmark::State& state) {
  Preview p(int(state.range(0)));
  for (auto _ : state) {
    drawBackgroundTick(p.canvas, p.picture, &grid32);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BackgroundPreviewTick)->Arg(512)->Arg(2048)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);

// The window's tick with the same picture and fields as the last one.
void BM_BackgroundTickIdle(benchmark::State& state) {
  Preview p(int(state.range(0)));
  BackgroundShown shown;
  updateBackgroundTick(shown, p.canvas, p.picture, &grid32);
  for (auto _ : state) {
    benchmark::DoNotOptimize(updateBackgroundTick(shown, p.canvas, p.picture, &grid32));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BackgroundTickIdle)->Arg(2048)->Arg(8192)->Unit(benchmark::kMicrosecond);

// The window's tick after a tile field changed: the width goes between 32
// and 33 on every tick.
void BM_BackgroundTickAfterGridChange(benchmark::State& state) {
  Preview p(int(state.range(0)));
  BackgroundShown shown;
  TileGrid grid = grid32;
  updateBackgroundTick(shown, p.canvas, p.picture, &grid);
  for (auto _ : state) {
    grid.width = grid.width == 32 ? 33 : 32;
    benchmark::DoNotOptimize(updateBackgroundTick(shown, p.canvas, p.picture, &grid));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BackgroundTickAfterGridChange)->Arg(2048)->Arg(8192)->Unit(benchmark::kMillisecond);

// The window's tick after a new picture was loaded: everything is drawn.
void BM_BackgroundTickAfterNewPicture(benchmark::State& state) {
  Preview p(int(state.range(0)));
  for (auto _ : state) {
    BackgroundShown shown;
    benchmark::DoNotOptimize(updateBackgroundTick(shown, p.canvas, p.picture, &grid32));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BackgroundTickAfterNewPicture)->Arg(2048)->Arg(8192)->Unit(benchmark::kMillisecond);

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
