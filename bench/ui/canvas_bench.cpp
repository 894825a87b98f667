// Timings of refreshCanvas on a canvas much larger than the scroll area that
// holds it, as the scene and frame editors have. Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct BigCanvas {
  int window = 0, canvas = 0;
  explicit BigCanvas(int side) {
    window = openWindow(UI_ANY, 0, 0, 820, 620, "canvas", WIN_TITLEBAR);
    int area = scrollAreaGadget(UI_ANY, 0, 0, 800, 600, side, side);
    openGadgetList(area);
    canvas = canvasGadget(UI_ANY, 0, 0, side, side);
    closeGadgetList();
    setGadgetAttribute(area, ATTR_SCROLL_X, side / 2);
    setGadgetAttribute(area, ATTR_SCROLL_Y, side / 2);
  }
  ~BigCanvas() { closeWindow(window); }
  // A small change each round, as a pointer drag draws.
  void draw(int round) {
    startDrawing(canvasImage(canvas));
    box(round % 4000, round % 4000, 16, 16, opaque(rgb(round & 255, 40, 90)));
    stopDrawing();
  }
};

// The call alone.
void BM_RefreshCanvas(benchmark::State& state) {
  BigCanvas c(int(state.range(0)));
  int round = 0;
  for (auto _ : state) {
    c.draw(round++);
    refreshCanvas(c.canvas);
  }
}
BENCHMARK(BM_RefreshCanvas)->Arg(2048)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);

// The call and the repaint of the window that it asks for.
void BM_RefreshCanvasAndPaint(benchmark::State& state) {
  BigCanvas c(int(state.range(0)));
  QWidget* top = windowWidget(c.window);
  int round = 0;
  for (auto _ : state) {
    c.draw(round++);
    refreshCanvas(c.canvas);
    top->repaint();
  }
}
BENCHMARK(BM_RefreshCanvasAndPaint)->Arg(2048)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  initUi(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
