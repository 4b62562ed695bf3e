#include "mail/smtp_connection.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/base64.h"
#include "mail/cram_md5.h"
#include "mail/smtp_reply.h"
#include "mail/tls_failure_text.h"
#include "platform/ascii_text.h"

namespace mail {

namespace {

namespace wsa = platform::wsa;
using platform::SocketStatus;

constexpr char kCrLf[] = "\r\n";
constexpr int kCodeReady = 220;
constexpr int kCodeClosing = 221;
constexpr int kCodeAuthenticated = 235;
constexpr int kCodeOk = 250;
constexpr int kCodeChallenge = 334;
constexpr int kCodeStartData = 354;
constexpr size_t kChallengePrefix = 4;  // The code and the blank before a 334 prompt.
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

// The client's own failure texts (fixed English; the language tables hold only the ones the
// user sees).
constexpr char kReadTimedOut[] =
    "CQVRSMTPConnection::ReadResponse, Timed Out waiting for response from SMTP server";
constexpr char kReplyTooLong[] =
    "CQVRSMTPConnection::ReadResponse, The response from the SMTP server is too long";
constexpr char kBadGreeting[] = "Connect, An unexpected SMTP login response was received";
constexpr char kBadHelo[] = "Connect, An unexpected HELO/EHLO response was received";
constexpr char kHeloSendFailed[] =
    "CQVRSMTPConnection::ConnectSMTP, An unexpected error occurred while sending the HELO command";
constexpr char kEhloSendFailed[] =
    "CQVRSMTPConnection::ConnectESMTP, An unexpected error occurred while sending the EHLO "
    "command";
constexpr char kEhloRefused[] =
    "CQVRSMTPConnection::ConnectESMTP, An unexpected response was received occurred while sending "
    "the EHLO command";
constexpr char kLoginAuthSendFailed[] =
    "CQVRSMTPConnection::AuthLogin, An unexpected error occurred while sending the AUTH command";
constexpr char kLoginUnsupported[] =
    "CQVRSMTPConnection::AuthLogin, Server does not support AUTH LOGIN";
constexpr char kLoginNoUserPrompt[] =
    "CQVRSMTPConnection::AuthLogin, An unexpected request received when expecting username "
    "request";
constexpr char kLoginUserSendFailed[] =
    "CQVRSMTPConnection::AuthLogin, An unexpected error occurred while sending the username";
constexpr char kLoginUserRefused[] =
    "CQVRSMTPConnection::AuthLogin, Server did not respond correctly to AUTH LOGIN username field";
constexpr char kLoginNoPasswordPrompt[] =
    "CQVRSMTPConnection::AuthLogin, An unexpected request received when expecting password "
    "request";
constexpr char kLoginPasswordSendFailed[] =
    "CQVRSMTPConnection::AuthLogin, An unexpected error occurred while sending the password";
constexpr char kLoginFailed[] =
    "CQVRSMTPConnection::AuthLogin, AUTH LOGIN authentication was unsuccessful";
constexpr char kCramAuthSendFailed[] =
    "CQVRSMTPConnection::CramLogin, An unexpected error occurred while sending the AUTH command";
constexpr char kCramUnsupported[] =
    "CQVRSMTPConnection::CramLogin, Server does not support AUTH CRAM-MD5";
constexpr char kCramResponseSendFailed[] =
    "CQVRSMTPConnection::CramLogin, An unexpected error occurred while sending the username";
constexpr char kCramFailed[] =
    "CQVRSMTPConnection::CramLogin, AUTH CRAM-MD5 authentication was unsuccessful";
constexpr char kRcptSendFailed[] =
    "CQVRSMTPConnection::SendRCPTForRecipient, Failed in call to send RCPT command, GetLastError "
    "returns: %d";
constexpr char kRcptRefused[] =
    "CQVRSMTPConnection::SendRCPTForRecipient, An unexpected RCPT response was received";
constexpr char kAddressHasLineBreak[] =
    "CQVRSMTPConnection::SendMessage, A mail address holds a line break: %s";
constexpr char kAlreadyDisconnected[] =
    "CQVRSMTPConnection::Disconnect, Already disconnected from SMTP server, doing nothing";
constexpr char kQuitSendFailed[] =
    "CQVRSMTPConnection::Disconnect, Failed in call to send QUIT command, GetLastError returns: %d";
constexpr char kStartTlsSendFailed[] =
    "CQVRSMTPConnection::StartTls, An unexpected error occurred while sending the STARTTLS "
    "command";
constexpr char kQuitRefused[] =
    "CQVRSMTPConnection::Disconnect, An unexpected QUIT response was received";

// What the status line shows for the password of AUTH LOGIN.
constexpr char kPasswordShown[] = "Password:<...>";

std::string formatCode(const char* format, int code) {
  return i18n::formatText(format, {static_cast<long long>(code)});
}

// An address that would end the command line early (and start another) is never sent.
bool hasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A command as the status line shows it: without its line end.
std::string shown(std::string_view command) {
  while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) {
    command.remove_suffix(1);
  }
  return std::string(command);
}

}  // namespace

