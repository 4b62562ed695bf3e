#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_address.h"
#include "platform/local_clock.h"

namespace pop3 {

// One mail fetched with RETR, split into its header and body with the few header fields the
// programs look at. All strings start empty.
struct MailItem {
  std::string header;   // The header lines, without the blank line that ends them.
  std::string body;     // The body text, dot-stuffing undone.
  std::string from;     // Rest of the "From: " line, as written.
  std::string subject;  // Rest of the "Subject: " line, as written (encoded words untouched).
  std::vector<mail::MailAddress> to;  // The "To: " line as an address list.
  std::vector<mail::MailAddress> cc;  // The "Cc: " line as an address list.
  platform::LocalTime receiveTime;    // When the mail was parsed (its Date line is not used).
};

// Fills *item from the text of a RETR answer: the "+OK" status line, the mail, and the end mark
// "\r\n.\r\n" (anything after the end mark is ignored; a text without one is taken whole).
//  - the status line (up to and including the first "\r\n") is dropped, and so is the ".\r\n"
//    of the end mark;
//  - the text splits at the first "\r\n\r\n" into header and body (no blank line: all header);
//  - the header fields are read by parseHeaderFields(), the body by undoDotStuffing();
//  - receiveTime is `now`.
void parseRetrievedMail(std::string_view retrieved, const platform::LocalTime& now, MailItem* item);

// Reads From, To, Date, Subject and Cc from `header` into *item. Each is found by searching the
// whole header for "\r\n" followed by the label ("\r\nFrom: "), so a field on the very first
// header line is not seen; the value is the rest of that line. The fields are looked for in the
// order From, To, Date, Subject, and the search stops at the first one missing, leaving the later
// ones empty; Cc is optional and looked for last. The Date value itself is not kept.
void parseHeaderFields(std::string_view header, MailItem* item);

// Undoes the dot-stuffing of a mail body the way the mail system expects: a body that begins
// with the line ".." and every later line that is exactly ".." become "."; lines that begin with
// two dots followed by other text are left as they are.
std::string undoDotStuffing(std::string_view body);

}  // namespace pop3
