// The receiver against scripted hostile POP3 servers on loopback, on a fake clock: dead
// connections, endless failures, huge and trickling mails, and a stop request in the middle.

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "receiver/receive_cycle.h"
#include "receiver/receiver_texts.h"
#include "receiver_fixture.h"
#include "signlink/sign_data_file.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/scripted_pump.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"

namespace {

using pop3_test::FakePop3Server;
using receiver_test::signMail;
using testing_support::readFile;

std::string signFile(const std::string& text) {
  std::string stream = {'\x01', '\0', static_cast<char>(text.size())};
  return signlink::signDataFileBytes(stream + text);
}

size_t countCommands(const std::vector<std::string>& commands, const std::string& start) {
  size_t n = 0;
  for (const std::string& c : commands)
    if (c.rfind(start, 0) == 0) ++n;
  return n;
}

// A receiver polling one scripted server, the server stepping on every dispatch of its pump.
class HostileServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(paths_.createWorkingDirectories());
    settings_.comPort = 7;  // Mapped to a missing device: forwarding fails at once.
    testing_support::writeFile(paths_.profileFile(), "[Ports]\nCOM7=" + dir_.file("none") + "\n");
    // A plain-text server, chosen as such: no CAPA before the log-in.
    settings_.mailboxes = {
        {"signs", "127.0.0.1", "signs", "pw", server_.port(), {platform::TlsPolicy::kPlain, {}}}};
    pump_.onDispatch = [this](int) { server_.step(); };
  }

  std::unique_ptr<receiver::Receiver> makeReceiver(pop3::Pop3Options options = {}) {
    auto r =
        std::make_unique<receiver::Receiver>(settings_, paths_, status_, pump_, clock_, options);
    r->SetStopFlag(&stop_);
    return r;
  }

  std::string receiveLog() const {
    return readFile(paths_.logDir() + "/2026-12-08ReceiveLogo.ini");
  }
  const std::vector<std::string>& commands() const { return server_.commands(); }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
  receiver::ReceiverSettings settings_;
  receiver_test::RecordingStatus status_;
  testing_support::ScriptedPump pump_;
  platform::FixedClock clock_{testing_support::makeLocalTime(2026, 12, 8, 12, 0, 0, 2)};
  FakePop3Server server_;
  volatile std::sig_atomic_t stop_ = 0;
};

TEST_F(HostileServerTest, ADeadConnectionEndsTheMailboxTurn) {
  server_.reply = [](const std::string& line) -> std::string {
    return line == "STAT" ? "+OK 2147483647 0\r\n" : "+OK\r\n";
  };
  server_.closeOn = "LIST";
  EXPECT_EQ(makeReceiver()->ReceiveCycle(), 1);
  EXPECT_EQ(commands(), (std::vector<std::string>{"USER signs", "PASS pw", "STAT", "LIST 1"}));
  EXPECT_TRUE(status_.saw(receiver::texts::kConnectionLost));
  EXPECT_FALSE(status_.saw("Successfully disconnected"));
  EXPECT_LT(status_.texts.size(), 20u);
}

TEST_F(HostileServerTest, ARunOfFailedListsIsBounded) {
  server_.reply = [](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 2147483647 0\r\n";
    return line.rfind("LIST", 0) == 0 ? "-ERR no such message\r\n" : "+OK\r\n";
  };
  makeReceiver()->ReceiveCycle();
  EXPECT_EQ(countCommands(commands(), "LIST"),
            static_cast<size_t>(receiver::Receiver::kMaxFailedLists));
  EXPECT_EQ(commands().back(), "QUIT");
  EXPECT_NE(receiveLog().find("LIST failed 10 times in a row"), std::string::npos);
  EXPECT_TRUE(status_.saw("Successfully disconnected"));
}

TEST_F(HostileServerTest, AMailOverTheCeilingIsNeverDownloaded) {
  server_.reply = [](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 1 999999999\r\n";
    if (line == "LIST") return "+OK\r\n1 999999999\r\n.\r\n";
    return "+OK\r\n";
  };
  pop3::Pop3Options options;
  options.maxMailBytes = 1 << 20;
  makeReceiver(options)->ReceiveCycle();
  EXPECT_EQ(countCommands(commands(), "RETR"), 0u);
  EXPECT_EQ(countCommands(commands(), "DELE"), 0u);
  EXPECT_EQ(commands().back(), "QUIT");
  const std::string text =
      "Mail 1 is 999999999 bytes, more than the 1048576 bytes a mail may have; it was left on "
      "the server";
  const std::string log = receiveLog();
  const size_t first = log.find(text);
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find(text, first + 1), std::string::npos);
}

