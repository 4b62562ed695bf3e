// The send pipeline against real peers: pseudo-terminals as serially wired signs and a TCP
// listener as a network sign.

#include "signlink/send_pipeline.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>

#include <filesystem>
#include <functional>
#include <thread>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/profile_file.h"
#include "tests/support/book_records.h"
#include "tests/support/fake_clock_pump.h"
#include "tests/support/pty_pair.h"
#include "tests/support/tcp_sign.h"
#include "tests/support/temp_dir.h"

using namespace signlink;
using std::string;
using testing_support::device;
using testing_support::site;
using testing_support::TcpSign;

namespace {

// Records what the progress window would show.
class RecordingUi : public SendProgressUi {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const string& text) override {
    statuses.push_back(text);
    if (onStatus) onStatus(text);
  }
  void setCommandLine(const string& text) override { commandLines.push_back(text); }
  void setDestinationLine(const string& text) override { destinationLines.push_back(text); }
  void setAddressLine(const string& text) override { addressLines.push_back(text); }
  void showMessage(const string& text, Icon) override { messages.push_back(text); }
  void setWaitCursor(bool) override {}
  void showDialUpWindow(bool) override {}

  std::vector<string> statuses, commandLines, destinationLines, addressLines, messages;
  std::function<void(const string&)> onStatus;  // Runs as each status is shown.
};

class SendPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    profile_ = dir_.file("varnel.ini");
    platform::ProfileFile ini(profile_);
    ini.writeString("Ports", "COM7", wire7_.slavePath());
    ini.writeString("Ports", "COM8", wire8_.slavePath());
    book_.devices = {device("Wire7", addressbook::DeviceType::kSerial, 7),
                     device("Wire8", addressbook::DeviceType::kSerial, 8),
                     device("Net", addressbook::DeviceType::kTcpIp, 0),
                     device("Mail", addressbook::DeviceType::kEmail, 0)};
    for (addressbook::CDevice& d : book_.devices)
      d.tcpTimeout = 2;
    book_.devices[2].ipPort = tcpSign_.port();
    book_.sites = {site("A", "Wire7", "1"),        site("B", "Wire8", "2-3"),
                   site("N", "Net", "9", "signs"), site("NoIp", "Net", "9", "nowhere"),
                   site("M", "Mail", "4", "box"),  site("Orphan", "Vanished", "5")};
    book_.groups = {{"G", {"A", "Missing", "B"}}};
    book_.tcpIpGroups = {{"signs", "127.0.0.1"}, {"nowhere", ""}};
    link_ = std::make_unique<SignLink>(profile_);
    tcp_ = std::make_unique<TcpLinkSocket>(pump_);
    env_ = std::make_unique<SendEnvironment>(
        book_, *link_, pump_, ui_, [](const std::vector<uint8_t>& addresses) {
          return platform::Result<SignStream>(SignStream{buildTestStream(addresses), {}});
        });
    env_->tcp = tcp_.get();
    env_->tempDir = dir_.path();
  }

  testing_support::TempDir dir_;
  testing_support::PtyPair wire7_, wire8_;
  TcpSign tcpSign_;
  string profile_;
  addressbook::CAddressBook book_;
  testing_support::FakeClockPump pump_;
  std::unique_ptr<SignLink> link_;
  std::unique_ptr<TcpLinkSocket> tcp_;
  RecordingUi ui_;
  std::unique_ptr<SendEnvironment> env_;
};

string transmitted(const string& stream) {
  string bytes;
  for (const auto& u : readStream(stream).units)
    bytes += u.bytes;
  return bytes;
}

}  // namespace

TEST_F(SendPipelineTest, GroupWithARemovedSiteStillReachesTheOthers) {
  wire7_.startCollecting();
  wire8_.startCollecting();
  const SendSummary summary = runSendCommand(*env_, SendCommand::kTest, {true, "G"});
  EXPECT_EQ(summary.destinations, 3);
  EXPECT_EQ(summary.succeeded, 2);
  EXPECT_EQ(ui_.messages,
            std::vector<string>{
                "The site 'Missing' has been removed by user,can't transmt data to this site!"});
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(wire7_.stopCollecting(), transmitted(buildTestStream({1})));
  EXPECT_EQ(wire8_.stopCollecting(), transmitted(buildTestStream({2, 3})));
  EXPECT_FALSE(link_->isOpen());  // every destination closes its port
  EXPECT_EQ(ui_.commandLines[1], "Is sending file to signs(2/3)");
  EXPECT_EQ(ui_.destinationLines[0], "COM port:COM7");
  EXPECT_EQ(ui_.addressLines[2], "To:2-3 addr.");
  EXPECT_EQ(ui_.statuses.back(), "send successfully,");
}

TEST_F(SendPipelineTest, RemovedGroupAndDeviceReportThemselvesAndSendNothing) {
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {true, "Gone"}).succeeded, 0);
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "Orphan"}).succeeded, 0);
  EXPECT_EQ(ui_.messages,
            (std::vector<string>{
                "The group 'Gone' has been removed by user,can't transmt data to this group!",
                "The device 'Vanished' has been removed by user,can't transmt data through this "
                "device!"}));
}

