#include "workspace/varnel_doc.h"

#include <gtest/gtest.h>

#include "sdv_test_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

using sdv_test::textLine;

TEST(VarnelDoc, OldFileKeepsTheSignAndSchedulerSettings) {
  testing_support::TempDir dir;
  sdv_test::Bytes old;
  old.text("KVXSDV3.0").field("L", 100).i32(1);
  sdv_test::record416(old, textLine(4, "Z")).i32(0);
  testing_support::writeFile(dir.file("old.SDV"), old.str());

  workspace::CVarnelDoc doc;
  doc.workspace().signWidth = 120;
  doc.workspace().scheduler.alarmCount = 5;
  doc.setModified(true);
  ASSERT_TRUE(doc.load(dir.file("old.SDV")).ok());
  EXPECT_EQ(doc.workspace().lines, (std::vector{textLine(4, "Z")}));
  EXPECT_EQ(doc.workspace().transferFilePath, "L");
  EXPECT_EQ(doc.workspace().signWidth, 120);
  EXPECT_EQ(doc.workspace().scheduler.alarmCount, 5);
  EXPECT_EQ(doc.path(), dir.file("old.SDV"));
  EXPECT_FALSE(doc.isModified());
}

TEST(VarnelDoc, FailedLoadKeepsTheWorkspace) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir.file("bad.SDV"), "KVXSDV3.5\x50");
  workspace::CVarnelDoc doc;
  doc.appendLine(textLine(1, "keep"));
  ASSERT_TRUE(doc.save(dir.file("good.SDV")).ok());
  EXPECT_EQ(doc.load(dir.file("bad.SDV")).status().code(), platform::Status::Code::kDamaged);
  EXPECT_EQ(doc.path(), dir.file("good.SDV"));
  EXPECT_EQ(doc.load(dir.file("none.SDV")).status().code(), platform::Status::Code::kCannotOpen);
  EXPECT_EQ(doc.path(), "");
  EXPECT_EQ(doc.workspace().lines, (std::vector{textLine(1, "keep")}));
}

TEST(VarnelDoc, MissingControlFileKeepsThePath) {
  testing_support::TempDir dir;
  sdv_test::Bytes raw;
  raw.text("KVXSDV2.0").field("", 100);
  sdv_test::record1220(raw, textLine(1, "A"));
  testing_support::writeFile(dir.file("raw.SDV"), raw.str());
  workspace::CVarnelDoc doc;
  ASSERT_TRUE(doc.save(dir.file("good.SDV")).ok());
  const platform::Result<workspace::LoadedWorkspace> r = doc.load(dir.file("raw.SDV"));
  EXPECT_EQ(r.status().code(), platform::Status::Code::kCannotOpen);
  EXPECT_EQ(r.message(), "Control File not found(*.ctl),you must exit this program!");
  EXPECT_EQ(doc.path(), dir.file("good.SDV"));
}

}  // namespace
