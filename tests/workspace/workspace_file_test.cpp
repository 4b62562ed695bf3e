#include "workspace/workspace_file.h"

#include <gtest/gtest.h>

#include "sdv_test_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

using sdv_test::Bytes;
using sdv_test::el;
using sdv_test::textLine;
using LoadResult = platform::Result<workspace::LoadedWorkspace>;
using Code = platform::Status::Code;
using workspace::Workspace;

const char kReadErrorText[] = "Error when reading file,You must exit!";

LoadResult parse(const std::string& bytes, const std::string& path = "t.SDV") {
  return workspace::parseWorkspaceFile(bytes, std::nullopt, path);
}

// The start of a version 3.5 file up to the line count.
Bytes v35Start(int width = 80, int colourMode = 1) {
  Bytes b;
  b.text("KVXSDV3.5").i32(width).i32(colourMode).zeros(10).i32(0);
  return b;
}

TEST(WorkspaceFileWriter, EmptyWorkspaceLayout) {
  Bytes expected = v35Start();
  expected.i32(0).i32(0);
  sdv_test::emptyScheduler(expected);
  EXPECT_EQ(workspace::serializeWorkspace(Workspace{}), expected.str());
}

TEST(WorkspaceFileWriter, FullLayoutOfOneLine) {
  Workspace ws;
  ws.signWidth = 160;
  ws.colourMode = 2;
  ws.transferFilePath = "C:\\a.LST";
  ws.lines = {textLine(4, "A")};
  ws.lines[0].elements[0].code = -300;
  ws.lines[0].controls = {{1, workspace::kControlPause, 2}};
  ws.scheduler.alarmCount = 3;
  ws.scheduler.tasks[9].files = {5, -1};
  Bytes b;
  b.text("KVXSDV3.5").i32(160).i32(2).zeros(10).i32(8).text("C:\\a.LST");
  b.i32(1).i32(1).u8(4).u16(-300).u8(1).u8(2).u8(0);
  b.i32(1).u16(0).u16(1).u8(3).u8(2);
  b.i32(3).zeros(2 * 4 + 7);
  for (int t = 0; t < 9; ++t)
    b.zeros(11).i32(0);
  b.zeros(11).i32(2).i32(5).i32(-1);
  EXPECT_EQ(workspace::serializeWorkspace(ws), b.str());
}

// The Image Transfer File path is file-system bytes (UTF-8) in the model and Windows-1252 in the
// file; a character the file cannot hold is written as '?'. Paths in messages are converted too.
TEST(WorkspaceFileWriter, TransferFilePathIsStoredInWindows1252) {
  Workspace ws;
  ws.transferFilePath = "/home/op/Bilder-\u00FC/\u20AC.LST";
  const std::string stored = workspace::serializeWorkspace(ws);
  EXPECT_NE(stored.find(std::string("\x17\0\0\0/home/op/Bilder-\xFC/\x80.LST", 27)),
            std::string::npos);
  const LoadResult back = parse(stored);
  ASSERT_TRUE(back.ok()) << back.message();
  EXPECT_EQ(back->workspace.transferFilePath, ws.transferFilePath);

  ws.transferFilePath = "/\u4E2D.LST";
  const LoadResult unstorable = parse(workspace::serializeWorkspace(ws));
  ASSERT_TRUE(unstorable.ok()) << unstorable.message();
  EXPECT_EQ(unstorable->workspace.transferFilePath, "/?.LST");

  const LoadResult newer = parse("KVXSDV3.6" + std::string(200, '\0'), "M\u00E4rz.SDV");
  EXPECT_EQ(newer.status().code(), platform::Status::Code::kTooNew);
  EXPECT_NE(newer.message().find("'M\xE4rz.SDV' is 36"), std::string::npos) << newer.message();
}

TEST(WorkspaceFileReader, Version35SetsSignSettings) {
  Bytes b = v35Start(200, 2);
  b.i32(0).i32(0);
  sdv_test::emptyScheduler(b);
  const LoadResult r = parse(b.str());
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->version, 35);
  EXPECT_TRUE(r->hasSignSettings);
  EXPECT_EQ(r->workspace.signWidth, 200);
  EXPECT_EQ(r->workspace.colourMode, 2);
  EXPECT_TRUE(r->warnings.empty());
}

