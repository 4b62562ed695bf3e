#include "platform/whole_number.h"

#include <gtest/gtest.h>

namespace {

TEST(WholeNumber, DigitsInRangeWithBlanksAroundAndNothingElse) {
  EXPECT_EQ(platform::parseWholeNumber(" 5005 ", 1, 65535), 5005);
  EXPECT_EQ(platform::parseWholeNumber("65535", 1, 65535), 65535);
  EXPECT_EQ(platform::parseWholeNumber("0", 0, 10), 0);
  for (const char* bad :
       {"", "   ", "65536", "0", "-1", "+1", "1.5", "12ab", "1 2", "99999999999999999999"})
    EXPECT_FALSE(platform::parseWholeNumber(bad, 1, 65535)) << bad;
}

}  // namespace
