// The POP3 client against a real server: Dovecot started by the test with its own configuration.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/message_pump.h"
#include "pop3/pop3_connection.h"
#include "tests/support/pop3_server.h"
#include "tests/support/suite_pop3_server.h"

namespace {

using pop3::MailItem;
using pop3::POP3Connection;
using testing_support::Pop3Server;

constexpr char kPassword[] = "Orange-7";

class DovecotTest : public testing_support::SuitePop3Test<DovecotTest> {
 public:
  static constexpr const char* kSuitePassword = kPassword;

 protected:
  std::unique_ptr<POP3Connection> connect(pop3::Pop3Options options = {},
                                          const std::string& password = kPassword) {
    return std::make_unique<POP3Connection>(
        pump_, "127.0.0.1", server_->port(), user_, password,
        [this](const std::string& s) { status_.push_back(s); }, nullptr, options);
  }

  static std::string mail(const std::string& subject, const std::string& body) {
    return "Return-Path: <sender@example.org>\r\nFrom: Sender <sender@example.org>\r\n"
           "To: Signs <signs@example.org>\r\nDate: Tue, 08 Dec 2026 09:00:00 +0000\r\n"
           "Subject: " +
           subject + "\r\n\r\n" + body;
  }

  platform::SleepingPump pump_;
  std::vector<std::string> status_;
};

TEST_F(DovecotTest, LogsInAndQuits) {
  auto client = connect();
  ASSERT_TRUE(client->Connect()) << client->ErrorText() << server_->log() << server_->directory();
  EXPECT_EQ(client->Stat(), 0);
  EXPECT_TRUE(client->Quit());
  EXPECT_FALSE(client->Connected());
  for (const std::string& s : status_)
    EXPECT_EQ(s.find(kPassword), std::string::npos) << s;
}

TEST_F(DovecotTest, WrongPasswordIsRefusedWithItsText) {
  auto client = connect({}, "not-the-password");
  EXPECT_FALSE(client->Connect());
  EXPECT_EQ(client->ErrorText(), "Invalid username/password combination");
  EXPECT_FALSE(client->Connected());
}

TEST_F(DovecotTest, StatListRetrieveAndDeleteSeveralMails) {
  const std::vector<std::string> subjects = {"first", "second", "Data for Z2500 series"};
  for (const std::string& s : subjects)
    server_->deliver(user_, mail(s, "Body of " + s + "\r\n"));

  auto client = connect();
  ASSERT_TRUE(client->Connect()) << client->ErrorText();
  ASSERT_EQ(client->Stat(), 3);
  for (int n = 1; n <= 3; ++n) {
    const std::string expected = mail(subjects[n - 1], "Body of " + subjects[n - 1] + "\r\n");
    EXPECT_EQ(client->List(n), static_cast<long long>(expected.size()));
    MailItem item;
    ASSERT_TRUE(client->Retrieve(n, &item)) << client->ErrorText();
    EXPECT_EQ(item.subject, subjects[n - 1]);
    EXPECT_EQ(item.from, "Sender <sender@example.org>");
    ASSERT_EQ(item.to.size(), 1u);
    EXPECT_EQ(item.to[0].emailAddress, "signs@example.org");
    EXPECT_EQ(item.body, "Body of " + subjects[n - 1] + "\r\n");
  }
  EXPECT_EQ(client->List(4), -1);
  EXPECT_EQ(client->ErrorText(), "Could not LIST message");
  MailItem none;
  EXPECT_FALSE(client->Retrieve(4, &none));
  EXPECT_EQ(client->ErrorText(), "RETRieve failed");

  EXPECT_TRUE(client->Delete(2));
  EXPECT_FALSE(client->Delete(2));
  EXPECT_EQ(client->ErrorText(), "Could not DELEte message");
  // Deletions take effect at QUIT.
  EXPECT_EQ(server_->mailCount(user_), 3u);
  ASSERT_TRUE(client->Quit());
  EXPECT_EQ(server_->mailCount(user_), 2u);

  auto again = connect();
  ASSERT_TRUE(again->Connect());
  EXPECT_EQ(again->Stat(), 2);
  MailItem item;
  ASSERT_TRUE(again->Retrieve(2, &item));
  EXPECT_EQ(item.subject, "Data for Z2500 series");
}

TEST_F(DovecotTest, LinesOfOneDotComeBackAsOneDot) {
  // Stored with bare LF: the server sends CRLF and stuffs every line that starts with a dot.
  server_->deliver(user_,
                   "Return-Path: <a@b>\nFrom: a@b\nTo: c@d\nDate: x\nSubject: dots\n\n"
                   ".\nmiddle\n.\n.\nend\n");
  auto client = connect();
  ASSERT_TRUE(client->Connect()) << client->ErrorText() << server_->log();
  MailItem item;
  ASSERT_TRUE(client->Retrieve(1, &item)) << client->ErrorText();
  EXPECT_EQ(item.subject, "dots");
  EXPECT_EQ(item.body, ".\r\nmiddle\r\n.\r\n.\r\nend\r\n");
}

TEST_F(DovecotTest, BigMailArrivesWhole) {
  std::string body;
  for (int line = 0; body.size() < 4 * 1024 * 1024; ++line) {
    std::string text = "line " + std::to_string(line) + " ";
    while (text.size() < 76)
      text += static_cast<char>('A' + (line + text.size()) % 26);
    body += text + "\r\n";
  }
  server_->deliver(user_, mail("big", body));
  size_t lastProgress = 0;
  auto client =
      std::make_unique<POP3Connection>(pump_, "127.0.0.1", server_->port(), user_, kPassword,
                                       nullptr, [&](size_t bytes) { lastProgress = bytes; });
  ASSERT_TRUE(client->Connect()) << client->ErrorText() << server_->log();
  MailItem item;
  ASSERT_TRUE(client->Retrieve(1, &item)) << client->ErrorText();
  EXPECT_EQ(item.subject, "big");
  EXPECT_TRUE(item.body == body) << item.body.size() << " vs " << body.size();
  EXPECT_GT(lastProgress + POP3Connection::kAnswerBytes, body.size());
}

TEST_F(DovecotTest, MailOverTheCeilingIsRefusedAndStaysOnTheServer) {
  server_->deliver(user_, mail("too big", std::string(3 * 1024 * 1024, 'x') + "\r\n"));
  server_->deliver(user_, mail("small", "fits\r\n"));
  pop3::Pop3Options options;
  options.maxMailBytes = 1024 * 1024;
  auto client = connect(options);
  ASSERT_TRUE(client->Connect()) << client->ErrorText() << server_->log();
  MailItem item;
  EXPECT_FALSE(client->Retrieve(1, &item));
  EXPECT_EQ(client->ErrorText(),
            "RETRieve failed: the mail is larger than 1048576 bytes and was left on the server");
  // The connection is still in step: the next mail comes and can be deleted.
  ASSERT_TRUE(client->Retrieve(2, &item)) << client->ErrorText();
  EXPECT_EQ(item.subject, "small");
  EXPECT_TRUE(client->Delete(2));
  ASSERT_TRUE(client->Quit());
  EXPECT_EQ(server_->mailCount(user_), 1u);

  // With a higher ceiling the mail is there to be fetched.
  auto again = connect();
  ASSERT_TRUE(again->Connect());
  ASSERT_EQ(again->Stat(), 1);
  ASSERT_TRUE(again->Retrieve(1, &item));
  EXPECT_EQ(item.subject, "too big");
  EXPECT_EQ(item.body.size(), 3u * 1024 * 1024 + 2);
}

}  // namespace
