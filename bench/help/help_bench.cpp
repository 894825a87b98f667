// Timings of the help viewer: the largest topic read, built into rich text
// and shown in a view; and the viewer's start, from the application object
// to the first topic on screen.
#include "help/help_documents.h"
#include "help/help_viewer.h"
#include "ui/driver.h"
#include "ui/rich_text.h"
#include "ui/rtf_reader.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <benchmark/benchmark.h>

#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

const HelpDocument& largestDocument() {
  int best = 0;
  for (int n = 1; n < helpDocumentCount; ++n)
    if (helpDocuments[n].length > helpDocuments[best].length) best = n;
  return helpDocuments[best];
}

void BM_ReadLargestTopic(benchmark::State& state) {
  const HelpDocument& d = largestDocument();
  for (auto _ : state) {
    RtfDocument doc;
    benchmark::DoNotOptimize(parseRtf(d.bytes, d.length, doc));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.length));
}
BENCHMARK(BM_ReadLargestTopic)->Unit(benchmark::kMicrosecond);

void BM_ReadAndBuildLargestTopic(benchmark::State& state) {
  const HelpDocument& d = largestDocument();
  for (auto _ : state) {
    RtfDocument doc;
    parseRtf(d.bytes, d.length, doc);
    QTextDocument text;
    text.setUndoRedoEnabled(false);
    buildRichText(doc, text);
    benchmark::DoNotOptimize(text.characterCount());
  }
}
BENCHMARK(BM_ReadAndBuildLargestTopic)->Unit(benchmark::kMillisecond);

// Into a shown view of the viewer's size, laid out and painted.
void BM_ShowLargestTopicInTheView(benchmark::State& state) {
  const HelpDocument& d = largestDocument();
  int window = openWindow(UI_ANY, 0, 0, 850, 550, "bench", WIN_TITLEBAR);
  int view = textViewGadget(UI_ANY, 165, 10, 675, 530);
  setTextViewWordWrap(view, 1);
  QWidget* widget = gadgetWidget(view);
  for (auto _ : state) {
    setTextViewRtf(view, d.bytes, d.length);
    widget->repaint();
  }
  closeWindow(window);
}
BENCHMARK(BM_ShowLargestTopicInTheView)->Unit(benchmark::kMillisecond);

// The viewer's start, once: from the application object (made after the
// clock starts) to the loop waiting with the first topic shown.
void measureStart(int argc, char** argv) {
  auto start = std::chrono::steady_clock::now();
  initUi(argc, argv);
  double shownMs = -1;
  driverStart();
  driverCall([&] {
    gadgetWidget(HELP_TEXT_VIEW)->repaint();
    shownMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  });
  driverCloseBox(HELP_WINDOW);
  runHelpViewer();
  driverStop();
  std::printf("Start to the first topic shown: %.1f ms\n", shownMs);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  measureStart(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
