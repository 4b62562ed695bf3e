#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_pump.h"
#include "tests/support/pty_pair.h"

namespace serial_testing {

// A pump on a fake clock for the modem dialogue: each dispatch first lets the test's peer act at
// the current time, then moves the clock, so pauses of seconds take no real time.
class PeerPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    if (peer) peer(maxWaitMs);
    if (onDispatch) onDispatch();
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  }

  std::function<void(int maxWaitMs)> peer;  // The far end of the line.
  std::function<void()> onDispatch;         // What the user does meanwhile (buttons).

 private:
  uint64_t now_ = 10000;
};

// A Hayes modem on the master side of a pseudo-terminal, answering the dialogue from a script:
// "AT..." commands get "OK", the dial command gets `dialReply` `dialReplyDelayMs` after it arrived
// (nothing at all when the reply is empty). Everything the port sent is recorded with the fake
// time it was read at.
class FakeModem {
 public:
  FakeModem(testing_support::PtyPair& pty, PeerPump& pump) : pty_(pty), pump_(pump) {
    pump_.peer = [this](int maxWaitMs) { service(maxWaitMs); };
  }

  std::string dialReply = "\r\nCONNECT 9600\r\n";
  uint64_t dialReplyDelayMs = 0;

  struct Arrival {
    uint64_t tick;
    std::string bytes;
  };
  const std::vector<Arrival>& arrivals() const { return arrivals_; }
  std::string received() const;

 private:
  void service(int maxWaitMs);
  void answer(const std::string& command);

  testing_support::PtyPair& pty_;
  PeerPump& pump_;
  std::vector<Arrival> arrivals_;
  std::string line_;          // Command text since the last carriage return.
  uint64_t dialReplyAt_ = 0;  // When the scheduled dial reply is due; 0 for none.
};

}  // namespace serial_testing
