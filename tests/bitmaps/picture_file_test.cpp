#include "bitmaps/picture_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <random>

#include "tests/support/little_endian.h"
#include "tests/support/temp_dir.h"

using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapImage;
using platform::Status;
using testing_support::le16;
using testing_support::le32;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// The fixed part of a picture file, written out byte by byte.
std::string fileHead(int32_t width, int32_t colour, int32_t count) {
  return "Z2500 pic by user" + le32(35) + le32(width) + le32(colour) + le32(count);
}

std::string record(const std::string& index, uint16_t width, char fill) {
  return le32(static_cast<int32_t>(index.size())) + index + le16(width) +
         std::string(static_cast<size_t>(width) * 7, fill);
}

// A catalog with one image, to show that failed loads leave what was there.
CBitmapCatalog previousCatalog() {
  CBitmapCatalog catalog(80);
  catalog.getOrCreate(42, true).value()->setPixel(1, 1, 3);
  return catalog;
}

}  // namespace

TEST(PictureFile, PathCarriesWidthAndColourLetter) {
  EXPECT_EQ(bitmaps::picturePath("/data/", 80, 1), "/data/Z2500Pic_80_S.dat");
  EXPECT_EQ(bitmaps::picturePath("/data", 96, 2), "/data/Z2500Pic_96_D.dat");
  EXPECT_EQ(bitmaps::picturePath("/data", 96, 0), "/data/Z2500Pic_96_D.dat");
}

TEST(PictureFile, NoFileGivesAnEmptyCatalogSilently) {
  TempDir dir;
  CBitmapCatalog catalog = previousCatalog();
  const Status status = bitmaps::loadPictures(dir.file("Z2500Pic_96_S.dat"), 96, 1, &catalog);
  EXPECT_TRUE(status.ok());
  EXPECT_TRUE(status.message().empty());
  EXPECT_TRUE(catalog.empty());
  EXPECT_EQ(catalog.signWidth(), 96);
}

TEST(PictureFile, LengthLimitIsThirtyThreeBytes) {
  const std::string head = fileHead(80, 1, 0);
  ASSERT_EQ(head.size(), 33u);
  CBitmapCatalog catalog = previousCatalog();
  Status status = bitmaps::decodePictureFile(head.substr(0, 32), "p.dat", 80, 1, &catalog);
  EXPECT_EQ(status.code(), Status::Code::kDamaged);
  EXPECT_EQ(status.message(), "The  length of bitmap image data file p.dat is error!");
  EXPECT_EQ(catalog, previousCatalog());

  status = bitmaps::decodePictureFile(head, "p.dat", 80, 1, &catalog);
  EXPECT_TRUE(status.ok());
  EXPECT_TRUE(catalog.empty());
}

TEST(PictureFile, RefusesWrongHeaderWidthAndColourWithTheirTexts) {
  CBitmapCatalog catalog = previousCatalog();
  std::string bytes = fileHead(80, 1, 0);
  bytes[5] = 'X';
  const Status foreign = bitmaps::decodePictureFile(bytes, "p.dat", 80, 1, &catalog);
  EXPECT_EQ(foreign.code(), Status::Code::kNotOurFile);
  EXPECT_EQ(foreign.message(),
            "p.dat file is not the bitmap image data file for Z2500 series sign!");

  // A file saved for width 80 and renamed for a 96-pixel sign.
  TempDir dir;
  const std::string renamed = bitmaps::picturePath(dir.path(), 96, 1);
  writeFile(renamed, fileHead(80, 1, 0));
  EXPECT_EQ(bitmaps::loadPictures(renamed, 96, 1, &catalog).message(),
            renamed +
                " is bitmap image data file for Z2500 series, but this bitmap image file is for "
                "80pixels width,now you set the sign's width to 96,program will not read this "
                "file!");

  EXPECT_EQ(bitmaps::decodePictureFile(fileHead(80, 2, 0), "p.dat", 80, 1, &catalog).message(),
            "p.dat bitmap image data file is for tri-color sign, now you set sign to  single "
            "color sign,program will not read this bitmap image data file");
  EXPECT_EQ(bitmaps::decodePictureFile(fileHead(80, 1, 0), "p.dat", 80, 2, &catalog).message(),
            "p.dat bitmap image data file is for single color sign, now you set sign to  "
            "tri-color sign,program will not read this bitmap image data file");
  EXPECT_EQ(catalog, previousCatalog());
}

TEST(PictureFile, RecordOfAnotherWidthIsFittedToTheSignWidth) {
  // Row y of the 3-wide record holds 10*y+1, 10*y+2, 10*y+3.
  std::string narrow = le32(4) + "0001" + le16(3);
  std::string wide = le32(4) + "0002" + le16(6);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 3; ++x)
      narrow += static_cast<char>(10 * y + x + 1);
    for (int x = 0; x < 6; ++x)
      wide += static_cast<char>(10 * y + x + 1);
  }
  CBitmapCatalog catalog;
  ASSERT_TRUE(
      bitmaps::decodePictureFile(fileHead(4, 1, 2) + narrow + wide, "p.dat", 4, 1, &catalog).ok());
  for (const CBitmapImage& image : catalog.images()) {
    ASSERT_EQ(image.width(), 4);
    for (int y = 0; y < 7; ++y) {
      EXPECT_EQ(image.pixel(0, y), 10 * y + 1);
      EXPECT_EQ(image.pixel(2, y), 10 * y + 3);
    }
  }
  EXPECT_EQ(catalog.at(0).pixel(3, 4), 0);   // missing column: black
  EXPECT_EQ(catalog.at(1).pixel(3, 4), 44);  // extra columns 4 and 5 dropped
}

