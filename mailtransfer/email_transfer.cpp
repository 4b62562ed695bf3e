#include "mailtransfer/email_transfer.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/sign_data_mail.h"
#include "mail/smtp_connection.h"
#include "mail/tls_profile.h"
#include "mailtransfer/server_logins.h"
#include "pop3/pop3_connection.h"

namespace mailtransfer {

using mail::CQVRSMTPConnection;
using mail::SmtpMessage;

namespace {

using signlink::SendProgressUi;

// The sending window's status line and progress bar, for the SMTP client. The bar counts in
// ints. Failures are shown once, by the transfer itself.
class SendingWindow final : public mail::SmtpObserver {
 public:
  explicit SendingWindow(SendProgressUi& ui) : ui_(ui) {}
  void statusChanged(const std::string& text) override { ui_.setStatus(text); }
  void transferStarting(size_t total) override { ui_.setProgressRange(clamp(total)); }
  void chunkSent(size_t sent) override { ui_.setProgress(clamp(sent)); }

 private:
  static int clamp(size_t n) { return static_cast<int>(std::min<size_t>(n, INT_MAX)); }
  SendProgressUi& ui_;
};

// Shows a failure in the status line and in a message box; the result of a failed send.
int fail(SendProgressUi& ui, const std::string& text) {
  ui.setStatus(text);
  ui.showMessage(text, SendProgressUi::Icon::kError);
  return -1;
}

// Logs in to the server's POP3 account and quits at once, as servers that want a POP3 log-in
// before they relay mail require. False with *error otherwise.
bool popBeforeSmtp(const addressbook::CMailServer& server, const pop3::Pop3Options& options,
                   platform::MessagePump& pump, SendProgressUi& ui, std::string* error) {
  pop3::POP3Connection pop(
      pump, server.pop3Server, server.pop3Port, server.pop3Account, server.pop3Password,
      [&ui](const std::string& text) { ui.setStatus(text); }, [](size_t) {}, options);
  if (!pop.Connect()) {
    *error = pop.ErrorText();
    return false;
  }
  pop.Quit();
  return true;
}

}  // namespace

EmailTransfer::EmailTransfer(const addressbook::CAddressBook& book, platform::MessagePump& pump,
                             const platform::LocalClock& clock)
    : book_(book), pump_(pump), clock_(clock) {}

int EmailTransfer::sendSignDataFile(const std::string& path, const signlink::SendItem& item,
                                    SendProgressUi& ui) {
  const addressbook::CMailServer* server = book_.findMailServer(item.targetName);
  if (!server) {
    return fail(ui, i18n::formatText(i18n::text(i18n::IDS_MAIL_SERVER_DELETED), {item.targetName}));
  }
  if (server->smtpServer.empty() || server->mailAddress.empty() || server->pop3Server.empty() ||
      server->pop3Account.empty()) {
    return fail(ui, i18n::text(i18n::IDS_MAIL_SERVER_FIELDS_BLANK));
  }
  const platform::Result<std::unique_ptr<SmtpMessage>> message =
      mail::buildSignDataMail(book_, path, {item.targetName, item.phoneOrMailbox});
  if (!message.ok()) return fail(ui, message.message());
  const platform::Result<std::string> bytes = mail::renderSignDataMail(**message, clock_);
  if (!bytes.ok()) return fail(ui, bytes.message());

  ui.setWaitCursor(true);
  const int result = deliver(*server, **message, *bytes, item, ui);
  ui.setWaitCursor(false);
  return result;
}

mail::TlsChoice EmailTransfer::tlsChoiceOf(const std::string& serverName) const {
  if (tlsProfilePath_.empty()) return {};
  return mail::readTlsChoice(platform::ProfileFile(tlsProfilePath_), serverName);
}

std::string EmailTransfer::timedOutText() const {
  const int ms =
      replyTimeoutMs_ > 0 ? replyTimeoutMs_ : mail::CQVRSMTPConnection::kDefaultReplyTimeoutMs;
  return i18n::formatText(i18n::text(i18n::IDS_MAIL_REPLY_TIMED_OUT),
                          {static_cast<long long>((ms + 999) / 1000)});
}

int EmailTransfer::deliver(const addressbook::CMailServer& server, const SmtpMessage& message,
                           const std::string& bytes, const signlink::SendItem& item,
                           SendProgressUi& ui) {
  const mail::TlsChoice tls = tlsChoiceOf(server.name);
  std::string error;
  if (!server.needsAuth &&
      !popBeforeSmtp(server, popBeforeSmtpOptions(server, tls, replyTimeoutMs_), pump_, ui,
                     &error)) {
    return fail(ui, error);
  }

  ui.setStatus(i18n::formatText(i18n::text(i18n::IDS_MAIL_CONNECTING), {server.smtpServer}));
  SendingWindow window(ui);  // Declared first: it outlives the connection.
  CQVRSMTPConnection smtp(pump_);
  if (replyTimeoutMs_ > 0) smtp.SetReplyTimeoutMs(replyTimeoutMs_);
  smtp.SetObserver(&window);
  if (!smtp.Connect(smtpLoginOf(server, tls))) {
    // A certificate that does not verify, a refused upgrade: the reason, not a socket code.
    if (!smtp.TlsFailureText().empty()) return fail(ui, smtp.TlsFailureText());
    if (smtp.SocketError() == platform::wsa::kTimedOut) return fail(ui, timedOutText());
    return fail(ui, i18n::formatText(i18n::text(i18n::IDS_MAIL_CONNECT_FAILED),
                                     {static_cast<long long>(smtp.SocketError())}));
  }

  // The mailbox may have gone while the session was opened.
  if (!book_.findMailbox(item.phoneOrMailbox)) {
    smtp.Disconnect(true);
    return fail(ui, i18n::formatText(i18n::text(i18n::IDS_MAILBOX_DELETED), {item.phoneOrMailbox}));
  }
  if (!smtp.SendMessage(bytes, message.to(), message.from(), kSendChunkBytes)) {
    const std::string text =
        smtp.SocketError() == platform::wsa::kTimedOut
            ? timedOutText()
            : i18n::formatText(i18n::text(i18n::IDS_MAIL_SEND_FAILED), {smtp.LastResponseText()});
    smtp.Disconnect(true);
    return fail(ui, text);
  }
  smtp.Disconnect(true);
  return 1;
}

}  // namespace mailtransfer
