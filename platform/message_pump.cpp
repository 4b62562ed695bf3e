#include "platform/message_pump.h"

#include <poll.h>

#include <cerrno>

#include <chrono>
#include <thread>

namespace platform {

void pauseWithDispatch(MessagePump& pump, int ms) {
  if (ms <= 0) {
    pump.dispatch(0);
    return;
  }
  const uint64_t end = pump.tickMs() + static_cast<uint64_t>(ms);
  for (uint64_t now = pump.tickMs(); now < end; now = pump.tickMs()) {
    pump.dispatch(static_cast<int>(end - now));
  }
}

uint64_t SleepingPump::tickMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepingPump::dispatch(int maxWaitMs) {
  if (maxWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(maxWaitMs));
}

namespace {

short pollEvents(MessagePump::Readiness readiness) {
  return readiness == MessagePump::Readiness::kReadable ? POLLIN : POLLOUT;
}

}  // namespace

bool isDescriptorReady(int fd, MessagePump::Readiness readiness) {
  pollfd p{fd, pollEvents(readiness), 0};
  // A failed poll (EINTR aside) is "ready" too: the caller's next call on the descriptor fails
  // with the reason instead of waiting on it.
  const int rc = ::poll(&p, 1, 0);
  return rc > 0 || (rc < 0 && errno != EINTR);
}

void MessagePump::waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) {
  if (!isDescriptorReady(fd, readiness)) dispatch(maxWaitMs);
}

void SleepingPump::waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) {
  pollfd p{fd, pollEvents(readiness), 0};
  // A signal (EINTR) simply ends the wait early; the caller looks again.
  ::poll(&p, 1, maxWaitMs > 0 ? maxWaitMs : 0);
}

}  // namespace platform
