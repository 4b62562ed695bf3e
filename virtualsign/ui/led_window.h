#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "virtualsign/playback.h"

// The sign on the desk: its LED board playing the stored messages, the message number and what
// the last reception brought underneath.
namespace virtualsign::ui {

class LedBoardView;

class LedWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit LedWindow(QWidget* parent = nullptr);
  // Plays `scenes` from their start on a sign `signWidth` wide.
  void play(std::vector<Scene> scenes, int signWidth);
  void setStatus(const QString& text);

 private:
  void tick();

  LedBoardView* board_;
  QLabel* caption_;
  QLabel* status_;
  QTimer timer_;
  Player player_;
  int signWidth_ = 80;
};

}  // namespace virtualsign::ui
