#pragma once

#include <QDialog>
#include <string>

#include "addressbook/address_records.h"
#include "i18n/language_module.h"

class QLineEdit;
class QRadioButton;

namespace mail::ui {

// "ESMTP Server Authentication" (dialog 141), opened by the mail server dialog's Setup: use the
// POP3 log-in, or an account and password of its own (the two fields are enabled only then). OK
// with an own account left empty, or with a character Windows-1252 cannot hold, is refused and
// the dialog stays open.
class CSmtpAuthDialog final : public QDialog {
  Q_OBJECT

 public:
  CSmtpAuthDialog(const addressbook::CMailServer& server, const i18n::LanguageModule& language,
                  QWidget* parent = nullptr);

  // The confirmed choice (valid after OK): usePop3Credentials, account and password of `server`.
  void takeOver(addressbook::CMailServer* server) const;

  void accept() override;

 private:
  void showChoice();

  QRadioButton* sameAsPop3_;
  QRadioButton* ownAccount_;
  QLineEdit* account_;
  QLineEdit* password_;
  addressbook::CMailServer chosen_;  // The choice as OK took it.
};

}  // namespace mail::ui
