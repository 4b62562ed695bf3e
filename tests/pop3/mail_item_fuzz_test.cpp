// Random and mutated mail text fed to the header and body parsers that read what a POP3 server
// sends. The parsers must never read outside the text (the sanitizer build checks that), never
// invent bytes and never produce more than they were given.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "mail/mail_address.h"
#include "pop3/mail_item.h"

namespace {

using pop3::MailItem;

const platform::LocalTime kNow{2026, 12, 8, 9, 30, 5, 2, 60};

// Seeds that exercise every branch of the parsers: all fields, fields missing from the chain,
// fields on the first line, stuffed dot lines, end marks in odd places.
const std::vector<std::string>& seeds() {
  static const std::vector<std::string> kSeeds = {
      "+OK 120 octets\r\nReturn-Path: <a@b>\r\nFrom: \"A\" <a@b>\r\nTo: x@y, \"Q\" <z@w>; v@w\r\n"
      "Date: Tue, 8 Dec 2026 09:30:05 +0100\r\nSubject: =?windows-1252?Q?Gr=FC=DFe?=\r\n"
      "Cc: <c@d>;,\r\n\r\n..\r\nbody\r\n..x\r\n..\r\n.\r\n",
      "+OK\r\nFrom: a\r\nSubject: no To or Date\r\n\r\nx\r\n.\r\n",
      "From: on the first line\r\nTo: b\r\n\r\n..\r\n",
      "+OK\r\n\r\n\r\n.\r\n.\r\n",
      "+OK\r\nX: 1\r\nTo: <>\r\nCc: ,;,; <> , a <b>\r\n\r\n",
      "+OK\r\n..\r\n..\r\n\r\n..\r\n..\r\n",
  };
  return kSeeds;
}

char randomByte(std::mt19937& rng) {
  static const std::string kInteresting = "\r\n.:<>,;\" \t=?FromToDateSubjectCc+OK";
  if (rng() % 4 == 0) return static_cast<char>(rng() % 256);
  return kInteresting[rng() % kInteresting.size()];
}

// A seed cut, flipped, spliced and extended at random.
std::string mutate(std::mt19937& rng) {
  std::string text = seeds()[rng() % seeds().size()];
  const int edits = 1 + rng() % 6;
  for (int e = 0; e < edits; ++e) {
    const size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
    switch (rng() % 5) {
      case 0:
        if (!text.empty() && at < text.size()) text[at] = randomByte(rng);
        break;
      case 1:
        text.insert(at, 1, randomByte(rng));
        break;
      case 2:
        text.erase(at, rng() % 8);
        break;
      case 3:
        text.insert(at, rng() % 2 ? "\r\n..\r\n" : "\r\n\r\n");
        break;
      default: {
        const std::string& other = seeds()[rng() % seeds().size()];
        const size_t from = rng() % (other.size() + 1);
        text.insert(at, other.substr(from, rng() % 40));
        break;
      }
    }
  }
  return text;
}

std::string randomText(std::mt19937& rng, size_t maxLength) {
  std::string text;
  const size_t length = rng() % (maxLength + 1);
  for (size_t i = 0; i < length; ++i)
    text += randomByte(rng);
  return text;
}

size_t countNonDots(const std::string& text) {
  return text.size() - static_cast<size_t>(std::count(text.begin(), text.end(), '.'));
}

bool isSubsequence(const std::string& part, const std::string& whole) {
  size_t at = 0;
  for (char c : part) {
    at = whole.find(c, at);
    if (at == std::string::npos) return false;
    ++at;
  }
  return true;
}

void expectAddressesBounded(const std::vector<mail::MailAddress>& list, const std::string& header) {
  EXPECT_LE(list.size(), header.size());
  for (const mail::MailAddress& address : list) {
    EXPECT_FALSE(address.emailAddress.empty());
    EXPECT_LE(address.friendlyName.size() + address.emailAddress.size(), header.size());
  }
}

void checkParsedMail(const std::string& text) {
  MailItem item;
  pop3::parseRetrievedMail(text, kNow, &item);
  ASSERT_LE(item.header.size() + item.body.size(), text.size());
  // The header is taken from the text unchanged; the body only loses dots.
  EXPECT_NE(text.find(item.header), std::string::npos);
  EXPECT_TRUE(isSubsequence(item.body, text));
  EXPECT_NE(item.header.find(item.from), std::string::npos);
  EXPECT_NE(item.header.find(item.subject), std::string::npos);
  expectAddressesBounded(item.to, item.header);
  expectAddressesBounded(item.cc, item.header);
  EXPECT_EQ(item.receiveTime.year, kNow.year);
}

TEST(MailItemFuzz, MutatedMailsParseWithinBounds) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 6000; ++round) {
    SCOPED_TRACE(round);
    checkParsedMail(round % 3 == 0 ? randomText(rng, 300) : mutate(rng));
    if (HasFatalFailure()) return;
  }
}

