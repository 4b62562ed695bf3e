// varnel-cli export and units, run as a user would run them.

#include <gtest/gtest.h>

#include <sstream>

#include "signlink/sign_data_file.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    out.push_back(line);
  return out;
}

const char kAbJson[] = R"({"width": 96, "colorMode": 2,
  "lines": [{"file": 1, "elements": [{"kind": 0, "code": 65, "colour": 1, "font": 2}]}]})";

}  // namespace

TEST(CliExport, TestStreamToEveryAddressAndItsUnits) {
  TempDir dir;
  const auto r = runCli({"export", "test", "--addresses", "3,0", "-o", dir.file("t.bin")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string file = readFile(dir.file("t.bin"));
  EXPECT_EQ(file.substr(0, 14), "Z2500 series35");
  const auto units = runCli({"units", dir.file("t.bin")});
  ASSERT_EQ(units.exitCode, 0) << units.err;
  const auto l = lines(units.out);
  ASSERT_EQ(l.size(), 1u);
  std::string addresses;
  for (int a = 0; a < 128; ++a) {
    char buf[3];
    std::snprintf(buf, sizeof(buf), "%02x", a);
    addresses += buf;
  }
  EXPECT_EQ(l[0], "9 138 00ffff000b" + addresses + "ff0a01ff00");
}

TEST(CliExport, WorkspaceStreamTakesTheClockAndTheWorkspacesWidth) {
  TempDir dir;
  writeFile(dir.file("ab.json"), kAbJson);
  ASSERT_EQ(runCli({"import", dir.file("ab.json"), "-o", dir.file("ab.SDV")}).exitCode, 0);
  const auto r =
      runCli({"--data-dir", dir.path(), "export", "workspace", dir.file("ab.SDV"), "--addresses",
              "7", "--now", "2026-12-08 09:05:03", "-o", dir.file("w.bin")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto units = runCli({"units", dir.file("w.bin")});
  ASSERT_EQ(units.exitCode, 0) << units.err;
  const auto l = lines(units.out);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "100 11 00ffff010b07ff1060ff00");  // width 96 = 0x60
  // Tuesday (2), 24-hour format, then "261208090503".
  EXPECT_EQ(l[1], "8 24 00ffff000b07ff080200323631323038303930353033ff00");
  EXPECT_EQ(l[2].substr(0, 2), "1 ");
}

TEST(CliExport, RefusesBadAddressesAndBadTimes) {
  TempDir dir;
  const auto bad = runCli({"export", "test", "--addresses", ",1", "-o", dir.file("t.bin")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_FALSE(bad.err.empty());
  EXPECT_FALSE(testing_support::readFile(dir.file("t.bin")).size());
  const auto badTime = runCli({"export", "clear", "--addresses", "1", "--now",
                               "2026-02-30 10:00:00", "-o", dir.file("c.bin")});
  EXPECT_EQ(badTime.exitCode, 1);
  EXPECT_NE(badTime.err.find("YYYY-MM-DD HH:MM:SS"), std::string::npos);
}

TEST(CliUnits, RefusesFilesThatAreNotSignDataAndReportsDamage) {
  TempDir dir;
  writeFile(dir.file("x.bin"), std::string(40, 'x'));
  const auto r = runCli({"units", dir.file("x.bin")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "varnel-cli: " + dir.file("x.bin") + ": not a sign data file\n");

  // A complete block, then one announcing 16 bytes with 2 present.
  writeFile(dir.file("d.bin"), signlink::signDataFileBytes(std::string("\x09\x00\x01Z\x01\x00\x10"
                                                                       "ab",
                                                                       9)));
  const auto damaged = runCli({"units", dir.file("d.bin")});
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_EQ(damaged.out, "9 1 5a\n");
  EXPECT_NE(damaged.err.find("offset 4"), std::string::npos) << damaged.err;
}

TEST(CliUnits, AHugeFileOfEmptyImagePartsListsOnlyTheUnitsWithBytes) {
  // 6 MB of image blocks of 127 parts of no bytes each, then one text unit.
  std::string stream;
  for (int i = 0; i < 1000000; ++i)
    stream += std::string("\x02\x00\x03\x7f\x00\x00", 6);
  stream += std::string("\x01\x00\x01t", 4);
  TempDir dir;
  writeFile(dir.file("big.bin"), signlink::signDataFileBytes(stream));
  const auto r = runCli({"units", dir.file("big.bin")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1 1 74\n");
}
