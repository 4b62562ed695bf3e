// The modem dialogue against a scripted Hayes modem on a pseudo-terminal, on a fake clock.

#include "signlink/modem_dialer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "signlink/modem_list.h"
#include "tests/signlink_serial/fake_modem.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

using serial_testing::FakeModem;
using serial_testing::PeerPump;
using signlink::ModemDialer;

constexpr int kModemPort = 3;
const char kDialogue[] = "at e0\rat q0 v1 s7=60 x4\rATDT5551234\r";
const char kDialling[] = "Now is dialing up,please waitting...";
const char kConnected[] = "Connect Status:\rConnect successfully!";
const char kDialUpError[] = "Dial up error";

class RecordingView : public signlink::DialUpView {
 public:
  void setStatusLine(const std::string& text) override { status.push_back(text); }
  void showDialledNumber(const std::string& number) override { numbers.push_back(number); }
  void showMessageBox(const std::string& caption, const std::string& text, Icon icon) override {
    boxes.push_back(caption + "|" + text + (icon == Icon::kError ? "|error" : "|info"));
  }
  void hide() override { ++hides; }

  std::string lastStatus() const { return status.empty() ? "" : status.back(); }

  std::vector<std::string> status;
  std::vector<std::string> numbers;
  std::vector<std::string> boxes;
  int hides = 0;
};

// Everything a dial needs: the line, the modem at its far end, the link and the dial-up logic.
struct Bench {
  Bench()
      : link(dir.file("varnel.ini")),
        modem(pty, pump),
        dialer(link, pump, view, [this](const std::string& name) {
          return signlink::ModemList::load(dir.file("modems.ini")).modemPort(name);
        }) {
    platform::ProfileFile(dir.file("varnel.ini"))
        .writeString("Ports", "COM" + std::to_string(kModemPort), pty.slavePath());
    testing_support::writeFile(dir.file("modems.ini"), "[Modem0]\nModel=Test Modem\nPort=COM3\n");
  }

  int dial(int timeoutSeconds = 30, const std::string& modemName = "",
           const std::string& number = "5551234") {
    return dialer.dial(modemName, number, kModemPort, 9600, timeoutSeconds, &error);
  }
  bool idle() const {
    return link.state().mode == signlink::kLinkNone && !link.state().modemListening &&
           !link.isOpen();
  }

  testing_support::TempDir dir;
  testing_support::PtyPair pty;
  PeerPump pump;
  signlink::SignLink link;
  FakeModem modem;
  RecordingView view;
  ModemDialer dialer;
  std::string error;
};

TEST(ModemDial, ConnectArrivingTogetherWithTheOksIsSeen) {
  Bench b;
  EXPECT_EQ(b.dial(), ModemDialer::kDialConnected);
  EXPECT_EQ(b.modem.received(), kDialogue);
  EXPECT_EQ(b.link.state().mode, signlink::kLinkModem);
  EXPECT_FALSE(b.link.state().modemListening);
  EXPECT_TRUE(b.link.isOpen());
  EXPECT_EQ(b.error, kConnected);
  EXPECT_EQ(b.view.numbers, std::vector<std::string>{"5551234"});
  ASSERT_FALSE(b.view.status.empty());
  EXPECT_EQ(b.view.status.front(), kDialling);
  EXPECT_EQ(b.view.lastStatus(), kConnected);
  EXPECT_EQ(b.dialer.lastReplyCode(), signlink::kModemReplyConnect);
}

TEST(ModemDial, ConnectInALaterReplyIsSeen) {
  Bench b;
  b.modem.dialReplyDelayMs = 4000;
  const uint64_t start = b.pump.tickMs();
  EXPECT_EQ(b.dial(), ModemDialer::kDialConnected);
  EXPECT_GE(b.pump.tickMs() - start, 4000u);
}

