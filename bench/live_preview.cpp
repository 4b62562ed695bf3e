// Measures varnel's live sign preview over a full workspace (99 messages of several wrapped lines,
// every colour and font, time and date, symbols, bitmaps, special characters and controls) along
// the path the pane takes: the workspace's stream built as a send builds it, decoded by the
// virtual sign, the messages an edit changed laid out as LED scenes (once per edit), then frame by
// frame the player's frame painted by the virtual sign's LED board into an image of the pane's
// size. Target: under 16 ms a frame.
//
//   cmake --build build --target bench_live_preview && ./build/bin/bench_live_preview

#include <QApplication>
#include <QImage>
#include <cstdio>

#include "app/live_preview.h"
#include "bench/full_workspace.h"
#include "bench/timings.h"
#include "virtualsign/ui/led_board_view.h"
#include "workspace/varnel_doc.h"

namespace {

constexpr int kEdits = 50;
constexpr int kFrames = 5000;
constexpr int kFrameMs = 20;  // The pane's frame timer.
constexpr int kPaneWidth = 1000;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);

  workspace::CVarnelDoc doc;
  workspace::EditorModel editor(doc);
  bench::fillWorkspace(editor);
  const platform::SystemClock clock;
  app::LivePreview preview(clock);

  bench::Timings edits;
  for (int edit = 0; edit < kEdits; ++edit) {
    editor.typeCharacter('a' + edit % 26);
    edits.measure([&] {
      const app::SendContent content = app::prepareSendContent(doc.workspace(), {});
      preview.update(content, editor.currentMessage());
    });
  }
  std::printf("workspace: %zu messages on the sign, %d display lines\n",
              preview.sign().state.messages.size(), doc.lineCount());
  edits.print(
      "following a typed character (stream, decode, scenes)",
      " (once per pause in typing; the slowest is the first, which lays out every message)");

  virtualsign::ui::LedBoardView board;
  board.resize(kPaneWidth, board.sizeHint().height());
  QImage image(board.size(), QImage::Format_RGB32);
  bench::Timings frames;
  for (int frame = 0; frame < kFrames; ++frame) {
    frames.measure([&] {
      preview.advance(kFrameMs);
      board.setFrame(preview.frame(), preview.signWidth());
      board.render(&image);
    });
  }
  char what[96];
  std::snprintf(what, sizeof what, "live preview frame (%dx%d pane, %d ms of play each)",
                board.width(), board.height(), kFrameMs);
  frames.print(what, " (target < 16 ms)");
  return 0;
}
