// Rates without a termios speed constant: set exactly, or the port is refused before anything is
// written. Kept apart because the kernel's termios2 header clashes with <termios.h>.

#include <asm/termbits.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/profile_file.h"
#include "platform/serial_port.h"
#include "signlink/serial_side.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

struct termios2 lineOf(int fd) {
  struct termios2 tio {};
  EXPECT_EQ(ioctl(fd, TCGETS2, &tio), 0);
  return tio;
}

}  // namespace

TEST(ExactBaudRate, RatesWithoutAConstantAreSetExactlyInRawMode) {
  for (const int baud : {14400, 28800, 31250}) {
    testing_support::PtyPair wire;
    platform::SerialPort port;
    const platform::SerialOpenResult r = port.open(wire.slavePath(), {baud, 'N', 8, 1});
    ASSERT_TRUE(r.opened) << baud;
    EXPECT_EQ(r.failedStep, platform::SerialSetupStep::kNone) << baud;
    const struct termios2 line = lineOf(wire.slaveFd());
    EXPECT_EQ(line.c_ospeed, static_cast<speed_t>(baud));
    EXPECT_EQ(line.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u) << "the line must not stay cooked";
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_TRUE(port.write("\n\r\x03", nullptr));
    EXPECT_EQ(wire.readMaster(3, 1000), "\n\r\x03");  // byte for byte, nothing translated
  }
}

TEST(ExactBaudRate, RateTheDriverCannotTakeRefusesThePortWithItsOwnText) {
  testing_support::TempDir dir;
  testing_support::PtyPair wire;
  const std::string profile = dir.file("varnel.ini");
  platform::ProfileFile(profile).writeString("Ports", "COM5", wire.slavePath());
  signlink::SerialSide side(profile);
  EXPECT_EQ(side.open(5, -9600), 0);
  EXPECT_FALSE(side.isOpen());
  EXPECT_EQ(side.openRefusal(),
            i18n::formatText(i18n::text(i18n::IDS_SERIAL_BAUD_REFUSED), {5LL, -9600LL}));
  EXPECT_EQ(side.open(5, 9600), 1);  // a standard rate on the same port is fine
  EXPECT_TRUE(side.openRefusal().empty());
}
