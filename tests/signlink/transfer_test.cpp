#include "signlink/transfer.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock_pump.h"

using namespace signlink;
using std::string;

namespace {

// Records each frame with the fake clock's time when it was written.
class RecordingLink : public FrameLink {
 public:
  RecordingLink(LinkKind kind, testing_support::FakeClockPump& pump) : kind_(kind), pump_(pump) {}
  LinkKind kind() const override { return kind_; }
  bool writeFrame(std::string_view frame) override {
    frames.emplace_back(frame);
    times.push_back(pump_.tickMs());
    return failFrom < 0 || static_cast<int>(frames.size()) < failFrom;
  }
  void close() override { closed = true; }

  std::vector<string> frames;
  std::vector<uint64_t> times;
  int failFrom = -1;  // 1-based frame from which writes fail
  bool closed = false;

 private:
  LinkKind kind_;
  testing_support::FakeClockPump& pump_;
};

class RecordingObserver : public TransferObserver {
 public:
  void setProgressRange(int maximum) override { range = maximum; }
  void setProgress(int position) override { progress = position; }
  void setStatus(const string& text) override { statuses.push_back(text); }
  int range = -1;
  int progress = -1;
  std::vector<string> statuses;
};

std::vector<TransmissionUnit> twoUnits() {
  return {{"100", string(350, 'a'), -1}, {"1", string(351, 'b'), -1}};
}

}  // namespace

TEST(Transfer, FramesOf350AndStatusNumbersRunOverAllUnits) {
  testing_support::FakeClockPump pump;
  RecordingLink link(LinkKind::kSerial, pump);
  RecordingObserver observer;
  ASSERT_TRUE(transfer(twoUnits(), link, observer, pump));
  ASSERT_EQ(link.frames.size(), 3u);
  EXPECT_EQ(link.frames[0], string(350, 'a'));
  EXPECT_EQ(link.frames[1], string(350, 'b'));
  EXPECT_EQ(link.frames[2], "b");
  EXPECT_EQ(observer.range, 701);
  EXPECT_EQ(observer.progress, 701);
  ASSERT_EQ(observer.statuses.size(), 3u);
  EXPECT_EQ(observer.statuses[0],
            "Connect successfully,now is sending clear sign memory data  (1/3),please waiting...");
  EXPECT_EQ(observer.statuses[1],
            "Connect successfully,now is sending text data  (2/3),please waiting...");
}

// The status text puts a blank after the label and one before the numbers.
TEST(Transfer, UnlabelledUnitsShowNoLabel) {
  testing_support::FakeClockPump pump;
  RecordingLink link(LinkKind::kSerial, pump);
  RecordingObserver observer;
  ASSERT_TRUE(transfer({{"9", "t", -1}}, link, observer, pump));
  EXPECT_EQ(observer.statuses.at(0),
            "Connect successfully,now is sending  (1/1),please waiting...");
}

TEST(Transfer, SerialPausesOnlyAfterUnits) {
  testing_support::FakeClockPump pump;
  RecordingLink link(LinkKind::kSerial, pump);
  RecordingObserver observer;
  const uint64_t start = pump.tickMs();
  ASSERT_TRUE(transfer(twoUnits(), link, observer, pump));
  EXPECT_EQ(link.times[0], start);
  EXPECT_EQ(link.times[1], start + 3000);  // after unit "100"
  EXPECT_EQ(link.times[2], link.times[1]);
  EXPECT_GE(pump.tickMs(), link.times[2] + 3000);  // after unit "1"
}

TEST(Transfer, NetworkLinksPauseAfterEveryFrameToo) {
  testing_support::FakeClockPump pump;
  RecordingLink link(LinkKind::kTcp, pump);
  RecordingObserver observer;
  std::vector<TransmissionUnit> units = {{"2", string(400, 'i'), -1}, {"8", "t", 5}};
  ASSERT_TRUE(transfer(units, link, observer, pump));
  ASSERT_EQ(link.times.size(), 3u);
  EXPECT_EQ(link.times[1] - link.times[0], 2000u);
  EXPECT_EQ(link.times[2] - link.times[1], 2000u + 5000u);  // frame pause, then the image pause
}

TEST(Transfer, FailedTcpWriteClosesAndFailsButSerialGoesOn) {
  testing_support::FakeClockPump pump;
  RecordingObserver observer;
  RecordingLink tcp(LinkKind::kTcp, pump);
  tcp.failFrom = 2;
  EXPECT_FALSE(transfer(twoUnits(), tcp, observer, pump));
  EXPECT_TRUE(tcp.closed);
  EXPECT_EQ(tcp.frames.size(), 2u);

  RecordingLink serial(LinkKind::kSerial, pump);
  serial.failFrom = 1;
  EXPECT_TRUE(transfer(twoUnits(), serial, observer, pump));
  EXPECT_EQ(serial.frames.size(), 3u);
  EXPECT_FALSE(serial.closed);
}

TEST(Transfer, BeforeUnitHookMayRewriteTheUnit) {
  testing_support::FakeClockPump pump;
  RecordingLink link(LinkKind::kSerial, pump);
  RecordingObserver observer;
  TransferOptions options;
  options.beforeUnit = [](TransmissionUnit& u) {
    if (u.label == "8") u.bytes[static_cast<size_t>(u.timeOffset)] = 'X';
  };
  ASSERT_TRUE(transfer({{"8", "abcdef", 2}}, link, observer, pump, options));
  EXPECT_EQ(link.frames.at(0), "abXdef");
}
