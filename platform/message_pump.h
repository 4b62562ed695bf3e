#pragma once

#include <cstdint>

namespace platform {

// What every long wait of the programs goes through, so that windows stay responsive while a
// frame is sent, a modem answers or a socket connects. The GUI pumps Qt events, the command-line
// tool simply sleeps (or blocks on the descriptor it waits for), and tests use a fake clock that
// advances without sleeping.
class MessagePump {
 public:
  // What a wait on a descriptor waits for.
  enum class Readiness { kReadable, kWritable };

  virtual ~MessagePump() = default;

  // A monotonic millisecond counter (the system's tick count).
  virtual uint64_t tickMs() = 0;

  // Processes pending window messages, blocking for at most `maxWaitMs` when there are none.
  // Waits built on it must re-check their condition and the tick count after each call.
  virtual void dispatch(int maxWaitMs) = 0;

  // As dispatch(), but also returns as soon as descriptor `fd` is ready for `readiness`: whichever
  // comes first of the descriptor becoming ready (an error or hang-up counts as ready), a window
  // message being processed, or `maxWaitMs` passing (negative counts as 0). Returns at once when
  // the descriptor is ready already. Callers re-check the descriptor and the tick count after
  // each call.
  //
  // The default looks at the descriptor without blocking and otherwise calls dispatch(maxWaitMs),
  // which keeps pumps that cannot watch a descriptor (fake clocks) deterministic.
  virtual void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs);
};

// Waits at least `ms` milliseconds while dispatching window messages.
void pauseWithDispatch(MessagePump& pump, int ms);

// The pump of programs without windows: dispatching is sleeping on the steady clock.
class SleepingPump final : public MessagePump {
 public:
  uint64_t tickMs() override;
  void dispatch(int maxWaitMs) override;
  // Blocks in poll() on the descriptor.
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override;
};

// True when `fd` is ready for `readiness` now (error, hang-up and a closed descriptor count as
// ready, so that the next call on it reports what happened); never blocks. A negative `fd` is
// never ready.
bool isDescriptorReady(int fd, MessagePump::Readiness readiness);

}  // namespace platform
