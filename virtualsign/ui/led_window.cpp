#include "virtualsign/ui/led_window.h"

#include <QVBoxLayout>

#include "virtualsign/ui/led_board_view.h"

namespace virtualsign::ui {
namespace {

constexpr int kTickMs = 20;

}  // namespace

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
