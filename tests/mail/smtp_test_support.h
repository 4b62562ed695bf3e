#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "mail/smtp_connection.h"
#include "mail/smtp_sinks.h"
#include "platform/message_pump.h"

namespace mail_testing {

// Records what the client reports and can stop a transfer at a chosen progress call.
class RecordingConnection : public mail::CQVRSMTPConnection {
 public:
  using CQVRSMTPConnection::CQVRSMTPConnection;
  ~RecordingConnection() override = default;

  bool progressHook(size_t sentIncludingChunk, size_t total) override {
    progress.emplace_back(sentIncludingChunk, total);
    return stopAtProgressCall == 0 || static_cast<int>(progress.size()) < stopAtProgressCall;
  }
  void errorHook(const std::string& text) override {
    errors.push_back(text);
    responsesAtError.push_back(lastResponseText());
  }

  int stopAtProgressCall = 0;  // 1-based call that returns false; 0: never.
  std::vector<std::pair<size_t, size_t>> progress;
  std::vector<std::string> errors;
  std::vector<std::string> responsesAtError;  // lastResponseText() when each error came.
};

class RecordingStatus : public mail::StatusSink {
 public:
  void showStatus(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

class RecordingProgress : public mail::ProgressSink {
 public:
  void showRange(size_t total) override { range = total; }
  void setPosition(size_t position) override { positions.push_back(position); }
  size_t range = 0;
  std::vector<size_t> positions;
};

class RecordingBoxes : public mail::MessageBoxSink {
 public:
  void showError(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// A pump whose clock runs fast: each dispatch advances it by the slice asked for but sleeps only
// a fraction of a millisecond, so a 30-second reply time-out passes in well under a second while
// a loopback peer still gets real time to answer.
class FastClockPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  }

 private:
  uint64_t now_ = 0;
};

}  // namespace mail_testing
