#include "virtualsign/ui/led_window.h"

#include <QPainter>
#include <QVBoxLayout>

#include "virtualsign/ui/led_painting.h"

namespace virtualsign::ui {
namespace {

constexpr int kTickMs = 20;

}  // namespace

LedBoardView::LedBoardView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LedBoardView::setFrame(const LedStrip& frame, int signWidth) {
  frame_ = frame;
  signWidth_ = signWidth;
  update();
}

QSize LedBoardView::sizeHint() const {
  const QImage board = ledBoard({frame_}, signWidth_);
  return board.size();
}

void LedBoardView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  const QImage board = ledBoard({frame_}, signWidth_);
  p.drawImage(QPoint((width() - board.width()) / 2, (height() - board.height()) / 2), board);
}

LedWindow::LedWindow(QWidget* parent)
    : QWidget(parent),
      board_(new LedBoardView(this)),
      caption_(new QLabel(this)),
      status_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Virtual sign"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(board_);
  layout->addWidget(caption_);
  layout->addWidget(status_);
  status_->setWordWrap(true);
  connect(&timer_, &QTimer::timeout, this, &LedWindow::tick);
  timer_.start(kTickMs);
}

void LedWindow::play(std::vector<Scene> scenes, int signWidth) {
  signWidth_ = signWidth;
  player_.setScenes(std::move(scenes), signWidth);
  board_->setFrame(player_.frame(), signWidth_);
  board_->updateGeometry();
}

void LedWindow::setStatus(const QString& text) {
  status_->setText(text);
}

void LedWindow::tick() {
  player_.advance(kTickMs);
  board_->setFrame(player_.frame(), signWidth_);
  caption_->setText(QString::fromStdString(player_.caption()));
}

}  // namespace virtualsign::ui
