#include "bitmaps/transfer_file.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

using bitmaps::ImageTransferFile;
using platform::Status;
using testing_support::le32;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

ImageTransferFile fileWith(std::initializer_list<int> images) {
  ImageTransferFile file;
  for (int n : images)
    EXPECT_TRUE(file.append(n));
  return file;
}

}  // namespace

TEST(TransferFile, AppendStopsAtEightAndAllowsCopies) {
  ImageTransferFile file = fileWith({5, 5});
  EXPECT_EQ(file.images(), (std::vector<int>{5, 5}));
  EXPECT_TRUE(file.changed);
  EXPECT_TRUE(file.contains(5));
  EXPECT_FALSE(file.contains(6));
  for (int n = 1; n <= 6; ++n)
    EXPECT_TRUE(file.append(n));
  EXPECT_TRUE(file.full());
  EXPECT_FALSE(file.append(9));
  EXPECT_EQ(file.count, 8);
  EXPECT_FALSE(file.contains(9));
}

TEST(TransferFile, RemoveMovesLaterImagesUpAndClearEmpties) {
  ImageTransferFile file = fileWith({1, 2, 3, 4});
  file.changed = false;
  EXPECT_FALSE(file.removeAt(4));
  EXPECT_FALSE(file.removeAt(-1));
  EXPECT_FALSE(file.changed);
  EXPECT_TRUE(file.removeAt(1));
  EXPECT_EQ(file.images(), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(file.slots[3], 0);
  EXPECT_TRUE(file.changed);

  file.fileName = "a.LST";
  file.clear();
  EXPECT_EQ(file.count, 0);
  EXPECT_EQ(file.slots[0], 0);
  EXPECT_FALSE(file.changed);
  EXPECT_EQ(file.fileName, "a.LST");
}

TEST(TransferFile, SavedFileIsEightyFourBytesWithTheChosenNumbers) {
  TempDir dir;
  const std::string path = dir.file("Show.LST");
  ImageTransferFile file = fileWith({7, 3, 12});
  file.slots[10] = 99;  // stale memory beyond the count is not written
  ASSERT_TRUE(bitmaps::saveTransferFile(path, file).ok());
  std::string expected = le32(3) + le32(7) + le32(3) + le32(12) + std::string(17 * 4, '\0');
  EXPECT_EQ(testing_support::readFile(path), expected);
  ASSERT_EQ(expected.size(), ImageTransferFile::kFileSize);

  ImageTransferFile loaded;
  loaded.changed = true;
  ASSERT_TRUE(bitmaps::loadTransferFile(path, &loaded).ok());
  EXPECT_EQ(loaded.images(), (std::vector<int>{7, 3, 12}));
  EXPECT_EQ(loaded.fileName, path);
  EXPECT_FALSE(loaded.changed);
}

TEST(TransferFile, LoadingTakesOnlyTheCountedSlots) {
  TempDir dir;
  const std::string path = dir.file("b.LST");
  std::string bytes = le32(2) + le32(4) + le32(-9);
  for (int i = 2; i < 20; ++i)
    bytes += le32(1000 + i);
  writeFile(path, bytes + "trailing bytes are ignored");
  ImageTransferFile file;
  ASSERT_TRUE(bitmaps::loadTransferFile(path, &file).ok());
  EXPECT_EQ(file.images(), (std::vector<int>{4, -9}));

  // A file cut short after its used slots still holds them.
  writeFile(path, le32(1) + le32(6));
  ASSERT_TRUE(bitmaps::loadTransferFile(path, &file).ok());
  EXPECT_EQ(file.images(), (std::vector<int>{6}));
}

TEST(TransferFile, BadCountsAndMissingFilesAreRefusedAndChangeNothing) {
  TempDir dir;
  const std::string path = dir.file("c.LST");
  const std::string cases[] = {
      "",
      "\x01\x00",
      le32(-1) + std::string(80, '\0'),
      le32(9) + std::string(80, '\0'),
      le32(5) + le32(1) + le32(2),  // count above the slots present
  };
  const ImageTransferFile before = fileWith({8});
  for (const std::string& bytes : cases) {
    writeFile(path, bytes);
    ImageTransferFile file = before;
    const Status status = bitmaps::loadTransferFile(path, &file);
    EXPECT_EQ(status.code(), Status::Code::kDamaged);
    EXPECT_EQ(status.message(),
              "'" + path + "' is not an Image Transfer File: it must hold 0 to 8 bitmap images!");
    EXPECT_EQ(file.images(), before.images());
    EXPECT_EQ(file.fileName, "");
  }
  ImageTransferFile file;
  const Status missing = bitmaps::loadTransferFile(dir.file("none.LST"), &file);
  EXPECT_EQ(missing.code(), Status::Code::kCannotOpen);
  EXPECT_EQ(missing.message(),
            "Image Transfer File '" + dir.file("none.LST") + "' isn't exist,you must specify it!");
  EXPECT_EQ(bitmaps::saveTransferFile(dir.file("no/dir.LST"), file).code(),
            Status::Code::kCannotWrite);
}

TEST(TransferFile, RandomBytesNeverGiveMoreThanEightImages) {
  std::mt19937 random(84);
  const std::string good = bitmaps::encodeTransferFile(fileWith({1, 2, 3}));
  for (int round = 0; round < 5000; ++round) {
    std::string bytes = good.substr(0, random() % (good.size() + 1));
    for (char& c : bytes) {
      if (random() % 16 == 0) c = static_cast<char>(random());
    }
    ImageTransferFile file;
    if (bitmaps::decodeTransferFile(bytes, "x", &file).ok()) {
      ASSERT_LE(file.images().size(), 8u);
      ASSERT_GE(file.count, 0);
    } else {
      ASSERT_EQ(file.count, 0);
    }
  }
}

TEST(TransferFile, CatalogCaptionNamesTheListFile) {
  EXPECT_EQ(bitmaps::catalogCaption("Bitmap Image Catalog", ""), "Bitmap Image Catalog");
  EXPECT_EQ(bitmaps::catalogCaption("Bitmap Image Catalog--/old.LST", "/new.LST"),
            "Bitmap Image Catalog--/new.LST");
  EXPECT_EQ(bitmaps::catalogCaption("Bitmap Image Catalog--/old.LST", ""), "Bitmap Image Catalog");
}
