#pragma once

#include "platform/message_pump.h"

namespace testing_support {

// A pump whose clock only moves when someone waits: dispatch(ms) advances the clock by ms (at
// least 1), so multi-second pauses take no real time in unit tests.
class FakeClockPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    ++dispatchCalls_;
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  }
  void advance(uint64_t ms) { now_ += ms; }
  int dispatchCalls() const { return dispatchCalls_; }

 private:
  uint64_t now_ = 1000;
  int dispatchCalls_ = 0;
};

}  // namespace testing_support
