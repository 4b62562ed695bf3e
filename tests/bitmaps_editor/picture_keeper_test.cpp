#include "bitmaps/picture_keeper.h"

#include <gtest/gtest.h>

#include "bitmaps/picture_file.h"
#include "platform/atomic_file.h"
#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

using bitmaps::CBitmapCatalog;
using bitmaps::PictureKeeper;
using testing_support::le32;
using testing_support::TempDir;

namespace {

std::string contents(const std::string& path) {
  return platform::readWholeFile(path).value();
}

// Every way a picture file that is there can fail to load.
std::vector<std::string> unloadableFiles() {
  const std::string head = "Z2500 pic by user";
  return {
      head + le32(35) + le32(80),                                     // too short
      "Z2500 pic by USER" + le32(35) + le32(80) + le32(1) + le32(0),  // foreign header
      head + le32(35) + le32(96) + le32(1) + le32(0),                 // another width
      head + le32(35) + le32(80) + le32(1) + le32(3),                 // count past the end
      head + le32(36) + le32(80) + le32(1) + le32(0),                 // a newer program's file
  };
}

}  // namespace

TEST(PictureKeeper, FileThatDidNotLoadIsKeptWhileTheCatalogIsUnchanged) {
  for (const std::string& bytes : unloadableFiles()) {
    TempDir dir;
    const std::string path = dir.file("Z2500Pic_80_S.dat");
    testing_support::writeFile(path, bytes);
    PictureKeeper keeper;
    CBitmapCatalog catalog(80);
    EXPECT_FALSE(keeper.load(path, 80, 1, &catalog).ok());
    EXPECT_TRUE(keeper.keepingUnreadable());
    EXPECT_EQ(keeper.asideName(), path + ".unreadable");
    const PictureKeeper::ExitResult result = keeper.saveAtExit(catalog);
    EXPECT_TRUE(result.status.ok());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(contents(path), bytes);
    EXPECT_FALSE(platform::pathExists(path + ".unreadable"));
  }
}

TEST(PictureKeeper, ChangedCatalogMovesTheUnloadableFileAsideFirst) {
  TempDir dir;
  const std::string path = dir.file("Z2500Pic_80_S.dat");
  const std::string damaged = unloadableFiles()[3];
  testing_support::writeFile(path, damaged);
  testing_support::writeFile(path + ".unreadable", "an older one");
  PictureKeeper keeper;
  CBitmapCatalog catalog(80);
  ASSERT_FALSE(keeper.load(path, 80, 1, &catalog).ok());
  catalog.getOrCreate(1, true).value()->setPixel(0, 0, 2);
  const PictureKeeper::ExitResult result = keeper.saveAtExit(catalog);
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.movedAside, path + ".unreadable.2");
  EXPECT_EQ(contents(path + ".unreadable.2"), damaged);
  EXPECT_EQ(contents(path + ".unreadable"), "an older one");
  CBitmapCatalog reread(80);
  ASSERT_TRUE(bitmaps::loadPictures(path, 80, 1, &reread).ok());
  EXPECT_EQ(reread, catalog);
}

TEST(PictureKeeper, ReadableOrMissingFileIsWrittenAtExit) {
  TempDir dir;
  const std::string path = dir.file("Z2500Pic_80_D.dat");
  PictureKeeper keeper;
  CBitmapCatalog catalog(80);
  ASSERT_TRUE(keeper.load(path, 80, 2, &catalog).ok());
  EXPECT_FALSE(keeper.keepingUnreadable());
  catalog.getOrCreate(7, true);
  EXPECT_TRUE(keeper.changed(catalog));
  const PictureKeeper::ExitResult result = keeper.saveAtExit(catalog);
  EXPECT_TRUE(result.written);
  EXPECT_TRUE(result.movedAside.empty());
  EXPECT_EQ(contents(path), bitmaps::encodePictureFile(80, 2, catalog));
}

TEST(PictureKeeper, NewerVersionIsRefusedAsTooNew) {
  TempDir dir;
  const std::string path = dir.file("Z2500Pic_80_S.dat");
  testing_support::writeFile(path, unloadableFiles()[4]);
  CBitmapCatalog catalog(80);
  const platform::Status status = bitmaps::loadPictures(path, 80, 1, &catalog);
  EXPECT_EQ(status.code(), platform::Status::Code::kTooNew);
  EXPECT_NE(status.message().find("is 36, which is newer"), std::string::npos) << status.message();
  // Older versions read like the current one.
  testing_support::writeFile(path, "Z2500 pic by user" + le32(30) + le32(80) + le32(1) + le32(0));
  EXPECT_TRUE(bitmaps::loadPictures(path, 80, 1, &catalog).ok());
}
