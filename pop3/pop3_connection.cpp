#include "pop3/pop3_connection.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/tls_failure_text.h"
#include "platform/ascii_text.h"
#include "pop3/scan_listing.h"

namespace pop3 {

namespace {

// The receiver's fixed texts.
constexpr char kSocketCreateFailed[] = "Unable to create the socket.";
constexpr char kConnectFailed[] = "Unable to connect to server";
constexpr char kSocketError[] = "Socket Error";
constexpr char kMailTooLargeFormat[] =
    "RETRieve failed: the mail is larger than %d bytes and was left on the server";
constexpr char kMailTooSlowFormat[] =
    "RETRieve failed: the mail did not arrive within %d seconds and was left on the server";

// Texts of a command whose answer is "-ERR" (or cannot be read, see kSocketError).
constexpr char kGreetingFailed[] = "Server didn't connect";
constexpr char kUserFailed[] = "Bad user name";
constexpr char kPassFailed[] = "Invalid username/password combination";
constexpr char kStatFailed[] = "STATus couldn't be retrieved";
constexpr char kRetrFailed[] = "RETRieve failed";
constexpr char kDeleFailed[] = "Could not DELEte message";
constexpr char kQuitFailed[] = "Error while QUITting";
constexpr char kListFailed[] = "Could not LIST message";

// The most bytes of a capability list read before the server is taken for a broken one.
constexpr size_t kMaxCapabilityBytes = 16 * 1024;

constexpr std::string_view kNegative = "-ERR";
constexpr std::string_view kEndMark = "\r\n.\r\n";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kMaxPort = 65535;

// The mail text is received in pieces this large; bigger than the answer buffer so that a mail of
// several megabytes needs few system calls.
constexpr size_t kRetrieveChunk = 64 * 1024;

// Reads the decimal number at text[pos...]; false when there is no digit there or it overflows.
bool parseNumber(const std::string& text, size_t pos, long long* value) {
  if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
  long long v = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (v > (std::numeric_limits<long long>::max() - 9) / 10) return false;
    v = v * 10 + (text[pos] - '0');
  }
  *value = v;
  return true;
}

size_t firstDigit(const std::string& text) {
  return text.find_first_of("0123456789");
}

bool hasLineBreak(const std::string& s) {
  return s.find_first_of("\r\n") != std::string::npos;
}

// True when one of the lines of a CAPA list (past its status line, up to its end mark) names
// STLS.
bool listsStls(const std::string& list) {
  size_t start = list.find(kLineEnd);
  while (start != std::string::npos) {
    start += kLineEnd.size();
    const size_t end = list.find(kLineEnd, start);
    if (end == std::string::npos) break;
    const std::string line = list.substr(start, end - start);
    if (platform::equalsIgnoreCase(line.substr(0, line.find(' ')), "STLS")) return true;
    start = end;
  }
  return false;
}

}  // namespace

long long mailDeadlineMs(long long announcedBytes) {
  const long long bytes = std::clamp<long long>(announcedBytes, 0, 1LL << 40);
  return kMailDeadlineBaseMs + bytes * 1000 / kMailDeadlineBytesPerSecond;
}

POP3Connection::POP3Connection(platform::MessagePump& pump, std::string server, int port,
                               std::string user, std::string password, StatusSink status,
                               ProgressSink progress, Pop3Options options)
    : server_(std::move(server)),
      port_(port),
      user_(std::move(user)),
      password_(std::move(password)),
      status_(std::move(status)),
      progress_(std::move(progress)),
      options_(options),
      pump_(pump),
      socket_(pump) {}

POP3Connection::~POP3Connection() {
  if (connected_) Quit();
}

