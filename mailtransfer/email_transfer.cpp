#include "mailtransfer/email_transfer.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/sign_data_mail.h"
#include "mail/smtp_connection.h"
#include "pop3/pop3_connection.h"

namespace mailtransfer {

using mail::CQVRSMTPConnection;
using mail::SmtpMessage;

namespace {

using signlink::SendProgressUi;

// The status line of the sending window, for the SMTP client.
class StatusLine final : public mail::StatusSink {
 public:
  explicit StatusLine(SendProgressUi& ui) : ui_(ui) {}
  void showStatus(const std::string& text) override { ui_.setStatus(text); }

 private:
  SendProgressUi& ui_;
};

// The progress bar of the sending window, for the SMTP client. The bar counts in ints.
class ProgressBar final : public mail::ProgressSink {
 public:
  explicit ProgressBar(SendProgressUi& ui) : ui_(ui) {}
  void showRange(size_t total) override { ui_.setProgressRange(clamp(total)); }
  void setPosition(size_t position) override { ui_.setProgress(clamp(position)); }

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

// The SMTP log-in of a server record: the method and the user name and password it sends.
struct SmtpLogin {
  int method = mail::kAuthNone;
  std::string user;
  std::string password;
};

SmtpLogin smtpLogin(const addressbook::CMailServer& server) {
  SmtpLogin login;
  if (server.needsAuth) {
    login.method = mail::kAuthLogin;
    login.user = server.usePop3Credentials ? server.pop3Account : server.account;
    login.password = server.usePop3Credentials ? server.pop3Password : server.password;
  } else {
    // Not sent with HELO; kept as the name the session stands for.
    login.user = server.mailAddress.substr(0, server.mailAddress.find('@'));
  }
  return login;
}

// Logs in to the server's POP3 account and quits at once, as servers that want a POP3 log-in
// before they relay mail require. False with *error otherwise.
bool popBeforeSmtp(const addressbook::CMailServer& server, platform::MessagePump& pump,
                   SendProgressUi& ui, int guardMs, std::string* error) {
  pop3::Pop3Options options;
  options.connectTexts = pop3::ConnectTexts::kLanguageTable;
  if (guardMs > 0) options.guardMs = guardMs;
  pop3::POP3Connection pop(
      pump, server.pop3Server, server.pop3Port, server.pop3Account, server.pop3Password,
      [&ui](const std::string& text) { ui.setStatus(text); }, [](size_t) {}, options);
  if (!pop.Connect()) {
    *error = pop.errorText();
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
  std::string error;
  const std::unique_ptr<SmtpMessage> message =
      mail::buildSignDataMail(book_, path, {item.targetName, item.phoneOrMailbox}, &error);
  if (!message) return fail(ui, error);
  std::string bytes;
  if (!mail::renderSignDataMail(*message, clock_, &bytes, &error)) return fail(ui, error);

  ui.setWaitCursor(true);
  const int result = deliver(*server, *message, bytes, item, ui);
  ui.setWaitCursor(false);
  return result;
}

int EmailTransfer::deliver(const addressbook::CMailServer& server, const SmtpMessage& message,
                           const std::string& bytes, const signlink::SendItem& item,
                           SendProgressUi& ui) {
  std::string error;
  if (!server.needsAuth && !popBeforeSmtp(server, pump_, ui, replyTimeoutMs_, &error)) {
    return fail(ui, error);
  }

  ui.setStatus(i18n::formatText(i18n::text(i18n::IDS_MAIL_CONNECTING), {server.smtpServer}));
  const SmtpLogin login = smtpLogin(server);
  CQVRSMTPConnection smtp(pump_);
  if (replyTimeoutMs_ > 0) smtp.setReplyTimeoutMs(replyTimeoutMs_);
  StatusLine status(ui);
  if (!smtp.Connect(server.smtpServer, login.method, login.user, login.password, server.smtpPort,
                    "", &status)) {
    return fail(ui, i18n::formatText(i18n::text(i18n::IDS_MAIL_CONNECT_FAILED),
                                     {static_cast<long long>(smtp.socketError())}));
  }

  // The mailbox may have gone while the session was opened.
  if (!book_.findMailbox(item.phoneOrMailbox)) {
    smtp.Disconnect(true);
    return fail(ui, i18n::formatText(i18n::text(i18n::IDS_MAILBOX_DELETED), {item.phoneOrMailbox}));
  }
  ProgressBar progress(ui);
  if (!smtp.SendMessage(bytes, message.to(), message.from(), &progress, &status, kSendChunkBytes)) {
    const std::string text =
        i18n::formatText(i18n::text(i18n::IDS_MAIL_SEND_FAILED), {smtp.lastResponseText()});
    smtp.Disconnect(true);
    return fail(ui, text);
  }
  smtp.Disconnect(true);
  return 1;
}

}  // namespace mailtransfer
