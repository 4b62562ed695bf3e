// Receive cycles against a real POP3 server (Dovecot on loopback), with a pseudo-terminal as the
// sign's serial line.

#include "receiver/receive_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/com_ports.h"
#include "platform/profile_file.h"
#include "receiver_fixture.h"
#include "signlink/sign_data_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/pop3_server.h"
#include "tests/support/pty_pair.h"
#include "tests/support/suite_pop3_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"

namespace {

using receiver_test::plainMail;
using receiver_test::signMail;
using testing_support::Pop3Server;
using testing_support::readFile;

constexpr char kPassword[] = "Lantern-42";

platform::LocalTime noon() {
  return testing_support::makeLocalTime(2026, 12, 8, 12, 0, 0, 2);
}

// A small valid sign data file whose text block carries `text`.
std::string signFile(const std::string& text) {
  std::string stream(1, '\x01');
  stream.push_back(static_cast<char>(text.size() >> 8));
  stream.push_back(static_cast<char>(text.size() & 0xFF));
  return signlink::signDataFileBytes(stream + text);
}

size_t count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + 1))
    ++n;
  return n;
}

class ReceiveCycleTest : public testing_support::SuitePop3Test<ReceiveCycleTest> {
 public:
  static constexpr const char* kSuitePassword = kPassword;

 protected:
  void SetUp() override {
    SuitePop3Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(paths_.createWorkingDirectories());
    platform::ProfileFile(paths_.profileFile())
        .writeString(platform::kPortsSection, "COM1", pty_.slavePath());
    settings_.mailboxes = {mailbox()};
  }

  void TearDown() override {
    if (!HasFailure()) return;
    for (const std::string& t : status_.texts)
      std::fprintf(stderr, "status: %s\n", t.c_str());
    if (server_) std::fprintf(stderr, "%s\n", server_->log().c_str());
  }

  receiver::MailboxRecord mailbox() const {
    return {"signs", "127.0.0.1", user_, kPassword, server_->port()};
  }

  std::string receiveLog() const {
    return readFile(paths_.logDir() + "/2026-12-08ReceiveLogo.ini");
  }
  std::string sendLog() const { return readFile(paths_.logDir() + "/2026-12-08SendLogo.ini"); }
  std::string prefix() const { return "POP Server:127.0.0.1,Account:" + user_ + "--"; }

  testing_support::TempDir dir_;
  const receiver::ReceiverPaths paths_{dir_.path()};
  testing_support::PtyPair pty_;
  platform::FixedClock clock_{noon()};
  receiver_test::SkippingPump pump_;
  receiver_test::RecordingStatus status_;
  receiver::ReceiverSettings settings_;
  receiver::Receiver receiver_{settings_, paths_, status_, pump_, clock_};
};

