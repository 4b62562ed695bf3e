#include "bitmaps/bitmap_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "bitmaps/bitmap_image.h"

using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapImage;

namespace {

CBitmapCatalog catalogOf(std::initializer_list<const char*> indexTexts, uint16_t width = 80) {
  CBitmapCatalog catalog(width);
  for (const char* text : indexTexts)
    EXPECT_TRUE(catalog.add(CBitmapImage(text, width)).ok());
  return catalog;
}

// Images numbered first to last, built in one go (getOrCreate would search for each one).
CBitmapCatalog numbered(int first, int last) {
  std::vector<CBitmapImage> images;
  for (int n = first; n <= last; ++n)
    images.emplace_back(CBitmapImage::formatIndex(n), 8);
  return CBitmapCatalog(8, std::move(images));
}

}  // namespace

TEST(BitmapImage, IndexTextIsFourDigitsAndReadsLikeANumber) {
  EXPECT_EQ(CBitmapImage::formatIndex(7), "0007");
  EXPECT_EQ(CBitmapImage::formatIndex(4999), "4999");
  EXPECT_EQ(CBitmapImage::formatIndex(12345), "12345");
  EXPECT_EQ(CBitmapImage::parseIndex("0007"), 7);
  EXPECT_EQ(CBitmapImage::parseIndex(" 12x"), 12);
  EXPECT_EQ(CBitmapImage::parseIndex("-3"), -3);
  EXPECT_EQ(CBitmapImage::parseIndex("abc"), 0);
  EXPECT_EQ(CBitmapImage::parseIndex(""), 0);
  EXPECT_EQ(CBitmapImage::parseIndex("99999999999999999999"), INT_MAX);
}

TEST(BitmapImage, NewImageIsBlackAndPixelsAreRowMajor) {
  CBitmapImage image("0001", 10);
  ASSERT_EQ(image.pixels().size(), 70u);
  EXPECT_EQ(image.pixels(), std::vector<uint8_t>(70, 0));
  image.setPixel(3, 2, 5);
  image.setPixel(10, 0, 1);  // outside: ignored
  image.setPixel(0, 7, 1);   // outside: ignored
  EXPECT_EQ(image.pixels()[2 * 10 + 3], 5);
  EXPECT_EQ(image.pixel(3, 2), 5);
  EXPECT_EQ(image.pixel(-1, 0), 0);
  EXPECT_EQ(std::count(image.pixels().begin(), image.pixels().end(), 0), 69);
  EXPECT_FALSE(image.setPixels(std::vector<uint8_t>(69, 1)));
  EXPECT_TRUE(image.setPixels(std::vector<uint8_t>(70, 9)));
  EXPECT_EQ(image.pixel(9, 6), 9);
}

TEST(BitmapCatalog, FindComparesTheFourDigitText) {
  const CBitmapCatalog catalog = catalogOf({"0007", "12", "0012"});
  ASSERT_NE(catalog.find(7), nullptr);
  EXPECT_EQ(catalog.find(7)->indexText(), "0007");
  EXPECT_EQ(catalog.positionOf(12), 2);  // "12" is not "0012"
  EXPECT_EQ(catalog.find(8), nullptr);
  EXPECT_EQ(catalog.positionOf(8), -1);
}

TEST(BitmapCatalog, GetOrCreateAppendsOrFailsWithTheCatalogText) {
  CBitmapCatalog catalog = catalogOf({"0003"}, 96);
  const platform::Result<CBitmapImage*> absent = catalog.getOrCreate(5, false);
  EXPECT_EQ(absent.status().code(), platform::Status::Code::kRefused);
  EXPECT_EQ(absent.message(), "Index number 0005 has not been added to the catalog yet!");
  EXPECT_EQ(catalog.count(), 1u);

  const platform::Result<CBitmapImage*> made = catalog.getOrCreate(5, true);
  ASSERT_TRUE(made.ok());
  CBitmapImage* created = *made;
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->indexText(), "0005");
  EXPECT_EQ(created->width(), 96);
  EXPECT_EQ(created->pixels(), std::vector<uint8_t>(96 * 7, 0));
  EXPECT_EQ(catalog.positionOf(5), 1);  // appended
  EXPECT_EQ(catalog.getOrCreate(3, false).value(), &catalog.at(0));
}

