#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "mail/smtp_connection.h"
#include "platform/message_pump.h"

namespace mail_testing {

// A connection that observes itself: records everything it reports and can stop a transfer at a
// chosen progress call.
class RecordingConnection : public mail::CQVRSMTPConnection, public mail::SmtpObserver {
 public:
  explicit RecordingConnection(platform::MessagePump& pump) : CQVRSMTPConnection(pump) {
    SetObserver(this);
  }
  // The connection's own destructor may still report; this part is gone by then.
  ~RecordingConnection() override { SetObserver(nullptr); }

  void statusChanged(const std::string& text) override { statusLines.push_back(text); }
  void transferStarting(size_t total) override { range = total; }
  bool continueTransfer(size_t sentIncludingChunk, size_t total) override {
    progress.emplace_back(sentIncludingChunk, total);
    return stopAtProgressCall == 0 || static_cast<int>(progress.size()) < stopAtProgressCall;
  }
  void chunkSent(size_t sent) override { positions.push_back(sent); }
  void failed(const std::string& text) override {
    errors.push_back(text);
    responsesAtError.push_back(LastResponseText());
  }
  void showErrorBox(const std::string& text) override { boxes.push_back(text); }

  int stopAtProgressCall = 0;  // 1-based call that returns false; 0: never.
  std::vector<std::string> statusLines;
  size_t range = 0;
  std::vector<std::pair<size_t, size_t>> progress;  // continueTransfer's arguments.
  std::vector<size_t> positions;                    // chunkSent's arguments.
  std::vector<std::string> errors;
  std::vector<std::string> responsesAtError;  // LastResponseText() when each error came.
  std::vector<std::string> boxes;
};

// Where a test connects: `host`:`port` with `method` and its user name and password.
inline mail::SmtpServerLogin loginTo(const std::string& host, int port,
                                     mail::AuthMethod method = mail::kAuthNone,
                                     const std::string& userName = {},
                                     const std::string& password = {}) {
  return {.host = host,
          .port = port,
          .authMethod = method,
          .userName = userName,
          .password = password,
          .bindAddress = {}};
}

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
