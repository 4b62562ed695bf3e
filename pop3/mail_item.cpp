#include "pop3/mail_item.h"

namespace pop3 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEndMark = "\r\n.\r\n";
constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kStuffedDotLine = "..\r\n";

// Finds `label` at the start of a header line; on success *value is the rest of that line. The
// first line counts too: varnel's own sign data mails start with "From: ", and a server that adds
// no trace field in front delivers them that way; missing it would delete them as junk.
bool findField(std::string_view header, std::string_view label, std::string_view* value) {
  size_t start = 0;
  if (header.substr(0, label.size()) == label) {
    start = label.size();
  } else {
    std::string needle(kLineEnd);
    needle += label;
    const size_t at = header.find(needle);
    if (at == std::string_view::npos) return false;
    start = at + needle.size();
  }
  const size_t end = header.find(kLineEnd, start);
  *value =
      header.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
  return true;
}

}  // namespace

void parseRetrievedMail(std::string_view retrieved, const platform::LocalTime& now,
                        MailItem* item) {
  std::string_view text = retrieved;
  // Keep the line end before the end mark's dot: it ends the mail's last line.
  const size_t mark = text.find(kEndMark);
  if (mark != std::string_view::npos) text = text.substr(0, mark + kLineEnd.size());
  const size_t statusEnd = text.find(kLineEnd);
  text = statusEnd == std::string_view::npos ? std::string_view()
                                             : text.substr(statusEnd + kLineEnd.size());

  std::string_view body;
  const size_t split = text.find(kHeaderEnd);
  if (split == std::string_view::npos) {
    item->header.assign(text);
  } else {
    item->header.assign(text.substr(0, split));
    body = text.substr(split + kHeaderEnd.size());
  }
  item->body = undoDotStuffing(body);
  parseHeaderFields(item->header, item);
  item->receiveTime = now;
}

void parseHeaderFields(std::string_view header, MailItem* item) {
  std::string_view value;
  if (!findField(header, "From: ", &value)) return;
  item->from.assign(value);
  if (!findField(header, "To: ", &value)) return;
  item->to = mail::parseAddressList(value);
  if (!findField(header, "Date: ", &value)) return;
  if (!findField(header, "Subject: ", &value)) return;
  item->subject.assign(value);
  if (findField(header, "Cc: ", &value)) item->cc = mail::parseAddressList(value);
}

std::string undoDotStuffing(std::string_view body) {
  std::string out;
  out.reserve(body.size());
  // Walk line by line; every line start is the body's start or follows "\r\n".
  size_t pos = 0;
  while (pos < body.size()) {
    if (body.substr(pos, kStuffedDotLine.size()) == kStuffedDotLine) {
      out += ".\r\n";
      pos += kStuffedDotLine.size();
      continue;
    }
    const size_t end = body.find(kLineEnd, pos);
    const size_t next = end == std::string_view::npos ? body.size() : end + kLineEnd.size();
    out.append(body.substr(pos, next - pos));
    pos = next;
  }
  return out;
}

}  // namespace pop3
