#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mail/base64.h"
#include "mail/mail_address.h"
#include "mail/mail_date.h"
#include "mail/mime_body_part.h"
#include "mail/smtp_message.h"
#include "platform/local_clock.h"
#include "tests/support/hex_text.h"
#include "tests/support/run_command.h"
#include "tests/support/sign_mail_text.h"
#include "tests/support/temp_dir.h"

using mail::MailAddress;
using mail::MailPriority;
using mail::MimeBodyPart;
using mail::RecipientField;
using mail::SmtpMessage;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

platform::LocalTime fixedTime(int utcOffsetMinutes) {
  platform::LocalTime t;
  t.year = 2026;
  t.month = 3;
  t.day = 7;
  t.hour = 9;
  t.minute = 5;
  t.second = 4;
  t.weekday = 6;
  t.utcOffsetMinutes = utcOffsetMinutes;
  return t;
}

std::string binaryBytes(size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i)
    bytes += static_cast<char>((i * 131 + 7) & 0xFF);
  return bytes;
}

// The sign-data mail as the sending side builds it.
void buildSignDataMail(SmtpMessage* m, const std::string& serverName, const std::string& mailbox,
                       const std::string& attachments) {
  m->setMime(false);
  m->setCharset("iso-8859-1");
  m->setPriority(MailPriority::kHigh);
  m->addRecipients(mailbox, RecipientField::kTo);
  m->setSubject("Data for Z2500 series");
  m->setTextBody("Data for Z2500 series");
  m->addAttachments(attachments);
  m->setFrom(MailAddress(serverName, "sender@example.org"));
  m->setXMailer("");
}

std::string hex(const std::string& bytes) {
  return testing_support::lowerHex(bytes);
}

}  // namespace

TEST(MailAddress, ParsesNameAndAddressOrTakesTheWholeTextAsAddress) {
  EXPECT_EQ(MailAddress::parse("  Sign Room <sign@example.org>  "),
            MailAddress("Sign Room", "sign@example.org"));
  EXPECT_EQ(MailAddress::parse("<a@b>"), MailAddress("", "a@b"));
  EXPECT_EQ(MailAddress::parse(" plain@example.org "), MailAddress("", "plain@example.org"));
  // Nothing between the brackets, or ">" before "<": the whole text is the address.
  EXPECT_EQ(MailAddress::parse("Name <>"), MailAddress("", "Name <>"));
  EXPECT_EQ(MailAddress::parse("x> y <z"), MailAddress("", "x> y <z"));
  EXPECT_EQ(MailAddress::parse("   "), MailAddress("", ""));
}

TEST(MailAddress, ListsSplitAtCommaAndSemicolonAndDropEmptyItems) {
  const auto list = mail::parseAddressList("a@x; B <b@y>,, ;c@z;");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], MailAddress("", "a@x"));
  EXPECT_EQ(list[1], MailAddress("B", "b@y"));
  EXPECT_EQ(list[2], MailAddress("", "c@z"));
  EXPECT_TRUE(mail::parseAddressList("").empty());
}

TEST(MailAddress, RegularFormEncodesTheNameOnlyWhenNeeded) {
  EXPECT_EQ(MailAddress("", "a@x").regularForm("iso-8859-1"), "a@x");
  EXPECT_EQ(MailAddress("Sign Room", "a@x").regularForm("iso-8859-1"), "Sign Room <a@x>");
  EXPECT_EQ(MailAddress("Caf\xe9", "a@x").regularForm("iso-8859-1"),
            "=?iso-8859-1?q?Caf=E9?= <a@x>");
}

TEST(MailDate, ZoneOffsetCarriesSignHoursAndMinutes) {
  EXPECT_EQ(mail::formatMailDate(fixedTime(480)), "Sat, 07 Mar 2026 09:05:04 +0800");
  EXPECT_EQ(mail::formatMailDate(fixedTime(-300)), "Sat, 07 Mar 2026 09:05:04 -0500");
  // Daylight time west of UTC (the clock's offset includes the daylight bias).
  EXPECT_EQ(mail::formatMailDate(fixedTime(-240)), "Sat, 07 Mar 2026 09:05:04 -0400");
  EXPECT_EQ(mail::formatMailDate(fixedTime(330)), "Sat, 07 Mar 2026 09:05:04 +0530");
  EXPECT_EQ(mail::formatMailDate(fixedTime(-210)), "Sat, 07 Mar 2026 09:05:04 -0330");
  EXPECT_EQ(mail::formatMailDate(fixedTime(-30)), "Sat, 07 Mar 2026 09:05:04 -0030");
  EXPECT_EQ(mail::formatMailDate(fixedTime(0)), "Sat, 07 Mar 2026 09:05:04 +0000");
}