TEST(MailItemFuzz, HeaderFieldsStayInsideTheHeader) {
  std::mt19937 rng(31337);
  for (int round = 0; round < 6000; ++round) {
    SCOPED_TRACE(round);
    const std::string header = round % 2 ? randomText(rng, 200) : mutate(rng);
    MailItem item;
    pop3::parseHeaderFields(header, &item);
    EXPECT_NE(header.find(item.from), std::string::npos);
    EXPECT_NE(header.find(item.subject), std::string::npos);
    // Values are the rest of one line: they never hold a line end.
    EXPECT_EQ(item.from.find("\r\n"), std::string::npos);
    EXPECT_EQ(item.subject.find("\r\n"), std::string::npos);
    expectAddressesBounded(item.to, header);
    expectAddressesBounded(item.cc, header);
  }
}

TEST(MailItemFuzz, UndoingDotStuffingOnlyRemovesDots) {
  std::mt19937 rng(4096);
  for (int round = 0; round < 6000; ++round) {
    SCOPED_TRACE(round);
    const std::string body = round % 2 ? randomText(rng, 200) : mutate(rng);
    const std::string plain = pop3::undoDotStuffing(body);
    EXPECT_LE(plain.size(), body.size());
    EXPECT_EQ(countNonDots(plain), countNonDots(body));
    EXPECT_TRUE(isSubsequence(plain, body));
  }
}

// A large mail of many stuffed lines and header fields goes through in one piece (and quickly:
// the parsers must stay linear in the size of the mail).
TEST(MailItemFuzz, LargeMailParsesWhole) {
  std::string text = "+OK\r\n";
  for (int i = 0; i < 20000; ++i)
    text += "X-Field: value\r\n";
  text += "From: a\r\nTo: b\r\nDate: d\r\nSubject: s\r\n\r\n";
  std::string body;
  for (int i = 0; i < 100000; ++i)
    body += i % 2 ? "..\r\n" : "line\r\n";
  text += body + ".\r\n";
  MailItem item;
  pop3::parseRetrievedMail(text, kNow, &item);
  EXPECT_EQ(item.from, "a");
  EXPECT_EQ(item.subject, "s");
  EXPECT_EQ(item.body.size(), body.size() - 50000);
}

TEST(AddressListFuzz, ArbitraryListsGiveBoundedAddresses) {
  std::mt19937 rng(555);
  for (int round = 0; round < 6000; ++round) {
    const std::string list = randomText(rng, 120);
    const std::vector<mail::MailAddress> addresses = mail::parseAddressList(list);
    EXPECT_LE(addresses.size(), list.size() / 1 + 1);
    for (const mail::MailAddress& address : addresses) {
      EXPECT_FALSE(address.emailAddress.empty());
      EXPECT_NE(list.find(address.emailAddress), std::string::npos);
      EXPECT_NE(list.find(address.friendlyName), std::string::npos);
    }
  }
}

}  // namespace
