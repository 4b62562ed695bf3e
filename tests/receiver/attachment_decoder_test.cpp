// Taking the sign data file out of a sign mail.

#include "receiver/attachment_decoder.h"
#include "receiver/save_directory.h"

#include <gtest/gtest.h>

#include "pop3/mail_item.h"
#include "receiver/receive_cycle.h"
#include "receiver_fixture.h"

namespace {

// The body of a mail as the POP3 client hands it over.
std::string bodyOf(const std::string& mail) {
  return mail.substr(mail.find("\r\n\r\n") + 4);
}

TEST(AttachmentDecoder, DecodesTheSendersEnvelope) {
  std::string file = "Z2500 series35";
  file.append(10, '\0');
  for (int i = 0; i < 300; ++i)
    file.push_back(static_cast<char>(i * 7));  // several base64 lines
  std::string name, bytes;
  EXPECT_EQ(receiver::decodeAttachment(
                bodyOf(receiver_test::signMail("Z250020261208090000.bin", file)), &name, &bytes),
            static_cast<int>(file.size()));
  EXPECT_EQ(name, "Z250020261208090000.bin");
  EXPECT_EQ(bytes, file);
}

TEST(AttachmentDecoder, MissingNameOrLineEndFails) {
  std::string name = "kept", bytes = "kept";
  EXPECT_EQ(receiver::decodeAttachment("no attachment here\r\n", &name, &bytes),
            receiver::kNoAttachmentName);
  EXPECT_EQ(receiver::decodeAttachment("x\r\nfilename=\"a.bin\"", &name, &bytes),
            receiver::kNoAttachmentLine);
  EXPECT_EQ(name, "kept");
}

TEST(AttachmentDecoder, TextRunsToTheEndWhenNoEmptyLineFollows) {
  std::string name, bytes;
  EXPECT_EQ(receiver::decodeAttachment("filename=a.bin\r\n\r\nQUJD\r\nREVG", &name, &bytes), 6);
  EXPECT_EQ(bytes, "ABCDEF");
  // The header ends right at the body's end: nothing to decode.
  EXPECT_EQ(receiver::decodeAttachment("filename=a.bin\r\n", &name, &bytes), 0);
}

TEST(AttachmentDecoder, NamesBecomeSafeFileNamesInsideTheSaveDirectory) {
  std::string name, bytes;
  receiver::decodeAttachment("filename=\"../../etc/cron.d/x\"\r\n\r\nQUJD\r\n\r\n", &name, &bytes);
  EXPECT_EQ(receiver::safeFileName(name), "x");
  receiver::decodeAttachment("filename=\"C:\\temp\\y.bin\"\r\n\r\nQUJD\r\n\r\n", &name, &bytes);
  EXPECT_EQ(receiver::safeFileName(name), "y.bin");
  EXPECT_EQ(receiver::safeFileName(".."), "__");
  EXPECT_EQ(receiver::safeFileName("."), "_");
  EXPECT_EQ(receiver::safeFileName("../"), "attachment");
  EXPECT_EQ(receiver::safeFileName(""), "attachment");
  EXPECT_EQ(receiver::safeFileName(std::string("a\0b\r\nc\x7f.bin", 11)), "a_b__c_.bin");
  EXPECT_EQ(receiver::safeFileName("Z250020261208090000.bin"), "Z250020261208090000.bin");
  const std::string longName = receiver::safeFileName(std::string(5000, 'n') + ".bin");
  EXPECT_EQ(longName.size(), receiver::kMaxSavedNameBytes);
  EXPECT_EQ(longName.substr(longName.size() - 5), "n.bin");
  EXPECT_EQ(receiver::numberedFileName("Z1.bin", 2), "Z1_2.bin");
  EXPECT_EQ(receiver::numberedFileName("x", 3), "x_3");
}

TEST(AttachmentDecoder, SignMailsAreRecognisedBySubjectOrWholeBody) {
  pop3::MailItem mail;
  mail.subject = "Data for Z2500 series";
  EXPECT_TRUE(receiver::isSignDataMail(mail));
  mail.subject = "Re: Data for Z2500 series";
  EXPECT_FALSE(receiver::isSignDataMail(mail));
  mail.body = "Data for Z2500 series";
  EXPECT_TRUE(receiver::isSignDataMail(mail));
  mail.body = "Data for Z2500 series\r\n";
  EXPECT_FALSE(receiver::isSignDataMail(mail));
}

}  // namespace