TEST(MimeBodyPart, TextLineEndsAreNormalisedAndCopiesKeepBoundaries) {
  MimeBodyPart part;
  part.setContentType("x/y");
  part.setText("a\r\nb\rc\nd");
  EXPECT_EQ(part.text(), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(part.contentType(), "text/plain");
  EXPECT_EQ(part.boundary().size(), 36u);
  EXPECT_EQ(part.boundary()[8], '-');

  part.addChild(std::make_unique<MimeBodyPart>());
  const MimeBodyPart copy(part);
  EXPECT_EQ(copy.boundary(), part.boundary());
  ASSERT_EQ(copy.children().size(), 1u);
  EXPECT_EQ(copy.children()[0]->boundary(), part.children()[0]->boundary());
  EXPECT_EQ(copy.children()[0]->parent(), &copy);
  EXPECT_NE(MimeBodyPart().boundary(), MimeBodyPart().boundary());
}

TEST(SmtpMessage, SignDataMailMatchesTheEnvelopeByteForByte) {
  TempDir dir;
  const std::string bin = dir.file("Z2500260307090504.bin");
  const std::string data = binaryBytes(100);
  writeFile(bin, data);
  SmtpMessage m;
  buildSignDataMail(&m, "Head Office", "sign@example.org; second@example.org", bin);
  const platform::FixedClock clock(fixedTime(-240));
  std::string rendered;
  mail::RenderError error;
  ASSERT_TRUE(m.render(clock, &rendered, &error)) << error.text;

  const std::string b = m.root().boundary();
  const std::string expected = testing_support::expectedSignDataMail(
      "Head Office <sender@example.org>", "sign@example.org,second@example.org", b,
      "Sat, 07 Mar 2026 09:05:04 -0400", "Z2500260307090504.bin",
      mail::base64Encode(data, mail::Base64Lines::kMailLines));
  EXPECT_EQ(rendered, expected);
  ASSERT_EQ(m.to().size(), 2u);
}

TEST(SmtpMessage, TwoAttachmentsAndATextBodyFormOneMultipartTree) {
  TempDir dir;
  writeFile(dir.file("one.bin"), "1");
  writeFile(dir.file("two.dat"), "");
  SmtpMessage m;
  m.setTextBody("hello");
  EXPECT_EQ(m.addAttachments(dir.file("one.bin") + " ; " + dir.file("missing") + "," +
                             dir.file("two.dat") + ";" + dir.path()),
            2);
  ASSERT_TRUE(m.mime());
  const auto& children = m.root().children();
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0]->contentType(), "text/plain");
  EXPECT_EQ(children[1]->title(), "one.bin");
  EXPECT_EQ(children[2]->title(), "two.dat");
  // The body goes to the existing text part rather than a new one.
  m.setTextBody("changed");
  EXPECT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0]->text(), "changed");

  std::string rendered;
  mail::RenderError error;
  ASSERT_TRUE(m.render(platform::FixedClock(fixedTime(0)), &rendered, &error));
  const std::string b = m.root().boundary();
  EXPECT_NE(rendered.find("Content-Type: multipart/mixed; boundary=\"" + b + "\"\r\n"),
            std::string::npos);
  for (const auto& child : children)
    EXPECT_EQ(child->header().find("\r\n--" + b + "\r\n") <= 2, true);
  EXPECT_EQ(rendered.substr(rendered.size() - b.size() - 6), "\r\n--" + b + "--");
  // The empty file gives an empty body: its header's empty line is followed by the closing line.
  EXPECT_NE(rendered.find("filename=\"two.dat\"\r\n\r\n\r\n--" + b + "--"), std::string::npos);
}

TEST(SmtpMessage, MimeTurnsOnOnceAndKeepsTheFormerTextInAChildPart) {
  SmtpMessage m;
  m.setTextBody("body");
  m.setMime(true);
  const std::string boundary = m.root().boundary();
  ASSERT_EQ(m.root().children().size(), 1u);
  EXPECT_EQ(m.root().children()[0]->text(), "body");
  EXPECT_EQ(m.root().text(), SmtpMessage::kMultipartPreamble);
  EXPECT_EQ(m.root().contentType(), "multipart/mixed");
  m.setMime(true);
  EXPECT_EQ(m.root().children().size(), 1u);
  EXPECT_EQ(m.root().boundary(), boundary);

  SmtpMessage empty;
  empty.setMime(true);
  EXPECT_TRUE(empty.root().children().empty());
  const std::string h = empty.header(platform::FixedClock(fixedTime(0)));
  EXPECT_NE(h.find("MIME-Version: 1.0\r\nContent-Type: multipart/mixed\r\n"), std::string::npos);
}

