// The termios layer and the COM port mapping, exercised on pseudo-terminals.

#include "platform/serial_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <sys/stat.h>
#include <termios.h>

#include "platform/com_ports.h"
#include "platform/profile_file.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

using platform::SerialPort;
using platform::SerialSettings;
using testing_support::PtyPair;
using testing_support::TempDir;

std::string allByteValues() {
  std::string bytes;
  for (int i = 0; i < 256; ++i)
    bytes.push_back(static_cast<char>(i));
  return bytes;
}

TEST(SerialSettingsText, FormatsAndParsesTheSettingsText) {
  EXPECT_EQ(platform::formatSerialSettings({2400, 'N', 8, 1}), "baud=2400 parity=N data=8 stop=1");
  SerialSettings parsed{9600, 'E', 7, 2};
  ASSERT_TRUE(platform::parseSerialSettings("baud=19200 parity=n data=8 stop=1", &parsed));
  EXPECT_EQ(parsed.baud, 19200);
  EXPECT_EQ(parsed.parity, 'N');
  EXPECT_EQ(parsed.dataBits, 8);
  EXPECT_EQ(parsed.stopBits, 1);
  // Missing fields keep their values.
  ASSERT_TRUE(platform::parseSerialSettings("  stop=2 ", &parsed));
  EXPECT_EQ(parsed.stopBits, 2);
  EXPECT_EQ(parsed.baud, 19200);
}

TEST(SerialSettingsText, RefusesWhatTheLineCannotDo) {
  SerialSettings s;
  for (const char* bad :
       {"baud=14400", "baud=-2400", "baud=24x0", "baud=", "parity=X", "parity=NN", "data=9",
        "data=4", "stop=3", "speed=2400", "baud 2400", "baud=99999999999999999999"}) {
    EXPECT_FALSE(platform::parseSerialSettings(bad, &s)) << bad;
  }
}

TEST(ComPortMapping, ProfileKeyWinsElseTtyS) {
  TempDir dir;
  const std::string profile = dir.file("varnel.ini");
  platform::ProfileFile(profile).writeString("Ports", "COM5", "/dev/ttyUSB0");
  EXPECT_EQ(platform::comPortDevicePath(profile, 5), "/dev/ttyUSB0");
  EXPECT_EQ(platform::comPortDevicePath(profile, 1), "/dev/ttyS0");
  EXPECT_EQ(platform::comPortDevicePath(profile, 12), "/dev/ttyS11");
  // COM0 has no default device; a missing profile is no mapping at all.
  EXPECT_EQ(platform::comPortDevicePath(profile, 0), "");
  EXPECT_EQ(platform::comPortDevicePath(dir.file("none.ini"), 3), "/dev/ttyS2");
}

TEST(ComPortProbe, ListsPresentAndBusyPortsOnly) {
  TempDir dir;
  PtyPair free;
  PtyPair held;
  const std::string profile = dir.file("varnel.ini");
  const platform::ProfileFile file(profile);
  file.writeString("Ports", "COM0", free.slavePath());
  file.writeString("Ports", "COM40", held.slavePath());
  file.writeString("Ports", "COM41", dir.file("no-such-device"));

  SerialPort holder;  // Another user of COM40.
  ASSERT_TRUE(holder.open(held.slavePath(), {}).opened);

  const std::vector<int> ports = platform::listComPorts(profile);
  auto listed = [&ports](int n) { return std::find(ports.begin(), ports.end(), n) != ports.end(); };
  EXPECT_TRUE(listed(0));
  EXPECT_TRUE(listed(40));
  EXPECT_FALSE(listed(41));
  EXPECT_FALSE(platform::probeSerialDevice(""));
}

TEST(SerialPortOpen, AppliesRaw8N1AtTheBaudRate) {
  PtyPair pty;
  SerialPort port;
  const platform::SerialOpenResult r = port.open(pty.slavePath(), {2400, 'N', 8, 1});
  ASSERT_TRUE(r.opened);
  EXPECT_EQ(r.failedStep, platform::SerialSetupStep::kNone);

  termios tio{};
  ASSERT_EQ(tcgetattr(pty.slaveFd(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B2400));
  EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B2400));
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(tio.c_iflag, 0u);
  EXPECT_EQ(tio.c_oflag, 0u);
  EXPECT_EQ(tio.c_lflag, 0u);
}

