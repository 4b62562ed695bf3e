// Measures the message editor's preview paint: a full workspace (99 messages of several wrapped
// lines, every colour and font, time and date, symbols, bitmaps, special characters and controls)
// painted as the window paints it, the visible lines of one window into an image, at every
// scroll position in turn. Target: under 16 ms a paint.
//
//   cmake --build build --target bench_preview_paint && ./build/bin/bench_preview_paint

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/ui/preview_painter.h"
#include "workspace/editor_model.h"
#include "workspace/sign_tables.h"
#include "workspace/varnel_doc.h"

namespace {

constexpr int kWindowWidth = 600;  // The message window less its scroll bar.
constexpr int kWindowHeight = 261;
constexpr int kRounds = 1000;

void fillWorkspace(workspace::EditorModel& editor) {
  using namespace workspace;
  for (int message = 1; message <= kMaxMessages; ++message) {
    if (message > 1) editor.newMessage();
    editor.insertControl(kControlTransition, 1 + message % 25);
    for (int i = 0; i < 80; ++i) {
      editor.setColour(i % kColourCount);
      editor.setFont(i % kFontCount);
      switch (i % 20) {
        case 5:
          editor.insertItem(kKindTime, 0);
          break;
        case 9:
          editor.insertItem(kKindSymbol, i % kSymbolCount + kInsertItemCodeOffset);
          break;
        case 13:
          editor.insertItem(kKindSpecialCharacter,
                            i % kSpecialCharacterCount + kInsertItemCodeOffset);
          break;
        case 17:
          editor.insertControl(kControlSpeed, 1 + i % 8);
          break;
        case 19:
          editor.insertItem(kKindPredefinedBitmap,
                            i % kPredefinedBitmapCount + kInsertItemCodeOffset);
          break;
        default:
          editor.typeCharacter('A' + i % 26);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  using Clock = std::chrono::steady_clock;

  CVarnelDoc doc;
  workspace::EditorModel editor(doc);
  fillWorkspace(editor);
  std::printf("workspace: %d messages, %d display lines\n", editor.fileCount(), doc.lineCount());

  app::ui::PreviewPainter painter;
  QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  const int visible = kWindowHeight / workspace::kEditorLinePitch + 2;
  const int lastTop = std::max(0, doc.lineCount() - workspace::kEditorVisibleLines);
  std::vector<double> times;
  const QDateTime now = QDateTime::currentDateTime();
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    const int first = round % (lastTop + 1);
    editor.setFirstVisibleLine(first);
    app::ui::PreviewFrame frame;
    frame.window = image.rect();
    frame.scrollY = editor.firstVisibleLine() * workspace::kEditorLinePitch;
    frame.now = now;
    QPainter p(&image);
    painter.paint(p, editor.layout(editor.firstVisibleLine(), visible), frame);
    p.end();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  const double mean = [&] {
    double sum = 0;
    for (double t : times)
      sum += t;
    return sum / static_cast<double>(times.size());
  }();
  std::sort(times.begin(), times.end());
  std::printf(
      "preview paint (%dx%d window, layout included): mean %.3f ms, 99th percentile %.3f ms, "
      "slowest %.3f ms (the first, which fills the font and picture caches; target < 16 ms)\n",
      kWindowWidth, kWindowHeight, mean, times[times.size() * 99 / 100], times.back());
  return 0;
}