CQVRSMTPConnection::CQVRSMTPConnection(platform::MessagePump& pump) : socket_(pump) {}

CQVRSMTPConnection::~CQVRSMTPConnection() {
  if (connected_) Disconnect(true);
  socket_.close();
}

void CQVRSMTPConnection::Fail(const std::string& text) {
  lastErrorText_ = text;
  observer_->failed(text);
}

bool CQVRSMTPConnection::SendOrFail(std::string_view bytes, const std::string& failure) {
  if (SendBytes(bytes)) return true;
  Fail(failure);
  return false;
}

bool CQVRSMTPConnection::ExpectOrFail(int code, const std::string& failure) {
  if (ReadCommandResponse(code, false)) return true;
  Fail(failure);
  return false;
}

bool CQVRSMTPConnection::ExpectPromptOrFail(std::string_view prompt, const std::string& failure) {
  if (platform::equalsIgnoreCase(ChallengeText(), prompt)) return true;
  Fail(failure);
  return false;
}

bool CQVRSMTPConnection::SendBytes(std::string_view bytes) {
  if (socket_.sendAll(bytes, replyTimeoutMs_) == SocketStatus::kOk) return true;
  socketError_ = socket_.lastError().code;
  return false;
}

bool CQVRSMTPConnection::ReadCommandResponse(int expectedCode, bool waitFor250Line) {
  return ReadResponse(kFirstReplyBuffer, kCrLf, expectedCode, kReplyBufferGrowth, waitFor250Line);
}

bool CQVRSMTPConnection::ReadResponse(size_t bufferSize, std::string_view terminator,
                                      int expectedCode, size_t growthStep, bool waitFor250Line) {
  std::string text;
  size_t capacity = std::max<size_t>(bufferSize, 2);
  std::string chunk;
  while (!smtpReplyComplete(text, terminator, waitFor250Line)) {
    const SocketStatus waited = socket_.waitReadable(replyTimeoutMs_);
    if (waited == SocketStatus::kTimedOut) {
      socketError_ = wsa::kTimedOut;
      lastResponse_ = text;
      outOfStep_ = true;
      Fail(kReadTimedOut);
      return false;
    }
    if (waited != SocketStatus::kOk) {
      socketError_ = socket_.lastError().code;
      lastResponse_ = text;
      outOfStep_ = true;
      return false;
    }
    // One byte of the buffer stays free, as for a terminating NUL.
    const size_t room = capacity - text.size() - 1;
    chunk.resize(room);
    size_t received = 0;
    const SocketStatus got = socket_.receive(chunk.data(), room, 0, &received);
    if (got != SocketStatus::kOk || received == 0) {
      if (got == SocketStatus::kClosed) {
        socketError_ = wsa::kConnectionReset;
      } else if (got != SocketStatus::kOk) {
        socketError_ = socket_.lastError().code;
      }
      lastResponse_ = text;
      outOfStep_ = true;
      return false;
    }
    text.append(chunk.data(), received);
    if (received == room) {
      if (capacity + growthStep > kMaxReplyBytes) {
        socketError_ = wsa::kMessageTooLong;
        lastResponse_ = text;
        outOfStep_ = true;
        Fail(kReplyTooLong);
        return false;
      }
      capacity += std::max<size_t>(growthStep, 1);
    }
  }
  lastResponse_ = text;
  if (smtpReplyHasCode(text, terminator, expectedCode, &lastResponseCode_)) return true;
  socketError_ = wsa::kProtocolNotSupported;
  return false;
}

