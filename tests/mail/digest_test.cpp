#include <gtest/gtest.h>

#include <string>

#include "mail/base64.h"
#include "mail/cram_md5.h"
#include "mail/hmac_md5.h"
#include "mail/md5.h"

using mail::digestToHex;
using mail::hmacMd5;
using mail::md5;

TEST(Md5, Rfc1321TestSuite) {
  EXPECT_EQ(digestToHex(md5("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(digestToHex(md5("a")), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(digestToHex(md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(digestToHex(md5("message digest")), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(digestToHex(md5("abcdefghijklmnopqrstuvwxyz")), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(digestToHex(md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(digestToHex(md5("1234567890123456789012345678901234567890123456789012345678901234567"
                            "8901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecewiseUpdatesAcrossBlockAndPaddingBoundariesMatchOneShot) {
  std::string message;
  for (int i = 0; i < 300; ++i)
    message += static_cast<char>(i * 7);
  for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 300u}) {
    const std::string_view whole(message.data(), length);
    mail::Md5 hasher;
    for (size_t pos = 0; pos < length; pos += 13)
      hasher.update(whole.substr(pos, 13));
    EXPECT_EQ(hasher.finish(), md5(whole)) << length;
  }
  // finish() resets the object for the next message.
  mail::Md5 reused;
  reused.update("something else");
  (void)reused.finish();
  reused.update("abc");
  EXPECT_EQ(digestToHex(reused.finish()), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(HmacMd5, Rfc2104AndRfc2202Vectors) {
  EXPECT_EQ(digestToHex(hmacMd5(std::string(16, '\x0b'), "Hi There")),
            "9294727a3638bb1c13f48ef8158bfc9d");
  EXPECT_EQ(digestToHex(hmacMd5("Jefe", "what do ya want for nothing?")),
            "750c783e6ab0b503eaa86e310a5db738");
  EXPECT_EQ(digestToHex(hmacMd5(std::string(16, '\xaa'), std::string(50, '\xdd'))),
            "56be34521d144c88dbb8c733f0e8b3f6");
  // A key longer than the 64-byte block is hashed first.
  EXPECT_EQ(digestToHex(hmacMd5(std::string(80, '\xaa'),
                                "Test Using Larger Than Block-Size Key - Hash Key First")),
            "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd");
}

TEST(CramMd5, Rfc2195Example) {
  const std::string challenge =
      mail::base64Decode("PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+");
  EXPECT_EQ(challenge, "<1896.697170952@postoffice.reston.mci.net>");
  const std::string response = mail::cramMd5Response("tim", "tanstaaftanstaaf", challenge);
  EXPECT_EQ(response, "tim b913a602c7eda7a495b4e6e7334d3890");
  EXPECT_EQ(mail::base64Encode(response, mail::Base64Lines::kUnbroken),
            "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
}
