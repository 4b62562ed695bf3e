#pragma once

#include <cstddef>
#include <string>

namespace receiver {

// What the user sees of a receive cycle. The window shows it in its status line, result group,
// mailbox list and progress bar; headless use writes the status texts to stderr and ignores the
// rest, which is why only showStatus must be implemented.
class ReceiverStatus {
 public:
  virtual ~ReceiverStatus() = default;

  // The status line: each step of the cycle, POP3 commands as they are sent, failure texts.
  virtual void showStatus(const std::string& text) = 0;

  // The caption of the result group: "Receive Result-<name>" while a mailbox is polled,
  // "Receiving status" when it is done.
  virtual void setGroupCaption(const std::string& /*caption*/) {}

  // The mailbox at `index` (in list order) is being polled; the window selects it.
  virtual void selectMailbox(size_t /*index*/) {}

  // The progress bar: its range (0 to `maximum`) and position.
  virtual void setProgressRange(int /*maximum*/) {}
  virtual void setProgress(int /*position*/) {}
};

}  // namespace receiver
