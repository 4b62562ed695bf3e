#pragma once

#include <QDialog>
#include <string>

#include "addressbook/address_records.h"
#include "i18n/language_module.h"
#include "platform/status.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mail::ui {

// "Mail server" (dialog 140) for one mail server: the sender's address, the SMTP and POP3 servers
// with their ports (each with a button that restores the usual port), the POP3 log-in, and
// whether the SMTP server needs authentication, whose Setup (enabled only then) opens the
// authentication dialog. OK refuses a character Windows-1252 cannot hold (the field gets the
// focus), then blank fields in the order of mail_settings.h, in an error box captioned like the
// dialog.
class CMailServerDialog final : public QDialog {
  Q_OBJECT

 public:
  CMailServerDialog(const addressbook::CMailServer& server, const std::string& caption,
                    const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // The confirmed server (valid after OK); its name is the one it was opened with.
  const addressbook::CMailServer& server() const { return server_; }

  void accept() override;

 private:
  QLineEdit* field(int id, const std::string& text);
  void setUp();
  void refuse(const platform::Status& verdict);

  const i18n::LanguageModule& language_;
  addressbook::CMailServer server_;
  addressbook::CMailServer auth_;  // the authentication choice as Setup last confirmed it
  QLineEdit* address_ = nullptr;
  QLineEdit* smtpHost_ = nullptr;
  QLineEdit* smtpPort_ = nullptr;
  QLineEdit* pop3Host_ = nullptr;
  QLineEdit* pop3Account_ = nullptr;
  QLineEdit* pop3Password_ = nullptr;
  QLineEdit* pop3Port_ = nullptr;
  QCheckBox* needsAuth_ = nullptr;
  QPushButton* setUp_ = nullptr;
};

}  // namespace mail::ui
