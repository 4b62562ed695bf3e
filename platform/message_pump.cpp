#include "platform/message_pump.h"

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

}  // namespace platform
