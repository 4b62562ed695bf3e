// The sign data mail: its envelope byte for byte (the receiving PC depends on it), the records it
// comes from, and a reading by an independent MIME parser.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "addressbook/address_book.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "mail/mail_date.h"
#include "mail/sign_data_mail.h"
#include "platform/local_clock.h"
#include "tests/support/hex_text.h"
#include "tests/support/run_command.h"
#include "tests/support/sign_mail_text.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"

using testing_support::TempDir;

namespace {

constexpr char kDataFileName[] = "Z2500261208090507.bin";

platform::LocalTime sendTime() {
  return testing_support::makeLocalTime(2026, 12, 8, 9, 5, 7, 2, 60);
}

addressbook::CAddressBook bookWith(const std::string& serverName, const std::string& addresses) {
  addressbook::CAddressBook book;
  addressbook::CMailServer server;
  server.name = serverName;
  server.smtpServer = "127.0.0.1";
  server.mailAddress = "sender@example.com";
  server.pop3Server = "127.0.0.1";
  server.pop3Account = "sender";
  book.mailServers = {server};
  book.mailboxes = {{"Depot", addresses}};
  return book;
}

std::string hundredBytes() {
  std::string bytes;
  for (int i = 0; i < 100; ++i)
    bytes += static_cast<char>(i);
  return bytes;
}

class SignDataMailTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::writeFile(path_, hundredBytes()); }

  std::unique_ptr<mail::SmtpMessage> build(const addressbook::CAddressBook& book,
                                           const std::string& server = "Office",
                                           const std::string& mailbox = "Depot") {
    platform::Result<std::unique_ptr<mail::SmtpMessage>> built =
        mail::buildSignDataMail(book, path_, {server, mailbox});
    error_ = built.message();
    code_ = built.status().code();
    if (!built.ok()) return nullptr;
    EXPECT_NE(*built, nullptr);
    return std::move(built).value();
  }

  std::string render(const mail::SmtpMessage& message) {
    platform::Result<std::string> bytes = mail::renderSignDataMail(message, clock_);
    EXPECT_TRUE(bytes.ok()) << bytes.message();
    return bytes.ok() ? std::move(bytes).value() : std::string();
  }

  TempDir dir_;
  const std::string path_ = dir_.file(kDataFileName);
  const platform::FixedClock clock_{sendTime()};
  std::string error_;
  platform::Status::Code code_ = platform::Status::Code::kOk;
};

TEST_F(SignDataMailTest, EnvelopeIsTheOneTheReceiverReads) {
  const auto message = build(bookWith("Office", "depot@example.com"));
  ASSERT_NE(message, nullptr) << error_;
  const std::string b = message->root().boundary();
  const std::string expected = testing_support::expectedSignDataMail(
      "Office <sender@example.com>", "depot@example.com", b, mail::formatMailDate(sendTime()),
      kDataFileName,
      "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4\r\n"
      "OTo7PD0+P0BBQkNERUZHSElKS0xNTk9QUVJTVFVWV1hZWltcXV5fYGFiYw==\r\n");
  EXPECT_EQ(render(*message), expected);
  EXPECT_FALSE(b.empty());
}

TEST_F(SignDataMailTest, MailboxListGivesEveryRecipientAndEightBitServerNameIsEncoded) {
  const auto message = build(bookWith("B\xFC"
                                      "ro",
                                      " one@example.com; Two <two@example.com>"),
                             "B\xFC"
                             "ro");
  ASSERT_NE(message, nullptr) << error_;
  ASSERT_EQ(message->to().size(), 2u);
  EXPECT_EQ(message->to()[0].emailAddress, "one@example.com");
  EXPECT_EQ(message->to()[1].emailAddress, "two@example.com");
  const std::string bytes = render(*message);
  EXPECT_EQ(bytes.rfind("From: =?iso-8859-1?q?B=FCro?= <sender@example.com>\r\n", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("\r\nTo: one@example.com,Two <two@example.com>\r\n"), std::string::npos)
      << bytes;
}

TEST_F(SignDataMailTest, MissingRecordsAndFilesGiveTheirTexts) {
  const addressbook::CAddressBook book = bookWith("Office", "depot@example.com");
  EXPECT_EQ(build(book, "Gone"), nullptr);
  EXPECT_EQ(code_, platform::Status::Code::kRefused);
  EXPECT_EQ(error_,
            "Group Gone(MAIL SERVER) has been deleted by user,can't send email through "
            "this MAIL SERVER!");
  EXPECT_EQ(build(book, "Office", "Lost"), nullptr);
  EXPECT_EQ(code_, platform::Status::Code::kRefused);
  EXPECT_EQ(error_,
            "Group Lost(Recv Mailbox) has been deleted by user,can't send email to this "
            "mail address!");

  // A data file that is not there must not turn into a mail without data.
  std::remove(path_.c_str());
  EXPECT_EQ(build(book), nullptr);
  EXPECT_EQ(code_, platform::Status::Code::kCannotOpen);
  EXPECT_EQ(error_, "Couldn't save to memory file!, Error:2");
}

TEST_F(SignDataMailTest, PythonEmailPackageReadsSubjectBodyAndData) {
  const auto message = build(bookWith("Office", "depot@example.com"));
  ASSERT_NE(message, nullptr) << error_;
  testing_support::writeFile(dir_.file("mail.eml"), render(*message));
  const testing_support::CommandResult parsed =
      testing_support::parseMailWithPython(dir_.file("mail.eml"));
  const std::string& out = parsed.out;
  ASSERT_EQ(parsed.exitCode, 0) << out << parsed.err;

  const auto hex = [](std::string_view bytes) { return testing_support::lowerHex(bytes); };
  const std::string subject = hex(mail::kSignDataSubject);
  EXPECT_NE(out.find("subject " + subject + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("multipart 1\n"), std::string::npos) << out;
  EXPECT_NE(out.find("text text/plain " + subject + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find(std::string("attachment ") + kDataFileName + " " + hex(hundredBytes()) + "\n"),
            std::string::npos)
      << out;
}

}  // namespace
