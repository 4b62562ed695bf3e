#include "receiver/receiver_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "i18n/text_format.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"
#include "receiver/receiver_texts.h"

namespace receiver {

namespace {

constexpr char kReceiveLogSuffix[] = "ReceiveLogo.ini";
constexpr char kSendLogSuffix[] = "SendLogo.ini";
constexpr char kEntryEnd[] = "\r\n\r\n";
constexpr mode_t kLogFileMode = 0600;

std::string dayText(const platform::LocalTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
  return buf;
}

bool isControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

void appendEscaped(unsigned char c, std::string* out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  switch (c) {
    case '\r':
      out->append("\\r");
      return;
    case '\n':
      out->append("\\n");
      return;
    case '\t':
      out->append("\\t");
      return;
    default:
      out->append("\\x");
      out->push_back(kHex[c >> 4]);
      out->push_back(kHex[c & 0x0F]);
  }
}

}  // namespace

std::string logSafeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (isControl(c))
      appendEscaped(c, &out);
    else
      out.push_back(ch);
  }
  return out;
}

std::string logSafeBlock(std::string_view block) {
  std::string out;
  out.reserve(block.size());
  for (size_t i = 0; i < block.size(); ++i) {
    const auto c = static_cast<unsigned char>(block[i]);
    const bool crlf = c == '\r' && i + 1 < block.size() && block[i + 1] == '\n';
    if (c == '\n' || crlf) {
      if (crlf) out.push_back(block[i++]);
      out.push_back('\n');
      if (i + 1 < block.size()) out.push_back(' ');
    } else if (isControl(c) && c != '\t') {
      appendEscaped(c, &out);
    } else {
      out.push_back(block[i]);
    }
  }
  return out;
}

std::string ReceiverLog::receiveLogName(const platform::LocalTime& t) {
  return dayText(t) + kReceiveLogSuffix;
}

std::string ReceiverLog::sendLogName(const platform::LocalTime& t) {
  return dayText(t) + kSendLogSuffix;
}

std::string ReceiverLog::entryTime(const platform::LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

std::string ReceiverLog::receiveEntry(const platform::LocalTime& now, std::string_view prefix,
                                      std::string_view message) {
  std::string entry = "Receive from ";
  entry.append(prefix).append(":").append(entryTime(now)).append(" ");
  entry.append(message).append(kEntryEnd);
  return entry;
}

void ReceiverLog::appendReceive(std::string_view prefix, std::string_view message) const {
  const platform::LocalTime now = clock_.now();
  append(receiveLogName(now), receiveEntry(now, prefix, message));
}

void ReceiverLog::appendReceiveFramed(std::string_view prefix, std::string_view message,
                                      std::string_view frame) const {
  const platform::LocalTime now = clock_.now();
  std::string text(frame);
  text.append(receiveEntry(now, prefix, message)).append(frame);
  append(receiveLogName(now), text);
}

void ReceiverLog::appendReceiveRaw(std::string_view text) const {
  append(receiveLogName(clock_.now()), text);
}

void ReceiverLog::appendSend(std::string_view result) const {
  const platform::LocalTime now = clock_.now();
  std::string entry = entryTime(now);
  entry.append("-send,").append(result).append(kEntryEnd);
  append(sendLogName(now), entry);
}

void ReceiverLog::append(const std::string& fileName, std::string_view text) const {
  const std::string path = platform::joinPath(logDir_, fileName);
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kLogFileMode);
  if (fd < 0) {
    reportFailure(path, errno);
    return;
  }
  // One entry is appended whole: O_APPEND places each write at the end, and a short write
  // continues from where it stopped.
  size_t done = 0;
  int error = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  if (error != 0)
    reportFailure(path, error);
  else
    lastError_ = 0;
}

void ReceiverLog::reportFailure(const std::string& path, int error) const {
  if (!report_ || error == lastError_) return;
  lastError_ = error;
  report_(i18n::formatText(
      texts::kLogWriteFailed,
      {platform::utf8ToCp1252Lossy(path), platform::utf8ToCp1252Lossy(std::strerror(error))}));
}

std::string connectionPrefix(std::string_view server, std::string_view account) {
  return i18n::formatText(texts::kConnectionPrefix, {std::string(server), std::string(account)});
}

}  // namespace receiver
