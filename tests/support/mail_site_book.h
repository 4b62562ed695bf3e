#pragma once

#include <string>

#include "addressbook/address_book.h"

namespace testing_support {

// An address book with one site reached by e-mail: the site `siteName` (sign addresses 1-3) on an
// "Email Poller" device that sends through `server`, mailing to the receiving mailbox
// `mailboxName` at `mailboxAddress`.
addressbook::CAddressBook emailSiteBook(const addressbook::CMailServer& server,
                                        const std::string& siteName, const std::string& mailboxName,
                                        const std::string& mailboxAddress);

// The mail server "Office" on loopback that needs no SMTP log-in: varnel logs in to the POP3
// account `account` (with `password`) at `pop3Port` before sending through `smtpPort`
// (POP-before-SMTP), as office@example.com.
addressbook::CMailServer popBeforeSmtpServer(int smtpPort, int pop3Port, const std::string& account,
                                             const std::string& password);

}  // namespace testing_support
