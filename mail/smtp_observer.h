#pragma once

#include <cstddef>
#include <string>

namespace mail {

// What the SMTP client reports while it works: the sending window's status line, progress bar
// and error boxes, and every failure text. Each method's default does nothing (and lets a
// transfer go on), so an observer overrides only what it shows.
class SmtpObserver {
 public:
  virtual ~SmtpObserver() = default;

  // A command as it goes out (the AUTH LOGIN password shown as "Password:<...>"), and the
  // failure texts of SendMessage.
  virtual void statusChanged(const std::string& /*text*/) {}

  // The size of the mail data, before its first chunk goes out.
  virtual void transferStarting(size_t /*total*/) {}
  // Before each chunk, with the bytes sent so far including that chunk and the total. False
  // stops the transfer without the end mark, so the server drops the mail.
  virtual bool continueTransfer(size_t /*sentIncludingChunk*/, size_t /*total*/) { return true; }
  // After each chunk, with the bytes sent so far.
  virtual void chunkSent(size_t /*sent*/) {}

  // Every failure text, as it is recorded for LastErrorText().
  virtual void failed(const std::string& /*text*/) {}
  // A failure of SendMessage that the user is shown in a modal box (caption "Error").
  virtual void showErrorBox(const std::string& /*text*/) {}
};

}  // namespace mail
