#pragma once

#include <QWidget>

#include "virtualsign/led_picture.h"

// One frame of the sign's LEDs on a widget: the board at its natural size, centred, and scaled
// down to the widget's width when the widget is narrower.
namespace virtualsign::ui {

class LedBoardView final : public QWidget {
  Q_OBJECT
 public:
  explicit LedBoardView(QWidget* parent = nullptr);
  void setFrame(const LedStrip& frame, int signWidth);
  const LedStrip& frame() const { return frame_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LedStrip frame_;
  int signWidth_ = 80;
};

}  // namespace virtualsign::ui
