#include "app/ui/live_preview_pane.h"

#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/ui/varnel_view.h"
#include "platform/ui/qt_text.h"
#include "virtualsign/ui/led_board_view.h"
#include "workspace/editor_layout.h"

namespace app::ui {
namespace {

constexpr int kFrameMs = 20;

}  // namespace

LivePreviewPane::LivePreviewPane(CVarnelView& view, const app::AppState& state, QWidget* parent)
    : QDockWidget(parent),
      view_(view),
      state_(state),
      preview_(clock_),
      board_(new virtualsign::ui::LedBoardView),
      caption_(new QLabel) {
  setObjectName(QStringLiteral("livePreview"));
  setFeatures(QDockWidget::NoDockWidgetFeatures);
  setTitleBarWidget(new QWidget(this));  // No title: the pane is the sign itself.
  auto* sign = new QWidget(this);
  sign->setAutoFillBackground(true);
  QPalette palette = sign->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::lightGray);
  sign->setPalette(palette);
  auto* layout = new QVBoxLayout(sign);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->setSpacing(0);
  layout->addWidget(board_);
  layout->addWidget(caption_, 0, Qt::AlignHCenter);
  setWidget(sign);

  auto* toggle = new QShortcut(QKeySequence(Qt::Key_F5), parent != nullptr ? parent : this);
  connect(toggle, &QShortcut::activated, this, [this] { setVisible(!isVisible()); });

  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] {
    // A hidden pane follows when it is shown again.
    if (isVisible())
      refresh();
    else
      stale_ = true;
  });
  connect(&view_, &CVarnelView::documentStateChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&view_, &CVarnelView::signSettingsChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&frames_, &QTimer::timeout, this, &LivePreviewPane::tick);
  frames_.setInterval(kFrameMs);
  refresh();
}

void LivePreviewPane::refresh() {
  settle_.stop();
  stale_ = false;
  const app::SendContent content = app::prepareSendContent(
      view_.document().workspace(), state_.dataDir, {&state_.catalog, state_.sign});
  shownMinute_ = clock_.now().minute;
  preview_.update(content, view_.model().currentMessage());
  showFrame();
}

void LivePreviewPane::advance(int ms) {
  preview_.advance(ms);
  showFrame();
}

void LivePreviewPane::showFrame() {
  board_->setFrame(preview_.frame(), preview_.signWidth());
  const int message = preview_.message();
  caption_->setText(message == 0 ? QString()
                                 : platform::ui::fromCp1252(workspace::messageLabel(message)));
}

void LivePreviewPane::tick() {
  // Time and date items show the clock's minute.
  if (clock_.now().minute != shownMinute_) refresh();
  advance(static_cast<int>(sinceTick_.restart()));
}

void LivePreviewPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (stale_ || settle_.isActive()) refresh();
  sinceTick_.start();
  frames_.start();
}

void LivePreviewPane::hideEvent(QHideEvent* event) {
  QDockWidget::hideEvent(event);
  frames_.stop();
}

}  // namespace app::ui