TEST(PictureFile, CountsAndLengthsPastTheEndAreRefusedLikeAWrongHeader) {
  const std::string wrongHeader =
      "p.dat file is not the bitmap image data file for Z2500 series sign!";
  const std::string one = record("0001", 80, '\x01');
  const std::string cases[] = {
      fileHead(80, 1, -1),
      fileHead(80, 1, 2) + one,                               // second record missing
      fileHead(80, 1, 1) + one.substr(0, one.size() - 1),     // pixels cut short
      fileHead(80, 1, 1) + le32(-4) + "0001" + le16(80),      // negative string length
      fileHead(80, 1, 1) + le32(1 << 30) + "0001",            // string past the end
      fileHead(80, 1, 10000) + std::string(60000 * 6, '\0'),  // above the catalog limit
  };
  for (const std::string& bytes : cases) {
    CBitmapCatalog catalog = previousCatalog();
    const Status status = bitmaps::decodePictureFile(bytes, "p.dat", 80, 1, &catalog);
    EXPECT_EQ(status.code(), Status::Code::kDamaged);
    EXPECT_EQ(status.message(), wrongHeader);
    EXPECT_EQ(catalog, previousCatalog());
  }
}

TEST(PictureFile, SaveWritesTheLayoutAndLoadsBack) {
  TempDir dir;
  const std::string path = bitmaps::picturePath(dir.path(), 5, 2);
  CBitmapCatalog catalog(5);
  catalog.getOrCreate(3, true).value()->setPixel(4, 6, 7);
  catalog.getOrCreate(1, true).value()->setPixel(0, 0, 1);
  ASSERT_TRUE(bitmaps::savePictures(path, 5, 2, catalog).ok());

  std::string expected = fileHead(5, 2, 2) + record("0003", 5, '\0') + record("0001", 5, '\0');
  expected[33 + 4 + 4 + 2 + 6 * 5 + 4] = 7;
  expected[33 + 45 + 4 + 4 + 2] = 1;
  EXPECT_EQ(testing_support::readFile(path), expected);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);

  CBitmapCatalog loaded;
  ASSERT_TRUE(bitmaps::loadPictures(path, 5, 2, &loaded).ok());
  EXPECT_EQ(loaded, catalog);
}

TEST(PictureFile, UnreadableFileAndFailedSaveAreReported) {
  TempDir dir;
  // A directory where the file should be: it exists, but cannot be read or replaced.
  const std::string path = bitmaps::picturePath(dir.path(), 80, 1);
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  CBitmapCatalog catalog = previousCatalog();
  Status status = bitmaps::loadPictures(path, 80, 1, &catalog);
  EXPECT_EQ(status.code(), Status::Code::kCannotOpen);
  EXPECT_EQ(status.message().rfind("Error when reading bitmap image data file: ", 0), 0u);
  EXPECT_EQ(catalog, previousCatalog());

  status = bitmaps::savePictures(dir.file("missing/Z2500Pic_80_S.dat"), 80, 1, catalog);
  EXPECT_EQ(status.code(), Status::Code::kCannotWrite);
  EXPECT_EQ(status.message().rfind("Error when saving bitmap image data file: ", 0), 0u);
}

TEST(PictureFile, DamagedFilesNeverCrashAndFailuresKeepTheCatalog) {
  CBitmapCatalog source(9);
  for (int n = 1; n <= 6; ++n) {
    CBitmapImage* image = source.getOrCreate(n * 11, true).value();
    for (int x = 0; x < 9; ++x)
      image->setPixel(x, x % 7, static_cast<uint8_t>(n));
  }
  const std::string good = bitmaps::encodePictureFile(9, 1, source);
  std::mt19937 random(20261208);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    CBitmapCatalog catalog = previousCatalog();
    if (!bitmaps::decodePictureFile(good.substr(0, cut), "p.dat", 9, 1, &catalog).ok()) {
      EXPECT_EQ(catalog, previousCatalog()) << cut;
    }
  }
  for (int round = 0; round < 5000; ++round) {
    std::string bytes = good;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) {
      bytes[random() % bytes.size()] ^= static_cast<char>(1u << (random() % 8));
    }
    CBitmapCatalog catalog = previousCatalog();
    if (bitmaps::decodePictureFile(bytes, "p.dat", 9, 1, &catalog).ok()) {
      for (const CBitmapImage& image : catalog.images())
        ASSERT_EQ(image.pixels().size(), 63u);
    } else {
      ASSERT_EQ(catalog, previousCatalog()) << round;
    }
  }
}
