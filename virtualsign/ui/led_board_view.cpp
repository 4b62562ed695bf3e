#include "virtualsign/ui/led_board_view.h"

#include <QPainter>

#include "virtualsign/ui/led_painting.h"

namespace virtualsign::ui {
namespace {

constexpr int kMinimumPitch = 2;  // Pixels per LED below which the board stops shrinking.

}  // namespace

LedBoardView::LedBoardView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LedBoardView::setFrame(const LedStrip& frame, int signWidth) {
  const bool resized = signWidth != signWidth_;
  frame_ = frame;
  signWidth_ = signWidth;
  if (resized) updateGeometry();
  update();
}

QSize LedBoardView::sizeHint() const {
  return ledBoardSize(1, signWidth_);
}

QSize LedBoardView::minimumSizeHint() const {
  const QSize natural = sizeHint();
  return {signWidth_ * kMinimumPitch, natural.height() * kMinimumPitch / kLedPitch};
}

void LedBoardView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  QImage board = ledBoard({frame_}, signWidth_);
  if (board.width() > width()) {
    board = board.scaledToWidth(width(), Qt::SmoothTransformation);
  }
  p.drawImage(QPoint((width() - board.width()) / 2, (height() - board.height()) / 2), board);
}

}  // namespace virtualsign::ui
