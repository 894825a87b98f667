// Smooth stretch side by side with the code it replaced and with Qt's smooth
// scaling of the same pixels: the frame editor's 800 x 800 to 1000 x 600,
// and a shrink and a grow. Qt spreads a large picture over its thread pool;
// QtOneThread limits the pool to one thread. Wall-clock time (and the CPU
// time of all threads). Each stretch starts from idle, as after a click: on a
// shared machine a thread that never sleeps gets a fraction of a core while
// one that has just woken runs, which would time the scheduler, not the
// code. Run with --benchmark_repetitions and read min and median.
#include "bench/imaging/random_image.h"
#include "tests/imagestore/smooth_resize_reference.h"
#include "ui/image.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Shape {
  int w, h, tw, th;
};

void idle(benchmark::State& state) {
  state.PauseTiming();
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  state.ResumeTiming();
}

void BM_Ours(benchmark::State& state, Shape s) {
  int image = randomImage(s.w, s.h, 1);
  for (auto _ : state) {
    // The copy shares the pixels; the stretch makes new ones and leaves the source.
    int copy = copyImage(image);
    resizeImage(copy, s.tw, s.th, true);
    benchmark::DoNotOptimize(imageBuffer(copy));
    freeImage(copy);
    idle(state);
  }
  freeImage(image);
}

void BM_Before(benchmark::State& state, Shape s) {
  int image = randomImage(s.w, s.h, 1);
  const uint32_t* pixels = reinterpret_cast<const uint32_t*>(imageBuffer(image));
  for (auto _ : state) {
    benchmark::DoNotOptimize(reference::smoothResize(pixels, s.w, s.h, s.tw, s.th));
    idle(state);
  }
  freeImage(image);
}

void qtScaled(benchmark::State& state, Shape s) {
  int image = randomImage(s.w, s.h, 1);
  QImage picture(imageBuffer(image), s.w, s.h, s.w * 4, QImage::Format_RGBA8888);
  for (auto _ : state) {
    QImage scaled = picture.scaled(s.tw, s.th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    benchmark::DoNotOptimize(scaled.constBits());
    idle(state);
  }
  freeImage(image);
}

void BM_Qt(benchmark::State& state, Shape s) { qtScaled(state, s); }

void BM_QtOneThread(benchmark::State& state, Shape s) {
  QThreadPool* pool = QThreadPool::globalInstance();
  int threads = pool->maxThreadCount();
  pool->setMaxThreadCount(1);
  qtScaled(state, s);
  pool->setMaxThreadCount(threads);
}

const bool registered = [] {
  const struct {
    const char* name;
    Shape shape;
  } shapes[] = {
      {"800x800to1000x600", {800, 800, 1000, 600}},
      {"800x800to200x200", {800, 800, 200, 200}},
      {"200x200to800x800", {200, 200, 800, 800}},
  };
  for (const auto& s : shapes) {
    std::string name = std::string("SmoothStretch/") + s.name;
    const std::pair<const char*, void (*)(benchmark::State&, Shape)> runs[] = {
        {"/Ours", BM_Ours}, {"/Before", BM_Before}, {"/Qt", BM_Qt}, {"/QtOneThread", BM_QtOneThread}};
    for (auto [what, run] : runs)
      benchmark::RegisterBenchmark((name + what).c_str(), run, s.shape)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->MeasureProcessCPUTime()
          ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
  }
  return true;
}();

}  // namespace