TEST(WorkspaceFileReader, NewerVersionsAreRefused) {
  const LoadResult r = parse("KVXSDV3.6" + std::string(200, '\0'), "new.SDV");
  EXPECT_EQ(r.status().code(), Code::kTooNew);
  EXPECT_NE(r.message().find("'new.SDV' is 36"), std::string::npos) << r.message();
}

TEST(WorkspaceFileReader, HeaderlessFilesNeedTheOldVersionAnswer) {
  const std::string file = std::string(2 * 1220 + 100, 'x');
  LoadResult r = parse(file);
  EXPECT_EQ(r.status().code(), Code::kDeclined);
  EXPECT_EQ(r.message(), "Is this data file created by old version of Moving-Sign software?");

  workspace::LoadOptions no;
  no.confirmOldVersion = [](const std::string&) { return false; };
  EXPECT_EQ(workspace::parseWorkspaceFile(file, "", "t", no).status().code(), Code::kDeclined);
}

TEST(WorkspaceFileReader, ShortFilesFailCleanly) {
  workspace::LoadOptions yes;
  yes.confirmOldVersion = [](const std::string&) { return true; };
  for (const std::string file : {"", "K", "KVXSD", "abcdefgh"}) {
    const LoadResult r = workspace::parseWorkspaceFile(file, "", "t", yes);
    EXPECT_EQ(r.status().code(), Code::kDamaged) << file;
    EXPECT_EQ(r.message(), kReadErrorText);
  }
  EXPECT_EQ(parse("KVXSDV").status().code(), Code::kDamaged);
  EXPECT_EQ(parse("KVXSDV3.").status().code(), Code::kDamaged);
}

TEST(WorkspaceFileReader, CorruptCountsAndNumbersAreReadErrors) {
  auto withLine = [](int count, int file) {
    Bytes b = v35Start();
    b.i32(1).i32(count).u8(file);
    for (int i = 0; i < count; ++i)
      b.u16('A').u8(1).u8(2).u8(0);
    b.i32(0);
    return sdv_test::emptyScheduler(b).str();
  };
  EXPECT_TRUE(parse(withLine(100, 99)).ok());
  EXPECT_EQ(parse(withLine(101, 1)).status().code(), Code::kDamaged);
  EXPECT_EQ(parse(withLine(1, 0)).status().code(), Code::kDamaged);
  EXPECT_EQ(parse(withLine(1, 100)).status().code(), Code::kDamaged);
  EXPECT_EQ(parse(withLine(1, -1)).status().code(), Code::kDamaged);

  Bytes huge = v35Start();
  huge.i32(0x7FFFFFFF);  // would reserve gigabytes if trusted
  EXPECT_EQ(parse(huge.str()).status().code(), Code::kDamaged);
  Bytes negative = v35Start();
  negative.i32(-1);
  EXPECT_EQ(parse(negative.str()).status().code(), Code::kDamaged);
  Bytes badTask = v35Start();
  badTask.i32(0).i32(0).zeros(19).zeros(11).i32(-5);
  EXPECT_EQ(parse(badTask.str()).status().code(), Code::kDamaged);
  Bytes noWidth = v35Start(0);
  noWidth.i32(0).i32(0);
  EXPECT_EQ(parse(sdv_test::emptyScheduler(noWidth).str()).status().code(), Code::kDamaged);
  Bytes badMode = v35Start(80, 3);
  badMode.i32(0).i32(0);
  EXPECT_EQ(parse(sdv_test::emptyScheduler(badMode).str()).status().code(), Code::kDamaged);
}

TEST(WorkspaceFileReader, ControlsWithoutAPlaceAreSkipped) {
  Bytes b = v35Start();
  b.i32(1);
  sdv_test::packedLine(b, textLine(1, "ABCDEF"));
  b.i32(4);
  b.u16(0).u16(0x0105).u8(4).u8(2);  // only the position's low byte counts: 5
  b.u16(1).u16(0).u8(4).u8(2);       // no line 1
  b.u16(0).u16(7).u8(4).u8(2);       // past the line's 6 elements
  b.u16(0).u16(6).u8(9).u8(200);     // at the end; unknown type kept as stored
  const LoadResult r = parse(sdv_test::emptyScheduler(b).str());
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->workspace.lines[0].controls,
            (workspace::LineControls{{5, 4, 2}, {6, 9, static_cast<uint8_t>(200)}}));
}

