#include "platform/stoppable_pump.h"

#include <algorithm>
#include <utility>

namespace platform {

StoppablePump::StoppablePump(MessagePump& inner, std::function<bool()> stopRequested)
    : inner_(inner), stopRequested_(std::move(stopRequested)) {}

bool StoppablePump::stopped() {
  if (!stopped_ && stopRequested_ && stopRequested_()) stopped_ = true;
  return stopped_;
}

uint64_t StoppablePump::tickMs() {
  const bool jump = stopped();
  return inner_.tickMs() + (jump ? kStopJumpMs : 0);
}

void StoppablePump::dispatch(int maxWaitMs) {
  inner_.dispatch(std::min(maxWaitMs, kSliceMs));
}

void StoppablePump::waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) {
  inner_.waitForDescriptor(fd, readiness, std::min(maxWaitMs, kSliceMs));
}

}  // namespace platform
