#include <gtest/gtest.h>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

using i18n::formatText;

TEST(StringTable, IsSortedUniqueAndInsideTheLanguageFileRanges) {
  const auto& table = i18n::builtinStrings();
  for (size_t i = 0; i < table.size(); ++i) {
    const int id = table[i].id;
    EXPECT_TRUE((id >= 108 && id <= 128) || (id >= 32797 && id <= 33208)) << id;
    if (i > 0) {
      EXPECT_LT(table[i - 1].id, id);
    }
  }
}

TEST(StringTable, LanguageLookupOverridesAndFallsBackOnEmpty) {
  EXPECT_EQ(i18n::text(i18n::IDS_CAPTION_WARNING), "Warning!");
  i18n::setLanguageLookup([](int id) { return id == 32897 ? std::string("Rot") : std::string(); });
  EXPECT_EQ(i18n::text(32897), "Rot");
  EXPECT_EQ(i18n::text(32898), "Bright Red");
  i18n::setLanguageLookup({});
  EXPECT_EQ(i18n::text(32897), "Red");
  EXPECT_EQ(i18n::text(1), "");
}

TEST(TextFormat, FillsConversionsByType) {
  EXPECT_EQ(formatText("The version of file '%s' is %d.", {std::string("a.SDV"), 32LL}),
            "The version of file 'a.SDV' is 32.");
  EXPECT_EQ(formatText("%02d|%-4s|%4d|%x|%c|100%%", {5LL, std::string("ab"), -3LL, 255LL, 65LL}),
            "05|ab  |  -3|ff|A|100%");
  EXPECT_EQ(formatText("%.2s", {std::string("abcdef")}), "ab");
}

TEST(TextFormat, MissingArgumentsAndUnknownConversionsAreKeptAsText) {
  // A language file may carry more conversions than the program supplies.
  EXPECT_EQ(formatText("%s and %s and %n", {std::string("one")}), "one and %s and %n");
  EXPECT_EQ(formatText("trailing %", {}), "trailing %");
  EXPECT_EQ(formatText("%d", {std::string("12abc")}), "12");
}
