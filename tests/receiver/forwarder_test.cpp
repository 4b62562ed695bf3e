// Forwarding decoded files to the sign, with a pseudo-terminal as the sign's line.

#include "receiver/forwarder.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/com_ports.h"
#include "platform/profile_file.h"
#include "receiver_fixture.h"
#include "signlink/sign_data_file.h"
#include "signlink/sign_stream.h"
#include "signlink/transfer.h"
#include "tests/support/pty_pair.h"
#include "tests/support/random_workspace.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"

namespace {

using receiver::ForwardItem;
using testing_support::readFile;

platform::LocalTime forwardingTime() {
  return testing_support::makeLocalTime(2026, 12, 8, 9, 30, 15, 2);
}

// A real workspace stream as varnel builds it, made long ago.
std::string workspaceStream(unsigned seed) {
  std::mt19937 rng(seed);
  const workspace::Workspace ws = testing_support::randomWorkspace(rng, 6);
  signlink::WorkspaceStreamInput input;
  input.workspace = &ws;
  input.now.year = 2019;
  input.now.month = 3;
  input.now.day = 4;
  const platform::Result<signlink::SignStream> built =
      signlink::buildWorkspaceStream(input, {1, 2});
  EXPECT_TRUE(built.ok());
  return built.ok() ? built->stream : std::string();
}

std::string block(uint8_t type, const std::string& body) {
  std::string b(1, static_cast<char>(type));
  b.push_back(static_cast<char>(body.size() >> 8));
  b.push_back(static_cast<char>(body.size() & 0xFF));
  return b + body;
}

class ForwarderTest : public ::testing::Test {
 protected:
  ForwarderTest() : log_(dir_.path(), clock_) {
    platform::ProfileFile(profile()).writeString(platform::kPortsSection, "COM1", pty_.slavePath());
  }

  std::string profile() const { return dir_.file("mailpump.ini"); }

  receiver::ForwardContext context(int comPort = 1) {
    return receiver::ForwardContext{status_, pump_, clock_, profile(), comPort, {}};
  }

