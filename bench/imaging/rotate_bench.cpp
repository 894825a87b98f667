// Timings of the pure pixel operations of imaging/.
#include "imaging/rotate_image.h"
#include "ui/image.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

int randomImage(int w, int h, int depth, unsigned seed) {
  int image = createImage(-1, w, h, depth);
  std::mt19937 random(seed);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  for (int i = 0; i < w * h; i++) p[i] = depth == 24 ? random() | 0xFF000000u : random();
  return image;
}

void BM_RotateImage256(benchmark::State& state) {
  int mode = int(state.range(0)), depth = int(state.range(1));
  int source = randomImage(256, 256, depth, 1);
  for (auto _ : state) {
    int turned = rotateImage(source, 45.0f, mode, 0xFFFFFF);
    benchmark::DoNotOptimize(turned);
    freeImage(turned);
  }
  freeImage(source);
}
BENCHMARK(BM_RotateImage256)
    ->ArgNames({"mode", "depth"})
    ->Args({ROTATE_BILINEAR, 32})
    ->Args({ROTATE_BILINEAR, 24})
    ->Args({ROTATE_NEAREST, 32})
    ->Unit(benchmark::kMillisecond);

}  // namespace

