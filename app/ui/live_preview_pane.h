#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>

#include "app/live_preview.h"
#include "app/startup_sequence.h"
#include "platform/local_clock.h"

class QLabel;

namespace virtualsign::ui {
class LedBoardView;
}

namespace app::ui {

class CVarnelView;

// The live sign preview: a pane under the message window that plays the workspace as the sign
// will, drawn by the virtual sign's LED painting. It follows the editor: a short pause after an
// edit or a caret move it takes the workspace again and goes to the message the caret is in.
// F5 shows and hides it.
class LivePreviewPane final : public QDockWidget {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = 60;  // Quiet time after an edit before the preview follows.

  // `view` and `state` (the catalog and data directory the send takes its images from) must
  // outlive the pane.
  LivePreviewPane(CVarnelView& view, const app::AppState& state, QWidget* parent = nullptr);

  // Takes the workspace as it stands now (what the pause after an edit ends in).
  void refresh();
  // Plays `ms` milliseconds on and shows the frame (what the frame timer does).
  void advance(int ms);

  const app::LivePreview& preview() const { return preview_; }
  virtualsign::ui::LedBoardView* board() const { return board_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void showFrame();
  void tick();

  CVarnelView& view_;
  const app::AppState& state_;
  platform::SystemClock clock_;
  app::LivePreview preview_;
  virtualsign::ui::LedBoardView* board_;
  QLabel* caption_;
  QTimer settle_;  // Single shot: the pause after an edit.
  QTimer frames_;  // The frame rate while the pane is shown.
  QElapsedTimer sinceTick_;
  bool stale_ = false;    // The workspace changed while the pane was hidden.
  int shownMinute_ = -1;  // The clock's minute when the workspace was last taken.
};

}  // namespace app::ui
