// Files of every older layout, built byte by byte, read back.

#include <gtest/gtest.h>

#include "sdv_test_bytes.h"
#include "workspace/workspace_file.h"

namespace {

using sdv_test::Bytes;
using sdv_test::el;
using sdv_test::textLine;
using LoadResult = platform::Result<workspace::LoadedWorkspace>;
using workspace::MessageLine;
using workspace::Workspace;

// Two messages: "Ab" with a cartoon at the end, and a line of items with a Windows-1252 letter.
std::vector<MessageLine> sampleLines() {
  MessageLine first = textLine(2, "Ab");
  first.elements[1].colour = 0;
  first.controls = {{2, workspace::kControlCartoon, 8}};
  MessageLine second;
  second.fileNumber = 5;
  second.elements = {el(-23), el(3, workspace::kKindSymbol, 4, 6),
                     el(0, workspace::kKindTime, 15, 0)};  // -23: 0xE9 widened with its sign
  second.controls = {{0, workspace::kControlTransition, 25}, {0, workspace::kControlSpeed, 1}};
  return {first, second};
}

// The sample's controls as 4-byte records (line, position, type, value).
Bytes& legacyControls(Bytes& b) {
  return b.u8(0).u8(2).u8(2).u8(8).u8(1).u8(0).u8(5).u8(25).u8(1).u8(0).u8(4).u8(1);
}

// The sample's controls as 6-byte records.
Bytes& controls6(Bytes& b) {
  b.i32(3);
  return b.u16(0).u16(2).u8(2).u8(8).u16(1).u16(0).u8(5).u8(25).u16(1).u16(0).u8(4).u8(1);
}

void expectSample(const LoadResult& r, int version, const std::string& path) {
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->version, version);
  EXPECT_EQ(r->workspace.lines, sampleLines());
  EXPECT_EQ(r->workspace.transferFilePath, path);
}

TEST(OldLayouts, Version21To30Use416ByteRecordsAnd4ByteControls) {
  for (const char* header : {"KVXSDV2.1", "KVXSDV3.0"}) {
    Bytes b;
    b.text(header).field("C:\\img.LST", 100).i32(2);
    for (const auto& line : sampleLines())
      sdv_test::record416(b, line);
    legacyControls(b.i32(3));
    const LoadResult r = workspace::parseWorkspaceFile(b.str(), std::nullopt, "x");
    expectSample(r, header[6] == '2' ? 21 : 30, "C:\\img.LST");
    EXPECT_FALSE(r->hasSignSettings);
    EXPECT_FALSE(r->hasScheduler);
    EXPECT_EQ(r->workspace.signWidth, workspace::kDefaultSignWidth);
  }
}

TEST(OldLayouts, Versions31And32Use416ByteRecordsWithSettingsAndScheduler) {
  for (const char* header : {"KVXSDV3.1", "KVXSDV3.2"}) {
    Bytes b;
    b.text(header).i32(96).i32(2).zeros(10).i32(3).text("L.x").i32(2);
    for (const auto& line : sampleLines())
      sdv_test::record416(b, line);
    controls6(b);
    b.i32(2).i32(15).i32(1).u8(8).u8(30).u8(0).u8(18).u8(0).u8(5).u8(1);
    b.u8(1).zeros(6).u8(7).u8(0).u8(9).u8(30).i32(2).i32(1).i32(0);
    for (int t = 1; t < 10; ++t)
      b.zeros(11).i32(0);
    const LoadResult r = workspace::parseWorkspaceFile(b.str(), std::nullopt, "x");
    expectSample(r, header[8] == '1' ? 31 : 32, "L.x");
    EXPECT_EQ(r->warnings.size(), header[8] == '1' ? 0u : 1u);
    EXPECT_EQ(r->workspace.signWidth, 96);
    const auto& s = r->workspace.scheduler;
    EXPECT_EQ(s.alarmInterval, 15);
    EXPECT_EQ(s.powerOff, (std::array<uint8_t, 3>{18, 0, 5}));
    EXPECT_EQ(s.timeFormat, 1);
    EXPECT_EQ(s.tasks[0].days[0], 1);
    EXPECT_EQ(s.tasks[0].endMinute, 30);
    EXPECT_EQ(s.tasks[0].files, (std::vector<int32_t>{1, 0}));
  }
}

TEST(OldLayouts, Version33UsesPackedElements) {
  Bytes b;
  b.text("KVXSDV3.3").i32(80).i32(1).zeros(10).i32(0).i32(2);
  for (const auto& line : sampleLines())
    sdv_test::packedLine(b, line);
  sdv_test::emptyScheduler(controls6(b));
  expectSample(workspace::parseWorkspaceFile(b.str(), std::nullopt, "x"), 33, "");
}

TEST(OldLayouts, Version20AndBelowUseTheRawReaderAfterTheHeader) {
  for (const char* header : {"KVXSDV2.0", "KVXSDV1.0", "KVXSDVa.b"}) {
    Bytes b;
    b.text(header).field("P", 100);
    for (const auto& line : sampleLines())
      sdv_test::record1220(b, line);
    Bytes controls;
    legacyControls(controls).u8(9).u8(9);  // a partial record at the end is not a record
    int asked = 0;
    workspace::LoadOptions options;
    options.confirmOldVersion = [&asked](const std::string&) { return ++asked, true; };
    const LoadResult r = workspace::parseWorkspaceFile(b.str(), controls.str(), "x", options);
    expectSample(r, header[6] == 'a' ? 0 : (header[6] - '0') * 10, "P");
    EXPECT_EQ(asked, 0);
  }
}

TEST(OldLayouts, HeaderlessFileCountsLinesFromItsSize) {
  Bytes b;
  b.field("", 100);
  for (const auto& line : sampleLines())
    sdv_test::record1220(b, line);
  ASSERT_EQ(b.str().size(), 2u * 1220 + 100);
  Bytes controls;
  legacyControls(controls);
  workspace::LoadOptions yes;
  yes.confirmOldVersion = [](const std::string&) { return true; };
  const LoadResult r = workspace::parseWorkspaceFile(b.str(), controls.str(), "x", yes);
  expectSample(r, 0, "");

  // Controls naming a missing line or standing past their line's end are dropped.
  controls.u8(2).u8(0).u8(1).u8(1).u8(0).u8(3).u8(1).u8(1);
  EXPECT_EQ(workspace::parseWorkspaceFile(b.str(), controls.str(), "x", yes)->workspace.lines,
            sampleLines());
}

TEST(OldLayouts, ShortRecordsAreReadErrors) {
  Bytes raw;
  raw.text("KVXSDV2.0").field("", 100);
  sdv_test::record1220(raw, textLine(1, "A"));
  const std::string rawShort = raw.str().substr(0, raw.str().size() - 1);
  EXPECT_EQ(workspace::parseWorkspaceFile(rawShort, "", "x").status().code(),
            platform::Status::Code::kDamaged);
  Bytes old;
  old.text("KVXSDV2.5").field("", 100).i32(1);
  sdv_test::record416(old, textLine(1, "A"));
  const std::string oldShort = old.str().substr(0, old.str().size() - 1);
  EXPECT_EQ(workspace::parseWorkspaceFile(oldShort, "", "x").status().code(),
            platform::Status::Code::kDamaged);
}

}  // namespace