TEST_F(ReceiveCycleTest, ThreeMailsOneSignDataAllDeletedOneForwarded) {
  const std::string file = signFile("hello sign");
  server_->deliver(user_, plainMail("Lunch", "Pizza at one?\r\n"));
  server_->deliver(user_, signMail("Z250020261208110000.bin", file));
  server_->deliver(user_, plainMail("Invoice", "Please pay.\r\n"));

  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(pty_.stopCollecting(), "hello sign");

  EXPECT_EQ(server_->mailCount(user_), 0u);
  const std::string saved = paths_.saveDir() + "/Z250020261208110000.bin";
  EXPECT_EQ(readFile(saved), file);

  const std::string log = receiveLog();
  EXPECT_EQ(count(log,
                  "------------------------------------------------------------------------"
                  "\n\n\n"),
            4u);
  EXPECT_EQ(count(log, "Receive from " + prefix() +
                           ":2026-12-08 12-00-00 delete one email which "
                           "is not Z2500 data email.\nThis email's information is as follow:\n"
                           "From:Someone <someone@example.org>\nHead:"),
            2u);
  EXPECT_NE(log.find("\nSubject:Lunch\nBody:Pizza at one?\r\n\r\n\r\n"), std::string::npos);
  EXPECT_NE(log.find("Receive from " + prefix() + ":2026-12-08 12-00-00 write " + saved +
                     " successfully\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(sendLog(),
            "2026-12-08 12-00-00-send,Send file Z250020261208110000.bin successfully!\r\n\r\n");

  EXPECT_TRUE(status_.saw("Now will query signs..."));
  EXPECT_TRUE(status_.saw("Receiving status 2/3"));
  EXPECT_TRUE(status_.saw("Successfully disconnected"));
  EXPECT_TRUE(status_.saw("PASS<...>"));
  for (const std::string& t : status_.texts)
    EXPECT_EQ(t.find(kPassword), std::string::npos);
  EXPECT_EQ(status_.captions,
            (std::vector<std::string>{"Receive Result-signs", "Receiving status"}));
  EXPECT_EQ(status_.selected, (std::vector<size_t>{0}));
}

TEST_F(ReceiveCycleTest, TwoSignMailsGoSmallerNameFirst) {
  server_->deliver(user_, signMail("Z250020261208110500.bin", signFile("later")));
  server_->deliver(user_, signMail("Z250020261208110000.bin", signFile("earlier")));
  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(pty_.stopCollecting(), "earlierlater");
  EXPECT_LT(sendLog().find("Z250020261208110000.bin"), sendLog().find("Z250020261208110500.bin"));
}

TEST_F(ReceiveCycleTest, InvalidSignDataIsStoredButNotSent) {
  server_->deliver(user_, signMail("short.bin", "Z2500 series"));
  server_->deliver(user_, signMail("other.bin", std::string(40, 'x')));
  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(pty_.stopCollecting(), "");
  EXPECT_EQ(sendLog(),
            "2026-12-08 12-00-00-send,File other.bin is invalid Z2500 data!\r\n\r\n"
            "2026-12-08 12-00-00-send,File short.bin is invalid Z2500 data!\r\n\r\n");
  EXPECT_EQ(readFile(paths_.saveDir() + "/short.bin"), "Z2500 series");
}

TEST_F(ReceiveCycleTest, WithoutTheSerialPortEveryFileGetsThePortError) {
  settings_.comPort = 6;  // Mapped nowhere: COM6 is /dev/ttyS5, absent in test machines...
  platform::ProfileFile(paths_.profileFile())
      .writeString(platform::kPortsSection, "COM6", dir_.file("unplugged"));  // ...or here.
  server_->deliver(user_, signMail("Z2.bin", signFile("b")));
  server_->deliver(user_, signMail("Z1.bin", signFile("a")));
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(sendLog(),
            "2026-12-08 12-00-00-send,Initalize serial com-port(COM6) error when sending file "
            "Z1.bin!\r\n\r\n"
            "2026-12-08 12-00-00-send,Initalize serial com-port(COM6) error when sending file "
            "Z2.bin!\r\n\r\n");
  EXPECT_EQ(server_->mailCount(user_), 0u);
}

// With the sign unplugged Save holds the only copies: nothing may overwrite another, and names
// that cannot be files become names that can.
TEST_F(ReceiveCycleTest, SameNamesAndUnsafeNamesAreAllSavedUnderNamesOfTheirOwn) {
  settings_.comPort = 6;
  platform::ProfileFile(paths_.profileFile())
      .writeString(platform::kPortsSection, "COM6", dir_.file("unplugged"));
  server_->deliver(user_, signMail("Z1.bin", signFile("first")));
  server_->deliver(user_, signMail("Z1.bin", signFile("second")));
  server_->deliver(user_, signMail("..", signFile("dots")));
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(server_->mailCount(user_), 0u);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("first"));
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1_2.bin"), signFile("second"));
  EXPECT_EQ(readFile(paths_.saveDir() + "/__"), signFile("dots"));
  const std::string log = receiveLog();
  EXPECT_NE(log.find("The attachment Z1.bin was saved as Z1_2.bin"), std::string::npos) << log;
  EXPECT_NE(log.find("The attachment .. was saved as __"), std::string::npos) << log;
  EXPECT_EQ(count(sendLog(), "Initalize serial com-port(COM6) error"), 3u);
}

// A disk that refuses the write of Save: the sign mail stays on the server, the files Save had
// are kept and nothing half-written is left beside them; once the disk has room the next cycle
// takes the mail.
TEST_F(ReceiveCycleTest, AFullDiskLeavesTheMailOnTheServerAndLosesNothing) {
  settings_.comPort = 6;
  platform::ProfileFile(paths_.profileFile())
      .writeString(platform::kPortsSection, "COM6", dir_.file("unplugged"));
  testing_support::writeFile(paths_.saveDir() + "/Z1.bin", signFile("older"));
  const std::string big = signFile(std::string(20000, 'x'));
  server_->deliver(user_, signMail("Z1.bin", big));
  {
    const testing_support::FileSizeLimit full(8192);
    receiver_.ReceiveCycle();
  }
  EXPECT_EQ(server_->mailCount(user_), 1u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(paths_.saveDir()), {}), 1);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("older"));
  const std::string log = receiveLog();
  EXPECT_NE(log.find("failed,OS error code=" + std::to_string(EFBIG)), std::string::npos) << log;
  EXPECT_NE(log.find("The mail of Z1.bin was left on the server"), std::string::npos) << log;

  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(server_->mailCount(user_), 0u);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1_2.bin"), big);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("older"));
}

// A Logo directory that cannot be written loses only the entries: the mail still reaches the sign,
// and the status says once why the log is missing.
TEST_F(ReceiveCycleTest, AnUnwritableLogoIsSaidAndReceivingGoesOn) {
  ASSERT_EQ(std::remove(paths_.logDir().c_str()), 0);
  testing_support::writeFile(paths_.logDir(), "not a directory");
  server_->deliver(user_, signMail("Z1.bin", signFile("still sent")));
  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(pty_.stopCollecting(), "still sent");
  EXPECT_EQ(server_->mailCount(user_), 0u);
  EXPECT_EQ(readFile(paths_.saveDir() + "/Z1.bin"), signFile("still sent"));
  const auto said = std::count_if(status_.texts.begin(), status_.texts.end(), [&](auto& t) {
    return t.find("Cannot write the log " + paths_.logDir() + "/2026-12-08") == 0 &&
           t.find(": Not a directory") != std::string::npos;
  });
  EXPECT_EQ(said, 1);
}

