#include "signlink/ui/send_progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace signlink::ui {
namespace {

constexpr int kMinimumWidth = 420;

QString shown(const std::string& text) {
  QString s = platform::ui::fromCp1252(text);
  return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
}

QLabel* line(QWidget* parent, int id) {
  auto* label = new QLabel(parent);
  i18n::ui::setControlId(label, id);
  label->setWordWrap(true);
  return label;
}

}  // namespace

CSendProgressWindow::CSendProgressWindow(const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      command_(line(this, i18n::kIdSendProgressCommand)),
      destination_(line(this, i18n::kIdSendProgressDestination)),
      addresses_(line(this, i18n::kIdSendProgressAddresses)),
      status_(line(this, i18n::kIdSendProgressStatus)),
      bar_(new QProgressBar(this)) {
  i18n::ui::setControlId(bar_, i18n::kIdSendProgressBar);
  bar_->setRange(0, 1);
  bar_->setValue(0);
  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : {static_cast<QWidget*>(command_), static_cast<QWidget*>(destination_),
                     static_cast<QWidget*>(addresses_), static_cast<QWidget*>(status_),
                     static_cast<QWidget*>(bar_)}) {
    layout->addWidget(w);
  }
  setMinimumWidth(kMinimumWidth);
  setModal(false);
  i18n::ui::initDialog(this, i18n::IDD_SEND_PROGRESS, language);
}

CSendProgressWindow::~CSendProgressWindow() {
  while (waitCursors_ > 0)
    setWaitCursor(false);
}

void CSendProgressWindow::beginSend() {
  sending_ = true;
  stopRequested_ = false;
}

void CSendProgressWindow::endSend() {
  sending_ = false;
}

void CSendProgressWindow::setProgressRange(int maximum) {
  bar_->setRange(0, maximum > 0 ? maximum : 1);
}

void CSendProgressWindow::setProgress(int position) {
  bar_->setValue(std::min(position, bar_->maximum()));
}

void CSendProgressWindow::setStatus(const std::string& text) {
  status_->setText(shown(text));
}

void CSendProgressWindow::setCommandLine(const std::string& text) {
  command_->setText(shown(text));
}

void CSendProgressWindow::setDestinationLine(const std::string& text) {
  destination_->setText(shown(text));
}

void CSendProgressWindow::setAddressLine(const std::string& text) {
  addresses_->setText(shown(text));
}

void CSendProgressWindow::showMessage(const std::string& text, Icon icon) {
  i18n::ui::showBox(
      this, text, i18n::text(i18n::IDS_CAPTION_WARNING),
      icon == Icon::kError ? i18n::ui::BoxIcon::kError : i18n::ui::BoxIcon::kInformation,
      i18n::ui::BoxButtons::kOk);
}

void CSendProgressWindow::setWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitCursors_;
  } else if (waitCursors_ > 0) {
    QApplication::restoreOverrideCursor();
    --waitCursors_;
  }
}

void CSendProgressWindow::showDialUpWindow(bool visible) {
  if (dialUpShower_) dialUpShower_(visible);
}

bool CSendProgressWindow::mayClose() {
  if (!sending_) return true;
  // The send runs on inside this window's waits; it can only be asked to stop.
  if (!stopRequested_ && i18n::ui::askYesNo(this, i18n::text(i18n::IDS_SEND_ASK_STOP))) {
    stopRequested_ = true;
  }
  return false;
}

void CSendProgressWindow::reject() {
  if (mayClose()) QDialog::reject();
}

void CSendProgressWindow::closeEvent(QCloseEvent* event) {
  if (mayClose()) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

}  // namespace signlink::ui