TEST(SerialPortOpen, UnsupportedCharacterFormatIsASetupFailureNotARefusal) {
  PtyPair pty;
  SerialPort port;
  const platform::SerialOpenResult r = port.open(pty.slavePath(), {2400, 'N', 9, 1});
  EXPECT_TRUE(r.opened);
  EXPECT_TRUE(port.isOpen());
  EXPECT_EQ(r.failedStep, platform::SerialSetupStep::kBuildSettings);
  EXPECT_EQ(r.error, EINVAL);
}

TEST(SerialPortOpen, IsExclusiveUntilClosed) {
  PtyPair pty;
  SerialPort first;
  SerialPort second;
  ASSERT_TRUE(first.open(pty.slavePath(), {}).opened);
  const platform::SerialOpenResult refused = second.open(pty.slavePath(), {});
  EXPECT_FALSE(refused.opened);
  EXPECT_EQ(refused.error, EBUSY);
  first.close();
  EXPECT_TRUE(second.open(pty.slavePath(), {}).opened);
}

TEST(SerialPortOpen, RefusesMissingDevicesAndNonTerminals) {
  TempDir dir;
  testing_support::writeFile(dir.file("plain"), "x");
  SerialPort port;
  platform::SerialOpenResult r = port.open(dir.file("plain"), {});
  EXPECT_FALSE(r.opened);
  EXPECT_EQ(r.error, ENOTTY);
  r = port.open(dir.file("missing"), {});
  EXPECT_FALSE(r.opened);
  EXPECT_EQ(r.error, ENOENT);
  EXPECT_FALSE(port.isOpen());
}

TEST(SerialPortOpen, DiscardsInputThatArrivedBeforeTheOpen) {
  PtyPair pty;
  // Before the open the line is still in canonical mode: only whole lines count as queued.
  ASSERT_TRUE(pty.sendToPort("stale bytes\n"));
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slavePath(), {}).opened);
  size_t queued = 99;
  ASSERT_TRUE(port.inputQueueSize(&queued));
  EXPECT_EQ(queued, 0u);
}

TEST(SerialPortTransfer, EveryByteValuePassesUnchangedBothWays) {
  PtyPair pty;
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slavePath(), {2400, 'N', 8, 1}).opened);
  const std::string bytes = allByteValues();  // CR, LF, XON, XOFF, 0xFF, signal characters...

  ASSERT_TRUE(port.write(bytes));
  EXPECT_EQ(pty.readMaster(bytes.size(), 2000), bytes);

  ASSERT_TRUE(pty.sendToPort(bytes));
  size_t queued = 0;
  ASSERT_TRUE(port.inputQueueSize(&queued));
  ASSERT_EQ(queued, bytes.size());
  std::string received;
  ASSERT_TRUE(port.read(queued, &received));
  EXPECT_EQ(received, bytes);
  EXPECT_EQ(pty.drainMaster(20), "");  // Nothing was echoed back down the line.
}

TEST(SerialPortLines, PseudoTerminalHasNoModemLinesButCarrier) {
  PtyPair pty;
  SerialPort port;
  EXPECT_FALSE(port.carrier());  // Not open.
  ASSERT_TRUE(port.open(pty.slavePath(), {}).opened);
  int bits = 0;
  int error = 0;
  EXPECT_FALSE(port.modemLines(&bits, &error));
  EXPECT_TRUE(error == ENOTTY || error == EINVAL) << error;
  EXPECT_TRUE(port.carrier());
}

TEST(SerialPortTransfer, ClosedPortFailsCleanly) {
  SerialPort port;
  int error = 0;
  EXPECT_FALSE(port.write("x", &error));
  EXPECT_EQ(error, EBADF);
  size_t queued = 0;
  EXPECT_FALSE(port.inputQueueSize(&queued));
  std::string out;
  EXPECT_FALSE(port.read(1, &out));
}

}  // namespace