TEST(ModemDial, RefusalsEndTheDialAtOnce) {
  const struct {
    const char* reply;
    const char* status;
  } cases[] = {
      {"\r\nNO CARRIER\r\n", "Connect Status:\rNo carrier!"},
      {"\r\nBUSY\r\n", "Connect Status:\rThe other side is busy!"},
      {"\r\nNO DIALTONE\r\n", "Connect Status:\rNo dialtone!"},
      {"\r\nERROR\r\n", "Connect Status:\rInvalidate command!"},
  };
  for (const auto& c : cases) {
    Bench b;
    b.modem.dialReply = c.reply;
    b.modem.dialReplyDelayMs = 2000;
    const uint64_t start = b.pump.tickMs();
    EXPECT_EQ(b.dial(30), ModemDialer::kDialEnded) << c.reply;
    EXPECT_LT(b.pump.tickMs() - start, 5000u) << c.reply;  // Not the 30 s time-out.
    EXPECT_EQ(b.error, kDialUpError);
    EXPECT_EQ(b.view.lastStatus(), c.status);
    EXPECT_TRUE(b.idle()) << c.reply;
  }
}

TEST(ModemDial, SilentModemTimesOut) {
  Bench b;
  b.modem.dialReply = "";
  const uint64_t start = b.pump.tickMs();
  EXPECT_EQ(b.dial(5), ModemDialer::kDialTimedOut);
  const uint64_t elapsed = b.pump.tickMs() - start;
  EXPECT_GE(elapsed, 5000u);
  EXPECT_LT(elapsed, 6000u);
  const std::string text =
      "Connect Status:\rDial time out(The max value user setting is 5 seconds)!";
  EXPECT_EQ(b.error, text);
  EXPECT_EQ(b.view.lastStatus(), text);
  EXPECT_TRUE(b.idle());
}

TEST(ModemDial, CancelHangsUpTheModemAndEndsTheDial) {
  Bench b;
  b.modem.dialReply = "";
  const uint64_t start = b.pump.tickMs();
  bool pressed = false;
  b.pump.onDispatch = [&] {
    if (!pressed && b.pump.tickMs() > start + 3000) {
      pressed = true;
      b.dialer.cancel();
    }
  };
  EXPECT_EQ(b.dial(30), ModemDialer::kDialEnded);
  EXPECT_EQ(b.modem.received(), std::string(kDialogue) + "ATH0\r");
  EXPECT_EQ(b.view.lastStatus(), "Connect Status:\rDial up canceled by user!");
  EXPECT_EQ(b.error, kDialUpError);
  EXPECT_TRUE(b.idle());
  EXPECT_EQ(b.view.hides, 0);
}

TEST(ModemDial, AStopRequestEndsADialTheModemNeverAnswersAtOnce) {
  Bench b;
  b.modem.dialReply = "";
  bool stop = false;
  uint64_t stopAt = 0;
  b.dialer.setStopRequest([&] { return stop; });
  b.pump.onDispatch = [&] {
    if (!stop && b.modem.received() == kDialogue) {
      stop = true;
      stopAt = b.pump.tickMs();
    }
  };
  EXPECT_EQ(b.dial(600), ModemDialer::kDialStopped);
  EXPECT_LT(b.pump.tickMs() - stopAt, 2000u);
  EXPECT_EQ(b.modem.received(), std::string(kDialogue) + "ATH0\r");
  EXPECT_EQ(b.view.lastStatus(), "Connect Status:\rDial up canceled by user!");
  EXPECT_EQ(b.error, "Connect Status:\rDial up canceled by user!");
  EXPECT_TRUE(b.idle());
}

TEST(ModemDial, SecondDialWhileOneRunsIsRefusedWithoutTouchingIt) {
  Bench b;
  b.modem.dialReplyDelayMs = 2000;
  int inner = 0;
  std::string innerError;
  b.pump.onDispatch = [&] {
    if (inner == 0 && b.link.state().modemListening && b.link.isOpen()) {
      inner = b.dialer.dial("", "999", kModemPort, 9600, 30, &innerError);
    }
  };
  EXPECT_EQ(b.dial(), ModemDialer::kDialConnected);
  EXPECT_EQ(inner, ModemDialer::kDialAlreadyRunning);
  EXPECT_EQ(b.view.boxes, std::vector<std::string>{std::string("Warning!|") + kDialling + "|info"});
  EXPECT_EQ(b.modem.received(), kDialogue);
}

