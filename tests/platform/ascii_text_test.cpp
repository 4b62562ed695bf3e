#include <gtest/gtest.h>

#include "platform/ascii_text.h"

using platform::equalsIgnoreCase;
using platform::trimSpaces;

TEST(AsciiText, TrimsWhiteSpaceAtBothEndsOnly) {
  EXPECT_EQ(trimSpaces(" \t key = value \r\n"), "key = value");
  EXPECT_EQ(trimSpaces("\v\f"), "");
  EXPECT_EQ(trimSpaces(""), "");
  // A no-break space (0xA0) and other Windows-1252 letters are text, not white space.
  EXPECT_EQ(trimSpaces("\xA0name\xA0"), "\xA0name\xA0");
}

TEST(AsciiText, ComparesAsciiLettersWithoutCase) {
  EXPECT_TRUE(equalsIgnoreCase("Parity", "pARITY"));
  EXPECT_FALSE(equalsIgnoreCase("baud", "bauds"));
  EXPECT_FALSE(equalsIgnoreCase("[a]", "{A}"));  // punctuation is not folded
  // Windows-1252 letters keep their case: 0xC4 is not 0xE4.
  EXPECT_FALSE(equalsIgnoreCase("\xC4", "\xE4"));
}
