#include "pop3/mail_item.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using pop3::MailItem;

const platform::LocalTime kNow{2026, 12, 8, 9, 30, 5, 2, 60};

MailItem parse(const std::string& retrieved) {
  MailItem item;
  pop3::parseRetrievedMail(retrieved, kNow, &item);
  return item;
}

TEST(UndoDotStuffing, RestoresLinesOfOneDotOnly) {
  EXPECT_EQ(pop3::undoDotStuffing("..\r\nnext\r\n"), ".\r\nnext\r\n");
  EXPECT_EQ(pop3::undoDotStuffing("a\r\n..\r\nb\r\n"), "a\r\n.\r\nb\r\n");
  // Consecutive lines of one dot are each restored.
  EXPECT_EQ(pop3::undoDotStuffing("a\r\n..\r\n..\r\n..\r\n"), "a\r\n.\r\n.\r\n.\r\n");
  EXPECT_EQ(pop3::undoDotStuffing("..\r\n..\r\n"), ".\r\n.\r\n");
  // Two dots followed by other text are left as they are, at the start and later.
  EXPECT_EQ(pop3::undoDotStuffing("..abc\r\nx\r\n..def\r\n"), "..abc\r\nx\r\n..def\r\n");
  // A lone dot pair needs its line end; bare LF is no line end.
  EXPECT_EQ(pop3::undoDotStuffing("a\r\n.."), "a\r\n..");
  EXPECT_EQ(pop3::undoDotStuffing("a\n..\nb"), "a\n..\nb");
  EXPECT_EQ(pop3::undoDotStuffing(""), "");
}

TEST(ParseHeaderFields, ReadsTheFieldsInTheirChain) {
  MailItem item;
  pop3::parseHeaderFields(
      "Received: x\r\nSubject: Hello\r\nTo: A <a@x.org>, b@x.org\r\nCc: c@x.org;d@x.org\r\n"
      "Date: Mon, 7 Dec 2026\r\nFrom: f@x.org",
      &item);
  EXPECT_EQ(item.from, "f@x.org");
  ASSERT_EQ(item.to.size(), 2u);
  EXPECT_EQ(item.to[0].friendlyName, "A");
  EXPECT_EQ(item.to[1].emailAddress, "b@x.org");
  EXPECT_EQ(item.subject, "Hello");
  ASSERT_EQ(item.cc.size(), 2u);
  EXPECT_EQ(item.cc[1].emailAddress, "d@x.org");
}

TEST(ParseHeaderFields, AMissingDateLeavesSubjectAndCcEmpty) {
  MailItem item;
  pop3::parseHeaderFields("X: 1\r\nFrom: f@x.org\r\nTo: t@x.org\r\nSubject: S\r\nCc: c@x.org",
                          &item);
  EXPECT_EQ(item.from, "f@x.org");
  EXPECT_EQ(item.to.size(), 1u);
  EXPECT_EQ(item.subject, "");
  EXPECT_TRUE(item.cc.empty());
}

TEST(ParseHeaderFields, FieldsStartALine) {
  MailItem item;
  // A field on the first line is found (mails without trace fields start with From).
  pop3::parseHeaderFields("From: f@x.org\r\nTo: t@x.org\r\nDate: d\r\nSubject: S", &item);
  EXPECT_EQ(item.from, "f@x.org");
  EXPECT_EQ(item.to.size(), 1u);
  EXPECT_EQ(item.subject, "S");
  // A label inside a line is not a field.
  MailItem inside;
  pop3::parseHeaderFields("X-Note: From: f@x.org\r\nTo: t@x.org", &inside);
  EXPECT_EQ(inside.from, "");
  // Labels are matched exactly: "Subject:" without its blank, or in other case, is not it.
  MailItem other;
  pop3::parseHeaderFields("X: 1\r\nFrom: f\r\nTo: t@x.org\r\nDate: d\r\nsubject: S", &other);
  EXPECT_EQ(other.from, "f");
  EXPECT_EQ(other.subject, "");
}

TEST(ParseRetrievedMail, SplitsStatusLineHeaderAndBody) {
  MailItem item = parse(
      "+OK 99 octets\r\nX: 1\r\nFrom: f@x.org\r\nTo: t@x.org\r\nDate: d\r\nSubject: S\r\n\r\n"
      "line 1\r\n\r\nline 3\r\n.\r\n");
  EXPECT_EQ(item.header, "X: 1\r\nFrom: f@x.org\r\nTo: t@x.org\r\nDate: d\r\nSubject: S");
  EXPECT_EQ(item.body, "line 1\r\n\r\nline 3\r\n");
  EXPECT_EQ(item.subject, "S");
  EXPECT_EQ(item.receiveTime.second, 5);
  EXPECT_EQ(item.receiveTime.year, 2026);
}

TEST(ParseRetrievedMail, OddShapesStayInsideTheText) {
  // No blank line: all of it is header.
  MailItem noBody = parse("+OK\r\nX: 1\r\nFrom: f\r\n.\r\n");
  EXPECT_EQ(noBody.header, "X: 1\r\nFrom: f\r\n");
  EXPECT_EQ(noBody.body, "");
  EXPECT_EQ(noBody.from, "f");
  // An empty mail.
  MailItem empty = parse("+OK\r\n.\r\n");
  EXPECT_EQ(empty.header, "");
  EXPECT_EQ(empty.body, "");
  // Bytes after the end mark are not part of the mail.
  MailItem trailing = parse("+OK\r\nX: 1\r\n\r\nbody\r\n.\r\n+OK extra\r\n");
  EXPECT_EQ(trailing.body, "body\r\n");
  // No status line end at all.
  MailItem cut = parse("+OK");
  EXPECT_EQ(cut.header, "");
  // A body of one stuffed dot line right after the header.
  MailItem dot = parse("+OK\r\nX: 1\r\n\r\n..\r\n.\r\n");
  EXPECT_EQ(dot.body, ".\r\n");
}

// Random and mutated server output must be taken apart without reading outside the text (the
// sanitizer build checks that) and without inventing bytes.
TEST(ParseRetrievedMail, SurvivesRandomAndMutatedInput) {
  const std::string seed =
      "+OK\r\nX: 1\r\nFrom: a <a@b>\r\nTo: x@y, \"q\" <z@w>;\r\nDate: d\r\nSubject: s\r\n"
      "Cc: <>\r\n\r\n..\r\nbody\r\n..x\r\n.\r\n";
  std::mt19937 rng(4711);
  const std::string alphabet = "\r\n.:<>,; aFromToDateSubjectCc";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      const size_t len = rng() % 120;
      for (size_t i = 0; i < len; ++i)
        text += alphabet[rng() % alphabet.size()];
    } else {
      text = seed.substr(0, rng() % (seed.size() + 1));
      for (int flips = rng() % 4; flips > 0 && !text.empty(); --flips)
        text[rng() % text.size()] = alphabet[rng() % alphabet.size()];
    }
    MailItem item = parse(text);
    EXPECT_LE(item.header.size() + item.body.size(), text.size());
    EXPECT_LE(item.from.size(), item.header.size());
    EXPECT_LE(item.subject.size(), item.header.size());
  }
}

}  // namespace