TEST_F(HostileServerTest, ATricklingMailIsAbandonedAtItsDeadlineAndKept) {
  const std::string mail = signMail("Z1.bin", signFile("slow"));
  server_.reply = [&mail](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 1 100\r\n";
    if (line == "LIST") return "+OK\r\n1 100\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + mail + ".\r\n";
    return "+OK\r\n";
  };
  // One byte at a time, and every ten seconds once the mail has started.
  server_.piece = 1;
  uint64_t nextByte = 0;
  pump_.onDispatch = [&](int) {
    const bool retrieving = !commands().empty() && commands().back() == "RETR 1";
    if (retrieving && pump_.tickMs() < nextByte) return;
    server_.step();
    if (retrieving) nextByte = pump_.tickMs() + 10000;
  };
  const uint64_t start = pump_.tickMs();
  makeReceiver()->ReceiveCycle();
  EXPECT_LE(pump_.tickMs() - start, static_cast<uint64_t>(pop3::mailDeadlineMs(100)) + 31000);
  EXPECT_EQ(countCommands(commands(), "DELE"), 0u);
  EXPECT_NE(receiveLog().find("Mail 1 was left on the server: RETRieve failed: the mail did not "
                              "arrive within 60 seconds and was left on the server"),
            std::string::npos)
      << receiveLog();
}

TEST_F(HostileServerTest, AStopDuringAFetchSavesWhatCameAndDeletesNothingUnsaved) {
  const std::string first = signMail("Z1.bin", signFile("one"));
  server_.reply = [&](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 3 3000\r\n";
    if (line == "LIST") return "+OK\r\n1 1000\r\n2 1000\r\n3 1000\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + first + ".\r\n";
    if (line == "RETR 2") {
      stop_ = 1;  // SIGTERM while the second mail is on its way; it never arrives.
      return "";
    }
    return "+OK\r\n";
  };
  const uint64_t start = pump_.tickMs();
  auto receiver = makeReceiver();
  receiver->ReceiveCycle();
  // The answer to RETR 2 may still come: the connection is out of step and ends without QUIT.
  EXPECT_EQ(commands(), (std::vector<std::string>{"USER signs", "PASS pw", "STAT", "LIST", "RETR 1",
                                                  "DELE 1", "RETR 2"}));
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("one"));
  // Nothing went to the sign after the stop, and the cycle took no time of its own.
  EXPECT_EQ(readFile(paths_.logDir() + "/2026-12-08SendLogo.ini"), "");
  EXPECT_LT(pump_.tickMs() - start, 2000u);
  EXPECT_EQ(receiver->ReceiveCycle(), -1);
}

TEST_F(HostileServerTest, ASignMailThatCannotBeSavedStaysOnTheServer) {
  const std::string mail = signMail("Z1.bin", signFile("kept"));
  server_.reply = [&](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 1 1000\r\n";
    if (line == "LIST") return "+OK\r\n1 1000\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + mail + ".\r\n";
    return "+OK\r\n";
  };
  ASSERT_EQ(std::remove(paths_.saveDir().c_str()), 0);
  testing_support::writeFile(paths_.saveDir(), "not a directory");
  makeReceiver()->ReceiveCycle();
  EXPECT_EQ(countCommands(commands(), "DELE"), 0u);
  const std::string log = receiveLog();
  EXPECT_NE(log.find("Create or open " + paths_.saveDir() + "/Z1.bin failed,OS error code=20"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("The mail of Z1.bin was left on the server"), std::string::npos);
}

TEST_F(HostileServerTest, AHugeHeaderAndTenThousandAttachmentsAreTakenInStride) {
  // A 10 MB header block in front of a sign mail whose body names 10,000 attachments: the first
  // one is the sign data, the others are passed over.
  std::string mail =
      "X-Filler: " + std::string(10 << 20, 'h') + "\r\n" + signMail("Z1.bin", signFile("first"));
  for (int i = 0; i < 10000; ++i)
    mail += "Content-Disposition: attachment; filename=\"x" + std::to_string(i) +
            ".bin\"\r\n\r\nQUJD\r\n\r\n";
  server_.reply = [&](const std::string& line) -> std::string {
    if (line == "STAT") return "+OK 2 0\r\n";
    // The listing leaves the second mail out: it is listed on its own.
    if (line == "LIST") return "+OK\r\n1 " + std::to_string(mail.size()) + "\r\n.\r\n";
    if (line == "RETR 1") return "+OK\r\n" + mail + ".\r\n";
    // The second mail is cut off in the middle: the server goes away.
    if (line == "LIST 2") return "+OK 2 5000\r\n";
    if (line == "RETR 2") return "+OK\r\nFrom: a\r\n\r\nhalf";
    return "+OK\r\n";
  };
  server_.hangUpAfter = "RETR 2";
  const uint64_t start = pump_.tickMs();
  makeReceiver()->ReceiveCycle();
  EXPECT_LT(pump_.tickMs() - start, 60000u);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("first"));
  EXPECT_EQ(countCommands(commands(), "DELE"), 1u);
  EXPECT_TRUE(status_.saw(receiver::texts::kConnectionLost));
}

}  // namespace
