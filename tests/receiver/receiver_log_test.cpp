// The daily receive and send logs.

#include "receiver/receiver_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/atomic_file.h"

#include "tests/support/temp_dir.h"

namespace {

using testing_support::readFile;

platform::LocalTime at(int day, int hour) {
  platform::LocalTime t;
  t.year = 2026;
  t.month = 2;
  t.day = day;
  t.hour = hour;
  t.minute = 5;
  t.second = 9;
  return t;
}

TEST(ReceiverLog, EntriesHaveTheirExactFormats) {
  testing_support::TempDir dir;
  platform::FixedClock clock(at(16, 7));
  const receiver::ReceiverLog log(dir.path(), clock);
  const std::string prefix = receiver::connectionPrefix("pop.example.org", "signs");
  EXPECT_EQ(prefix, "POP Server:pop.example.org,Account:signs--");

  log.appendReceiveRaw("----\n\n\n");
  log.appendReceive(prefix, "write /x/Z2500.bin successfully");
  log.appendReceive(prefix, "100% %s %d");  // Mail text is never taken as a format.
  log.appendSend("Send file Z2500.bin successfully!");

  EXPECT_EQ(readFile(dir.file("2026-02-16ReceiveLogo.ini")),
            "----\n\n\n"
            "Receive from POP Server:pop.example.org,Account:signs--:2026-02-16 07-05-09 "
            "write /x/Z2500.bin successfully\r\n\r\n"
            "Receive from POP Server:pop.example.org,Account:signs--:2026-02-16 07-05-09 "
            "100% %s %d\r\n\r\n");
  EXPECT_EQ(readFile(dir.file("2026-02-16SendLogo.ini")),
            "2026-02-16 07-05-09-send,Send file Z2500.bin successfully!\r\n\r\n");
}

TEST(ReceiverLog, ANewDayStartsNewFiles) {
  testing_support::TempDir dir;
  platform::FixedClock clock(at(16, 23));
  const receiver::ReceiverLog log(dir.path(), clock);
  log.appendSend("one");
  clock.set(at(17, 0));
  log.appendSend("two");
  EXPECT_EQ(readFile(dir.file("2026-02-16SendLogo.ini")), "2026-02-16 23-05-09-send,one\r\n\r\n");
  EXPECT_EQ(readFile(dir.file("2026-02-17SendLogo.ini")), "2026-02-17 00-05-09-send,two\r\n\r\n");
}

TEST(ReceiverLog, AMissingDirectoryDropsEntriesSilently) {
  testing_support::TempDir dir;
  const std::string missing = dir.file("Logo");
  platform::FixedClock clock(at(16, 7));
  const receiver::ReceiverLog log(missing, clock);
  log.appendSend("lost");  // Must neither crash nor throw.
  log.appendReceive("p", "lost");
  // Nothing is written anywhere, and the directory is not made behind the caller's back.
  EXPECT_FALSE(platform::pathExists(missing));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A log that cannot be written is said with the system's reason, once while the same failure
// lasts, and again after a good write.
TEST(ReceiverLog, ARefusedWriteIsToldOnceUntilAWriteSucceeds) {
  testing_support::TempDir dir;
  const std::string logDir = dir.file("Logo");
  testing_support::writeFile(logDir, "a file where the directory should be");
  platform::FixedClock clock(at(16, 7));
  std::vector<std::string> told;
  const receiver::ReceiverLog log(logDir, clock, [&](const std::string& t) { told.push_back(t); });
  const std::string failure =
      "Cannot write the log " + logDir + "/2026-02-16SendLogo.ini: Not a directory";
  log.appendSend("lost");
  log.appendSend("lost too");
  EXPECT_EQ(told, std::vector<std::string>{failure});

  std::filesystem::remove(logDir);
  std::filesystem::create_directory(logDir);
  log.appendSend("kept");
  std::filesystem::remove_all(logDir);
  testing_support::writeFile(logDir, "again");
  log.appendSend("lost");
  EXPECT_EQ(told, (std::vector<std::string>{failure, failure}));
}

}  // namespace
