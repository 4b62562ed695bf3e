#include "platform/typed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TypedText, StoresEveryFieldOrNoneAndNamesTheFirstRefused) {
  std::string host = "old host";
  std::string account = "old account";
  std::string password = "old password";
  // "Müller" fits Windows-1252 (ü is 0xFC); "ł" and a stray continuation byte do not.
  EXPECT_EQ(platform::storeTypedTexts(
                {{"pop.example.com", &host}, {"M\xc3\xbcller", &account}, {"\xc5\x82", &password}}),
            2u);
  EXPECT_EQ(host, "old host");
  EXPECT_EQ(account, "old account");
  EXPECT_EQ(platform::storeTypedTexts({{"\x80", &host}, {"\xc5\x82", &account}}), 0u);
  EXPECT_EQ(host, "old host");

  EXPECT_EQ(
      platform::storeTypedTexts(
          {{"pop.example.com", &host}, {"M\xc3\xbcller", &account}, {"\xe2\x82\xac", &password}}),
      3u);
  EXPECT_EQ(host, "pop.example.com");
  EXPECT_EQ(account, "M\xfcller");
  EXPECT_EQ(password, "\x80");  // the euro sign
}

}  // namespace