  testing_support::TempDir dir_;
  testing_support::PtyPair pty_;
  platform::FixedClock clock_{forwardingTime()};
  receiver_test::SkippingPump pump_;
  receiver_test::RecordingStatus status_;
  const receiver::ReceiverLog log_;
};

TEST_F(ForwarderTest, SendsTheUnitsWithTheTimeOfForwarding) {
  const std::string stream = workspaceStream(7);
  const ForwardItem item{"Z250020190304000000.bin", signlink::signDataFileBytes(stream)};

  pty_.startCollecting();
  std::string result;
  auto ctx = context();
  EXPECT_EQ(receiver::forwardOneFile(item, ctx, &result), 1);
  const std::string line = pty_.stopCollecting();
  EXPECT_EQ(result, "Send file Z250020190304000000.bin successfully!");

  // The line carries the stream's units, changed only in the time record's date and time.
  std::vector<signlink::TransmissionUnit> units = signlink::readStream(stream).units;
  std::string expected;
  for (auto& unit : units) {
    if (unit.label == "8") {
      const size_t o = static_cast<size_t>(unit.timeOffset);
      ASSERT_EQ(unit.bytes.substr(o + 2, 12), "190304000000");
      unit.bytes[o] = 2;  // Tuesday
      unit.bytes.replace(o + 2, 12, "261208093015");
    }
    expected += unit.bytes;
  }
  EXPECT_EQ(line.size(), expected.size());
  EXPECT_TRUE(line == expected);

  const size_t frames = signlink::frameCount(units, signlink::kFrameSize);
  EXPECT_TRUE(status_.saw("Now is sending (Frame 1th/" + std::to_string(frames) + ")"));
  EXPECT_TRUE(status_.saw("Now is sending (Frame " + std::to_string(frames) + "th/" +
                          std::to_string(frames) + ")"));
}

TEST_F(ForwarderTest, FramesAreNumberedOverTheWholeFile) {
  // Units of 700 and 351 bytes: 2 + 2 frames.
  const std::string stream = block(1, std::string(700, 'a')) + block(9, std::string(351, 'b'));
  pty_.startCollecting();
  std::string result;
  auto ctx = context();
  EXPECT_EQ(receiver::forwardOneFile({"f.bin", signlink::signDataFileBytes(stream)}, ctx, &result),
            1);
  EXPECT_EQ(pty_.stopCollecting(), std::string(700, 'a') + std::string(351, 'b'));
  std::vector<std::string> frames;
  for (const std::string& t : status_.texts)
    if (t.rfind("Now is sending", 0) == 0) frames.push_back(t);
  EXPECT_EQ(frames, (std::vector<std::string>{
                        "Now is sending (Frame 1th/4)", "Now is sending (Frame 2th/4)",
                        "Now is sending (Frame 3th/4)", "Now is sending (Frame 4th/4)"}));
}

TEST_F(ForwarderTest, InvalidFilesSendNothing) {
  const std::string good = signlink::signDataFileBytes(block(1, "abc"));
  const std::vector<std::string> invalid = {
      good.substr(0, 23),                // shorter than the header
      "Z2500 serieZ" + good.substr(12),  // another kind of file
      good.substr(0, good.size() - 1),   // the block runs past the end
      // 25 one-byte image units: their pauses alone would hold the sign for over two minutes.
      signlink::signDataFileBytes(std::string("\x02\x00\x03\x19\x00\x01", 6) +
                                  std::string(25, 'p')),
  };
  pty_.startCollecting();
  for (const std::string& bytes : invalid) {
    std::string result;
    auto ctx = context();
    EXPECT_EQ(receiver::forwardOneFile({"bad.bin", bytes}, ctx, &result), -1);
    EXPECT_EQ(result, "File bad.bin is invalid Z2500 data!");
  }
  EXPECT_EQ(pty_.stopCollecting(), "");
  EXPECT_EQ(pump_.skippedWaits(), (std::vector<int>{1000, 1000, 1000, 1000}));
}

TEST_F(ForwarderTest, TheQueueGoesOldestFirstAndIsLogged) {
  std::vector<ForwardItem> queue = {
      {"Z250020261208090001.bin", signlink::signDataFileBytes(block(1, "second"))},
      {"Z250020261208090000.bin", signlink::signDataFileBytes(block(1, "first"))},
  };
  pty_.startCollecting();
  auto ctx = context();
  receiver::forwardQueue(&queue, ctx, log_);
  EXPECT_EQ(pty_.stopCollecting(), "firstsecond");
  EXPECT_TRUE(queue.empty());
  EXPECT_EQ(readFile(dir_.file("2026-12-08SendLogo.ini")),
            "2026-12-08 09-30-15-send,Send file Z250020261208090000.bin successfully!\r\n\r\n"
            "2026-12-08 09-30-15-send,Send file Z250020261208090001.bin successfully!\r\n\r\n");
}

TEST_F(ForwarderTest, AMissingPortFailsEveryQueuedFile) {
  platform::ProfileFile(profile()).writeString(platform::kPortsSection, "COM4",
                                               dir_.file("no-such-tty"));
  std::vector<ForwardItem> queue = {{"b.bin", signlink::signDataFileBytes(block(1, "x"))},
                                    {"a.bin", signlink::signDataFileBytes(block(1, "y"))}};
  auto ctx = context(4);
  receiver::forwardQueue(&queue, ctx, log_);
  EXPECT_EQ(readFile(dir_.file("2026-12-08SendLogo.ini")),
            "2026-12-08 09-30-15-send,Initalize serial com-port(COM4) error when sending file "
            "a.bin!\r\n\r\n"
            "2026-12-08 09-30-15-send,Initalize serial com-port(COM4) error when sending file "
            "b.bin!\r\n\r\n");
}

TEST(ForwardingTime, OnlyTimeUnitsWithRoomForTheFieldsChange) {
  signlink::TransmissionUnit unit{"8", std::string(20, 'x'), 6};
  EXPECT_TRUE(receiver::stampForwardingTime(&unit, forwardingTime()));
  EXPECT_EQ(unit.bytes, std::string("xxxxxx\x02x261208093015", 20));

  signlink::TransmissionUnit shortUnit{"8", std::string(19, 'x'), 6};
  EXPECT_FALSE(receiver::stampForwardingTime(&shortUnit, forwardingTime()));
  EXPECT_EQ(shortUnit.bytes, std::string(19, 'x'));
  signlink::TransmissionUnit farOffset{"8", std::string(20, 'x'), 200};
  EXPECT_FALSE(receiver::stampForwardingTime(&farOffset, forwardingTime()));
  signlink::TransmissionUnit text{"1", std::string(20, 'x'), 0};
  EXPECT_FALSE(receiver::stampForwardingTime(&text, forwardingTime()));
  EXPECT_EQ(text.bytes, std::string(20, 'x'));
}

}  // namespace