TEST(WorkspaceFileReader, SendListVersionsWarnAndIgnoreWhatFollows) {
  Bytes b;
  b.text("KVXSDV3.3").i32(80).i32(1).zeros(10).i32(0).i32(0).i32(0);
  sdv_test::emptyScheduler(b).text("old send list");
  const LoadResult r = parse(b.str(), "D:\\x.SDV");
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r->warnings.size(), 1u);
  EXPECT_EQ(r->warnings[0],
            "The version of file 'D:\\x.SDV' is 33, now  reading this file will lost the send list "
            "data!");
}

TEST(WorkspaceFileReader, ControlFileNameIsCutAtTheFirstDot) {
  EXPECT_EQ(workspace::controlFilePathFor("D:\\old.set\\msg.SDV"), "D:\\old.ctl");
  EXPECT_EQ(workspace::controlFilePathFor("/data/old.set/msg.SDV"), "/data/old.ctl");
  EXPECT_EQ(workspace::controlFilePathFor("/data/msg"), "/data/msg.ctl");
}

TEST(WorkspaceFileIo, SaveLoadAndTheirFailureTexts) {
  testing_support::TempDir dir;
  Workspace ws;
  ws.lines = {textLine(1, "Hi")};
  const platform::Status saved = workspace::saveWorkspaceFile(dir.file("a.SDV"), ws);
  ASSERT_TRUE(saved.ok()) << saved.message();
  const LoadResult loaded = workspace::loadWorkspaceFile(dir.file("a.SDV"));
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->workspace, ws);

  const platform::Status refused = workspace::saveWorkspaceFile(dir.file("no/such/dir.SDV"), ws);
  EXPECT_EQ(refused.code(), Code::kCannotWrite);
  EXPECT_EQ(refused.message(), "Error when create file");
  const LoadResult missing = workspace::loadWorkspaceFile(dir.file("missing.SDV"));
  EXPECT_EQ(missing.status().code(), Code::kCannotOpen);
  EXPECT_EQ(missing.message(), "Error when open the file");
}

TEST(WorkspaceFileIo, UnstorableWorkspaceLeavesTheOldFile) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir.file("a.SDV"), "old");
  Workspace ws;
  ws.lines = {textLine(1, "A")};
  ws.lines[0].controls = {{2, workspace::kControlBeep, 1}};  // past the end of the line
  EXPECT_FALSE(workspace::isStorableWorkspace(ws));
  const platform::Status refused = workspace::saveWorkspaceFile(dir.file("a.SDV"), ws);
  EXPECT_EQ(refused.code(), Code::kCannotWrite);
  EXPECT_EQ(refused.message(), "Error when create file");
  EXPECT_EQ(testing_support::readFile(dir.file("a.SDV")), "old");
  ws.lines[0].controls.clear();
  ws.lines[0].fileNumber = 100;
  EXPECT_FALSE(workspace::isStorableWorkspace(ws));
  ws.lines[0].fileNumber = 1;
  ws.lines[0].elements.resize(101);
  EXPECT_FALSE(workspace::isStorableWorkspace(ws));
}

TEST(WorkspaceFileIo, RawFileNeedsItsControlFile) {
  testing_support::TempDir dir;
  Bytes b;
  b.text("KVXSDV2.0").field("", 100);
  sdv_test::record1220(b, textLine(1, "A"));
  testing_support::writeFile(dir.file("m.SDV"), b.str());
  LoadResult r = workspace::loadWorkspaceFile(dir.file("m.SDV"));
  EXPECT_EQ(r.status().code(), Code::kCannotOpen);
  EXPECT_EQ(r.status().detail(), workspace::kControlFileMissingDetail);
  EXPECT_EQ(r.message(), "Control File not found(*.ctl),you must exit this program!");

  testing_support::writeFile(workspace::controlFilePathFor(dir.file("m.SDV")),
                             Bytes().u8(0).u8(1).u8(4).u8(8).str());
  r = workspace::loadWorkspaceFile(dir.file("m.SDV"));
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->workspace.lines[0].controls, (workspace::LineControls{{1, 4, 8}}));
}

}  // namespace
