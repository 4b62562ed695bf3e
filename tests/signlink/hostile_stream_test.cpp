// Streams made to stall or exhaust a sender: units without bytes, blocks that claim more than
// the stream holds, and a transfer asked to stop half-way.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signlink/stream_units.h"
#include "signlink/transfer.h"
#include "tests/support/fake_clock_pump.h"

namespace {

using namespace signlink;
using std::string;

string bytes(std::initializer_list<int> values) {
  string s;
  for (const int v : values)
    s.push_back(static_cast<char>(v));
  return s;
}

string repeat(const string& piece, size_t times) {
  string s;
  s.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i)
    s += piece;
  return s;
}

class RecordingLink final : public FrameLink {
 public:
  LinkKind kind() const override { return LinkKind::kSerial; }
  bool writeFrame(std::string_view frame) override {
    frames.emplace_back(frame);
    return true;
  }
  void close() override {}
  std::vector<string> frames;
};

class QuietObserver final : public TransferObserver {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const string& text) override { statuses.push_back(text); }
  std::vector<string> statuses;
};

// 127 image parts of no bytes, as a stream that should stall a sign for hours would repeat them.
const string kEmptyParts = bytes({2, 0, 3, 0x7F, 0, 0});
const string kText = bytes({1, 0, 2}) + "hi";

TEST(HostileStream, UnitsWithoutBytesAreNeitherProducedNorPaused) {
  const string stream = repeat(kEmptyParts, 20000) + bytes({1, 0, 0, 9, 0, 0}) + kText;
  const StreamUnits read = readStream(stream);
  ASSERT_TRUE(read.complete);
  ASSERT_EQ(read.units.size(), 1u);
  EXPECT_EQ(read.units[0].bytes, "hi");

  const StreamSummary summary = summarizeStream(stream, kFrameSize);
  EXPECT_EQ(summary.units, 1u);
  EXPECT_EQ(summary.frames, 1u);
  EXPECT_EQ(summary.pauseMs, kTextUnitPauseMs);

  RecordingLink link;
  QuietObserver observer;
  testing_support::FakeClockPump pump;
  const uint64_t start = pump.tickMs();
  EXPECT_TRUE(transferStream(stream, link, observer, pump));
  EXPECT_EQ(link.frames, (std::vector<string>{"hi"}));
  EXPECT_EQ(pump.tickMs() - start, static_cast<uint64_t>(kTextUnitPauseMs));

  // A list of units holding empty ones costs no pause for them either.
  const uint64_t again = pump.tickMs();
  EXPECT_TRUE(transfer({{"2", "", -1}, {"1", "x", -1}, {"8", "", 0}}, link, observer, pump));
  EXPECT_EQ(pump.tickMs() - again, static_cast<uint64_t>(kTextUnitPauseMs));
}

TEST(HostileStream, PausesOfTinyUnitsAddUpInTheSummary) {
  // 127 one-byte image parts per block: each would cost the image pause.
  const string block = bytes({2, 0, 3, 0x7F, 0, 1}) + string(127, 'p');
  const StreamSummary summary = summarizeStream(repeat(block, 8), kFrameSize);
  EXPECT_TRUE(summary.complete);
  EXPECT_EQ(summary.units, 8u * 127u);
  EXPECT_EQ(summary.pauseMs, 8LL * 127 * kImageUnitPauseMs);
}

TEST(HostileStream, AnImageBlockClaimingMoreThanTheStreamGivesNoPart) {
  const string stream = kText + bytes({2, 0, 3, 0x7F, 0xFF, 0xFF}) + string(1000, 'x');
  const StreamUnits read = readStream(stream);
  EXPECT_FALSE(read.complete);
  EXPECT_EQ(read.damagedAt, kText.size());
  EXPECT_EQ(read.units.size(), 1u);

  RecordingLink link;
  QuietObserver observer;
  testing_support::FakeClockPump pump;
  EXPECT_FALSE(transferStream(stream, link, observer, pump));
  EXPECT_TRUE(link.frames.empty());
}

TEST(HostileStream, AStopRequestEndsTheTransferAfterTheFrameBeingWritten) {
  RecordingLink link;
  QuietObserver observer;
  testing_support::FakeClockPump pump;
  TransferOptions options;
  options.stopRequested = [&link] { return !link.frames.empty(); };
  const uint64_t start = pump.tickMs();
  EXPECT_FALSE(transferStream(kText + bytes({1, 0, 1}) + "z", link, observer, pump, options));
  EXPECT_EQ(link.frames, (std::vector<string>{"hi"}));
  EXPECT_EQ(pump.tickMs(), start);  // not even the pause after it
}

}  // namespace
