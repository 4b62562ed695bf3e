#include "mail/smtp_reply.h"

#include "platform/ascii_text.h"

namespace mail {

namespace {

constexpr size_t kCodeDigits = 3;
constexpr std::string_view kFinal250 = "250 ";
constexpr char kContinuation = '-';

// True when the last line of `text` (which ends with a line end) continues on a further line:
// its code is followed by '-'.
bool lastLineContinues(std::string_view text) {
  text.remove_suffix(1);  // The final LF.
  const size_t start = text.rfind('\n');
  const std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
  return line.size() > kCodeDigits && line[kCodeDigits] == kContinuation;
}

}  // namespace

bool smtpReplyComplete(std::string_view text, std::string_view terminator, bool waitFor250Line) {
  if (text.empty()) return false;
  const bool lfEnded = text.back() == '\n';
  const bool ended = (!terminator.empty() && text.ends_with(terminator)) || lfEnded;
  if (!ended) return false;
  if (lfEnded && lastLineContinues(text)) return false;
  return !waitFor250Line || text.find(kFinal250) != std::string_view::npos;
}

int smtpReplyLineCode(std::string_view line) {
  int code = 0;
  for (size_t i = 0; i < kCodeDigits && i < line.size(); ++i) {
    if (line[i] < '0' || line[i] > '9') break;
    code = code * 10 + (line[i] - '0');
  }
  return code;
}

bool smtpReplyHasCode(std::string_view text, std::string_view terminator, int expectedCode,
                      int* lastCode) {
  *lastCode = 0;
  size_t pos = 0;
  for (;;) {
    *lastCode = smtpReplyLineCode(text.substr(pos));
    if (*lastCode == expectedCode) return true;
    if (terminator.empty()) return false;
    const size_t next = text.find(terminator, pos);
    if (next == std::string_view::npos) return false;
    pos = next + terminator.size();
    if (pos >= text.size()) return false;
  }
}

bool smtpReplyOffers(std::string_view text, std::string_view keyword) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kCodeDigits) {
      line.remove_prefix(kCodeDigits + 1);
      if (platform::equalsIgnoreCase(line.substr(0, line.find(' ')), keyword)) return true;
    }
    pos = end + 1;
  }
  return false;
}

}  // namespace mail
