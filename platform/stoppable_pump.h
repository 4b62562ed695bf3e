#pragma once

#include <cstdint>
#include <functional>

#include "platform/message_pump.h"

namespace platform {

// A pump for work that a stop request (a signal, the Exit command) must end promptly: mailpump's
// receive cycle and varnel's sends. It passes every wait on to the program's pump, in slices
// short enough that a stop request is seen within kSliceMs. From the moment a stop is first seen
// its clock runs kStopJumpMs ahead, so every wait then in progress (a socket's guard, a pause
// after a unit sent to the sign, a modem's dial) ends at once as if its time were up. Waits
// started afterwards run their normal length; the callers keep those short.
class StoppablePump final : public MessagePump {
 public:
  static constexpr int kSliceMs = 100;
  static constexpr uint64_t kStopJumpMs = uint64_t{24} * 3600 * 1000;

  // `stopRequested` is asked on every call; once it said yes the pump stays stopped.
  StoppablePump(MessagePump& inner, std::function<bool()> stopRequested);

  uint64_t tickMs() override;
  void dispatch(int maxWaitMs) override;
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override;

  bool stopped();
  // Forgets a stop once seen, for the next piece of work (which asks its request afresh).
  void resume() { stopped_ = false; }

 private:
  MessagePump& inner_;
  const std::function<bool()> stopRequested_;
  bool stopped_ = false;
};

}  // namespace platform