TEST_F(SendPipelineTest, ClearMemoryLeavesTheDestinationLineEmpty) {
  env_->buildStream = [](const std::vector<uint8_t>& a) {
    return platform::Result<SignStream>(SignStream{buildClearMemoryStream(a), {}});
  };
  wire7_.startCollecting();
  runSendCommand(*env_, SendCommand::kClearMemory, {false, "A"});
  wire7_.stopCollecting();
  EXPECT_EQ(ui_.commandLines.at(0), "Is sending CLEAR MEMORY command to signs(1/1)");
  EXPECT_EQ(ui_.destinationLines.at(0), "");
}

TEST_F(SendPipelineTest, SerialPortThatCannotOpenFailsThisDestinationOnly) {
  book_.devices[0].comPort = 40;  // maps to /dev/ttyS39, which is not there
  wire8_.startCollecting();
  const SendSummary summary = runSendCommand(*env_, SendCommand::kTest, {true, "G"});
  wire8_.stopCollecting();
  EXPECT_EQ(summary.succeeded, 1);
  EXPECT_EQ(ui_.messages.front(), "Initalize serial com-port error!");
}

TEST_F(SendPipelineTest, NetworkSignGetsTheBytesOverOneConnectionClosedAfterwards) {
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "N"}).succeeded, 1);
  const string expected = transmitted(buildTestStream({9}));
  for (int i = 0; i < 100 && tcpSign_.received().size() < expected.size(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(tcpSign_.received(), expected);
  EXPECT_EQ(tcpSign_.connections(), 1);
  EXPECT_EQ(link_->state().mode, kLinkNone);
  EXPECT_FALSE(tcp_->isOpen());
  EXPECT_EQ(ui_.destinationLines.at(0), "TCP-IP:signs");
  EXPECT_NE(std::find(ui_.statuses.begin(), ui_.statuses.end(),
                      "Now is connecting 127.0.0.1,Please waiting..."),
            ui_.statuses.end());
}

TEST_F(SendPipelineTest, NetworkSiteWithoutAnAddressIsRefused) {
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "NoIp"}).succeeded, 0);
  EXPECT_EQ(ui_.messages.at(0).substr(0, 40), "Sorry,if you want to update message to m");
}

TEST_F(SendPipelineTest, EmailWithoutTransportFailsAndLeavesNoTemporaryFile) {
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "M"}).succeeded, 0);
  EXPECT_EQ(ui_.messages.at(0), i18n::text(i18n::IDS_EMAIL_NOT_AVAILABLE));
  EXPECT_EQ(link_->state().mode, kLinkNone);
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().extension(), ".ini") << entry.path();
  }
}

// Hangs up the far end of `wire` once the status line announces frame `frame` ("... (n/m)"), so
// that frame and every later one cannot be written.
void hangUpAtFrame(RecordingUi& ui, testing_support::PtyPair& wire, int frame) {
  ui.onStatus = [&wire, frame](const string& text) {
    if (text.find("(" + std::to_string(frame) + "/") == string::npos) return;
    // The pair's master descriptor now refers to /dev/null: the pseudo-terminal's master is gone.
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, wire.masterFd());
    ::close(null);
  };
}

TEST_F(SendPipelineTest, SerialTransferThatWroteNothingIsAFailure) {
  hangUpAtFrame(ui_, wire7_, 1);
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "A"}).succeeded, 0);
  ASSERT_EQ(ui_.messages.size(), 1u);
  // The hung-up pseudo-terminal is a line that is gone: that comes first, then what it missed.
  EXPECT_EQ(ui_.messages[0].rfind("The serial line was lost during the transfer: ", 0), 0u)
      << ui_.messages[0];
  EXPECT_NE(ui_.messages[0].find("\rNothing could be written to the sign: "), string::npos)
      << ui_.messages[0];
  EXPECT_EQ(ui_.statuses.back(), "send failed,");
  EXPECT_FALSE(link_->isOpen());
}

TEST_F(SendPipelineTest, SerialTransferThatLostSomeFramesSaysHowManyAndFails) {
  // Two units, two frames: the first goes out, the line drops before the second.
  env_->buildStream = [](const std::vector<uint8_t>& a) {
    return platform::Result<SignStream>(
        SignStream{buildTestStream(a) + buildClearMemoryStream(a), {}});
  };
  hangUpAtFrame(ui_, wire7_, 2);
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "A"}).succeeded, 0);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("\r1 of 2 frames could not be written to the sign: "),
            string::npos)
      << ui_.messages[0];
  EXPECT_EQ(ui_.statuses.back(), "send failed,");
}

