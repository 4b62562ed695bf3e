#pragma once

#include "addressbook/address_records.h"
#include "mail/smtp_connection.h"
#include "mail/tls_choice.h"
#include "pop3/pop3_connection.h"

// How the e-mail transfer reaches a mail server: the SMTP log-in and the POP3 log-in that goes
// before it when the SMTP server wants no authentication. Both connections use the server's TLS
// choice; without one, each follows its own port (implicit TLS on 465 and 995).
namespace mailtransfer {

// The SMTP server and log-in of a server record: the method and the user name and password it
// sends, and the TLS settings.
mail::SmtpServerLogin smtpLoginOf(const addressbook::CMailServer& server,
                                  const mail::TlsChoice& tls);

// The options of the POP3 log-in before SMTP: texts from the language table, the guard on every
// wait (`guardMs`, the client's own when 0) and the TLS settings.
pop3::Pop3Options popBeforeSmtpOptions(const addressbook::CMailServer& server,
                                       const mail::TlsChoice& tls, int guardMs);

}  // namespace mailtransfer
