// The virtual sign as a user runs it: what varnel's send pipeline puts on a TCP connection or a
// serial line reaches the same state as the sign data file varnel-cli exports.

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

#include "platform/profile_file.h"
#include "sign_process.h"
#include "signlink/send_pipeline.h"
#include "tests/support/fake_clock_pump.h"
#include "tests/support/random_workspace.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"
#include "workspace/workspace_file.h"

using testing_support::TempDir;
using virtual_sign_test::SignProcess;
using virtual_sign_test::stateWithoutMoment;

namespace {

class NullUi final : public signlink::SendProgressUi {
 public:
  void setProgressRange(int) override {}
  void setProgress(int) override {}
  void setStatus(const std::string&) override {}
  void setCommandLine(const std::string&) override {}
  void setDestinationLine(const std::string&) override {}
  void setAddressLine(const std::string&) override {}
  void showMessage(const std::string& text, Icon) override { ADD_FAILURE() << text; }
  void setWaitCursor(bool) override {}
  void showDialUpWindow(bool) override {}
};

class VirtualSignProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 rng(5005);
    ws_ = testing_support::randomWorkspace(rng, 6);
    ws_.transferFilePath.clear();
    for (auto& line : ws_.lines) {
      for (auto& e : line.elements) {
        if (e.kind == workspace::kKindUserBitmap) e = {'u', 1, 2, workspace::kKindCharacter};
      }
    }
    ASSERT_TRUE(workspace::saveWorkspaceFile(dir_.file("w.SDV"), ws_).ok());
    const auto r = testing_support::runCli({"--data-dir", dir_.path(), "export", "workspace",
                                            dir_.file("w.SDV"), "--addresses", "4,6", "--now",
                                            "2026-12-08 09:05:03", "-o", dir_.file("w.bin")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto fromFile =
        testing_support::runCommand({VIRTUAL_SIGN_PATH, "--headless", "--address", "6", "--state",
                                     dir_.file("file.json"), dir_.file("w.bin")});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    expected_ = stateWithoutMoment(dir_.file("file.json"));
    ASSERT_FALSE(expected_["messages"].empty());
  }

  // Sends the workspace to `site` of `book` as varnel does, on a clock that does not wait.
  void send(const addressbook::CAddressBook& book, const std::string& siteName) {
    testing_support::FakeClockPump pump;
    signlink::SignLink link(dir_.file("varnel.ini"));
    signlink::TcpLinkSocket tcp(pump);
    NullUi ui;
    signlink::SendEnvironment env(book, link, pump, ui, [this](const std::vector<uint8_t>& a) {
      signlink::WorkspaceStreamInput in;
      in.workspace = &ws_;
      in.signWidth = ws_.signWidth;
      in.now = testing_support::makeLocalTime(2026, 12, 8, 9, 5, 3, 2);
      return signlink::buildWorkspaceStream(in, a);
    });
    env.tcp = &tcp;
    EXPECT_EQ(signlink::runSendCommand(env, signlink::SendCommand::kWorkspace, {false, siteName})
                  .succeeded,
              1);
  }

  TempDir dir_;
  workspace::Workspace ws_;
  nlohmann::json expected_;
};

addressbook::CSite site(const std::string& device, const std::string& target = {}) {
  addressbook::CSite s;
  s.name = "Desk";
  s.deviceName = device;
  s.signAddresses = "4,6";
  s.networkTarget = target;
  return s;
}

TEST_F(VirtualSignProgram, OverTcpLikeTheExportedFile) {
  SignProcess sign({"--address", "6", "--listen", "127.0.0.1:0", "--state", dir_.file("tcp.json")});
  const std::string where = sign.lineStartingWith("listening on 127.0.0.1:");
  ASSERT_FALSE(where.empty());
  addressbook::CAddressBook book;
  addressbook::CDevice net;
  net.name = "Net";
  net.type = addressbook::DeviceType::kTcpIp;
  net.ipPort = static_cast<uint16_t>(std::stoi(where));
  net.tcpTimeout = 5;
  book.devices = {net};
  book.sites = {site("Net", "desk")};
  book.tcpIpGroups = {{"desk", "127.0.0.1"}};
  send(book, "Desk");
  const std::string reception = sign.lineStartingWith("reception: ");
  EXPECT_NE(reception.find(" records taken, 0 for other signs, 0 faults"), std::string::npos)
      << reception;
  EXPECT_EQ(stateWithoutMoment(dir_.file("tcp.json")), expected_);
}

TEST_F(VirtualSignProgram, OverAPseudoTerminalLikeTheExportedFile) {
  SignProcess sign({"--address", "6", "--pty", "--state", dir_.file("pty.json")});
  const std::string path = sign.lineStartingWith("pseudo-terminal: ");
  ASSERT_FALSE(path.empty());
  platform::ProfileFile(dir_.file("varnel.ini")).writeString("Ports", "COM5", path);
  addressbook::CAddressBook book;
  addressbook::CDevice wire;
  wire.name = "Wire";
  wire.type = addressbook::DeviceType::kSerial;
  wire.comPort = 5;
  wire.baudRate = 9600;
  book.devices = {wire};
  book.sites = {site("Wire")};
  send(book, "Desk");
  EXPECT_EQ(virtual_sign_test::awaitState(dir_.file("pty.json"), expected_), expected_);
}

TEST_F(VirtualSignProgram, IgnoresOtherSignsAndTellsFaults) {
  const auto other =
      testing_support::runCommand({VIRTUAL_SIGN_PATH, "--headless", "--address", "5", "--state",
                                   dir_.file("five.json"), dir_.file("w.bin")});
  EXPECT_EQ(other.exitCode, 0) << other.err;
  const nlohmann::json five = stateWithoutMoment(dir_.file("five.json"));
  EXPECT_TRUE(five["messages"].empty());
  EXPECT_TRUE(five["clock"].is_null());

  std::string bin = testing_support::readFile(dir_.file("w.bin"));
  bin.resize(bin.size() - 5);  // Cut inside the text block.
  testing_support::writeFile(dir_.file("cut.bin"), bin);
  const auto cut = testing_support::runCommand(
      {VIRTUAL_SIGN_PATH, "--headless", "--png", dir_.file("png"), dir_.file("cut.bin")});
  EXPECT_EQ(cut.exitCode, 1);
  EXPECT_NE(cut.err.find("runs past the end"), std::string::npos) << cut.err;
}

}  // namespace
