#include "mail/mail_settings.h"

#include <optional>
#include <utility>

#include "addressbook/name_dialog_texts.h"
#include "addressbook/site_parameters.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/whole_number.h"

namespace mail {
namespace {

using addressbook::CAddressBook;
using addressbook::CMailServer;

constexpr int kMaxPort = 65535;

platform::Status refuse(int id) {
  return platform::Status::refused(i18n::text(id));
}

platform::Status noSuchRecord(std::string_view name) {
  return platform::Status::refused("", "no record named \"" + std::string(name) + "\"");
}

std::optional<int32_t> portOf(std::string_view text) {
  return platform::parseWholeNumber(text, 1, kMaxPort);
}

int byMode(MailListMode mode, int serverId, int mailboxId) {
  return mode == MailListMode::kMailServers ? serverId : mailboxId;
}

}  // namespace

addressbook::NameDialogMode nameModeOf(MailListMode mode) {
  return mode == MailListMode::kMailServers ? addressbook::NameDialogMode::kMailServer
                                            : addressbook::NameDialogMode::kMailbox;
}

MailListTexts mailboxListTexts() {
  return {i18n::text(i18n::IDS_MAILBOX_LIST_CAPTION), i18n::text(i18n::IDS_MAILBOX_LIST_LABEL),
          i18n::text(i18n::IDS_NAME_CAPTION_MAILBOX), i18n::text(i18n::IDS_MAILBOX_EDIT),
          i18n::text(i18n::IDS_MAILBOX_REMOVE),       i18n::text(i18n::IDS_MAILBOX_RENAME)};
}

std::vector<std::string> mailListNames(const CAddressBook& book, MailListMode mode) {
  std::vector<std::string> names;
  if (mode == MailListMode::kMailServers) {
    for (const CMailServer& server : book.mailServers)
      names.push_back(server.name);
  } else {
    for (const addressbook::CMailbox& mailbox : book.mailboxes)
      names.push_back(mailbox.name);
  }
  return names;
}

std::string newRecordCaption(MailListMode mode, std::string_view name) {
  return addressbook::recordCaption(
      byMode(mode, i18n::IDS_NAME_CAPTION_MAIL_SERVER, i18n::IDS_MAIL_ADDRESS_CAPTION_NEW), name);
}

std::string editRecordCaption(MailListMode mode, std::string_view name) {
  return addressbook::recordCaption(
      byMode(mode, i18n::IDS_MAIL_SERVER_CAPTION_EDIT, i18n::IDS_MAIL_ADDRESS_CAPTION_EDIT), name);
}

std::string renameRecordCaption(MailListMode mode, std::string_view name) {
  return addressbook::recordCaption(
      byMode(mode, i18n::IDS_MAIL_SERVER_CAPTION_RENAME, i18n::IDS_MAILBOX_RENAME), name);
}

platform::Status requireSelectedItem(MailListAction action, std::string_view name) {
  if (!name.empty()) return platform::Status::success();
  return refuse(action == MailListAction::kRemove ? i18n::IDS_SELECT_ITEM_TO_REMOVE
                                                  : i18n::IDS_SELECT_ITEM_TO_EDIT);
}

std::string removeItemQuestion() {
  return i18n::text(i18n::IDS_CONFIRM_REMOVE_ITEM);
}

MailServerForm mailServerFormOf(const CMailServer& server) {
  return {server, std::to_string(server.smtpPort), std::to_string(server.pop3Port)};
}

platform::Status mailServerFromForm(const MailServerForm& form, CMailServer* server) {
  const platform::Status fields = addressbook::validateMailServer(form.server);
  if (!fields.ok()) return fields;
  const std::optional<int32_t> smtpPort = portOf(form.smtpPort);
  const std::optional<int32_t> pop3Port = portOf(form.pop3Port);
  if (!smtpPort || !pop3Port) return refuse(i18n::IDS_ENTER_IP_PORT);
  std::string keptName = std::move(server->name);
  *server = form.server;
  server->name = std::move(keptName);
  server->smtpPort = *smtpPort;
  server->pop3Port = *pop3Port;
  return platform::Status::success();
}

platform::Status validateAuthentication(bool ownAccount, std::string_view account) {
  if (ownAccount && account.empty()) return refuse(i18n::IDS_AUTH_ACCOUNT_BLANK);
  return platform::Status::success();
}

platform::Status addMailServer(CAddressBook* book, const std::string& name, CMailServer server) {
  platform::Status status =
      addressbook::checkNewName(*book, addressbook::NameDialogMode::kMailServer, name);
  if (status.ok()) status = addressbook::validateMailServer(server);
  if (!status.ok()) return status;
  server.name = name;
  book->mailServers.push_back(std::move(server));
  return platform::Status::success();
}

platform::Status editMailServer(CAddressBook* book, std::string_view name,
                                const CMailServer& server) {
  CMailServer* stored = book->findMailServer(name);
  if (!stored) return noSuchRecord(name);
  const platform::Status valid = addressbook::validateMailServer(server);
  if (!valid.ok()) return valid;
  std::string keptName = std::move(stored->name);
  *stored = server;
  stored->name = std::move(keptName);
  return platform::Status::success();
}

platform::Status addMailbox(CAddressBook* book, const std::string& name,
                            const std::string& address) {
  platform::Status status =
      addressbook::checkNewName(*book, addressbook::NameDialogMode::kMailbox, name);
  if (status.ok() && address.empty()) status = refuse(i18n::IDS_MAIL_ADDRESS_BLANK);
  if (!status.ok()) return status;
  book->mailboxes.push_back({name, address});
  return platform::Status::success();
}

platform::Status editMailbox(CAddressBook* book, std::string_view name,
                             const std::string& address) {
  addressbook::CMailbox* stored = book->findMailbox(name);
  if (!stored) return noSuchRecord(name);
  if (address.empty()) return refuse(i18n::IDS_MAIL_ADDRESS_BLANK);
  stored->address = address;
  return platform::Status::success();
}

}  // namespace mail