std::string CQVRSMTPConnection::ChallengeText() const {
  if (lastResponse_.size() <= kChallengePrefix) return {};
  return base64Decode(std::string_view(lastResponse_).substr(kChallengePrefix));
}

bool CQVRSMTPConnection::Connect(const SmtpServerLogin& login) {
  const std::string& host = login.host;
  const int port = login.port;
  if (!socket_.create()) {
    socketError_ = socket_.lastError().code;
    Fail(formatCode(i18n::text(i18n::IDS_SMTP_CREATE_SOCKET_FAILED).c_str(), socketError_));
    return false;
  }
  const auto reportConnectFailure = [&](int code) {
    socketError_ = code;
    socket_.close();
    Fail(i18n::formatText(i18n::text(i18n::IDS_SMTP_CONNECT_FAILED),
                          {host, static_cast<long long>(port), static_cast<long long>(code)}));
    return false;
  };
  if (port < kLowestPort || port > kHighestPort) return reportConnectFailure(wsa::kInvalidArgument);
  if (!login.bindAddress.empty() && !socket_.bindLocal(login.bindAddress)) {
    return reportConnectFailure(socket_.lastError().code);
  }
  if (socket_.connect(host, static_cast<uint16_t>(port), replyTimeoutMs_) != SocketStatus::kOk) {
    return reportConnectFailure(socket_.lastError().code);
  }
  connected_ = true;
  outOfStep_ = false;
  tlsFailureText_.clear();

  const platform::TlsPolicy policy = login.tls.policy;
  const bool implicitTls =
      platform::startsInTls(policy, static_cast<uint16_t>(port)) ||
      (policy == platform::TlsPolicy::kRequired && port == login.implicitTlsPort);
  if (implicitTls && !StartTls(login)) {
    Disconnect(true);
    Fail(tlsFailureText_);
    return false;
  }
  if (!ReadCommandResponse(kCodeReady, false)) {
    Fail(kBadGreeting);
    Disconnect(true);
    return false;
  }
  if (heloHostName_ == kAutoHeloName) heloHostName_ = platform::localHostName();

  bool greeted = false;
  if (!implicitTls && policy != platform::TlsPolicy::kPlain) {
    greeted = ConnectWithStartTls(login);
  } else {
    greeted = login.authMethod == kAuthNone ? ConnectSMTP() : ConnectESMTP(login);
  }
  if (!greeted) {
    Disconnect(true);
    Fail(tlsFailureText_.empty() ? std::string(kBadHelo) : tlsFailureText_);
    return false;
  }
  return true;
}

bool CQVRSMTPConnection::ConnectWithStartTls(const SmtpServerLogin& login) {
  if (!SendEhlo()) return false;
  if (!smtpReplyOffers(lastResponse_, "STARTTLS")) {
    if (login.tls.policy == platform::TlsPolicy::kRequired) {
      socketError_ = wsa::kProtocolNotSupported;
      return FailTls(tlsNotOfferedText(login.host));
    }
    return LogIn(login);
  }
  static constexpr char kStartTls[] = "STARTTLS\r\n";
  observer_->statusChanged(shown(kStartTls));
  if (!SendOrFail(kStartTls, kStartTlsSendFailed)) return false;
  if (!ReadCommandResponse(kCodeReady, false)) {
    return FailTls(tlsRefusedText(login.host, lastResponse_));
  }
  // Nothing may follow the reply before the handshake: such bytes would be read as if they had
  // come through TLS, though anyone on the way could have put them there.
  if (lastResponse_.find('\n') + 1 != lastResponse_.size()) {
    outOfStep_ = true;
    return FailTls(tlsPlainAfterUpgradeText(login.host));
  }
  // The server forgets what it learnt before the upgrade, and so does the client: a new EHLO.
  return StartTls(login) && SendEhlo() && LogIn(login);
}

