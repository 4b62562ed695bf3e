// The pictures of the pre-defined items: every table entry is a well-formed dot pattern of its
// table's size, none is blank or a copy of another, and indices outside the tables give nothing.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "workspace/item_pictures.h"
#include "workspace/sign_tables.h"

namespace {

using workspace::DotArt;

struct Table {
  const char* name;
  std::function<std::optional<DotArt>(int)> art;
  int count;
  int columns;
  int rows;
};

std::string flatten(const DotArt& art) {
  std::string all;
  for (int row = 0; row < art.rows; ++row)
    all += art.lines[row];
  return all;
}

class ItemPicturesTest : public testing::TestWithParam<Table> {};

TEST_P(ItemPicturesTest, EveryEntryIsAWellFormedDistinctPicture) {
  const Table& table = GetParam();
  std::set<std::string> seen;
  for (int index = 0; index < table.count; ++index) {
    SCOPED_TRACE(std::string(table.name) + " " + std::to_string(index));
    const std::optional<DotArt> art = table.art(index);
    ASSERT_TRUE(art.has_value());
    ASSERT_EQ(art->columns, table.columns);
    ASSERT_EQ(art->rows, table.rows);
    for (int row = 0; row < art->rows; ++row) {
      const char* line = art->lines[row];
      ASSERT_EQ(std::strlen(line), static_cast<size_t>(table.columns)) << "row " << row;
      EXPECT_EQ(std::strspn(line, "#."), static_cast<size_t>(table.columns)) << "row " << row;
    }
    const std::string all = flatten(*art);
    EXPECT_NE(all.find('#'), std::string::npos) << "blank picture";
    EXPECT_TRUE(seen.insert(all).second) << "same picture as an earlier entry";
  }
}

TEST_P(ItemPicturesTest, IndicesOutsideTheTableGiveNothing) {
  const Table& table = GetParam();
  EXPECT_FALSE(table.art(-1).has_value());
  EXPECT_FALSE(table.art(table.count).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    AllTables, ItemPicturesTest,
    testing::Values(Table{"symbol", workspace::symbolArt, workspace::kSymbolCount,
                          workspace::kSymbolDotColumns, workspace::kSymbolDotRows},
                    Table{"bitmap", workspace::predefinedBitmapArt,
                          workspace::kPredefinedBitmapCount, workspace::kBitmapDotColumns,
                          workspace::kBitmapDotRows},
                    Table{"special", workspace::specialCharacterArt,
                          workspace::kSpecialCharacterCount, workspace::kSpecialGlyphColumns,
                          workspace::kSpecialGlyphRows}),
    [](const testing::TestParamInfo<Table>& tableInfo) {
      return std::string(tableInfo.param.name);
    });

TEST(DotArtTest, LitReadsTheLinesAndIsDarkOutside) {
  const std::optional<DotArt> heart = workspace::symbolArt(0);
  ASSERT_TRUE(heart.has_value());
  EXPECT_TRUE(heart->lit(2, 0));  // "..##...##.."
  EXPECT_FALSE(heart->lit(0, 0));
  EXPECT_FALSE(heart->lit(-1, 0));
  EXPECT_FALSE(heart->lit(0, heart->rows));
  EXPECT_FALSE(heart->lit(heart->columns, 3));
}

}  // namespace
