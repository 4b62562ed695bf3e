#pragma once

#include <cstdint>

namespace platform {

// What every long wait of the programs goes through, so that windows stay responsive while a
// frame is sent, a modem answers or a socket connects. The GUI pumps Qt events, the command-line
// tool simply sleeps, and tests use a fake clock that advances without sleeping.
class MessagePump {
 public:
  virtual ~MessagePump() = default;

  // A monotonic millisecond counter (the system's tick count).
  virtual uint64_t tickMs() = 0;

  // Processes pending window messages, blocking for at most `maxWaitMs` when there are none.
  // Waits built on it must re-check their condition and the tick count after each call.
  virtual void dispatch(int maxWaitMs) = 0;
};

// Waits at least `ms` milliseconds while dispatching window messages.
void pauseWithDispatch(MessagePump& pump, int ms);

// The pump of programs without windows: dispatching is sleeping on the steady clock.
class SleepingPump final : public MessagePump {
 public:
  uint64_t tickMs() override;
  void dispatch(int maxWaitMs) override;
};

}  // namespace platform