bool CQVRSMTPConnection::StartTls(const SmtpServerLogin& login) {
  if (socket_.startTls(login.host, login.tls, replyTimeoutMs_) == SocketStatus::kOk) return true;
  socketError_ = socket_.lastError().code;
  // The socket is closed: no QUIT can follow.
  outOfStep_ = true;
  return FailTls(tlsFailureText(socket_.lastError(), login.host, login.tls));
}

bool CQVRSMTPConnection::FailTls(const std::string& text) {
  tlsFailureText_ = text;
  return false;
}

bool CQVRSMTPConnection::ConnectSMTP() {
  const std::string command = "HELO " + heloHostName_ + kCrLf;
  observer_->statusChanged(shown(command));
  return SendOrFail(command, kHeloSendFailed) && ReadCommandResponse(kCodeOk, false);
}

bool CQVRSMTPConnection::ConnectESMTP(const SmtpServerLogin& login) {
  return SendEhlo() && LogIn(login);
}

bool CQVRSMTPConnection::SendEhlo() {
  const std::string command = "EHLO " + heloHostName_ + kCrLf;
  observer_->statusChanged(shown(command));
  if (!SendOrFail(command, kEhloSendFailed)) return false;
  if (!ReadCommandResponse(kCodeOk, true)) {
    Fail(kEhloRefused);
    return false;
  }
  return true;
}

bool CQVRSMTPConnection::LogIn(const SmtpServerLogin& login) {
  switch (login.authMethod) {
    case kAuthNone:
      return true;
    case kAuthCramMd5:
      return CramLogin(login.userName, login.password);
    case kAuthLogin:
      return AuthLogin(login.userName, login.password);
  }
  return false;
}

bool CQVRSMTPConnection::AuthLogin(const std::string& userName, const std::string& password) {
  static constexpr char kCommand[] = "AUTH LOGIN\r\n";
  observer_->statusChanged(shown(kCommand));
  if (!SendOrFail(kCommand, kLoginAuthSendFailed) ||
      !ExpectOrFail(kCodeChallenge, kLoginUnsupported) ||
      !ExpectPromptOrFail("username:", kLoginNoUserPrompt))
    return false;
  observer_->statusChanged("UserName:" + userName);
  if (!SendOrFail(base64Encode(userName, Base64Lines::kUnbroken) + kCrLf, kLoginUserSendFailed) ||
      !ExpectOrFail(kCodeChallenge, kLoginUserRefused) ||
      !ExpectPromptOrFail("password:", kLoginNoPasswordPrompt))
    return false;
  observer_->statusChanged(kPasswordShown);
  return SendOrFail(base64Encode(password, Base64Lines::kUnbroken) + kCrLf,
                    kLoginPasswordSendFailed) &&
         ExpectOrFail(kCodeAuthenticated, kLoginFailed);
}

bool CQVRSMTPConnection::CramLogin(const std::string& userName, const std::string& password) {
  if (!SendOrFail("AUTH CRAM-MD5\r\n", kCramAuthSendFailed) ||
      !ExpectOrFail(kCodeChallenge, kCramUnsupported))
    return false;
  const std::string response = cramMd5Response(userName, password, ChallengeText());
  return SendOrFail(base64Encode(response, Base64Lines::kUnbroken) + kCrLf,
                    kCramResponseSendFailed) &&
         ExpectOrFail(kCodeAuthenticated, kCramFailed);
}

void CQVRSMTPConnection::ReportSendFailure(const std::string& text, bool box) {
  observer_->statusChanged(text);
  if (box) observer_->showErrorBox(text);
  Fail(text);
}

