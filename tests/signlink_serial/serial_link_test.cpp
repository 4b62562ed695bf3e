// The link object's serial side and its routing by link mode, with a pseudo-terminal as the line.

#include "signlink/serial_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

using signlink::SignLink;
using testing_support::PtyPair;
using testing_support::TempDir;

constexpr int kPort = 7;  // The COM number the tests map to the pseudo-terminal.

class RecordingListener : public signlink::ModemReplyListener {
 public:
  void receivedBytes(std::string_view bytes) override { pieces.emplace_back(bytes); }
  std::vector<std::string> pieces;
};

// A TCP side that records what it is asked to do.
class FakeSocket : public signlink::LinkSocket {
 public:
  platform::Status send(std::string_view bytes) override {
    if (peerGone) {
      open = false;
      return platform::Status::failed("Client closed connection");
    }
    sent += bytes;
    return platform::Status::success();
  }
  platform::Status readPending() override { return platform::Status::success(); }
  void close() override {
    open = false;
    ++closes;
  }
  bool isOpen() const override { return open; }

  std::string sent;
  bool open = true;
  bool peerGone = false;
  int closes = 0;
};

class SignLinkTest : public ::testing::Test {
 protected:
  SignLinkTest() : link(dir.file("varnel.ini")) {
    platform::ProfileFile(dir.file("varnel.ini"))
        .writeString("Ports", "COM" + std::to_string(kPort), pty.slavePath());
    link.setWarningPresenter([this](const std::string& caption, const std::string& text) {
      warnings.push_back(caption + "|" + text);
    });
  }

  TempDir dir;
  PtyPair pty;
  SignLink link;
  std::vector<std::string> warnings;
};

// A frame of 350 bytes whose content tells frames apart and covers every byte value.
std::string frame(int n) {
  std::string f;
  for (int i = 0; i < 350; ++i)
    f.push_back(static_cast<char>((n * 31 + i) & 0xFF));
  return f;
}

TEST_F(SignLinkTest, ManyFramesArriveWholeAndInOrder) {
  ASSERT_EQ(link.open(nullptr, kPort, 2400), 1);
  // Nobody reads the line while the frames go out: whatever is still on its way when the next
  // frame is written must not be thrown away. (20 frames stay within what a pseudo-terminal
  // buffers without a reader.)
  std::string expected;
  for (int n = 0; n < 20; ++n) {
    ASSERT_TRUE(link.write(frame(n)).ok()) << n;
    expected += frame(n);
  }
  EXPECT_EQ(pty.readMaster(expected.size(), 5000), expected);
}

TEST_F(SignLinkTest, FramesAreIntactWithAReaderOnTheLine) {
  ASSERT_EQ(link.open(nullptr, kPort, 2400), 1);
  pty.startCollecting();
  std::string expected;
  for (int n = 0; n < 20; ++n) {
    ASSERT_TRUE(link.write(frame(n)).ok());
    expected += frame(n);
  }
  EXPECT_EQ(pty.stopCollecting(), expected);
}

TEST_F(SignLinkTest, OpenFailureIsReportedToTheCallerOnly) {
  platform::ProfileFile(dir.file("varnel.ini")).writeString("Ports", "COM8", dir.file("gone"));
  EXPECT_EQ(link.open(nullptr, 8, 2400), 0);
  EXPECT_FALSE(link.isOpen());
  EXPECT_NE(link.serial().openError().find(dir.file("gone")), std::string::npos);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(SignLinkTest, FailedSetupStepWarnsButLeavesThePortOpen) {
  EXPECT_EQ(link.open(nullptr, kPort, 2400, 'N', 9), 1);  // no 9-bit characters
  EXPECT_TRUE(link.isOpen());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "Application Error|WARNING:  BuildCommDCB() Failed with the following error: \n"
            "Invalid argument\nPort: 7\n");
}

