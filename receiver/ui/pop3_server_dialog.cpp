#include "receiver/ui/pop3_server_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/ui/qt_text.h"
#include "receiver/ui/window_texts.h"

namespace receiver::ui {

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;
constexpr int kFieldMinimumWidth = 240;

}  // namespace

CPop3ServerDialog::CPop3ServerDialog(const MailboxRecord& record, QWidget* parent)
    : QDialog(parent),
      server_(new QLineEdit(platform::ui::fromCp1252(record.server), this)),
      account_(new QLineEdit(platform::ui::fromCp1252(record.account), this)),
      password_(new QLineEdit(platform::ui::fromCp1252(record.password), this)),
      port_(new QSpinBox(this)) {
  setWindowTitle(QString::fromLatin1(texts::kServerDialogTitle));
  server_->setMinimumWidth(kFieldMinimumWidth);
  password_->setEchoMode(QLineEdit::Password);
  port_->setRange(kLowestPort, kHighestPort);
  port_->setValue(record.port);

  auto* form = new QFormLayout;
  form->addRow(QString::fromLatin1(texts::kServerLabel), server_);
  form->addRow(QString::fromLatin1(texts::kAccountLabel), account_);
  form->addRow(QString::fromLatin1(texts::kPasswordLabel), password_);
  form->addRow(QString::fromLatin1(texts::kPortLabel), port_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPop3ServerDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void CPop3ServerDialog::store(MailboxRecord* record) const {
  record->server = platform::ui::toCp1252(server_->text());
  record->account = platform::ui::toCp1252(account_->text());
  record->password = platform::ui::toCp1252(password_->text());
  record->port = port_->value();
}

QString CPop3ServerDialog::refusal() const {
  if (server_->text().isEmpty()) return QString::fromLatin1(texts::kServerBlank);
  if (account_->text().isEmpty()) return QString::fromLatin1(texts::kAccountBlank);
  return {};
}

void CPop3ServerDialog::accept() {
  const QString problem = refusal();
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, QString::fromLatin1(texts::kWarningTitle), problem);
    (problem == QString::fromLatin1(texts::kServerBlank) ? server_ : account_)->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace receiver::ui
