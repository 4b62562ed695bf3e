#include "mail/ui/smtp_auth_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "mail/typed_mail_fields.h"
#include "platform/ui/qt_text.h"

namespace mail::ui {
namespace {

using platform::ui::fromCp1252;
using platform::ui::toCp1252;

constexpr int kNumber = i18n::IDD_SMTP_AUTHENTICATION;

}  // namespace

CSmtpAuthDialog::CSmtpAuthDialog(const addressbook::CMailServer& server,
                                 const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      sameAsPop3_(i18n::ui::makeControl<QRadioButton>(this, kNumber, i18n::kIdSmtpAuthSameAsPop3)),
      ownAccount_(i18n::ui::makeControl<QRadioButton>(this, kNumber, i18n::kIdSmtpAuthOwnAccount)),
      account_(new QLineEdit(fromCp1252(server.account), this)),
      password_(new QLineEdit(fromCp1252(server.password), this)),
      chosen_(server) {
  using i18n::ui::makeControl;
  i18n::ui::setControlId(account_, i18n::kIdSmtpAuthAccount);
  i18n::ui::setControlId(password_, i18n::kIdSmtpAuthPassword);
  password_->setEchoMode(QLineEdit::Password);
  auto* fields = new QFormLayout;
  fields->addRow(makeControl<QLabel>(this, kNumber, i18n::kIdSmtpAuthAccountLabel), account_);
  fields->addRow(makeControl<QLabel>(this, kNumber, i18n::kIdSmtpAuthPasswordLabel), password_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sameAsPop3_);
  layout->addWidget(ownAccount_);
  layout->addLayout(fields);
  layout->addWidget(i18n::ui::makeOkCancelButtons(this, kNumber));
  i18n::ui::initDialog(this, kNumber, language);
  (server.usePop3Credentials ? sameAsPop3_ : ownAccount_)->setChecked(true);
  showChoice();
  connect(ownAccount_, &QRadioButton::toggled, this, &CSmtpAuthDialog::showChoice);
}

void CSmtpAuthDialog::showChoice() {
  account_->setEnabled(ownAccount_->isChecked());
  password_->setEnabled(ownAccount_->isChecked());
}

void CSmtpAuthDialog::takeOver(addressbook::CMailServer* server) const {
  server->usePop3Credentials = chosen_.usePop3Credentials;
  server->account = chosen_.account;
  server->password = chosen_.password;
}

void CSmtpAuthDialog::accept() {
  AuthenticationText refused = AuthenticationText::kAccount;
  const platform::Status verdict =
      storeTypedAuthentication(ownAccount_->isChecked(), account_->text().toStdString(),
                               password_->text().toStdString(), &chosen_, &refused);
  if (!verdict.ok()) {
    i18n::ui::showBox(this, verdict.message(), toCp1252(windowTitle()), i18n::ui::BoxIcon::kError,
                      i18n::ui::BoxButtons::kOk);
    QLineEdit* field = refused == AuthenticationText::kAccount ? account_ : password_;
    field->setFocus();
    field->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace mail::ui
