#include <gtest/gtest.h>

#include "platform/cp1252.h"

TEST(Cp1252, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  ASSERT_TRUE(platform::utf8ToCp1252(platform::cp1252ToUtf8(all), &back));
  EXPECT_EQ(back, all);
}

TEST(Cp1252, ConvertsTheHighCharacters) {
  EXPECT_EQ(platform::cp1252ToUtf8("\x80\xE9"), "\u20AC\u00E9");
  std::string out;
  ASSERT_TRUE(platform::utf8ToCp1252("\u2122 caf\u00E9", &out));
  EXPECT_EQ(out, "\x99 caf\xE9");
}

TEST(Cp1252, RefusesUnrepresentableAndMalformedInput) {
  std::string out, error;
  EXPECT_FALSE(platform::utf8ToCp1252("a\u4E2D", &out, &error));
  EXPECT_NE(error.find("U+4E2D"), std::string::npos);
  EXPECT_FALSE(platform::utf8ToCp1252("\xC3", &out, &error));          // truncated sequence
  EXPECT_FALSE(platform::utf8ToCp1252("\xC0\x80", &out, &error));      // overlong
  EXPECT_FALSE(platform::utf8ToCp1252("\xED\xA0\x80", &out, &error));  // surrogate
}

TEST(Cp1252, LossyConversionKeepsWhatFitsAndMarksTheRest) {
  EXPECT_EQ(platform::utf8ToCp1252Lossy("/home/op/Daten-\u00FC/\u20AC.LST"),
            "/home/op/Daten-\xFC/\x80.LST");
  EXPECT_EQ(platform::utf8ToCp1252Lossy("a\u4E2Db"), "a?b");
  // A path that is not UTF-8: each stray byte is one '?', the rest is kept.
  EXPECT_EQ(platform::utf8ToCp1252Lossy("x\xFF\xC3y"), "x??y");
}
