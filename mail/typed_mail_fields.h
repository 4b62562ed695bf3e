#pragma once

#include <string>
#include <string_view>

#include "addressbook/address_book.h"
#include "mail/mail_settings.h"
#include "platform/status.h"

// The texts of the mail server dialog and its authentication dialog as the user typed them
// (UTF-8). The mail server record keeps Windows-1252 bytes and the mail and the log-ins carry
// them, so a character Windows-1252 lacks is refused in the field where it was typed, naming the
// field, instead of turning into a '?' that would only show as a failed log-in or a lost mail.
namespace mail {

// The mail server dialog's text fields, in the dialog's order.
enum class MailServerText { kMailAddress, kSmtpServer, kPop3Server, kPop3Account, kPop3Password };

struct TypedServerTexts {
  std::string mailAddress;
  std::string smtpServer;
  std::string pop3Server;
  std::string pop3Account;
  std::string pop3Password;
};

// The first step of the mail server dialog's OK: on success form->server takes the texts;
// otherwise nothing changes, *refused is the first field Windows-1252 cannot hold and the
// refusal reads, for example, "The POP3 Account can only hold Western European (Windows-1252)
// characters!".
platform::Status storeTypedServerTexts(const TypedServerTexts& typed, MailServerForm* form,
                                       MailServerText* refused);

// The authentication dialog's fields.
enum class AuthenticationText { kAccount, kPassword };

// The authentication dialog's OK: Windows-1252 must hold the account and the password, then
// validateAuthentication. On success *server takes the choice (`ownAccount` clears
// usePop3Credentials), the account and the password; otherwise nothing changes and *refused is
// the field to correct.
platform::Status storeTypedAuthentication(bool ownAccount, std::string_view account,
                                          std::string_view password,
                                          addressbook::CMailServer* server,
                                          AuthenticationText* refused);

}  // namespace mail