bool POP3Connection::Connect() {
  if (connected_) return true;
  const bool varnelTexts = options_.connectTexts == ConnectTexts::kLanguageTable;
  if (!socket_.create()) {
    Fail(varnelTexts ? i18n::text(i18n::IDS_MAIL_SOCKET_CREATE_FAILED) : kSocketCreateFailed);
    return false;
  }
  platform::SocketStatus status = platform::SocketStatus::kError;
  if (port_ > 0 && port_ <= kMaxPort) {
    status = socket_.connect(server_, static_cast<uint16_t>(port_), WaitMs());
  }
  if (status != platform::SocketStatus::kOk) {
    const int code =
        port_ > 0 && port_ <= kMaxPort ? socket_.lastError().code : platform::wsa::kInvalidArgument;
    CloseSocket();
    Fail(varnelTexts ? i18n::formatText(i18n::text(i18n::IDS_MAIL_CONNECT_FAILED),
                                        {static_cast<long long>(code)})
                     : std::string(kConnectFailed));
    return false;
  }
  const platform::TlsPolicy policy = options_.tls.policy;
  const bool implicitTls =
      platform::startsInTls(policy, static_cast<uint16_t>(port_)) ||
      (policy == platform::TlsPolicy::kRequired && port_ == options_.implicitTlsPort);
  if (implicitTls && !StartTls()) return false;
  if (!ReadAnswer(kGreetingFailed) ||
      (!implicitTls && policy != platform::TlsPolicy::kPlain && !NegotiateStls()) || !LogIn()) {
    CloseSocket();
    return false;
  }
  connected_ = true;
  return true;
}

bool POP3Connection::StartTls() {
  if (socket_.startTls(server_, options_.tls, WaitMs()) == platform::SocketStatus::kOk) {
    return true;
  }
  Fail(mail::tlsFailureText(socket_.lastError(), server_, options_.tls));
  CloseSocket();
  return false;
}

bool POP3Connection::NegotiateStls() {
  bool offered = false;
  if (!ReadCapabilities(&offered)) return false;
  if (!offered) {
    if (options_.tls.policy != platform::TlsPolicy::kRequired) return true;
    Fail(mail::tlsNotOfferedText(server_));
    return false;
  }
  if (!SendCommand("STLS", "STLS") || !ReadStatusLine()) return false;
  if (lastResponse_.compare(0, kNegative.size(), kNegative) == 0) {
    Fail(mail::tlsRefusedText(server_, lastResponse_));
    return false;
  }
  // Nothing may follow the answer before the handshake: such bytes would be read as if they had
  // come through TLS, though anyone on the way could have put them there.
  if (lastResponse_.find('\n') + 1 != lastResponse_.size()) {
    Fail(mail::tlsPlainAfterUpgradeText(server_));
    return false;
  }
  return StartTls();
}

bool POP3Connection::ReadCapabilities(bool* stlsOffered) {
  *stlsOffered = false;
  if (!SendCommand("CAPA", "CAPA") || !ReadStatusLine()) return false;
  if (lastResponse_.compare(0, kNegative.size(), kNegative) == 0) return true;
  std::string list = lastResponse_;
  while (list.find(kEndMark) == std::string::npos) {
    if (list.size() > kMaxCapabilityBytes ||
        socket_.receiveAppend(&list, kAnswerBytes, WaitMs()) != platform::SocketStatus::kOk) {
      Drop();
      Fail(kSocketError);
      return false;
    }
  }
  *stlsOffered = listsStls(list);
  return true;
}

bool POP3Connection::LogIn() {
  // A line break in the user name or password would smuggle further commands onto the line.
  if (hasLineBreak(user_)) {
    Fail(kUserFailed);
    return false;
  }
  if (!Command("USER " + user_, "USER " + user_, kUserFailed)) return false;
  if (hasLineBreak(password_)) {
    Fail(kPassFailed);
    return false;
  }
  return Command("PASS " + password_, "PASS<...>", kPassFailed);
}

int POP3Connection::Stat() {
  if (!Command("STAT", "STAT", kStatFailed)) return -1;
  long long count = 0;
  const size_t digit = firstDigit(lastResponse_);
  if (digit == std::string::npos || !parseNumber(lastResponse_, digit, &count) ||
      count > std::numeric_limits<int>::max()) {
    Fail(kStatFailed);
    return -1;
  }
  return static_cast<int>(count);
}

