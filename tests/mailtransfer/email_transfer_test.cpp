// Sending a sign data file by e-mail against real servers: POP-before-SMTP, AUTH LOGIN with either
// set of credentials, and each failure with its text in the status line and one message box.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "mailtransfer/email_transfer.h"
#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "signlink/send_item.h"
#include "tests/mailtransfer/mail_servers.h"
#include "tests/support/loopback_listener.h"
#include "tests/support/temp_dir.h"

using mail_transfer_testing::kLoopback;
using mail_transfer_testing::kPassword;
using mail_transfer_testing::kUser;
using mail_transfer_testing::MailServers;

namespace {

constexpr char kData[] = "\x01\x02sign data\xFF";

// The sending window, recorded.
class RecordingUi final : public signlink::SendProgressUi {
 public:
  void setProgressRange(int maximum) override { range = maximum; }
  void setProgress(int position) override { progress = position; }
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  void setCommandLine(const std::string&) override {}
  void setDestinationLine(const std::string&) override {}
  void setAddressLine(const std::string&) override {}
  void showMessage(const std::string& text, Icon) override { messages.push_back(text); }
  void setWaitCursor(bool on) override { cursor.push_back(on); }
  void showDialUpWindow(bool) override {}

  bool sawStatus(const std::string& text) const {
    for (const auto& s : statuses)
      if (s.find(text) != std::string::npos) return true;
    return false;
  }

  int range = 0;
  int progress = 0;
  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  std::vector<bool> cursor;
};

class EmailTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    servers_ = MailServers::get();
    ASSERT_NE(servers_->open(), nullptr) << servers_->error();
    ASSERT_NE(servers_->auth(), nullptr) << servers_->error();
    testing_support::writeFile(path_, kData);
    server_ = servers_->openServerRecord();
    book_.mailboxes = {{"Depot", "depot@example.com"}};
    openBefore_ = servers_->open()->deliveredMails().size();
    authBefore_ = servers_->auth()->deliveredMails().size();
  }

  void requirePop3() {
    if (!testing_support::Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
    ASSERT_NE(servers_->pop3(), nullptr) << servers_->error();
  }

  // Authenticated sending through the server that wants a log-in.
  void useAuthServer(bool usePop3Credentials) {
    server_.smtpPort = servers_->auth()->port();
    server_.needsAuth = 1;
    server_.usePop3Credentials = usePop3Credentials ? 1 : 0;
    server_.pop3Port = 1;  // Never asked.
  }

  int send(const std::string& server = "Office", int replyTimeoutMs = 10000) {
    book_.mailServers = {server_};
    platform::SleepingPump pump;
    platform::SystemClock clock;
    mailtransfer::EmailTransfer transfer(book_, pump, clock);
    transfer.setReplyTimeoutMs(replyTimeoutMs);
    signlink::SendItem item;
    item.kind = signlink::kItemEmail;
    item.targetName = server;
    item.phoneOrMailbox = "Depot";
    return transfer.sendSignDataFile(path_, item, ui_);
  }

  size_t newOpenMails() const { return servers_->open()->deliveredMails().size() - openBefore_; }
  size_t newAuthMails() const { return servers_->auth()->deliveredMails().size() - authBefore_; }

  // One failure: its text in the status line and in exactly one message box.
  void expectFailure(int result, const std::string& text) {
    EXPECT_EQ(result, -1);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].rfind(text, 0), 0u) << ui_.messages[0];
    ASSERT_FALSE(ui_.statuses.empty());
    EXPECT_EQ(ui_.statuses.back(), ui_.messages[0]);
  }

  void expectPasswordNeverShown() const {
    for (const auto& s : ui_.statuses)
      EXPECT_EQ(s.find(kPassword), std::string::npos) << s;
    for (const auto& s : ui_.messages)
      EXPECT_EQ(s.find(kPassword), std::string::npos) << s;
  }

  MailServers* servers_ = nullptr;
  testing_support::TempDir dir_;
  const std::string path_ = dir_.file("Z2500261208090507.bin");
  addressbook::CAddressBook book_;
  addressbook::CMailServer server_;
  RecordingUi ui_;
  size_t openBefore_ = 0;
  size_t authBefore_ = 0;
};