TEST_F(ReceiveCycleTest, ASignMailWithoutAttachmentIsLoggedAndDeleted) {
  server_->deliver(user_, plainMail("Data for Z2500 series", "nothing attached\r\n"));
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_TRUE(status_.saw("Decode email affix failed!"));
  EXPECT_NE(receiveLog().find("Receive from " + prefix() +
                              ":2026-12-08 12-00-00 Decode email "
                              "affix failed,Email body is nothing attached\r\n!\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(server_->mailCount(user_), 0u);
  EXPECT_TRUE(receiver_.ForwardQueue().empty());
}

TEST_F(ReceiveCycleTest, AFailingMailboxDoesNotStopTheOthers) {
  receiver::MailboxRecord wrong = mailbox();
  wrong.name = "wrong";
  wrong.password = "guess";
  receiver::MailboxRecord blank = mailbox();
  blank.name = "blank";
  blank.server.clear();
  settings_.mailboxes = {wrong, blank, mailbox()};
  server_->deliver(user_, signMail("Z1.bin", signFile("ok")));

  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  EXPECT_EQ(pty_.stopCollecting(), "ok");
  EXPECT_TRUE(status_.saw("Invalid username/password combination"));
  EXPECT_TRUE(status_.saw("POP3 server is blank,can't recieve email!"));
  EXPECT_EQ(status_.selected, (std::vector<size_t>{0, 1, 2}));

  // The last mailbox decides the cycle's result.
  settings_.mailboxes = {mailbox(), wrong};
  EXPECT_EQ(receiver_.ReceiveCycle(), -1);
}

// Senders, subjects, bodies and attachment names may carry line breaks; none of them may start a
// line of the logs that reads as an entry.
TEST_F(ReceiveCycleTest, TextFromAMailCannotForgeALogEntry) {
  const std::string forged = "Receive from POP Server:forged";
  server_->deliver(user_, plainMail("Hi\r" + forged + "\x01", "Hello\r\n" + forged + " body\r\n"));
  server_->deliver(user_, signMail("z.bin\r" + forged + ".bin", signFile("x")));

  pty_.startCollecting();
  EXPECT_EQ(receiver_.ReceiveCycle(), 1);
  pty_.stopCollecting();

  const std::string log = receiveLog();
  const std::string entry = "Receive from " + prefix() + ":2026-12-08 12-00-00 ";
  for (size_t at = 0; at < log.size();) {
    const size_t end = std::min(log.find('\n', at), log.size());
    const std::string line = log.substr(at, end - at);
    if (line.rfind("Receive from ", 0) == 0) {
      EXPECT_EQ(line.rfind(entry, 0), 0u) << line;
    }
    at = end + 1;
  }
  EXPECT_NE(log.find("Subject:Hi\\r" + forged + "\\x01\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Body:Hello\r\n " + forged + " body\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("/z.bin_" + forged + ".bin successfully"), std::string::npos) << log;
  EXPECT_EQ(sendLog().find("\n" + forged), std::string::npos) << sendLog();
}

TEST(ReceiveCycle, ChecksComeBeforeAnyConnection) {
  testing_support::TempDir dir;
  const receiver::ReceiverPaths paths(dir.path());
  receiver::ReceiverSettings settings;
  receiver_test::RecordingStatus status;
  receiver_test::SkippingPump pump;
  platform::FixedClock clock(noon());
  receiver::Receiver receiver(settings, paths, status, pump, clock);

  EXPECT_EQ(receiver.ReceiveCycle(), -1);
  EXPECT_EQ(status.texts, (std::vector<std::string>{
                              "The mail address for querying is blank!\nPlease press button 'New' "
                              "to add it!"}));

  using Code = platform::Status::Code;
  platform::Status failure;
  EXPECT_EQ(receiver.ReceiveFromOne(nullptr, &failure), -1);
  EXPECT_EQ(failure.code(), Code::kRefused);
  EXPECT_EQ(failure.message(), "ReceiveFromOne:invalidation parameter!");
  receiver::MailboxRecord box{"", "s", "a", "p", 110};
  EXPECT_EQ(receiver.ReceiveFromOne(&box, &failure), -1);
  EXPECT_EQ(failure.code(), Code::kRefused);
  EXPECT_EQ(failure.message(), "Please specify one POP3 server from which receive email!");
  box = {"n", "s", "", "p", 110};
  EXPECT_EQ(receiver.ReceiveFromOne(&box, &failure), -1);
  EXPECT_EQ(failure.code(), Code::kRefused);
  EXPECT_EQ(failure.message(), "Account is blank,can't receive email!");
}

}  // namespace
