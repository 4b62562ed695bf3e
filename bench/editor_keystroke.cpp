// Measures what one keystroke costs the message editor in a full workspace: 99 messages of
// several wrapped lines each, a character typed at the start of a full line (so it re-wraps the
// rest of its message) and removed again, plus the layout of the eight visible lines that the
// window paints after it. Target: under 1 ms a keystroke.
//
//   cmake --build build --target benchmarks && ./build/bin/bench_editor_keystroke

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "workspace/editor_model.h"
#include "workspace/varnel_doc.h"

int main() {
  using namespace workspace;
  using Clock = std::chrono::steady_clock;
  CVarnelDoc doc;
  EditorModel editor(doc);
  for (int message = 1; message <= kMaxMessages; ++message) {
    if (message > 1) editor.newMessage();
    editor.insertControl(kControlTransition, 3);
    for (int i = 0; i < 100; ++i)
      editor.typeCharacter('A' + i % 26);  // Four wrapped lines.
  }
  std::printf("workspace: %d messages, %d display lines\n", editor.fileCount(), doc.lineCount());

  constexpr int kRounds = 2000;
  std::vector<double> times;
  const auto start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    const auto one = Clock::now();
    editor.mousePress(kEditorTextLeft, (round % doc.lineCount()) * kEditorLinePitch);
    editor.typeCharacter('x');
    editor.backspace();
    const EditorLayout layout = editor.layout(editor.firstVisibleLine(), kEditorVisibleLines);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - one).count();
    times.push_back(ms / 2);  // Two keystrokes.
    if (layout.lines.empty()) return 1;
  }
  const double total = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::sort(times.begin(), times.end());
  std::printf(
      "keystroke (type or delete, with the layout of the visible lines): mean %.4f ms, "
      "99th percentile %.4f ms (target < 1 ms)\n",
      total / kRounds / 2, times[times.size() * 99 / 100]);
  return 0;
}