TEST(ModemDial, InternalModemIsFoundInTheModemList) {
  Bench b;
  EXPECT_EQ(b.dial(30, "Test Modem"), ModemDialer::kDialConnected);
  EXPECT_EQ(b.link.portNumber(), kModemPort);
}

TEST(ModemDial, UnknownInternalModemFailsBeforeTouchingAPort) {
  Bench b;
  EXPECT_EQ(b.dial(30, "Other Modem"), ModemDialer::kDialFailed);
  EXPECT_EQ(b.view.boxes, std::vector<std::string>{"Error|Get modem comport error|error"});
  EXPECT_EQ(b.error, kDialUpError);
  EXPECT_TRUE(b.idle());
  EXPECT_EQ(b.modem.received(), "");
}

TEST(ModemDial, PortThatCannotBeOpenedFails) {
  Bench b;
  platform::ProfileFile(b.dir.file("varnel.ini")).writeString("Ports", "COM3", b.dir.file("x"));
  EXPECT_EQ(b.dial(), ModemDialer::kDialPortError);
  EXPECT_EQ(b.error, "Initalize serial com-port error!");
  EXPECT_TRUE(b.idle());
}

TEST(ModemDial, ControlCharactersInTheNumberAreNotSentAsCommands) {
  Bench b;
  EXPECT_EQ(b.dial(30, "", "555\r12\n34"), ModemDialer::kDialConnected);
  EXPECT_EQ(b.modem.received(), kDialogue);
}

TEST(ModemHangUp, EscapeAndHangUpWithGuardTimes) {
  Bench b;
  ASSERT_EQ(b.dial(), ModemDialer::kDialConnected);
  const size_t before = b.modem.arrivals().size();
  const uint64_t start = b.pump.tickMs();
  b.dialer.hangUp();

  const auto& arrivals = b.modem.arrivals();
  ASSERT_EQ(arrivals.size(), before + 2);
  EXPECT_EQ(arrivals[before].bytes, "+++");
  EXPECT_EQ(arrivals[before + 1].bytes, "ATH0\r");
  EXPECT_GE(arrivals[before].tick, start + 1000);                      // Silence before...
  EXPECT_GE(arrivals[before + 1].tick, arrivals[before].tick + 1000);  // ...and after "+++".
  EXPECT_EQ(b.view.lastStatus(), "Connect Status:\rDisconnected!");
  EXPECT_TRUE(b.idle());
}

TEST(ModemHangUp, DoesNothingWithoutAConnectedLine) {
  Bench b;
  b.dialer.hangUp();
  EXPECT_TRUE(b.view.status.empty());
  EXPECT_EQ(b.pty.drainMaster(10), "");
}

TEST(ModemWindow, CloseButtonHidesWhenNotDiallingAndOpeningStatusFollowsTheLink) {
  Bench b;
  EXPECT_EQ(b.dialer.openingStatusText(), "Connect Status:\rDisconnected!");
  b.dialer.cancel();
  EXPECT_EQ(b.view.hides, 1);
  ASSERT_EQ(b.dial(), ModemDialer::kDialConnected);
  EXPECT_EQ(b.dialer.openingStatusText(), kConnected);
  b.dialer.cancel();  // Connected, not dialling: the line stays up.
  EXPECT_EQ(b.view.hides, 2);
  EXPECT_EQ(b.link.state().mode, signlink::kLinkModem);
}

// Replies fed straight in, as the serial side hands them over.
TEST(ModemReplies, RingChangesNothingButTheStatus) {
  Bench b;
  b.link.state().modemListening = true;
  b.dialer.receivedBytes("RING\r\n");
  EXPECT_TRUE(b.link.state().modemListening);
  EXPECT_EQ(b.link.state().mode, signlink::kLinkNone);
  EXPECT_EQ(b.view.lastStatus(), "Connect Status:\rUnknow status");
  EXPECT_EQ(b.dialer.lastReplyCode(), signlink::kModemReplyRing);
}

