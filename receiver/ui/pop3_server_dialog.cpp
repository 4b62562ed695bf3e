#include "receiver/ui/pop3_server_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/ui/qt_text.h"
#include "receiver/receiver_texts.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

using platform::ui::fromCp1252;

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;
constexpr int kFieldMinimumWidth = 240;

}  // namespace

CPop3ServerDialog::CPop3ServerDialog(const MailboxRecord& record, QWidget* parent)
    : QDialog(parent),
      server_(new QLineEdit(fromCp1252(record.server), this)),
      account_(new QLineEdit(fromCp1252(record.account), this)),
      password_(new QLineEdit(fromCp1252(record.password), this)),
      port_(new QSpinBox(this)) {
  setWindowTitle(fromCp1252(texts::kServerDialogTitle));
  server_->setMinimumWidth(kFieldMinimumWidth);
  password_->setEchoMode(QLineEdit::Password);
  port_->setRange(kLowestPort, kHighestPort);
  port_->setValue(record.port);

  auto* form = new QFormLayout;
  form->addRow(fromCp1252(texts::kServerLabel), server_);
  form->addRow(fromCp1252(texts::kAccountLabel), account_);
  form->addRow(fromCp1252(texts::kPasswordLabel), password_);
  form->addRow(fromCp1252(texts::kPortLabel), port_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPop3ServerDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

TypedMailbox CPop3ServerDialog::typed() const {
  return {server_->text().toStdString(), account_->text().toStdString(),
          password_->text().toStdString(), port_->value()};
}

void CPop3ServerDialog::store(MailboxRecord* record) const {
  std::string refusal;
  checkTypedMailbox(typed(), record, &refusal);
}

QString CPop3ServerDialog::refusal() const {
  MailboxRecord record;
  std::string text;
  checkTypedMailbox(typed(), &record, &text);
  return fromCp1252(text);
}

void CPop3ServerDialog::accept() {
  MailboxRecord record;
  std::string text;
  const MailboxField refused = checkTypedMailbox(typed(), &record, &text);
  if (refused != MailboxField::kNone) {
    QMessageBox::warning(this, fromCp1252(texts::kWarningTitle), fromCp1252(text));
    QLineEdit* field = refused == MailboxField::kServer    ? server_
                       : refused == MailboxField::kAccount ? account_
                                                           : password_;
    field->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace receiver::ui