TEST_F(EmailTransferTest, WithoutAuthenticationLogsInToPop3ThenDelivers) {
  requirePop3();
  EXPECT_EQ(send(), 1);
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0];
  ASSERT_EQ(newOpenMails(), 1u);
  const std::string mail = servers_->open()->deliveredMails().back();
  EXPECT_NE(mail.find("Subject: Data for Z2500 series"), std::string::npos);
  EXPECT_NE(mail.find("filename=\"Z2500261208090507.bin\""), std::string::npos);

  // The POP3 log-in comes before the SMTP session.
  size_t user = ui_.statuses.size(), connecting = ui_.statuses.size();
  for (size_t i = 0; i < ui_.statuses.size(); ++i) {
    if (ui_.statuses[i].rfind("USER ", 0) == 0 && user == ui_.statuses.size()) user = i;
    if (ui_.statuses[i] == "Connecting MAIL SERVER:127.0.0.1") connecting = i;
  }
  EXPECT_LT(user, connecting);
  EXPECT_LT(connecting, ui_.statuses.size());
  EXPECT_GT(ui_.range, 0);
  EXPECT_EQ(ui_.progress, ui_.range);
  EXPECT_EQ(ui_.cursor, (std::vector<bool>{true, false}));
  expectPasswordNeverShown();
}

TEST_F(EmailTransferTest, WrongPop3PasswordStopsBeforeSmtp) {
  requirePop3();
  server_.pop3Password = "wrong";
  expectFailure(send(), "Invalid username/password combination");
  EXPECT_FALSE(ui_.sawStatus("Connecting MAIL SERVER"));
  EXPECT_EQ(newOpenMails(), 0u);
}

TEST_F(EmailTransferTest, AuthLoginUsesThePop3OrTheSeparateCredentials) {
  useAuthServer(true);
  EXPECT_EQ(send(), 1) << (ui_.messages.empty() ? "" : ui_.messages[0]);
  EXPECT_TRUE(ui_.sawStatus("AUTH LOGIN"));

  useAuthServer(false);
  server_.pop3Password = "not this one";
  server_.account = kUser;
  server_.password = kPassword;
  EXPECT_EQ(send(), 1) << (ui_.messages.empty() ? "" : ui_.messages[0]);
  EXPECT_EQ(newAuthMails(), 2u);
  expectPasswordNeverShown();
}

TEST_F(EmailTransferTest, RefusedLoginIsAConnectFailure) {
  useAuthServer(false);
  server_.account = kUser;
  server_.password = "wrong";
  expectFailure(send(), "Couldn't connect to server!, Error:");
  EXPECT_EQ(newAuthMails(), 0u);
}

TEST_F(EmailTransferTest, EveryMailboxAddressIsARecipient) {
  useAuthServer(true);
  book_.mailboxes = {{"Depot", "depot@example.com;refused@example.com"}};
  expectFailure(send(), "Couldn't send message!\rResponse:550");
  EXPECT_EQ(newAuthMails(), 0u);
}

TEST_F(EmailTransferTest, NoServerListeningIsAConnectFailure) {
  useAuthServer(true);
  server_.smtpPort = 1;
  expectFailure(send(), "Couldn't connect to server!, Error:100");
  EXPECT_EQ(ui_.cursor, (std::vector<bool>{true, false}));
}

TEST_F(EmailTransferTest, AServerThatNeverAnswersIsReportedAsATimeOut) {
  // Connections are taken into the backlog, but nothing is ever said on them.
  uint16_t port = 0;
  const int listener = testing_support::listenOnLoopback(&port, 4);
  ASSERT_GE(listener, 0);
  useAuthServer(true);
  server_.smtpPort = port;
  const auto start = std::chrono::steady_clock::now();
  expectFailure(send("Office", 2000), "The MAIL server did not answer within 2 seconds!");
  // No QUIT waits for an answer on a connection that is out of step.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3500));
  ::close(listener);
}

TEST_F(EmailTransferTest, RecordProblemsAreRefusedBeforeAnyConnection) {
  expectFailure(send("Gone"), "Group Gone(MAIL SERVER) has been deleted by user");
  ui_ = RecordingUi();
  server_.pop3Account.clear();
  expectFailure(send(),
                "The MAIL server , mail address of sending mail ,POP3 server and POP3 "
                "account can't be left blank!");
  ui_ = RecordingUi();
  server_ = servers_->openServerRecord();
  book_.mailboxes.clear();
  expectFailure(send(), "Group Depot(Recv Mailbox) has been deleted by user");
  EXPECT_TRUE(ui_.cursor.empty());
  EXPECT_EQ(newOpenMails(), 0u);
}

}  // namespace
