#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/book_edits.h"
#include "platform/status.h"

// The rules of the mail settings dialogs: the list dialog that keeps either the mail servers or
// the receiving mailboxes, the mail server dialog and its authentication dialog. Renaming and
// removing are the address book's own edits (addressbook/book_edits.h): a renamed mail server is
// renamed in the devices that send through it, a renamed mailbox in the sites that mail to it.
namespace mail {

// Which list the list dialog keeps.
enum class MailListMode { kMailServers, kMailboxes };

// The name-entry dialog's mode for a new or renamed record of the list.
addressbook::NameDialogMode nameModeOf(MailListMode mode);

// The list dialog's texts in mailbox mode (in mail server mode they are the dialog template's).
struct MailListTexts {
  std::string caption;  // "Mailbox Settings"
  std::string label;    // "Available Mailboxes"
  std::string newButton;
  std::string editButton;
  std::string removeButton;
  std::string renameButton;
};
MailListTexts mailboxListTexts();

// The names of the list, in list order.
std::vector<std::string> mailListNames(const addressbook::CAddressBook& book, MailListMode mode);

// Captions of the dialogs that follow a list button, each the text, ":" and the record's name:
// New ("New Mail Server" / "New Mail Address"), Edit ("Edit Mail Server" / "Edit Mail Address")
// and Rename ("Rename Mail Server" / "Rename Mailbox").
std::string newRecordCaption(MailListMode mode, std::string_view name);
std::string editRecordCaption(MailListMode mode, std::string_view name);
std::string renameRecordCaption(MailListMode mode, std::string_view name);

// The list buttons that need a selection: Edit and Rename refuse an empty `name` with "Please
// first select one item to edit!", Remove with "Please first select one item to remove!" (both
// shown with the caption "Warning!").
enum class MailListAction { kEdit, kRename, kRemove };
platform::Status requireSelectedItem(MailListAction action, std::string_view name);

// Remove's question: "Are you sure to remove this item?".
std::string removeItemQuestion();

// The mail server dialog's fields: the record's texts and flags, the two ports as typed.
struct MailServerForm {
  addressbook::CMailServer server;  // name, ports unused
  std::string smtpPort;
  std::string pop3Port;
};

MailServerForm mailServerFormOf(const addressbook::CMailServer& server);

// The mail server dialog's OK: validateMailServer's checks (addressbook/site_parameters.h), then
// each port must be a whole number from 1 to 65535 ("Please enter one integer as IP port."): a
// port of 0 or a word would only fail at send time. On success *server holds the form's values
// (its name is left as it was).
platform::Status mailServerFromForm(const MailServerForm& form, addressbook::CMailServer* server);

// The authentication dialog's OK: with "Authentication information" chosen (`ownAccount`) the
// account must not be empty ("The account for authentication can't be left blank!").
platform::Status validateAuthentication(bool ownAccount, std::string_view account);

// New and Edit of the two lists. A new record's name must be free in its list (checkNewName); a
// mail server must pass validateMailServer. Edit keeps the record's name and position; kRefused
// with an empty message when there is no record `name`.
platform::Status addMailServer(addressbook::CAddressBook* book, const std::string& name,
                               addressbook::CMailServer server);
platform::Status editMailServer(addressbook::CAddressBook* book, std::string_view name,
                                const addressbook::CMailServer& server);
platform::Status addMailbox(addressbook::CAddressBook* book, const std::string& name,
                            const std::string& address);
platform::Status editMailbox(addressbook::CAddressBook* book, std::string_view name,
                             const std::string& address);

}  // namespace mail
