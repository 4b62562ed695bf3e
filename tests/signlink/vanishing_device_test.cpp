// A serial sign whose line disappears in the middle of a transfer (the pseudo-terminal's far end
// closed, as a pulled USB adapter): the send fails and says so, and the next send works.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addressbook/address_book.h"
#include "platform/profile_file.h"
#include "signlink/send_item.h"
#include "signlink/send_pipeline.h"
#include "tests/support/fake_clock_pump.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

using namespace signlink;

namespace {

class LoggingUi : public SendProgressUi {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  void setCommandLine(const std::string&) override {}
  void setDestinationLine(const std::string&) override {}
  void setAddressLine(const std::string&) override {}
  void showMessage(const std::string& text, Icon) override { messages.push_back(text); }
  void setWaitCursor(bool) override {}
  void showDialUpWindow(bool) override {}

  std::vector<std::string> statuses, messages;
};

// The clock of the pauses between units; at the first pause the line goes away.
class PullingPump final : public platform::MessagePump {
 public:
  explicit PullingPump(testing_support::PtyPair* wire) : wire_(wire) {}
  uint64_t tickMs() override { return now_; }
  void dispatch(int maxWaitMs) override {
    if (wire_) wire_->closeMaster();
    wire_ = nullptr;
    now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  }

 private:
  testing_support::PtyPair* wire_;
  uint64_t now_ = 0;
};

// Two units of 300 bytes each: the line goes in the pause after the first.
std::string twoUnits() {
  const std::string unit = std::string("\x09\x01\x2C", 3) + std::string(300, 'x');
  return unit + unit;
}

}  // namespace

TEST(VanishingSerialDevice, FailedTransferIsReportedAndTheNextSendWorks) {
  testing_support::TempDir dir;
  testing_support::PtyPair pulled, spare;
  const std::string profile = dir.file("varnel.ini");
  platform::ProfileFile ini(profile);
  ini.writeString("Ports", "COM3", pulled.slavePath());
  ini.writeString("Ports", "COM4", spare.slavePath());
  addressbook::CAddressBook book;
  for (int port : {3, 4}) {
    addressbook::CDevice d;
    d.name = "Wire" + std::to_string(port);
    d.comPort = port;
    book.devices.push_back(d);
    addressbook::CSite s;
    s.name = "S" + std::to_string(port);
    s.deviceName = d.name;
    s.signAddresses = "1";
    book.sites.push_back(s);
  }
  PullingPump pump(&pulled);
  SignLink link(profile);
  LoggingUi ui;
  SendEnvironment env(book, link, pump, ui, nullptr);
  pulled.startCollecting();
  EXPECT_EQ(sendToDestination(env, itemForSite(book, book.sites[0]), twoUnits()), -1);
  ASSERT_FALSE(ui.statuses.empty());
  EXPECT_EQ(ui.statuses.back(), "send failed,");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(
      ui.messages[0].rfind("The serial line was lost during the transfer: Input/output error\r", 0),
      0u)
      << ui.messages[0];
  EXPECT_FALSE(link.isOpen());

  spare.startCollecting();
  EXPECT_EQ(sendToDestination(env, itemForSite(book, book.sites[1]), twoUnits()), 1);
  EXPECT_EQ(spare.stopCollecting().size(), 2 * 300u);
  EXPECT_EQ(ui.statuses.back(), "send successfully,");
}
