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

}  // namespace testing_support
