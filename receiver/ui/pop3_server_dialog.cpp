#include "receiver/ui/pop3_server_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"
#include "receiver/receiver_texts.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

using platform::ui::fromCp1252;

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;
constexpr int kFieldMinimumWidth = 240;

platform::ui::SecurityControlTexts securityTexts() {
  return {mail::tlsPolicyTexts(), i18n::text(i18n::IDS_TLS_BROWSE),
          i18n::text(i18n::IDS_TLS_CA_FILE_TITLE), i18n::text(i18n::IDS_TLS_CA_FILE_FILTER)};
}

}  // namespace

CPop3ServerDialog::CPop3ServerDialog(const MailboxRecord& record, QWidget* parent)
    : QDialog(parent),
      server_(new QLineEdit(fromCp1252(record.server), this)),
      account_(new QLineEdit(fromCp1252(record.account), this)),
      password_(new QLineEdit(fromCp1252(record.password), this)),
      port_(new QSpinBox(this)),
      tls_(record.tls, record.port),
      security_(this, securityTexts(), mail::tlsPolicyIndex(tls_.shown()), record.tls.caFile) {
  setWindowTitle(fromCp1252(texts::kServerDialogTitle));
  server_->setMinimumWidth(kFieldMinimumWidth);
  password_->setEchoMode(QLineEdit::Password);
  port_->setRange(kLowestPort, kHighestPort);
  port_->setValue(record.port);
  connect(port_, &QSpinBox::valueChanged, this, [this](int port) {
    tls_.portChanged(port);
    tlsList()->setCurrentIndex(mail::tlsPolicyIndex(tls_.shown()));
  });
  connect(tlsList(), &QComboBox::activated, this,
          [this](int index) { tls_.choose(mail::kOfferedTlsPolicies[index]); });

  auto* form = new QFormLayout;
  form->addRow(fromCp1252(texts::kServerLabel), server_);
  form->addRow(fromCp1252(texts::kAccountLabel), account_);
  form->addRow(fromCp1252(texts::kPasswordLabel), password_);
  form->addRow(fromCp1252(texts::kPortLabel), port_);
  form->addRow(fromCp1252(i18n::text(i18n::IDS_TLS_LABEL)), tlsList());
  form->addRow(fromCp1252(i18n::text(i18n::IDS_TLS_CA_FILE_LABEL)), security_.caFileRow());
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

QString CPop3ServerDialog::check(MailboxRecord* record, QWidget** field) const {
  std::string text;
  const MailboxField refused = checkTypedMailbox(typed(), record, &text);
  if (refused != MailboxField::kNone) {
    *field = refused == MailboxField::kServer    ? server_
             : refused == MailboxField::kAccount ? account_
                                                 : password_;
    return fromCp1252(text);
  }
  const std::string caFile = security_.caFilePath();
  const platform::Status readable = mail::checkCaFile(caFile);
  if (!readable.ok()) {
    *field = caFileField();
    return fromCp1252(readable.message());
  }
  record->tls = tls_.result(caFile);
  return {};
}

void CPop3ServerDialog::store(MailboxRecord* record) const {
  MailboxRecord checked = *record;
  QWidget* field = nullptr;
  if (check(&checked, &field).isEmpty()) *record = checked;
}

QString CPop3ServerDialog::refusal() const {
  MailboxRecord record;
  QWidget* field = nullptr;
  return check(&record, &field);
}

void CPop3ServerDialog::accept() {
  MailboxRecord record;
  QWidget* field = nullptr;
  const QString text = check(&record, &field);
  if (!text.isEmpty()) {
    QMessageBox::warning(this, fromCp1252(texts::kWarningTitle), text);
    field->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace receiver::ui
