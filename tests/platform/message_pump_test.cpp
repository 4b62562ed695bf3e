#include "platform/message_pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <unistd.h>

#include "tests/support/fake_clock_pump.h"
#include "tests/support/pipe_pair.h"

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

namespace {

using Readiness = platform::MessagePump::Readiness;

using Pipe = testing_support::PipePair;

uint64_t elapsedMs(std::chrono::steady_clock::time_point since) {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - since)
                                   .count());
}

}  // namespace

TEST(SleepingPumpDescriptorWait, WakesWhenTheDescriptorBecomesReadable) {
  Pipe pipe;
  ASSERT_TRUE(pipe.ok());
  platform::SleepingPump pump;
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(::write(pipe.writeEnd(), "x", 1), 1);
  });
  const auto start = std::chrono::steady_clock::now();
  // Far longer than the writer takes: returning early shows the wait watched the pipe.
  pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 60000);
  writer.join();
  EXPECT_LT(elapsedMs(start), 30000u);
  EXPECT_TRUE(platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
}

TEST(SleepingPumpDescriptorWait, ReadyDescriptorReturnsAtOnceAndIdleOneWaitsOutTheTime) {
  Pipe pipe;
  platform::SleepingPump pump;
  auto start = std::chrono::steady_clock::now();
  pump.waitForDescriptor(pipe.writeEnd(), Readiness::kWritable, 60000);
  EXPECT_LT(elapsedMs(start), 30000u);

  EXPECT_FALSE(platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
  start = std::chrono::steady_clock::now();
  pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 40);
  EXPECT_GE(elapsedMs(start), 30u);
  EXPECT_FALSE(platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
}

TEST(SleepingPumpDescriptorWait, HangUpCountsAsReady) {
  Pipe pipe;
  pipe.closeWriteEnd();
  EXPECT_TRUE(platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
  platform::SleepingPump pump;
  const auto start = std::chrono::steady_clock::now();
  pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 60000);
  EXPECT_LT(elapsedMs(start), 30000u);
}

TEST(DefaultDescriptorWait, LooksWithoutWaitingAndOtherwiseDispatchesOnTheFakeClock) {
  Pipe pipe;
  testing_support::FakeClockPump pump;
  const uint64_t start = pump.tickMs();
  pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 250);
  EXPECT_EQ(pump.dispatchCalls(), 1);
  EXPECT_EQ(pump.tickMs() - start, 250u);

  ASSERT_EQ(::write(pipe.writeEnd(), "x", 1), 1);
  pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 250);
  EXPECT_EQ(pump.dispatchCalls(), 1);
  EXPECT_EQ(pump.tickMs() - start, 250u);
}