TEST(SmtpMessage, PlainMailHeaderOrderAndOptionalLines) {
  SmtpMessage m;
  m.setFrom(MailAddress::parse("Me <me@x>"));
  m.addRecipients("a@x", RecipientField::kTo);
  m.addRecipients("c@x;d@x", RecipientField::kCc);
  m.setSubject("Hi");
  m.setReplyTo(MailAddress("", "r@x"));
  m.setPriority(MailPriority::kLow);
  EXPECT_EQ(m.header(platform::FixedClock(fixedTime(60))),
            "From: Me <me@x>\r\n"
            "To: a@x\r\n"
            "Cc: c@x,d@x\r\n"
            "Subject: Hi\r\n"
            "X-Mailer: CQVRSMTPConnection v2.42\r\n"
            "Content-Type: text/plain;\r\n\tcharset=iso-8859-1\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n"
            "Reply-To: r@x\r\n"
            "Date: Sat, 07 Mar 2026 09:05:04 +0100\r\n"
            "X-Priority: 5\r\n");
  m.setPriority(MailPriority::kNormal);
  EXPECT_NE(m.header(platform::FixedClock(fixedTime(0))).find("X-Priority: 3\r\n"),
            std::string::npos);
  m.setPriority(MailPriority::kNone);
  EXPECT_EQ(m.header(platform::FixedClock(fixedTime(0))).find("X-Priority"), std::string::npos);
}

TEST(SmtpMessage, TextBodiesAreDotStuffedAndQuotedPrintable) {
  SmtpMessage m;
  m.setTextBody(".first\nsecond\n.third = \xe9");
  std::string rendered;
  mail::RenderError error;
  ASSERT_TRUE(m.render(platform::FixedClock(fixedTime(0)), &rendered, &error));
  const std::string body = rendered.substr(rendered.find("\r\n\r\n") + 4);
  EXPECT_EQ(body, "..first\r\nsecond\r\n..third =3D =E9");

  MimeBodyPart utf8;
  utf8.setCharset("UTF-8");
  utf8.setBase64(true);
  utf8.setText("\xe9");
  std::string sink;
  ASSERT_TRUE(utf8.renderBody(&sink, &error));
  EXPECT_EQ(sink, "w6k=\r\n");
}

TEST(SmtpMessage, AnAttachmentThatVanishedBeforeRenderingFailsWithTheSystemError) {
  TempDir dir;
  writeFile(dir.file("gone.bin"), "x");
  SmtpMessage m;
  ASSERT_EQ(m.addAttachments(dir.file("gone.bin")), 1);
  ASSERT_EQ(std::remove(dir.file("gone.bin").c_str()), 0);
  std::string rendered;
  mail::RenderError error;
  EXPECT_FALSE(m.render(platform::FixedClock(fixedTime(0)), &rendered, &error));
  EXPECT_EQ(error.systemError, ENOENT);
  EXPECT_FALSE(error.text.empty());
}

TEST(SmtpMessage, AnIndependentMimeParserReadsSubjectBodyAndAttachment) {
  TempDir dir;
  const std::string bin = dir.file("Z2500260307090504.bin");
  const std::string data = binaryBytes(600);
  writeFile(bin, data);
  SmtpMessage m;
  buildSignDataMail(&m, "B\xfcro", "sign@example.org", bin);
  std::string rendered;
  mail::RenderError error;
  ASSERT_TRUE(m.render(platform::FixedClock(fixedTime(120)), &rendered, &error));
  writeFile(dir.file("mail.eml"), rendered);

  const testing_support::CommandResult parsed =
      testing_support::parseMailWithPython(dir.file("mail.eml"));
  const std::string& output = parsed.out;
  ASSERT_EQ(parsed.exitCode, 0) << output << parsed.err;

  EXPECT_NE(output.find("subject " + hex("Data for Z2500 series") + "\n"), std::string::npos)
      << output;
  EXPECT_NE(output.find("from " + hex("B\xc3\xbcro <sender@example.org>") + "\n"),
            std::string::npos);
  EXPECT_NE(output.find("multipart 1\n"), std::string::npos);
  EXPECT_NE(output.find("text text/plain " + hex("Data for Z2500 series") + "\n"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("attachment Z2500260307090504.bin " + hex(data) + "\n"), std::string::npos);
}
