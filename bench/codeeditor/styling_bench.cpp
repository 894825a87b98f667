// Styling a long script in a configured code editor: the first full styling
// and the cost of typing one character in the middle of the text.
#include "codeeditor/code_editor.h"
#include "codeeditor/editor_host.h"
#include "codeeditor/keywords.h"

#include <Qsci/qsciscintillabase.h>
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

using Sci = QsciScintillaBase;

namespace {

// About 50 bytes a line of ordinary game code.
std::string script(int lines) {
  const char* pattern[] = {
      "function step_%(dx, dy, speed_factor, other_object) {",
      "\tvar speed = 4.5 * dx + speed_factor; // move along the x axis",
      "\tif (x > room_width) { x = 0; score = score + 1; } else { x++; }",
      "\tdraw_text(x, y, \"score: \" + score + ' lives: ' + lives);",
      "\t/* keep the hero inside the visible part of",
      "\t   the scene, whatever its speed */ y = y + dy * 0.5;",
      "\tinstance_create(x + 16, y - 8, obj_wall); // a new wall",
      "}",
  };
  std::string text;
  text.reserve(static_cast<size_t>(lines) * 52);
  for (int i = 0; i < lines; i++) {
    std::string line = pattern[i % 8];
    size_t mark = line.find('%');
    if (mark != std::string::npos) line.replace(mark, 1, std::to_string(i));
    text += line;
    text += '\n';
  }
  return text;
}

int makeEditor() {
  if (keywords.empty()) {
    addKeyword("room_width", "Var", "room_width", "");
    addKeyword("draw_text", "Fn", "draw_text(x, y, text)", "");
    addKeyword("instance_create", "Fn", "instance_create(x, y, object)", "");
    addKeyCodeConstants();
  }
  int gadget = createCodeEditor(-1, 0, 0, 780, 540, nullptr, 1);
  setupEditorLexer(gadget);
  return gadget;
}

long send(int gadget, unsigned int message, unsigned long w = 0, long l = 0) {
  return sendEditor(editorRecord(gadget), message, w, l);
}

void BM_FirstFullStyling(benchmark::State& state) {
  const std::string text = script(static_cast<int>(state.range(0)));
  int gadget = makeEditor();
  for (auto _ : state) {
    state.PauseTiming();
    setEditorText(gadget, "");
    state.ResumeTiming();
    setEditorText(gadget, text);
  }
  state.counters["bytes"] = static_cast<double>(text.size());
  freeCodeEditor(gadget);
}
BENCHMARK(BM_FirstFullStyling)->Arg(20000)->Unit(benchmark::kMillisecond);

// One character typed at line 10,000 (or the middle of a shorter text), or
// with a third argument 1 on the last line but one, then the style request
// that a view showing 40 lines from there makes.
void BM_TypeOneCharacter(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  int gadget = makeEditor();
  setEditorText(gadget, script(lines));
  const bool atEnd = state.range(2) != 0;
  const int line = atEnd ? lines - 2 : lines >= 20000 ? 10000 : lines / 2;
  const long at = send(gadget, Sci::SCI_POSITIONFROMLINE, line) + 5;
  long visibleEnd = send(gadget, Sci::SCI_POSITIONFROMLINE, line + 40);
  if (visibleEnd < 0) visibleEnd = send(gadget, Sci::SCI_GETLENGTH);   // past the last line
  const bool stylingOnly = state.range(1) != 0;
  for (auto _ : state) {
    if (stylingOnly) state.PauseTiming();
    sendEditorText(editorRecord(gadget), Sci::SCI_INSERTTEXT, at, "q");
    if (stylingOnly) state.ResumeTiming();
    send(gadget, Sci::SCI_COLOURISE, send(gadget, Sci::SCI_GETENDSTYLED), visibleEnd + 1);
    state.PauseTiming();
    send(gadget, Sci::SCI_DELETERANGE, at, 1);
    send(gadget, Sci::SCI_COLOURISE, send(gadget, Sci::SCI_GETENDSTYLED), visibleEnd);
    state.ResumeTiming();
  }
  freeCodeEditor(gadget);
}
// Second argument 1: only the styling is timed, not the insertion.
BENCHMARK(BM_TypeOneCharacter)
    ->ArgsProduct({{5000, 20000, 80000}, {0, 1}, {0}})
    ->ArgsProduct({{20000, 80000}, {0, 1}, {1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QWidget parent;   // never shown: only the benchmark asks for styling
  useStandaloneEditorHost(&parent);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
