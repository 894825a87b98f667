// Timings of the image operations: one 800 x 800 frame (the preview and the
// OK pass on one frame) and all 64 frames of a 128 x 128 sprite.
#include "bench/imaging/random_image.h"
#include "imaging/frame_pass.h"
#include "imaging/image_operations.h"
#include "project/tables.h"
#include "ui/image.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Operation {
  const char* name;
  FrameOperation apply;
};

const std::vector<Operation>& operations() {
  static NoisePattern pattern = makeNoisePattern(800, 800, 50, [](int maximum) { return maximum / 2; });
  static const std::vector<Operation> list = {
      {"Mirror", [](int i) { return mirrorImage(i, true, true); }},
      {"Turn90", [](int i) { return turnImage(i, 90); }},
      {"Turn180", [](int i) { return turnImage(i, 180); }},
      {"Shift", [](int i) { return shiftImage(i, 37, -21, true, true); }},
      {"Scale", [](int i) { return scaleImage(i, 137.5, 80); }},
      {"ResizeCanvas", [](int i) { return resizeCanvasImage(i, imageWidth(i) + 20, imageHeight(i) - 20); }},
      // Stretch works in place; the copy keeps the source for the next round.
      {"StretchSmoothWithCopy",
       [](int i) {
         int copy = copyImage(i);
         stretchImage(copy, imageWidth(i) * 5 / 4, imageHeight(i) * 3 / 4, true);
         return copy;
       }},
      {"StretchPlainWithCopy",
       [](int i) {
         int copy = copyImage(i);
         stretchImage(copy, imageWidth(i) * 5 / 4, imageHeight(i) * 3 / 4, false);
         return copy;
       }},
      {"Grayscale", grayscaleImage},
      {"Invert", invertImage},
      {"SwapChannels", [](int i) { return swapChannelsImage(i, SWAP_GBR); }},
      {"Brightness", [](int i) { return brightnessImage(i, 60); }},
      {"ColorBalance", [](int i) { return colorBalanceImage(i, 50, 0, -50); }},
      {"Colorize", [](int i) { return colorizeImage(i, 200); }},
      {"Opacity", [](int i) { return opacityImage(i, 40); }},
      {"MakeOpaque", makeOpaqueImage},
      {"Posterize", [](int i) { return posterizeImage(i, 50); }},
      {"Noise", [](int i) { return noiseImage(i, pattern); }},
      {"EraseColor", [](int i) { return eraseColorImage(i, rgb(90, 120, 200), 40); }},
  };
  return list;
}

void BM_Frame800(benchmark::State& state, const Operation& operation) {
  int image = randomImage(800, 800, 1);
  for (auto _ : state) {
    int result = operation.apply(image);
    benchmark::DoNotOptimize(result);
    freeImage(result);
  }
  state.SetItemsProcessed(state.iterations() * 800 * 800);
  freeImage(image);
}

void BM_Sprite64x128(benchmark::State& state, const Operation& operation) {
  clearProjectTables();
  for (int i = 0; i < 64; i++) {
    FrameRecord& frame = appendFrame();
    frame.sprite = "hero";
    frame.image = randomImage(128, 128, unsigned(i));
  }
  for (auto _ : state) {
    // Resize canvas and stretch change the frames' size; undo that untimed.
    state.PauseTiming();
    for (FrameRecord& frame : frames)
      if (imageWidth(frame.image) != 128 || imageHeight(frame.image) != 128)
        resizeImage(frame.image, 128, 128, false);
    state.ResumeTiming();
    benchmark::DoNotOptimize(applyToFrames("hero", 0, true, operation.apply));
  }
  state.SetItemsProcessed(state.iterations() * 64 * 128 * 128);
  clearProjectTables();
}

const bool registered = [] {
  for (const Operation& operation : operations()) {
    benchmark::RegisterBenchmark((std::string("Frame800/") + operation.name).c_str(), BM_Frame800, operation)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("Sprite64x128/") + operation.name).c_str(), BM_Sprite64x128, operation)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
