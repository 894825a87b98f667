// Timings of the pixel paths that the editors run on every tick or save.
#include "ui/draw.h"
#include "ui/image.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

int randomImage(int w, int h, int depth, unsigned seed) {
  int image = createImage(-1, w, h, depth);
  std::mt19937 random(seed);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  for (int i = 0; i < w * h; i++) p[i] = random();
  return image;
}

// A sprite-like frame: flat areas, a few colours, transparent surroundings.
int spriteImage(int w, int h) {
  int image = createImage(-1, w, h, 32);
  startDrawing(image);
  for (int x = 0; x < w; x += 64) {
    circle(x + 32, h / 2, h / 3, rgba(200, 60, 40, 255));
    box(x + 20, h / 4, 24, h / 2, rgba(250, 210, 50, 255));
    line(x, 0, x + 63, h - 1, rgba(20, 20, 20, 255));
  }
  stopDrawing();
  return image;
}

void BM_BlendImage800(benchmark::State& state) {
  int source = randomImage(800, 800, 32, 1), target = randomImage(800, 800, 24, 2);
  startDrawing(target);
  drawingMode(DRAW_ALPHABLEND);
  for (auto _ : state) {
    drawImage(source, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 800);
  stopDrawing();
  freeImage(source);
  freeImage(target);
}
BENCHMARK(BM_BlendImage800)->Unit(benchmark::kMillisecond);

void BM_BlendImage800OntoMixedAlpha(benchmark::State& state) {
  int source = randomImage(800, 800, 32, 1), target = randomImage(800, 800, 32, 2);
  startDrawing(target);
  drawingMode(DRAW_ALPHABLEND);
  for (auto _ : state) {
    drawImage(source, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 800);
  stopDrawing();
  freeImage(source);
  freeImage(target);
}
BENCHMARK(BM_BlendImage800OntoMixedAlpha)->Unit(benchmark::kMillisecond);

// A 32-bit target that is opaque where it was drawn on, as canvases are.
void BM_BlendImage800OntoOpaque32(benchmark::State& state) {
  int source = randomImage(800, 800, 32, 1), target = createImage(-1, 800, 800, 32, rgba(40, 80, 120, 255));
  startDrawing(target);
  drawingMode(DRAW_ALPHABLEND);
  for (auto _ : state) {
    drawImage(source, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 800);
  stopDrawing();
  freeImage(source);
  freeImage(target);
}
BENCHMARK(BM_BlendImage800OntoOpaque32)->Unit(benchmark::kMillisecond);

void BM_DrawScaled(benchmark::State& state) {
  int source = randomImage(64, 64, 32, 3), target = randomImage(800, 800, 24, 4);
  startDrawing(target);
  drawingMode(int(state.range(0)));
  for (auto _ : state) {
    drawImageScaled(source, 10, 10, 512, 512);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 512 * 512);
  stopDrawing();
  drawingMode(DRAW_DEFAULT);
  freeImage(source);
  freeImage(target);
}
BENCHMARK(BM_DrawScaled)->Arg(DRAW_DEFAULT)->Arg(DRAW_ALPHABLEND)->Unit(benchmark::kMicrosecond);

void BM_PngEncode(benchmark::State& state) {
  int image = spriteImage(int(state.range(0)), int(state.range(1)));
  std::string bytes;
  for (auto _ : state) {
    encodePng(image, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["bytes"] = double(bytes.size());
  freeImage(image);
}
BENCHMARK(BM_PngEncode)->Args({64, 64})->Args({2048, 64})->Unit(benchmark::kMicrosecond);

void BM_PngDecode(benchmark::State& state) {
  int image = spriteImage(int(state.range(0)), int(state.range(1)));
  std::string bytes;
  encodePng(image, bytes);
  freeImage(image);
  for (auto _ : state) {
    int decoded = loadImageFromMemory(-1, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    benchmark::DoNotOptimize(decoded);
    freeImage(decoded);
  }
}
BENCHMARK(BM_PngDecode)->Args({64, 64})->Args({2048, 64})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
