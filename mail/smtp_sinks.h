#pragma once

#include <cstddef>
#include <string>

namespace mail {

// The status text line of the sending window: shows each SMTP command as it goes out (never a
// password) and the failure texts.
class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void showStatus(const std::string& text) = 0;
};

// The progress bar of the sending window.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // Shows the bar with the range 0 to `total`.
  virtual void showRange(size_t total) = 0;
  virtual void setPosition(size_t position) = 0;
};

// Modal error message boxes (caption "Error").
class MessageBoxSink {
 public:
  virtual ~MessageBoxSink() = default;
  virtual void showError(const std::string& text) = 0;
};

}  // namespace mail