long long POP3Connection::List(int n) {
  const std::string number = std::to_string(n);
  if (!Command("LIST " + number, "LIST " + number, kListFailed)) return -1;
  // "+OK 12 3456": past the message number and its blank comes the size.
  long long size = 0;
  const size_t digit = firstDigit(lastResponse_);
  if (digit == std::string::npos || !parseNumber(lastResponse_, digit + number.size() + 1, &size)) {
    Fail(kListFailed);
    return -1;
  }
  return size;
}

std::vector<long long> POP3Connection::ListAll(int count) {
  if (count < 1 || count > kMaxListedMessages || !Command("LIST", "LIST", kListFailed)) return {};
  const size_t limit =
      static_cast<size_t>(count) * kMaxScanLineBytes + kAnswerBytes + kEndMark.size();
  const uint64_t outerDeadline = deadline_;
  const uint64_t ownDeadline =
      pump_.tickMs() + static_cast<uint64_t>(mailDeadlineMs(static_cast<long long>(limit)));
  if (deadline_ == 0 || ownDeadline < deadline_) deadline_ = ownDeadline;
  // The status line's own line end starts the search, so that an empty listing ends at once.
  std::string text = lastResponse_;
  size_t scanFrom = 0;
  size_t mark = text.find(kEndMark);
  while (mark == std::string::npos && text.size() <= limit) {
    scanFrom = text.size() >= kEndMark.size() ? text.size() - kEndMark.size() + 1 : 0;
    if (socket_.receiveAppend(&text, kAnswerBytes * 16, WaitMs()) != platform::SocketStatus::kOk)
      break;
    mark = text.find(kEndMark, scanFrom);
  }
  deadline_ = outerDeadline;
  if (mark == std::string::npos) {
    // Cut off, too slow or too long: the rest would be taken for later answers.
    Drop();
    Fail(kSocketError);
    return {};
  }
  const size_t statusEnd = text.find(kLineEnd);
  return parseScanListing(
      std::string_view(text).substr(statusEnd + kLineEnd.size(), mark - statusEnd), count);
}

bool POP3Connection::Retrieve(int n, MailItem* item, long long announcedBytes) {
  // The mail's own deadline, within any deadline set from outside; that one comes back after.
  const uint64_t outerDeadline = deadline_;
  long long allowedMs = 0;
  if (announcedBytes >= 0) {
    allowedMs = mailDeadlineMs(announcedBytes);
    const uint64_t mailDeadline = pump_.tickMs() + static_cast<uint64_t>(allowedMs);
    if (deadline_ == 0 || mailDeadline < deadline_) deadline_ = mailDeadline;
  }
  const bool mailDeadlineSet = deadline_ != outerDeadline;
  const bool ok = ReceiveMail(n, item);
  if (!ok && mailDeadlineSet && pump_.tickMs() >= deadline_) {
    Fail(i18n::formatText(kMailTooSlowFormat, {allowedMs / 1000}));
  }
  deadline_ = outerDeadline;
  return ok;
}

