#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "mail/tls_choice.h"
#include "platform/ui/security_controls.h"

#include "addressbook/address_records.h"
#include "i18n/language_module.h"
#include "platform/status.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace mail::ui {

// "Mail server" (dialog 140) for one mail server: the sender's address, the SMTP and POP3 servers
// with their ports (each with a button that restores the usual port), the POP3 log-in, and
// whether the SMTP server needs authentication, whose Setup (enabled only then) opens the
// authentication dialog, and how its connections use TLS (a policy, "TLS required" offered first,
// and a CA file). OK refuses a character Windows-1252 cannot hold (the field gets the focus), then
// blank fields in the order of mail_settings.h, then a CA file that cannot be read, in an error
// box captioned like the dialog. Until the user picks a policy, the list follows the SMTP port
// (mail::TlsChoiceForm); the server's TLS choice is kept apart from the record
// (mail/tls_profile.h).
class CMailServerDialog final : public QDialog {
  Q_OBJECT

 public:
  CMailServerDialog(const addressbook::CMailServer& server, const std::string& caption,
                    const i18n::LanguageModule& language, QWidget* parent = nullptr)
      : CMailServerDialog(server, TlsChoice{}, caption, language, parent) {}
  CMailServerDialog(const addressbook::CMailServer& server, const TlsChoice& tls,
                    const std::string& caption, const i18n::LanguageModule& language,
                    QWidget* parent = nullptr);

  // The confirmed server (valid after OK); its name is the one it was opened with.
  const addressbook::CMailServer& server() const { return server_; }
  // The confirmed TLS choice (valid after OK).
  const TlsChoice& tls() const { return tls_; }

  void accept() override;

 private:
  QLineEdit* field(int id, const std::string& text);
  void setUp();
  void refuse(const platform::Status& verdict);
  void addSecurityRows(QGridLayout* grid);

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
  TlsChoiceForm tlsForm_;
  TlsChoice tls_;
  std::unique_ptr<platform::ui::SecurityControls> security_;
};

}  // namespace mail::ui
