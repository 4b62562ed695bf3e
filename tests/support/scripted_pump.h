#pragma once

#include <unistd.h>

#include <functional>

#include "platform/message_pump.h"

namespace testing_support {

// A pump on a fake clock that runs a step of the test's peer on every dispatch, the way window
// messages are processed while a socket waits. Lets one thread play both ends of a connection.
class ScriptedPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    ++calls_;
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
    if (onDispatch) onDispatch(calls_);
    if (realSleepUs > 0) ::usleep(realSleepUs);
  }
  int calls() const { return calls_; }

  // Called with the number of the dispatch (1, 2, ...).
  std::function<void(int call)> onDispatch;
  // Real time to let pass per dispatch, for waits on the kernel's own timers (delayed ACKs).
  useconds_t realSleepUs = 0;

 private:
  uint64_t now_ = 5000;
  int calls_ = 0;
};

}  // namespace testing_support
