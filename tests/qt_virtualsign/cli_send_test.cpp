// varnel-cli send, run as a process with its real pauses between units, over TCP and over a
// serial line to the virtual sign: the sign ends in the same state as after reading the sign data
// file varnel-cli exports for the same workspace, and ignores the records for the other sign.

#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "addressbook/address_book.h"
#include "platform/profile_file.h"
#include "sign_process.h"
#include "tests/support/random_workspace.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "workspace/workspace_file.h"

using virtual_sign_test::SignProcess;

namespace {

// A state file without the clock's time: varnel-cli send sets the sign's clock to the moment it
// sends, the exported file to the moment it was written.
nlohmann::json stateWithoutClockTime(const std::string& path) {
  nlohmann::json j = virtual_sign_test::stateWithoutMoment(path);
  if (j.is_object() && j["clock"].is_object()) {
    j["clock"].erase("set");
    j["clock"].erase("weekday");
  }
  return j;
}

class CliSendToVirtualSign : public ::testing::Test {
 protected:
  void SetUp() override {
    // One small workspace: two messages, with whatever controls, items and scheduler settings the
    // generator picks (user-defined bitmaps aside, which need an Image Transfer File).
    std::mt19937 rng(2500);
    workspace::Workspace ws;
    while (ws.lines.empty() || ws.lines.front().fileNumber == ws.lines.back().fileNumber)
      ws = testing_support::randomWorkspace(rng, 2);
    ws.transferFilePath.clear();
    for (auto& line : ws.lines) {
      for (auto& e : line.elements) {
        if (e.kind == workspace::kKindUserBitmap) e = {'u', 1, 2, workspace::kKindCharacter};
      }
    }
    ASSERT_TRUE(workspace::saveWorkspaceFile(workspacePath(), ws).ok());
    const auto exported =
        testing_support::runCli({"--data-dir", dir_.path(), "export", "workspace", workspacePath(),
                                 "--addresses", "4,6", "-o", dir_.file("w.bin")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const auto fromFile =
        testing_support::runCommand({VIRTUAL_SIGN_PATH, "--headless", "--address", "6", "--state",
                                     dir_.file("file.json"), dir_.file("w.bin")});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    expected_ = stateWithoutClockTime(dir_.file("file.json"));
    ASSERT_FALSE(expected_["messages"].empty());
  }

  std::string workspacePath() const { return dir_.file("w.SDV"); }

  // Saves `book` with the sites "Desk" (signs 4 and 6) and "Other" (sign 4) on `device`.
  void saveBook(addressbook::CAddressBook book, const addressbook::CDevice& device) {
    book.devices = {device};
    for (const auto& [name, addresses] : {std::pair{"Desk", "4,6"}, std::pair{"Other", "4"}}) {
      addressbook::CSite site;
      site.name = name;
      site.deviceName = device.name;
      site.signAddresses = addresses;
      site.networkTarget = book.tcpIpGroups.empty() ? std::string() : book.tcpIpGroups[0].name;
      book.sites.push_back(site);
    }
    ASSERT_TRUE(book.save(addressbook::sitePath(dir_.path())).ok());
  }

  // Runs varnel-cli send: the workspace, or `kind` ("test", "clear"), to `site`.
  void send(const std::string& kind, const std::string& site) {
    std::vector<std::string> args{"--data-dir", dir_.path(), "send", kind};
    if (kind == "workspace") args.push_back(workspacePath());
    args.insert(args.end(), {"--site", site});
    const auto sent = testing_support::runCli(args);
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
  }

  testing_support::TempDir dir_;
  nlohmann::json expected_;
};

TEST_F(CliSendToVirtualSign, OverTcp) {
  SignProcess sign({"--address", "6", "--listen", "127.0.0.1:0", "--state", dir_.file("tcp.json")});
  const std::string port = sign.lineStartingWith("listening on 127.0.0.1:");
  ASSERT_FALSE(port.empty());
  addressbook::CAddressBook book;
  book.tcpIpGroups = {{"desk", "127.0.0.1"}};
  addressbook::CDevice net;
  net.name = "Net";
  net.type = addressbook::DeviceType::kTcpIp;
  net.ipPort = static_cast<uint16_t>(std::stoi(port));
  net.tcpTimeout = 5;
  saveBook(book, net);
  send("workspace", "Desk");
  const std::string reception = sign.lineStartingWith("reception: ");
  EXPECT_NE(reception.find(" 0 for other signs, 0 faults"), std::string::npos) << reception;
  EXPECT_EQ(virtual_sign_test::awaitState(dir_.file("tcp.json"), expected_, stateWithoutClockTime),
            expected_);

  // Clearing the memory of sign 4 leaves sign 6 as it was.
  send("clear", "Other");
  const std::string other = sign.lineStartingWith("reception: ");
  EXPECT_EQ(other.find(" 0 for other signs"), std::string::npos) << other;
  EXPECT_EQ(stateWithoutClockTime(dir_.file("tcp.json")), expected_);
}

TEST_F(CliSendToVirtualSign, OverAPseudoTerminal) {
  SignProcess sign({"--address", "6", "--pty", "--state", dir_.file("pty.json")});
  const std::string path = sign.lineStartingWith("pseudo-terminal: ");
  ASSERT_FALSE(path.empty());
  platform::ProfileFile(dir_.file("varnel.ini")).writeString("Ports", "COM7", path);
  addressbook::CDevice wire;
  wire.name = "Wire";
  wire.type = addressbook::DeviceType::kSerial;
  wire.comPort = 7;
  wire.baudRate = 9600;
  saveBook(addressbook::CAddressBook{}, wire);
  send("workspace", "Desk");
  EXPECT_EQ(virtual_sign_test::awaitState(dir_.file("pty.json"), expected_, stateWithoutClockTime),
            expected_);
}

}  // namespace
