#include "mail/sign_data_mail.h"

#include <cerrno>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/mail_address.h"

namespace mail {

namespace {

// Bytes the rendered mail is given room for at a time.
constexpr size_t kMemoryFileGrowth = 1024;

std::string memoryFileError(int systemError) {
  return i18n::formatText(i18n::text(i18n::IDS_MAIL_RENDER_FAILED),
                          {static_cast<long long>(systemError)});
}

// How many items a path list names (blank items do not count).
int listedPaths(const std::string& list) {
  int count = 0;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find_first_of(",;", start);
    if (end == std::string::npos) end = list.size();
    if (!trimBlanks(std::string_view(list).substr(start, end - start)).empty()) ++count;
    start = end + 1;
  }
  return count;
}

// The first of the book's fields that go into the mail's header and hold a line break (which
// would end the header line and let the field write lines of its own); null when none does.
const std::string* fieldWithLineBreak(const addressbook::CMailServer& server,
                                      const addressbook::CMailbox& mailbox) {
  for (const std::string* field : {&server.name, &server.mailAddress, &mailbox.address}) {
    if (field->find_first_of("\r\n") != std::string::npos) return field;
  }
  return nullptr;
}

}  // namespace

platform::Result<std::unique_ptr<SmtpMessage>> buildSignDataMail(
    const addressbook::CAddressBook& book, const std::string& attachmentPaths,
    const SignDataMailTarget& target) {
  using platform::Status;
  const addressbook::CMailServer* server = book.findMailServer(target.serverName);
  if (!server) {
    return Status::refused(
        i18n::formatText(i18n::text(i18n::IDS_MAIL_SERVER_DELETED), {target.serverName}));
  }
  const addressbook::CMailbox* mailbox = book.findMailbox(target.mailboxName);
  if (!mailbox) {
    return Status::refused(
        i18n::formatText(i18n::text(i18n::IDS_MAILBOX_DELETED), {target.mailboxName}));
  }

  if (const std::string* field = fieldWithLineBreak(*server, *mailbox)) {
    std::string shown = *field;  // on one line
    for (char& c : shown) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    return Status::refused(i18n::formatText(i18n::text(i18n::IDS_MAIL_FIELD_LINE_BREAK), {shown}));
  }

  auto message = std::make_unique<SmtpMessage>();
  message->setMime(false);
  message->setCharset(kSignDataCharset);
  message->setPriority(MailPriority::kHigh);
  message->addRecipients(mailbox->address, RecipientField::kTo);
  message->setSubject(kSignDataSubject);
  message->setTextBody(kSignDataSubject);
  // Files that are not there would be skipped without a word, and the receiver would get a mail
  // without data; refuse instead.
  if (message->addAttachments(attachmentPaths) < listedPaths(attachmentPaths)) {
    return Status::cannotOpen(memoryFileError(ENOENT));
  }
  message->setFrom(MailAddress(server->name, server->mailAddress));
  message->setXMailer("");
  return message;
}

platform::Result<std::string> renderSignDataMail(const SmtpMessage& message,
                                                 const platform::LocalClock& clock) {
  std::string bytes;
  bytes.reserve(kMemoryFileGrowth);
  RenderError renderError;
  if (!message.render(clock, &bytes, &renderError)) {
    return platform::Status::cannotOpen(memoryFileError(renderError.systemError));
  }
  return bytes;
}

}  // namespace mail
