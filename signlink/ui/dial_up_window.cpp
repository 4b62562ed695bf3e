#include "signlink/ui/dial_up_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace signlink::ui {
namespace {

constexpr int kMinimumWidth = 300;

}  // namespace

CDialUpWindow::CDialUpWindow(const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), status_(new QLabel(this)), number_(new QComboBox(this)) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_DIAL_UP;
  i18n::ui::setControlId(status_, i18n::kIdDialUpStatus);
  i18n::ui::setControlId(number_, i18n::kIdDialUpNumber);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
  // Present as in the dialog template, never shown.
  auto* dial = makeControl<QPushButton>(this, kNumber, i18n::kIdDialUpDial);
  auto* hangUpAfterSend = makeControl<QCheckBox>(this, kNumber, i18n::kIdDialUpHangUpAfterSend);
  dial->setVisible(false);
  hangUpAfterSend->setVisible(false);
  auto* close = makeControl<QPushButton>(this, kNumber, i18n::kIdCancel);
  connect(close, &QPushButton::clicked, this, &CDialUpWindow::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(number_);
  layout->addWidget(status_);
  layout->addWidget(dial);
  layout->addWidget(hangUpAfterSend);
  layout->addWidget(close, 0, Qt::AlignRight);
  setMinimumWidth(kMinimumWidth);
  setModal(false);
  i18n::ui::initDialog(this, kNumber, language);
}

void CDialUpWindow::showCentred(const std::string& status) {
  setStatusLine(status);
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
}

void CDialUpWindow::setStatusLine(const std::string& text) {
  QString shown = platform::ui::fromCp1252(text);
  status_->setText(shown.replace(QChar('\r'), QChar('\n')));
}

void CDialUpWindow::showDialledNumber(const std::string& number) {
  number_->clear();
  number_->addItem(platform::ui::fromCp1252(number));
  number_->setCurrentIndex(0);
  number_->setEnabled(false);
}

void CDialUpWindow::showMessageBox(const std::string& caption, const std::string& text, Icon icon) {
  i18n::ui::showBox(
      this, text, caption,
      icon == Icon::kError ? i18n::ui::BoxIcon::kError : i18n::ui::BoxIcon::kInformation,
      i18n::ui::BoxButtons::kOk);
}

void CDialUpWindow::hide() {
  QDialog::hide();
}

void CDialUpWindow::reject() {
  if (closeHandler_) {
    closeHandler_();
  } else {
    hide();
  }
}

void CDialUpWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

}  // namespace signlink::ui