TEST(ModemReplies, ReplySplitAcrossReadsIsJoinedBeforeClassifying) {
  Bench b;
  b.link.state().modemListening = true;
  b.dialer.receivedBytes("\r\nOK\r\n\r\nCONN");
  EXPECT_EQ(b.dialer.lastReplyCode(), signlink::kModemReplyOk);
  b.dialer.receivedBytes("ECT 2400");
  EXPECT_EQ(b.link.state().mode, signlink::kLinkNone);
  b.dialer.receivedBytes("\r\n");
  EXPECT_EQ(b.link.state().mode, signlink::kLinkModem);
  EXPECT_FALSE(b.link.state().modemListening);
}

TEST(ModemReplies, EndlessTextWithoutLineEndStaysBounded) {
  Bench b;
  b.link.state().modemListening = true;
  const std::string noise(ModemDialer::kMaxReplyBytes, 'x');
  for (int i = 0; i < 4; ++i)
    b.dialer.receivedBytes(noise);
  b.dialer.receivedBytes("BUSY\r");
  EXPECT_EQ(b.dialer.lastReplyCode(), signlink::kModemReplyBusy);
}

TEST(ModemReplies, ClassificationFollowsTheTableInOrder) {
  using namespace signlink;
  const struct {
    const char* text;
    ModemReplyCode code;
  } cases[] = {
      {"OK", kModemReplyOk},
      {"ok", kModemReplyOk},
      {"OK\r\nCONNECT 9600", kModemReplyOk},  // First rule wins.
      {"CONNECT 9600/ARQ", kModemReplyConnect},
      {"RING", kModemReplyRing},
      {"NO CARRIER", kModemReplyNoCarrier},
      {"ERROR", kModemReplyError},
      {"NO DIALTONE", kModemReplyNoDialTone},
      {"No Dial Tone", kModemReplyNoDialTone},
      {"BUSY", kModemReplyBusy},
      {"", kModemReplyUnknown},
      {"NO ANSWER", kModemReplyUnknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(classifyModemReply(c.text), c.code) << c.text;
  EXPECT_EQ(modemReplyStatusTextId(kModemReplyRing), modemReplyStatusTextId(kModemReplyUnknown));
}

TEST(ModemListFile, ReadsUpToTenUsableModemsInOrder) {
  testing_support::TempDir dir;
  std::string ini =
      "[Modem1]\nModel=Second\nPort=7\nSpeed=33600\n"
      "[Modem0]\nModel=First\nPort=COM2\nSpeed=57600\nReset=ATZ\n"
      "CallSetupFailTimer=S7=<#>\nInactivityTimeout=S30=<#>\nSpeakerMode=M1\nSpeakerVolume=L1\n"
      "ErrorControlOn=\\N3\nCompressionOn=%C1\nHardwareFlowControl=&K3\nModulationCCITT=B0\n"
      "BlindOff=X4\n"
      "[Modem2]\nModel=Microsoft IP Virtual Modem 1\nPort=9\n"
      "[Modem3]\nPort=4\n"
      "[Modem4]\nModel=Bad Port\nPort=COMx\n"
      "[Modem10]\nModel=Eleventh\nPort=5\n";
  testing_support::writeFile(dir.file("modems.ini"), ini);
  const signlink::ModemList list = signlink::ModemList::load(dir.file("modems.ini"));

  EXPECT_EQ(list.names(), (std::vector<std::string>{"First", "Second", "Bad Port"}));
  const signlink::InstalledModem* first = list.find("First");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->comPort, 2);
  EXPECT_EQ(first->speed, 57600);
  EXPECT_EQ(first->resetString, "ATZ");
  EXPECT_EQ(first->initString, "ATS7=60S30=0M1L1\\N3%C1&K3B0X4<cr>");
  EXPECT_EQ(list.find("Second")->resetString, "NONE");
  EXPECT_EQ(list.find("Second")->initString, "AT<cr>");
  EXPECT_EQ(list.modemPort("Second"), 7);
  EXPECT_LT(list.modemPort("Bad Port"), 1);
  EXPECT_LT(list.modemPort("Eleventh"), 1);
  EXPECT_LT(list.modemPort("first"), 1);  // Names match exactly.
  EXPECT_TRUE(signlink::ModemList::load(dir.file("missing.ini")).names().empty());
}

}  // namespace
