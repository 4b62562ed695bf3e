// The SMTP client against a real server (aiosmtpd on loopback), end to end: logins, envelope
// refusals, cancelled transfers and delivery of a rendered mail.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "mail/mail_address.h"
#include "mail/smtp_connection.h"
#include "mail/smtp_message.h"
#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "tests/mail/smtp_test_support.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"

using mail::MailAddress;
using mail_testing::loginTo;
using mail_testing::RecordingConnection;
using testing_support::SmtpTestServer;
using testing_support::TempDir;

namespace {

constexpr char kLocalhost[] = "127.0.0.1";
constexpr char kUser[] = "signuser";
constexpr char kPassword[] = "Tr1cky pa$$word";

class SmtpAgainstServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    SmtpTestServer::Options options;
    options.maildir = dir_->file("Maildir");
    options.user = kUser;
    options.password = kPassword;
    options.refuse = "refused";
    server_ = new SmtpTestServer(options);
    std::string error;
    if (!server_->start(&error)) {
      startError_ = new std::string(error);
    }
  }
  static void TearDownTestSuite() {
    delete server_;
    delete dir_;
    delete startError_;
    server_ = nullptr;
    dir_ = nullptr;
    startError_ = nullptr;
  }
  void SetUp() override {
    ASSERT_EQ(startError_, nullptr) << *startError_;
    mailsBefore_ = server_->deliveredMails().size();
  }
  int port() const { return server_->port(); }
  std::vector<std::string> newMails() const {
    auto all = server_->deliveredMails();
    return std::vector<std::string>(all.begin() + static_cast<long>(mailsBefore_), all.end());
  }

  platform::SleepingPump pump_;
  size_t mailsBefore_ = 0;

  static TempDir* dir_;
  static SmtpTestServer* server_;
  static std::string* startError_;
};

TempDir* SmtpAgainstServer::dir_ = nullptr;
SmtpTestServer* SmtpAgainstServer::server_ = nullptr;
std::string* SmtpAgainstServer::startError_ = nullptr;

// A small multipart mail whose text has a line holding one dot.
std::string renderedMail(const TempDir& dir, std::string* attachment) {
  *attachment = std::string("\x01\x02.\r\n.\r\n\xff", 9);
  testing_support::writeFile(dir.file("data.bin"), *attachment);
  mail::SmtpMessage m;
  m.setFrom(MailAddress("Sender", "sender@loopback.test"));
  m.addRecipients("sign@loopback.test", mail::RecipientField::kTo);
  m.setSubject("Data for Z2500 series");
  m.setTextBody("first line\n.\nafter the dot");
  m.addAttachments(dir.file("data.bin"));
  std::string rendered;
  mail::RenderError error;
  EXPECT_TRUE(m.render(platform::SystemClock(), &rendered, &error)) << error.text;
  return rendered;
}

}  // namespace

TEST_F(SmtpAgainstServer, AuthLoginDeliversTheMailByteForByte) {
  TempDir dir;
  std::string attachment;
  const std::string mail = renderedMail(dir, &attachment);
  RecordingConnection smtp(pump_);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port(), mail::kAuthLogin, kUser, kPassword)))
      << smtp.LastErrorText() << " / " << smtp.LastResponseText();
  ASSERT_TRUE(smtp.SendMessage(mail, {MailAddress("", "sign@loopback.test")},
                               MailAddress("Sender", "sender@loopback.test"), 4096))
      << smtp.LastErrorText();
  EXPECT_TRUE(smtp.Disconnect(true));
  const auto mails = newMails();
  ASSERT_EQ(mails.size(), 1u);
  // The server undoes the dot-stuffing; the line ending before the end mark belongs to the mail.
  EXPECT_EQ(mails[0], mail.substr(0, mail.find("first line")) + "first line\r\n.\r\nafter the dot" +
                          mail.substr(mail.find("after the dot") + 13) + "\r\n");
  for (const std::string& line : smtp.statusLines)
    EXPECT_EQ(line.find(kPassword), std::string::npos);
  EXPECT_TRUE(smtp.errors.empty());
}