bool POP3Connection::ReceiveMail(int n, MailItem* item) {
  const std::string number = std::to_string(n);
  if (!Command("RETR " + number, "RETR " + number, kRetrFailed)) return false;

  // The first answer holds the status line and perhaps the start of the mail.
  std::string text = lastResponse_;
  const size_t statusEnd = text.find(kLineEnd);
  const size_t statusBytes =
      statusEnd == std::string::npos ? text.size() : statusEnd + kLineEnd.size();
  constexpr size_t kMarkOverlap = kEndMark.size() - 1;  // A mark can straddle two pieces.
  size_t received = 0;                                  // Bytes after the first answer.
  size_t scanFrom = 0;    // Earlier bytes were searched already: the search stays linear.
  bool tooLarge = false;  // Past the ceiling: the rest is read only to find its end.
  for (;;) {
    const size_t mark = text.find(kEndMark, scanFrom);
    if (!tooLarge) {
      const size_t held = mark == std::string::npos ? text.size() : mark + kEndMark.size();
      tooLarge = held > statusBytes && held - statusBytes > options_.maxMailBytes;
    }
    if (mark != std::string::npos) break;
    if (tooLarge && text.size() > kMarkOverlap) text.erase(0, text.size() - kMarkOverlap);
    scanFrom = text.size() > kMarkOverlap ? text.size() - kMarkOverlap : 0;

    const size_t before = text.size();
    const platform::SocketStatus status = socket_.receiveAppend(&text, kRetrieveChunk, WaitMs());
    if (status != platform::SocketStatus::kOk) {
      // The error text stays as it was. The rest of the mail may still come and would be taken
      // for the answers to later commands, so the connection ends here.
      Drop();
      return false;
    }
    received += text.size() - before;
    if (progress_) progress_(received);
  }
  if (tooLarge) {
    // The whole mail has been read past, so the connection stays usable for the next command.
    Fail(i18n::formatText(kMailTooLargeFormat, {static_cast<long long>(options_.maxMailBytes)}));
    return false;
  }
  static const platform::SystemClock systemClock;
  const platform::LocalClock& clock = options_.clock ? *options_.clock : systemClock;
  *item = MailItem{};
  parseRetrievedMail(text, clock.now(), item);
  return true;
}

bool POP3Connection::Delete(int n) {
  const std::string line = "DELE " + std::to_string(n);
  return Command(line, line, kDeleFailed);
}

bool POP3Connection::Quit() {
  if (!connected_) return true;
  const bool ok = Command("QUIT", "QUIT", kQuitFailed);
  CloseSocket();
  connected_ = false;
  return ok;
}

bool POP3Connection::SendCommand(const std::string& line, const std::string& shown) {
  if (status_) status_(shown);
  std::string wire = line;
  wire += kLineEnd;
  if (socket_.sendAll(wire, WaitMs()) != platform::SocketStatus::kOk) {
    Drop();
    Fail(kSocketError);
    return false;
  }
  return true;
}

bool POP3Connection::ReadAnswer(const char* failureText) {
  if (!ReadStatusLine()) return false;
  if (lastResponse_.compare(0, kNegative.size(), kNegative) == 0) {
    Fail(failureText);
    return false;
  }
  return true;
}

bool POP3Connection::ReadStatusLine() {
  lastResponse_.clear();
  // One status line; it normally comes in one piece, but a line cut by the network is completed
  // (up to the answer buffer's size) so that its rest is not taken for the next answer.
  platform::SocketStatus status = socket_.receiveAppend(&lastResponse_, kAnswerBytes, WaitMs());
  while (status == platform::SocketStatus::kOk && lastResponse_.find('\n') == std::string::npos &&
         lastResponse_.size() < kAnswerBytes) {
    status = socket_.receiveAppend(&lastResponse_, kAnswerBytes - lastResponse_.size(), WaitMs());
  }
  // A connection closed before the answer is a failure too, not an empty positive answer; after
  // a time-out a late answer would be taken for the next command's, so the connection ends.
  if (status != platform::SocketStatus::kOk) {
    Drop();
    Fail(kSocketError);
    return false;
  }
  return true;
}

bool POP3Connection::Command(const std::string& line, const std::string& shown,
                             const char* failureText) {
  if (!socket_.isOpen()) {
    Fail(kSocketError);
    return false;
  }
  return SendCommand(line, shown) && ReadAnswer(failureText);
}

void POP3Connection::Fail(const std::string& text) {
  errorText_ = text;
  if (status_) status_(text);
}

void POP3Connection::CloseSocket() {
  socket_.close();
}

void POP3Connection::Drop() {
  CloseSocket();
  connected_ = false;
}

int POP3Connection::WaitMs() {
  if (deadline_ == 0) return options_.guardMs;
  const uint64_t now = pump_.tickMs();
  if (now >= deadline_) return 0;
  return static_cast<int>(
      std::min<uint64_t>(deadline_ - now, static_cast<uint64_t>(options_.guardMs)));
}

}  // namespace pop3