bool CQVRSMTPConnection::SendRCPTForRecipient(const MailAddress& recipient) {
  if (hasLineBreak(recipient.emailAddress)) {
    socketError_ = wsa::kBadCommand;
    Fail(i18n::formatText(kAddressHasLineBreak, {recipient.emailAddress}));
    return false;
  }
  if (!SendBytes("RCPT TO:<" + recipient.emailAddress + ">" + kCrLf)) {
    Fail(formatCode(kRcptSendFailed, socketError_));
    return false;
  }
  if (!ReadCommandResponse(kCodeOk, false)) {
    socketError_ = wsa::kBadCommand;
    Fail(kRcptRefused);
    return false;
  }
  return true;
}

bool CQVRSMTPConnection::SendMessage(std::string_view data,
                                     const std::vector<MailAddress>& recipients,
                                     const MailAddress& sender, size_t chunkSize) {
  const auto sendFailed = [&] {
    ReportSendFailure(formatCode(i18n::text(i18n::IDS_SMTP_SEND_FAILED).c_str(), socketError_),
                      true);
    return false;
  };
  observer_->transferStarting(data.size());
  if (chunkSize == 0) chunkSize = data.size() > 0 ? data.size() : 1;

  if (hasLineBreak(sender.emailAddress)) {
    socketError_ = wsa::kBadCommand;
    Fail(i18n::formatText(kAddressHasLineBreak, {sender.emailAddress}));
    return false;
  }
  const std::string mailFrom = "MAIL FROM:<" + sender.emailAddress + ">" + kCrLf;
  observer_->statusChanged(shown(mailFrom));
  if (!SendBytes(mailFrom)) return sendFailed();
  if (!ReadCommandResponse(kCodeOk, false)) {
    socketError_ = wsa::kBadCommand;
    ReportSendFailure(i18n::text(i18n::IDS_SMTP_MAIL_REFUSED), true);
    return false;
  }

  for (const MailAddress& recipient : recipients) {
    if (!SendRCPTForRecipient(recipient)) return false;
  }

  static constexpr char kData[] = "DATA\r\n";
  observer_->statusChanged(shown(kData));
  if (!SendBytes(kData)) return sendFailed();
  if (!ReadCommandResponse(kCodeStartData, false)) {
    ReportSendFailure(i18n::text(i18n::IDS_SMTP_DATA_REFUSED), false);
    return false;
  }
  dataOpen_ = true;

  size_t sent = 0;
  while (sent < data.size()) {
    const size_t chunk = std::min(chunkSize, data.size() - sent);
    if (!observer_->continueTransfer(sent + chunk, data.size())) return false;
    if (!SendBytes(data.substr(sent, chunk))) return sendFailed();
    sent += chunk;
    observer_->chunkSent(sent);
  }

  if (!SendBytes(kEndOfData)) return sendFailed();
  dataOpen_ = false;
  if (!ReadCommandResponse(kCodeOk, false)) {
    ReportSendFailure(i18n::text(i18n::IDS_SMTP_MAIL_REFUSED), true);
    return false;
  }
  return true;
}

bool CQVRSMTPConnection::Disconnect(bool sendQuit) {
  if (!connected_) {
    Fail(kAlreadyDisconnected);
    socket_.close();
    return false;
  }
  bool closedCleanly = false;
  // After an abandoned data transfer the server would take QUIT as mail text and never answer
  // it; closing the connection without the end mark is what makes it drop the mail.
  if (sendQuit && !dataOpen_ && !outOfStep_) {
    if (!SendBytes("QUIT\r\n")) Fail(formatCode(kQuitSendFailed, socketError_));
    closedCleanly = ReadCommandResponse(kCodeClosing, false);
    if (!closedCleanly) {
      socketError_ = wsa::kBadCommand;
      Fail(kQuitRefused);
    }
  }
  connected_ = false;
  dataOpen_ = false;
  outOfStep_ = false;
  socket_.close();
  return closedCleanly;
}

}  // namespace mail
