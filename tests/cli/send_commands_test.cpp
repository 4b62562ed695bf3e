// varnel-cli send against a pseudo-terminal wired as a sign.

#include <gtest/gtest.h>

#include "addressbook/address_book.h"
#include "platform/profile_file.h"
#include "signlink/sign_stream.h"
#include "signlink/stream_units.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "workspace/workspace_file.h"

using testing_support::runCli;

namespace {

class CliSendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ProfileFile(dir_.file("varnel.ini")).writeString("Ports", "COM3", sign_.slavePath());
    addressbook::CAddressBook book;
    addressbook::CDevice wire;
    wire.name = "Wire";
    wire.comPort = 3;
    wire.baudRate = 9600;
    book.devices = {wire};
    addressbook::CSite site;
    site.name = "Shop";
    site.deviceName = "Wire";
    site.signAddresses = "4";
    book.sites = {site};
    book.groups = {{"All", {"Shop", "Closed"}}};
    ASSERT_TRUE(book.save(addressbook::sitePath(dir_.path())).ok());
  }

  testing_support::TempDir dir_;
  testing_support::PtyPair sign_;
};

std::string transmitted(const std::string& stream) {
  std::string bytes;
  for (const auto& u : signlink::readStream(stream).units)
    bytes += u.bytes;
  return bytes;
}

}  // namespace

TEST_F(CliSendTest, TestSequenceReachesTheSignAndStatusGoesToStderr) {
  sign_.startCollecting();
  const auto r = runCli({"--data-dir", dir_.path(), "send", "test", "--site", "Shop"});
  const std::string received = sign_.stopCollecting();
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(received, transmitted(signlink::buildTestStream({4})));
  EXPECT_NE(r.err.find("Is sending file to signs(1/1)\nCOM port:COM3\nTo:4 addr.\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("send successfully,"), std::string::npos);
}

TEST_F(CliSendTest, AnyFailedDestinationMakesTheExitStatusOne) {
  sign_.startCollecting();
  const auto r = runCli({"--data-dir", dir_.path(), "send", "clear", "--group", "All"});
  sign_.stopCollecting();
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The site 'Closed' has been removed by user"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("varnel-cli: sent to 1 of 2 destinations"), std::string::npos) << r.err;
}

TEST_F(CliSendTest, NeedsExactlyOneDestination) {
  const auto r = runCli({"--data-dir", dir_.path(), "send", "test"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("--site NAME"), std::string::npos);
}

TEST_F(CliSendTest, WorkspaceSendNamesWhatItLeavesOutAndRefusesARateThePortCannotRun) {
  // Every change of file number starts a message: lines numbered 1, 2, 1, 2, ... are 101 messages
  // to the sign, which numbers at most 99.
  workspace::Workspace ws;
  for (int n = 0; n < 101; ++n) {
    workspace::MessageLine line;
    line.fileNumber = static_cast<int8_t>(1 + n % 2);
    line.elements.push_back({'x', 1, 2, 0});
    ws.lines.push_back(line);
  }
  ASSERT_TRUE(workspace::saveWorkspaceFile(dir_.file("many.SDV"), ws).ok());
  addressbook::CAddressBook book;
  ASSERT_TRUE(book.load(addressbook::sitePath(dir_.path())).ok());
  book.devices[0].baudRate = -300;  // as a hand-made book may hold it
  ASSERT_TRUE(book.save(addressbook::sitePath(dir_.path())).ok());

  sign_.startCollecting();
  const auto r = runCli(
      {"--data-dir", dir_.path(), "send", "workspace", dir_.file("many.SDV"), "--site", "Shop"});
  EXPECT_EQ(sign_.stopCollecting(), "");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("warning: The sign numbers at most 99 messages: messages 100 to 101 are "
                       "not sent."),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("COM3 cannot be set to exactly -300 baud, nothing was sent."),
            std::string::npos)
      << r.err;
}
