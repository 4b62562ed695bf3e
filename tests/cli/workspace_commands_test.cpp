// varnel-cli's workspace commands, run as a user would run them.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/workspace_json.h"
#include "tests/support/random_workspace.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "workspace/message_encoder.h"
#include "workspace/workspace_file.h"

using nlohmann::json;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// One message "AB" in the default font and colour.
const char kAbJson[] = R"({"width": 80, "colorMode": 1, "transferFile": "",
  "lines": [{"file": 1, "elements": [{"kind": 0, "code": 65, "colour": 1, "font": 2},
                                     {"kind": 0, "code": 66, "colour": 1, "font": 2}],
             "controls": []}]})";

}  // namespace

TEST(CliImportShow, RandomWorkspacesRoundTripThroughTheFile) {
  TempDir dir;
  std::mt19937 rng(7);
  for (int i = 0; i < 25; ++i) {
    const json in = cli::workspaceToJson(testing_support::randomWorkspace(rng, 30), 35);
    writeFile(dir.file("in.json"), in.dump());
    const auto imported = runCli({"import", dir.file("in.json"), "-o", dir.file("out.SDV")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const auto shown = runCli({"show", dir.file("out.SDV"), "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    ASSERT_EQ(json::parse(shown.out), in) << "case " << i;
  }
}

TEST(CliEncode, WritesTheTextRecordsAsRawBytes) {
  TempDir dir;
  writeFile(dir.file("ab.json"), kAbJson);
  ASSERT_EQ(runCli({"import", dir.file("ab.json"), "-o", dir.file("ab.SDV")}).exitCode, 0);
  const auto r = runCli({"encode", dir.file("ab.SDV")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, std::string("\x01"
                               "01\xEF\xB0\xEF\xA2"
                               "AB\xFF\xFF"));
}

TEST(CliShow, ReadableListingNamesMessagesItemsAndControls) {
  TempDir dir;
  json j = json::parse(kAbJson);
  j["lines"][0]["controls"] = json::array({{{"position", 0}, {"type", 5}, {"value", 1}}});
  j["lines"][0]["elements"].push_back({{"kind", 1}, {"code", 0}, {"colour", 6}, {"font", 2}});
  writeFile(dir.file("a.json"), j.dump());
  ASSERT_EQ(runCli({"import", dir.file("a.json"), "-o", dir.file("a.SDV")}).exitCode, 0);
  const auto r = runCli({"show", dir.file("a.SDV")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Version: 3.5"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Msg 01"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("[Cyclic]<Bright Red, 7*6 (Default)>AB<Green, 7*6 (Default)>{time}"),
            std::string::npos)
      << r.out;
}

TEST(CliShow, HeaderlessFileNeedsOld) {
  TempDir dir;
  // One raw 1220-byte line record holding "A", after the 100-byte path field, and an empty
  // control file beside it.
  std::string raw(100 + 1220, '\0');
  raw[100 + 4 + 4] = 'A';
  raw[100 + 4 + 6] = 1;  // colour
  raw[100 + 4 + 7] = 2;  // font
  raw[100 + 1204] = 1;   // element count
  raw[100 + 1208] = 1;   // file number
  writeFile(dir.file("old.dat"), raw);
  writeFile(dir.file("old.ctl"), "");
  const auto refused = runCli({"show", dir.file("old.dat"), "--json"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Is this data file created by old version of Moving-Sign software?"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.out, "");
  const auto accepted = runCli({"show", dir.file("old.dat"), "--json", "--old"});
  ASSERT_EQ(accepted.exitCode, 0) << accepted.err;
  const json j = json::parse(accepted.out);
  EXPECT_EQ(j["version"], 0);
  ASSERT_EQ(j["lines"].size(), 1u);
  EXPECT_EQ(j["lines"][0]["elements"][0]["code"], 65);
}

TEST(CliErrors, OneLineOnStderrStatusOneAndNothingHalfWritten) {
  TempDir dir;
  const auto missing = runCli({"show", dir.file("none.SDV")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "varnel-cli: " + dir.file("none.SDV") +
                             ": Error when open the file (Cannot open " + dir.file("none.SDV") +
                             ": No such file or directory)\n");

  writeFile(dir.file("bad.json"), R"({"lines": [{"file": 0}]})");
  writeFile(dir.file("keep.SDV"), "previous contents");
  const auto bad = runCli({"import", dir.file("bad.json"), "-o", dir.file("keep.SDV")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err,
            "varnel-cli: " + dir.file("bad.json") + ": lines[0].file: must be between 1 and 99\n");
  EXPECT_EQ(readFile(dir.file("keep.SDV")), "previous contents");

  writeFile(dir.file("broken.json"), "{");
  EXPECT_EQ(runCli({"import", dir.file("broken.json"), "-o", dir.file("x.SDV")}).exitCode, 1);
  EXPECT_EQ(runCli({"frobnicate"}).exitCode, 1);

  // A truncated workspace file is reported, not half shown.
  writeFile(dir.file("ab.json"), kAbJson);
  ASSERT_EQ(runCli({"import", dir.file("ab.json"), "-o", dir.file("ab.SDV")}).exitCode, 0);
  const std::string full = readFile(dir.file("ab.SDV"));
  writeFile(dir.file("cut.SDV"), full.substr(0, full.size() - 20));
  const auto cut = runCli({"show", dir.file("cut.SDV"), "--json"});
  EXPECT_EQ(cut.exitCode, 1);
  EXPECT_EQ(cut.out, "");
  EXPECT_NE(cut.err.find("Error when reading file,You must exit!"), std::string::npos) << cut.err;
}
