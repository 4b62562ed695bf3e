#include "addressbook/sign_addresses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using addressbook::expandSignAddresses;
using addressbook::validateSignAddresses;

namespace {

std::vector<int> expand(const std::string& text) {
  std::vector<int> out;
  for (uint8_t a : expandSignAddresses(text))
    out.push_back(a);
  return out;
}

std::vector<int> countingFrom(int first, int n) {
  std::vector<int> out;
  for (int i = 0; i < n; ++i)
    out.push_back(first + i);
  return out;
}

std::string refusal(const std::string& text) {
  const platform::Status status = validateSignAddresses(text);
  EXPECT_EQ(status.code(), platform::Status::Code::kRefused) << text;
  return status.message();
}

}  // namespace

TEST(ExpandSignAddresses, NumbersAndRangesInTextOrder) {
  EXPECT_EQ(expand("1,3,5-7"), (std::vector<int>{1, 3, 5, 6, 7}));
  EXPECT_EQ(expand("9-7"), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(expand("4-4"), (std::vector<int>{4}));
  EXPECT_EQ(expand("2,2,1-2"), (std::vector<int>{2, 2, 1, 2}));  // duplicates kept
  EXPECT_EQ(expand("0"), (std::vector<int>{0}));
}

TEST(ExpandSignAddresses, EmptyItemsAreSkipped) {
  EXPECT_EQ(expand("1,,2"), (std::vector<int>{1, 2}));
  EXPECT_EQ(expand(",1,"), (std::vector<int>{1}));
  EXPECT_TRUE(expand("").empty());
  EXPECT_TRUE(expand(",,,").empty());
}

TEST(ExpandSignAddresses, NumbersAreReadFromLeadingDigits) {
  // Missing or non-numeric parts read as 0; a range is split at its first "-".
  EXPECT_EQ(expand("-3"), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(expand("2-"), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(expand("x"), (std::vector<int>{0}));
  EXPECT_EQ(expand("12ab"), (std::vector<int>{12}));
  EXPECT_EQ(expand("1-2-3"), (std::vector<int>{1, 2}));
  // Blanks before a number are skipped, so "1, 2" is not read as 1 and 0 (every sign).
  EXPECT_EQ(expand("1, 2,\t3- 4"), (std::vector<int>{1, 2, 3, 4}));
}

TEST(ExpandSignAddresses, StopsAt128Addresses) {
  EXPECT_EQ(expand("0-300"), countingFrom(0, 128));
  EXPECT_EQ(expand("300-0"), countingFrom(0, 128));
  // A number after the limit stops the expansion; a range adds nothing more.
  EXPECT_EQ(expand("0-127,200,1-5"), countingFrom(0, 128));
  std::string many;
  for (int i = 0; i < 200; ++i)
    many += std::to_string(i % 100) + ",";
  EXPECT_EQ(expandSignAddresses(many).size(), 128u);
  // 120 single numbers, then a range fills the last eight places.
  std::string mixed;
  for (int i = 0; i < 120; ++i)
    mixed += "9,";
  mixed += "20-40";
  const std::vector<int> got = expand(mixed);
  ASSERT_EQ(got.size(), 128u);
  EXPECT_EQ(std::vector<int>(got.begin() + 120, got.end()), countingFrom(20, 8));
}

TEST(ExpandSignAddresses, LargeNumbersKeepTheirLowByteAndNeverOverflow) {
  EXPECT_EQ(expand("256,300,511"), (std::vector<int>{0, 44, 255}));
  EXPECT_EQ(expand("254-257"), (std::vector<int>{254, 255, 0, 1}));
  // Far past 64 bits: saturates, and the range is cut at 128 without walking it.
  EXPECT_EQ(expand("99999999999999999999999999").size(), 1u);
  EXPECT_EQ(expand("0-99999999999999999999999999").size(), 128u);
  EXPECT_EQ(expand("18446744073709551615-99999999999999999999999"), (std::vector<int>{255}));
}

TEST(ValidateSignAddresses, AcceptsWellFormedLists) {
  for (const char* text : {"1-3,5", "0", "255,0-255", "1, 2", "1"}) {
    const platform::Status status = validateSignAddresses(text);
    EXPECT_TRUE(status.ok()) << text;
    EXPECT_EQ(status.message(), "") << text;
  }
}

TEST(ValidateSignAddresses, RefusesMalformedListsWithTheirMessage) {
  EXPECT_EQ(refusal(""), "Please input address of Signs which will receive message");
  EXPECT_EQ(refusal(",1"), "The first char must be a number,please re-enter!");
  EXPECT_EQ(refusal("-1"), "The first char must be a number,please re-enter!");
  EXPECT_EQ(refusal("1-"), "The last char must be a number,please re-enter!");
  EXPECT_EQ(refusal("1,"), "The last char must be a number,please re-enter!");
  EXPECT_EQ(refusal("1,-2"), "The address is invalidation,please re-enter!");
  EXPECT_EQ(refusal("1,,2"), "The address is invalidation,please re-enter!");
  EXPECT_EQ(refusal("1--2"), "The address is invalidation,please re-enter!");
  EXPECT_EQ(refusal("1-,2"), "The address is invalidation,please re-enter!");
  // The checks run in order: the first character is judged before the neighbours.
  EXPECT_EQ(refusal(",,1"), "The first char must be a number,please re-enter!");
  EXPECT_EQ(refusal(","), "The first char must be a number,please re-enter!");
}

TEST(ValidateSignAddresses, RefusesAddressesAboveOneByte) {
  const std::string above = "The address must be a number from 0 to 255,please re-enter!";
  EXPECT_EQ(refusal("256"), above);
  EXPECT_EQ(refusal("1,0-300"), above);
  EXPECT_EQ(refusal("99999999999999999999999"), above);
  EXPECT_TRUE(validateSignAddresses("0255").ok());  // leading zeros are fine
}

// A letter, a lone blank or a stray item used to expand to 0, the address every sign answers to.
TEST(ValidateSignAddresses, RefusesAnythingButNumbersCommasAndRanges) {
  const std::string bad =
      "The address may hold only numbers, blanks, commas and hyphens, as in 1,3,5-7,please "
      "re-enter!";
  for (const char* text : {"a", "1,a", "1, ,2", " ", "1 2", "1-2-3", "1;2", "1.5", "x-3", "+1"})
    EXPECT_EQ(refusal(text), bad) << text;
  // Blanks around the numbers stay allowed.
  for (const char* text : {" 1 , 2 - 4 ", "1,\t3"})
    EXPECT_TRUE(validateSignAddresses(text).ok()) << text;
  // The earlier checks keep their order and texts.
  EXPECT_EQ(refusal("a,"), "The last char must be a number,please re-enter!");
  EXPECT_EQ(refusal("a,,1"), "The address is invalidation,please re-enter!");
  EXPECT_EQ(refusal("300,a"), bad);
}
