#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/local_clock.h"

namespace receiver {

// The receiver's daily logs in the Logo directory: "%04d-%02d-%02d" (the day of the entry)
// followed by "ReceiveLogo.ini" or "SendLogo.ini". Plain text; entries are appended, so a day
// change between two entries starts new files. A log that cannot be opened, created or written
// loses the entry: logging never stops a receive cycle. The loss is told to the failure report
// when one is set, once until a write succeeds again or the reason changes, so that a full disk
// or a Logo directory without rights is said rather than hidden.
//
// The logs hold the headers and bodies of the mails the receiver deletes, so they are created
// readable by their owner only.
class ReceiverLog {
 public:
  // `logDir` must exist (ReceiverPaths::createWorkingDirectories). `clock` stamps the entries and
  // names the files; it must outlive the log.
  // `report`, when set, receives texts::kLogWriteFailed filled with the log's path and the
  // system's reason (Windows-1252).
  using FailureReport = std::function<void(const std::string&)>;
  ReceiverLog(std::string logDir, const platform::LocalClock& clock, FailureReport report = {})
      : logDir_(std::move(logDir)), clock_(clock), report_(std::move(report)) {}

  // Appends "Receive from <prefix>:<time> <message>\r\n\r\n" to today's receive log, the time
  // written "%04d-%02d-%02d %02d-%02d-%02d". `prefix` is the mailbox's connection prefix.
  void appendReceive(std::string_view prefix, std::string_view message) const;

  // Appends `text` unchanged to today's receive log (the separator lines).
  void appendReceiveRaw(std::string_view text) const;

  // Appends an entry as appendReceive() does, with `frame` written unchanged before and after it,
  // all in one write.
  void appendReceiveFramed(std::string_view prefix, std::string_view message,
                           std::string_view frame) const;

  // Appends "<time>-send,<result>\r\n\r\n" to today's send log.
  void appendSend(std::string_view result) const;

  // The file names of the logs of day `t`.
  static std::string receiveLogName(const platform::LocalTime& t);
  static std::string sendLogName(const platform::LocalTime& t);

  // "%04d-%02d-%02d %02d-%02d-%02d"
  static std::string entryTime(const platform::LocalTime& t);

 private:
  static std::string receiveEntry(const platform::LocalTime& now, std::string_view prefix,
                                  std::string_view message);
  void append(const std::string& fileName, std::string_view text) const;
  void reportFailure(const std::string& path, int error) const;

  const std::string logDir_;
  const platform::LocalClock& clock_;  // Not owned.
  const FailureReport report_;
  mutable int lastError_ = 0;  // The errno value told last; 0 after a good write.
};

// `text` taken from a mail (a sender, a subject, a file name) made safe for one log line: every
// control byte (below 0x20, and 0x7F) is written visibly, CR, LF and TAB as "\\r", "\\n" and "\\t",
// the others as "\\xHH". No text from a mail can then start a line that looks like an entry.
std::string logSafeText(std::string_view text);

// A multi-line block taken from a mail (a header block, a body) made safe for the log: its line
// breaks (LF, CR LF) are kept, every line after the first is indented by one space, and every
// other control byte but TAB is escaped as by logSafeText. A break at the very end is not followed
// by an indent.
std::string logSafeBlock(std::string_view block);

// The text that opens every receive-log entry of a mailbox: "POP Server:%s,Account:%s--".
std::string connectionPrefix(std::string_view server, std::string_view account);

}  // namespace receiver
