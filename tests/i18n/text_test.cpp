#include <gtest/gtest.h>

#include "i18n/cp1252.h"
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

TEST(Cp1252, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  ASSERT_TRUE(i18n::utf8ToCp1252(i18n::cp1252ToUtf8(all), &back));
  EXPECT_EQ(back, all);
}

TEST(Cp1252, ConvertsTheHighCharacters) {
  EXPECT_EQ(i18n::cp1252ToUtf8("\x80\xE9"), "\u20AC\u00E9");
  std::string out;
  ASSERT_TRUE(i18n::utf8ToCp1252("\u2122 caf\u00E9", &out));
  EXPECT_EQ(out, "\x99 caf\xE9");
}

TEST(Cp1252, RefusesUnrepresentableAndMalformedInput) {
  std::string out, error;
  EXPECT_FALSE(i18n::utf8ToCp1252("a\u4E2D", &out, &error));
  EXPECT_NE(error.find("U+4E2D"), std::string::npos);
  EXPECT_FALSE(i18n::utf8ToCp1252("\xC3", &out, &error));          // truncated sequence
  EXPECT_FALSE(i18n::utf8ToCp1252("\xC0\x80", &out, &error));      // overlong
  EXPECT_FALSE(i18n::utf8ToCp1252("\xED\xA0\x80", &out, &error));  // surrogate
}