TEST_F(SendPipelineTest, DeviceOfAnUnknownTypeFailsWithItsNameAndType) {
  book_.devices.push_back(device("Odd", static_cast<addressbook::DeviceType>(7), 7));
  book_.sites.push_back(site("Strange", "Odd", "1"));
  wire7_.startCollecting();
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "Strange"}).succeeded, 0);
  EXPECT_EQ(wire7_.stopCollecting(), "");
  EXPECT_EQ(ui_.messages, std::vector<string>{"The device 'Odd' is of an unknown type (7),can't "
                                              "transmit data through this device!"});
}

TEST_F(SendPipelineTest, StoppedSendLeavesLaterDestinationsUntriedAndSaysSo) {
  wire7_.startCollecting();
  wire8_.startCollecting();
  int asked = 0;
  env_->stopRequested = [&asked] { return ++asked > 1; };  // stop after the first destination
  const SendSummary summary = runSendCommand(*env_, SendCommand::kTest, {true, "G"});
  wire7_.stopCollecting();
  EXPECT_EQ(wire8_.stopCollecting(), "");
  ASSERT_EQ(summary.results.size(), 3u);
  EXPECT_EQ(summary.results[0].result, 1);
  EXPECT_EQ(summary.results[2].result, 0);
  EXPECT_EQ(ui_.commandLines.size(), 1u);
  EXPECT_EQ(sendResultsText(summary),
            "Sent to 1 of 3 destinations:"
            "\r(1/3) COM port:COM7 To:1 addr. send successfully,"
            "\r(2/3) Missing To: addr. not sent, the transmission was stopped,"
            "\r(3/3) COM port:COM8 To:2-3 addr. not sent, the transmission was stopped,");
}

TEST_F(SendPipelineTest, AProgramThatIsEndingReportsFailuresWithoutAnErrorBox) {
  // A modal box would keep the program from ending until someone answered it: neither the
  // pipeline nor the mail transport shows one, the status line still says what happened.
  class RefusingMail final : public EmailSender {
   public:
    int sendSignDataFile(const string&, const SendItem&, SendProgressUi& ui) override {
      ui.setStatus("refused");
      ui.showMessage("refused", SendProgressUi::Icon::kError);
      return -1;
    }
  } mail;
  env_->email = &mail;
  env_->endRequested = [] { return true; };
  for (const char* site : {"NoIp", "M"}) {
    const SendSummary summary = runSendCommand(*env_, SendCommand::kTest, {false, site});
    EXPECT_EQ(summary.results.at(0).result, -1);
  }
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages.at(0);
  ASSERT_EQ(ui_.statuses.size(), 2u);
  EXPECT_EQ(ui_.statuses[0], i18n::text(i18n::IDS_NEED_SIGN_IP_ADDRESS));
  EXPECT_EQ(ui_.statuses[1], "refused");
}

TEST_F(SendPipelineTest, EmailWhoseFileCannotBeMadeSaysWhy) {
  testing_support::writeFile(dir_.file("plain"), "a file where a directory should be");
  env_->tempDir = dir_.file("plain/below");
  EXPECT_EQ(runSendCommand(*env_, SendCommand::kTest, {false, "M"}).succeeded, 0);
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.at(0).rfind("Cannot make the sign data file to send: ", 0), 0u);
  EXPECT_NE(ui_.messages.at(0).find("Not a directory"), string::npos) << ui_.messages.at(0);
}

TEST(SendPipelineTiming, NetworkFramesAreAtMost350BytesAndTwoSecondsApart) {
  // Real time: the pauses are what a network sign needs to keep up.
  TcpSign sign;
  testing_support::TempDir dir;
  platform::SleepingPump pump;
  SignLink link(dir.file("varnel.ini"));
  TcpLinkSocket tcp(pump);
  RecordingUi ui;
  addressbook::CAddressBook book;
  book.devices = {device("Net", addressbook::DeviceType::kTcpIp, 0)};
  book.devices[0].ipPort = sign.port();
  book.tcpIpGroups = {{"signs", "127.0.0.1"}};
  SendEnvironment env(book, link, pump, ui, nullptr);
  env.tcp = &tcp;
  const string body(800, 'x');
  const string stream = string("\x09\x03\x20", 3) + body;  // one unit of 800 bytes
  SendItem item = itemForSite(book, site("N", "Net", "1", "signs"));
  ASSERT_EQ(sendToDestination(env, item, stream), 1);
  const auto chunks = sign.chunks();
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].bytes.size(), 350u);
  EXPECT_EQ(chunks[1].bytes.size(), 350u);
  EXPECT_EQ(chunks[2].bytes.size(), 100u);
  for (size_t i = 1; i < chunks.size(); ++i) {
    EXPECT_GE(chunks[i].at - chunks[i - 1].at, std::chrono::milliseconds(1990));
  }
}

TEST(SendItems, KeepBaudRatesAboveSixteenBits) {
  addressbook::CAddressBook book;
  book.devices = {device("Fast", addressbook::DeviceType::kSerial, 2)};
  book.devices[0].baudRate = 115200;
  EXPECT_EQ(itemForSite(book, site("S", "Fast", "1")).speedOrPort, 115200);
}