TEST_F(SmtpAgainstServer, CramMd5LoginSucceeds) {
  RecordingConnection smtp(pump_);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port(), mail::kAuthCramMd5, kUser, kPassword)))
      << smtp.LastErrorText() << " / " << smtp.LastResponseText();
  EXPECT_EQ(smtp.LastResponseCode(), 235);
  EXPECT_TRUE(smtp.Disconnect(true));
}

TEST_F(SmtpAgainstServer, WrongPasswordFailsWithTheLoginTexts) {
  {
    RecordingConnection smtp(pump_);
    EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port(), mail::kAuthLogin, kUser, "wrong")));
    ASSERT_GE(smtp.errors.size(), 2u);
    EXPECT_EQ(smtp.errors[0],
              "CQVRSMTPConnection::AuthLogin, AUTH LOGIN authentication was unsuccessful");
    EXPECT_EQ(smtp.errors.back(), "Connect, An unexpected HELO/EHLO response was received");
    EXPECT_FALSE(smtp.Connected());
  }
  {
    RecordingConnection smtp(pump_);
    EXPECT_FALSE(smtp.Connect(loginTo(kLocalhost, port(), mail::kAuthCramMd5, kUser, "wrong")));
    ASSERT_GE(smtp.errors.size(), 2u);
    EXPECT_EQ(smtp.errors[0],
              "CQVRSMTPConnection::CramLogin, AUTH CRAM-MD5 authentication was unsuccessful");
  }
}

TEST_F(SmtpAgainstServer, RefusedRecipientFailsBeforeData) {
  RecordingConnection smtp(pump_);
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port())));
  EXPECT_FALSE(smtp.SendMessage(
      "Subject: x\r\n\r\nbody",
      {MailAddress("", "ok@loopback.test"), MailAddress("", "refused@loopback.test")},
      MailAddress("", "sender@loopback.test"), 4096));
  EXPECT_EQ(smtp.LastResponseCode(), 550);
  EXPECT_EQ(smtp.LastResponseText().substr(0, 4), "550 ");
  EXPECT_EQ(smtp.SocketError(), platform::wsa::kBadCommand);
  EXPECT_TRUE(smtp.progress.empty());
  EXPECT_TRUE(smtp.Disconnect(true));
  EXPECT_TRUE(newMails().empty());
}

TEST_F(SmtpAgainstServer, StoppedTransferDeliversNothing) {
  RecordingConnection smtp(pump_);
  smtp.stopAtProgressCall = 3;
  ASSERT_TRUE(smtp.Connect(loginTo(kLocalhost, port(), mail::kAuthLogin, kUser, kPassword)));
  std::string data;
  for (int i = 0; i < 500; ++i)
    data += "line " + std::to_string(i) + " of the data\r\n";
  EXPECT_FALSE(smtp.SendMessage(data, {MailAddress("", "sign@loopback.test")},
                                MailAddress("", "sender@loopback.test"), 4096));
  EXPECT_EQ(smtp.progress.size(), 3u);
  EXPECT_FALSE(smtp.Disconnect(true));
  // A fresh session still works, and only its mail arrives.
  RecordingConnection again(pump_);
  ASSERT_TRUE(again.Connect(loginTo(kLocalhost, port())));
  ASSERT_TRUE(again.SendMessage("Subject: second\r\n\r\nsecond", {MailAddress("", "s@l.test")},
                                MailAddress("", "f@l.test"), 4096));
  EXPECT_TRUE(again.Disconnect(true));
  const auto mails = newMails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_NE(mails[0].find("second"), std::string::npos) << mails[0].substr(0, 300);
  for (const std::string& mail : server_->deliveredMails()) {
    EXPECT_EQ(mail.find("of the data"), std::string::npos);
  }
}