TEST_F(SignLinkTest, ReopeningTheOpenPortSucceeds) {
  ASSERT_EQ(link.open(nullptr, kPort, 2400), 1);
  EXPECT_EQ(link.open(nullptr, kPort, 9600), 1);
  EXPECT_EQ(link.portNumber(), kPort);
  link.close();
  EXPECT_FALSE(link.isOpen());
  EXPECT_FALSE(link.write("x").ok());
  // Closing twice is harmless; a closed port's queue cannot be asked.
  link.close();
  const platform::Status read = link.readPending();
  EXPECT_EQ(read.code(), platform::Status::Code::kFailed);
  EXPECT_EQ(read.message(), "'ClearCommError' function error");
}

TEST_F(SignLinkTest, ReceivedBytesGoToTheListenerOnlyWhileModemListening) {
  RecordingListener listener;
  link.state().modemListening = true;
  ASSERT_EQ(link.open(&listener, kPort, 2400), 1);
  ASSERT_TRUE(link.readPending().ok());  // Nothing waiting: success, no call.
  EXPECT_TRUE(listener.pieces.empty());

  ASSERT_TRUE(pty.sendToPort("\r\nOK\r\n"));
  ASSERT_TRUE(link.readPending().ok());
  ASSERT_EQ(listener.pieces.size(), 1u);
  EXPECT_EQ(listener.pieces[0], "\r\nOK\r\n");

  link.state().modemListening = false;  // Bytes read now are dropped.
  ASSERT_TRUE(pty.sendToPort("RING\r"));
  ASSERT_TRUE(link.readPending().ok());
  EXPECT_EQ(listener.pieces.size(), 1u);
  ASSERT_TRUE(link.readPending().ok());  // And they are gone from the queue.
  EXPECT_EQ(listener.pieces.size(), 1u);
}

TEST_F(SignLinkTest, ListenerIsOnlyKeptWhenOpenedWhileListening) {
  RecordingListener listener;
  ASSERT_EQ(link.open(&listener, kPort, 2400), 1);
  link.state().modemListening = true;
  ASSERT_TRUE(pty.sendToPort("OK\r"));
  ASSERT_TRUE(link.readPending().ok());
  EXPECT_TRUE(listener.pieces.empty());
}

TEST_F(SignLinkTest, CarrierCountsOnlyOnAConnectedModemLine) {
  ASSERT_EQ(link.open(nullptr, kPort, 2400), 1);
  ASSERT_TRUE(link.serial().carrierDetect());  // A pseudo-terminal always has carrier.
  EXPECT_FALSE(link.carrierPresent());
  link.state().mode = signlink::kLinkTcp;
  EXPECT_FALSE(link.carrierPresent());
  link.state().mode = signlink::kLinkModem;
  EXPECT_TRUE(link.carrierPresent());
  link.close();
  EXPECT_FALSE(link.carrierPresent());
}

TEST_F(SignLinkTest, TcpModeRoutesToTheSocketAndCloseEndsIt) {
  FakeSocket socket;
  link.setSocket(&socket);
  ASSERT_EQ(link.open(nullptr, kPort, 2400), 1);
  link.state().mode = signlink::kLinkTcp;
  ASSERT_TRUE(link.write("frame").ok());
  EXPECT_EQ(socket.sent, "frame");
  EXPECT_EQ(pty.drainMaster(20), "");  // Nothing went down the serial line.

  link.close();
  EXPECT_EQ(socket.closes, 1);
  EXPECT_EQ(link.state().mode, signlink::kLinkNone);
  EXPECT_FALSE(link.isOpen());
}

TEST_F(SignLinkTest, SocketThatClosesOnAFailedSendEndsTcpMode) {
  FakeSocket socket;
  socket.peerGone = true;
  link.setSocket(&socket);
  link.state().mode = signlink::kLinkTcp;
  const platform::Status sent = link.write("frame");
  EXPECT_EQ(sent.code(), platform::Status::Code::kFailed);
  EXPECT_EQ(sent.message(), "Client closed connection");
  EXPECT_EQ(link.state().mode, signlink::kLinkNone);
}

}  // namespace
