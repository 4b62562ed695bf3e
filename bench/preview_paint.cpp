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
#include <cstdio>

#include "app/ui/preview_painter.h"
#include "bench/full_workspace.h"
#include "bench/timings.h"
#include "workspace/varnel_doc.h"

namespace {

constexpr int kWindowWidth = 600;  // The message window less its scroll bar.
constexpr int kWindowHeight = 261;
constexpr int kRounds = 1000;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  workspace::CVarnelDoc doc;
  workspace::EditorModel editor(doc);
  bench::fillWorkspace(editor);
  std::printf("workspace: %d messages, %d display lines\n", editor.fileCount(), doc.lineCount());

  app::ui::PreviewPainter painter;
  QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  const int visible = kWindowHeight / workspace::kEditorLinePitch + 2;
  const int lastTop = std::max(0, doc.lineCount() - workspace::kEditorVisibleLines);
  bench::Timings times;
  const QDateTime now = QDateTime::currentDateTime();
  for (int round = 0; round < kRounds; ++round) {
    times.measure([&] {
      const int first = round % (lastTop + 1);
      editor.setFirstVisibleLine(first);
      app::ui::PreviewFrame frame;
      frame.window = image.rect();
      frame.scrollY = editor.firstVisibleLine() * workspace::kEditorLinePitch;
      frame.now = now;
      QPainter p(&image);
      painter.paint(p, editor.layout(editor.firstVisibleLine(), visible), frame);
    });
  }
  char what[80];
  std::snprintf(what, sizeof what, "preview paint (%dx%d window, layout included)", kWindowWidth,
                kWindowHeight);
  times.print(what,
              " (the slowest is the first, which fills the font and picture caches; "
              "target < 16 ms)");
  return 0;
}