TEST(BitmapCatalog, AFullCatalogTakesNoNewImage) {
  CBitmapCatalog catalog = numbered(1, 9998);
  EXPECT_FALSE(catalog.full());
  ASSERT_TRUE(catalog.getOrCreate(9999, true).ok());
  EXPECT_TRUE(catalog.full());
  const platform::Result<CBitmapImage*> refused = catalog.getOrCreate(10000, true);
  EXPECT_EQ(refused.status().code(), platform::Status::Code::kRefused);
  EXPECT_EQ(refused.message(),
            "Can't create a new bitmap image because you can have 9999 bitmap images at most!!!");
  EXPECT_FALSE(catalog.add(CBitmapImage("10000", 8)).ok());
  EXPECT_EQ(catalog.count(), 9999u);
  const platform::Result<CBitmapImage*> existing = catalog.getOrCreate(9999, true);
  ASSERT_TRUE(existing.ok());  // existing images still found
  EXPECT_NE(*existing, nullptr);
  EXPECT_EQ(catalog.nextFreeIndex(), 0);
}

TEST(BitmapCatalog, AddRefusesATakenIndexTextAndRemoveTakesTheImageOut) {
  CBitmapCatalog catalog = catalogOf({"0001", "0002"});
  const platform::Status status = catalog.add(CBitmapImage("0002", 80));
  EXPECT_EQ(status.code(), platform::Status::Code::kRefused);
  EXPECT_EQ(status.message(), "Bitmap image 0002 is already in the catalog!");
  EXPECT_TRUE(catalog.remove(1));
  EXPECT_FALSE(catalog.remove(1));
  ASSERT_EQ(catalog.count(), 1u);
  EXPECT_EQ(catalog.at(0).indexText(), "0002");
}

TEST(BitmapCatalog, NeighboursFollowCatalogOrderAndStopAtTheEnds) {
  using Direction = CBitmapCatalog::Direction;
  const CBitmapCatalog catalog = catalogOf({"0007", "0003", "0005"});
  EXPECT_EQ(catalog.neighbour(3, Direction::kPrevious)->indexText(), "0007");
  EXPECT_EQ(catalog.neighbour(3, Direction::kNext)->indexText(), "0005");
  EXPECT_EQ(catalog.neighbour(7, Direction::kPrevious), nullptr);
  EXPECT_EQ(catalog.neighbour(5, Direction::kNext), nullptr);
  EXPECT_EQ(catalog.neighbour(4, Direction::kNext), nullptr);  // not in the catalog
}

TEST(BitmapCatalog, NextFreeIndex) {
  EXPECT_EQ(CBitmapCatalog().nextFreeIndex(), 1);
  EXPECT_EQ(catalogOf({"0001", "0002", "0004"}).nextFreeIndex(), 3);
  // Index texts are read as numbers here: "2" and " 0001" take 2 and 1, junk takes nothing.
  EXPECT_EQ(catalogOf({"2", " 0001", "abc", "-3", "0000"}).nextFreeIndex(), 3);

  CBitmapCatalog catalog = numbered(1, 4999);
  EXPECT_EQ(catalog.nextFreeIndex(), 5000);
  // A taken 5000 must not be handed out again: the drawing would overwrite that image.
  catalog.getOrCreate(5000, true);
  catalog.getOrCreate(5002, true);
  EXPECT_EQ(catalog.nextFreeIndex(), 5001);
  catalog.remove(17);
  EXPECT_EQ(catalog.nextFreeIndex(), 17);
}
