#include <gtest/gtest.h>

#include "platform/cp1252.h"

TEST(Cp1252, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all.push_back(static_cast<char>(b));
  const platform::Result<std::string> back = platform::utf8ToCp1252(platform::cp1252ToUtf8(all));
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, all);
}

TEST(Cp1252, ConvertsTheHighCharacters) {
  EXPECT_EQ(platform::cp1252ToUtf8("\x80\xE9"), "\u20AC\u00E9");
  const platform::Result<std::string> out = platform::utf8ToCp1252("\u2122 caf\u00E9");
  ASSERT_TRUE(out.ok());
  EXPECT_EQ(*out, "\x99 caf\xE9");
}

TEST(Cp1252, RefusesUnrepresentableAndMalformedInput) {
  const platform::Result<std::string> wide = platform::utf8ToCp1252("a\u4E2D");
  EXPECT_FALSE(wide.ok());
  EXPECT_NE(wide.message().find("U+4E2D"), std::string::npos);
  EXPECT_FALSE(platform::utf8ToCp1252("\xC3").ok());          // truncated sequence
  EXPECT_FALSE(platform::utf8ToCp1252("\xC0\x80").ok());      // overlong
  EXPECT_FALSE(platform::utf8ToCp1252("\xED\xA0\x80").ok());  // surrogate
}

TEST(Cp1252, LossyConversionKeepsWhatFitsAndMarksTheRest) {
  EXPECT_EQ(platform::utf8ToCp1252Lossy("/home/op/Daten-\u00FC/\u20AC.LST"),
            "/home/op/Daten-\xFC/\x80.LST");
  EXPECT_EQ(platform::utf8ToCp1252Lossy("a\u4E2Db"), "a?b");
  // A path that is not UTF-8: each stray byte is one '?', the rest is kept.
  EXPECT_EQ(platform::utf8ToCp1252Lossy("x\xFF\xC3y"), "x??y");
}
