#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mail/smtp_reply.h"

using mail::smtpReplyComplete;
using mail::smtpReplyHasCode;
using mail::smtpReplyLineCode;
using mail::smtpReplyOffers;

TEST(SmtpReply, CompleteWhenEndedByTheTerminatorOrLf) {
  EXPECT_FALSE(smtpReplyComplete("", "\r\n", false));
  EXPECT_FALSE(smtpReplyComplete("220 ready", "\r\n", false));
  EXPECT_TRUE(smtpReplyComplete("220 ready\r\n", "\r\n", false));
  EXPECT_TRUE(smtpReplyComplete("220 ready\n", "\r\n", false));
  // A line whose code is followed by '-' is not the last one of its reply.
  EXPECT_FALSE(smtpReplyComplete("220-first\r\n", "\r\n", false));
  EXPECT_FALSE(smtpReplyComplete("220-first\r\n220-more\n", "\r\n", false));
  EXPECT_FALSE(smtpReplyComplete("220-first\r\n220 last", "\r\n", false));
  EXPECT_TRUE(smtpReplyComplete("220-first\r\n220 last\r\n", "\r\n", false));
  EXPECT_TRUE(smtpReplyComplete("220\r\n", "\r\n", false));
  // EHLO: a reply spread over packets is complete only once a "250 " line has arrived.
  EXPECT_FALSE(smtpReplyComplete("250-host\r\n250-SIZE\r\n", "\r\n", true));
  EXPECT_TRUE(smtpReplyComplete("250-host\r\n250 AUTH LOGIN\r\n", "\r\n", true));
}

TEST(SmtpReply, AnyLineMayCarryTheExpectedCode) {
  int code = -1;
  EXPECT_TRUE(smtpReplyHasCode("250 OK\r\n", "\r\n", 250, &code));
  EXPECT_EQ(code, 250);
  EXPECT_TRUE(smtpReplyHasCode("100-wait\r\n220 ready\r\n", "\r\n", 220, &code));
  EXPECT_EQ(code, 220);
  EXPECT_FALSE(smtpReplyHasCode("550 no\r\n551 no\r\n", "\r\n", 250, &code));
  EXPECT_EQ(code, 551);
  EXPECT_FALSE(smtpReplyHasCode("", "\r\n", 250, &code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(smtpReplyLineCode("25x"), 25);
  EXPECT_EQ(smtpReplyLineCode("x250"), 0);
  EXPECT_EQ(smtpReplyLineCode("2"), 2);
  EXPECT_EQ(smtpReplyLineCode("2501"), 250);
}

// Random and mutated replies never crash or read outside the text (run under the sanitizers).
TEST(SmtpReply, ArbitraryBytesAreHandledSafely) {
  std::mt19937 rng(4242);
  static const char kBytes[] = "0123456789 -\r\n250354xZ\0\xff";
  const std::string alphabet(kBytes, sizeof kBytes - 1);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const size_t length = rng() % 40;
    for (size_t i = 0; i < length; ++i)
      text += alphabet[rng() % alphabet.size()];
    int code = 0;
    const bool found = smtpReplyHasCode(text, "\r\n", 250, &code);
    if (found) {
      EXPECT_EQ(code, 250);
    }
    EXPECT_GE(code, 0);
    EXPECT_LE(code, 999);
    (void)smtpReplyComplete(text, "\r\n", round % 2 == 0);
    (void)smtpReplyHasCode(text, "", 250, &code);
  }
}

// Multi-line replies cut at random points, as they arrive over several packets.
TEST(SmtpReplyFuzz, TruncatedMultiLineRepliesAreSafe) {
  const std::string reply =
      "250-mail.example Hello\r\n250-AUTH LOGIN CRAM-MD5\r\n250-SIZE 10240000\r\n250 HELP\r\n";
  std::mt19937 rng(8080);
  for (int round = 0; round < 6000; ++round) {
    std::string text = reply.substr(0, rng() % (reply.size() + 1));
    for (int flips = rng() % 3; flips > 0 && !text.empty(); --flips)
      text[rng() % text.size()] = static_cast<char>(rng() % 256);
    int code = -1;
    const bool found = smtpReplyHasCode(text, "\r\n", 250, &code);
    EXPECT_GE(code, 0);
    EXPECT_LE(code, 999);
    if (found) {
      EXPECT_EQ(code, 250);
    }
    (void)smtpReplyComplete(text, "\r\n", true);
    (void)smtpReplyLineCode(text);
  }
}

// STARTTLS is found on any line of the EHLO reply as a whole keyword, in any case; a longer word
// or the word in another line's parameters is no offer.
TEST(SmtpReplyOffers, FindsTheExtensionKeywordOnAnyLine) {
  EXPECT_TRUE(smtpReplyOffers("250-mail.example\r\n250-STARTTLS\r\n250 HELP\r\n", "STARTTLS"));
  EXPECT_TRUE(smtpReplyOffers("250-mail.example\r\n250 starttls\r\n", "STARTTLS"));
  EXPECT_TRUE(smtpReplyOffers("250-mail.example\n250 STARTTLS", "STARTTLS"));
  EXPECT_FALSE(smtpReplyOffers("250-mail.example\r\n250 STARTTLSX\r\n", "STARTTLS"));
  EXPECT_FALSE(smtpReplyOffers("250-mail.example STARTTLS\r\n250 HELP\r\n", "STARTTLS"));
  EXPECT_FALSE(smtpReplyOffers("250-AUTH LOGIN STARTTLS\r\n250 HELP\r\n", "STARTTLS"));
  EXPECT_FALSE(smtpReplyOffers("", "STARTTLS"));
  EXPECT_FALSE(smtpReplyOffers("250\r\n", "STARTTLS"));
}
