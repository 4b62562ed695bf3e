#include "platform/message_pump.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock_pump.h"

TEST(PauseWithDispatch, WaitsAtLeastTheTimeAndDispatchesWhileWaiting) {
  testing_support::FakeClockPump pump;
  const uint64_t start = pump.tickMs();
  platform::pauseWithDispatch(pump, 3000);
  EXPECT_GE(pump.tickMs() - start, 3000u);
  EXPECT_GE(pump.dispatchCalls(), 1);
}

TEST(PauseWithDispatch, ZeroStillDispatchesOnce) {
  testing_support::FakeClockPump pump;
  platform::pauseWithDispatch(pump, 0);
  EXPECT_EQ(pump.dispatchCalls(), 1);
}
