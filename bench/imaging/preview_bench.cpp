// The "MODIFIED" preview after a track-bar move, through the dialog itself:
// the move's event, the operation on an 800 x 800 frame, the painting over
// the backdrop and the canvas refresh. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include "imaging/image_dialogs.h"
#include "project/tables.h"
#include "ui/driver.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr int MOVES = 40;

struct Dialog {
  void (*procedure)(int, const std::string&, int);
  const char* track;
  int first;   // positions first ... first + MOVES - 1
};

void BM_PreviewAfterTrackBarMove(benchmark::State& state, Dialog dialog) {
  clearProjectTables();
  FrameRecord& frame = appendFrame();
  frame.sprite = "hero";
  frame.image = createImage(-1, 800, 800, 32);
  std::mt19937 random(3);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(frame.image));
  for (int i = 0; i < 800 * 800; i++) p[i] = random();
  int editor = openWindow(UI_ANY, 0, 0, 800, 600, "Edit sprite frames", WIN_TITLEBAR);
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    Clock::time_point start, end;
    driverStart();
    driverCall([&] { start = Clock::now(); });
    for (int i = 0; i < MOVES; i++) driverChoose(dialog.track, dialog.first + i);
    driverCall([&] { end = Clock::now(); });
    driverClick("Cancel");
    dialog.procedure(editor, "hero", 0);
    driverCheckDone();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count() / MOVES);
  }
  driverReset();
  closeWindow(editor);
  freeImage(frames[0].image);
  clearProjectTables();
}

BENCHMARK_CAPTURE(BM_PreviewAfterTrackBarMove, Brightness, Dialog{applyBrightness, "Level track", 300})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterTrackBarMove, Colorize, Dialog{applyColorize, "Hue track", 10})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterTrackBarMove, Noise, Dialog{applyNoise, "Level track", 10})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterTrackBarMove, Scale, Dialog{applyScale, "Horizontal track", 120})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterTrackBarMove, RotateFreely, Dialog{applyRotate, "Angle track", 20})
    ->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
