// The whole way from the operator to the sign, with real programs and servers: varnel-cli mails a
// workspace through an SMTP server (aiosmtpd) into a Dovecot mailbox, and `mailpump --once` fetches
// it, keeps the file in Save, and forwards it to a pseudo-terminal standing in for the sign.

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "mail/base64.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "signlink/sign_data_file.h"
#include "signlink/stream_units.h"
#include "tests/support/mail_site_book.h"
#include "tests/support/pop3_server.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"
#include "workspace/editor_model.h"
#include "workspace/varnel_doc.h"
#include "workspace/workspace_file.h"

namespace {

using testing_support::readFile;

constexpr char kLoopback[] = "127.0.0.1";
constexpr char kSignUser[] = "signbox";
constexpr char kSignPassword[] = "Relay-77";
constexpr char kSiteName[] = "MailSite";
// The weekday, the time format, then two digits each for year, month, day, hour, minute, second.
constexpr size_t kTimeFieldsLength = 14;
constexpr size_t kTimeFormatOffset = 1;

// The attachment of a delivered mail, decoded.
std::string attachmentOf(const std::string& mail, std::string* fileName) {
  const std::string marker = "filename=\"";
  const size_t name = mail.find(marker);
  if (name == std::string::npos) return {};
  const size_t nameEnd = mail.find('"', name + marker.size());
  *fileName = mail.substr(name + marker.size(), nameEnd - name - marker.size());
  const size_t start = mail.find("\r\n\r\n", name);
  const size_t end = mail.find("\r\n\r\n", start + 4);
  if (start == std::string::npos || end == std::string::npos) return {};
  return mail::base64Decode(std::string_view(mail).substr(start + 4, end - start - 4));
}

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return t;
}

std::string two(int n) {
  return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// The time fields a sign would be set to at `t`.
std::string timeFields(const std::tm& t, char format) {
  std::string f(1, static_cast<char>(t.tm_wday));
  f += format;
  f += two(t.tm_year % 100) + two(t.tm_mon + 1) + two(t.tm_mday) + two(t.tm_hour) + two(t.tm_min) +
       two(t.tm_sec);
  return f;
}

std::string datePrefix(const std::tm& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return buf;
}

class MailToSignTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
    pop3_.addUser(kSignUser, kSignPassword);
    std::string error;
    ASSERT_TRUE(pop3_.start(&error)) << error;
    testing_support::SmtpTestServer::Options options;
    options.maildir = pop3_.maildir(kSignUser);
    smtp_ = std::make_unique<testing_support::SmtpTestServer>(options);
    ASSERT_TRUE(smtp_->start(&error)) << error;
  }

  // varnel's side: a site on an e-mail device whose mail server is the SMTP server (with a POP3
  // log-in at Dovecot before sending), and a workspace of two messages.
  void prepareVarnel() {
    const addressbook::CMailServer server =
        testing_support::popBeforeSmtpServer(smtp_->port(), pop3_.port(), kSignUser, kSignPassword);
    const auto book = testing_support::emailSiteBook(server, kSiteName, "SignBox",
                                                     std::string(kSignUser) + "@example.com");
    ASSERT_TRUE(book.save(addressbook::sitePath(varnel_.path())).ok());

    workspace::CVarnelDoc doc;
    workspace::EditorModel editor(doc);
    for (char c : std::string("OPEN 9-5"))
      editor.typeCharacter(c);
    editor.insertItem(workspace::kKindTime, 0);
    ASSERT_FALSE(editor.newMessage().message.has_value());
    editor.setColour(3);
    for (char c : std::string("SALE"))
      editor.typeCharacter(c);
    const platform::Status saved = workspace::saveWorkspaceFile(workspaceFile(), doc.workspace());
    ASSERT_TRUE(saved.ok()) << saved.message();
  }

  // mailpump's side: the sign's mailbox, and COM1 mapped to the pseudo-terminal.
  void prepareMailpump() {
    receiver::ReceiverSettings settings;
    settings.comPort = 1;
    settings.mailboxes = {{"signs", kLoopback, kSignUser, kSignPassword, pop3_.port()}};
    const platform::Status saved = receiver::saveSettingsFile(paths_.settingsFile(), settings);
    ASSERT_TRUE(saved.ok()) << saved.message();
    testing_support::writeFile(paths_.profileFile(), "[Ports]\nCOM1=" + pty_.slavePath() + "\n");
  }

  std::string workspaceFile() const { return varnel_.file("X.SDV"); }

  testing_support::Pop3Server pop3_;
  std::unique_ptr<testing_support::SmtpTestServer> smtp_;
  testing_support::TempDir varnel_;
  testing_support::TempDir mailpump_;
  const receiver::ReceiverPaths paths_{mailpump_.path()};
  testing_support::PtyPair pty_;
  std::string error_;
};

TEST_F(MailToSignTest, WorkspaceMailedByVarnelReachesTheSignThroughMailpump) {
  prepareVarnel();
  prepareMailpump();

  const auto sent = testing_support::runCli(
      {"--data-dir", varnel_.path(), "send", "workspace", workspaceFile(), "--site", kSiteName});
  ASSERT_EQ(sent.exitCode, 0) << sent.err;
  const std::vector<std::string> mails = smtp_->deliveredMails();
  ASSERT_EQ(mails.size(), 1u);
  std::string fileName;
  const std::string mailed = attachmentOf(mails.front(), &fileName);
  std::string_view stream;
  ASSERT_TRUE(signlink::signDataFileStream(mailed, &stream)) << fileName;
  const signlink::StreamUnits expected = signlink::readStream(stream);
  ASSERT_TRUE(expected.complete);

  pty_.startCollecting();
  const std::tm before = localNow();
  const auto received =
      testing_support::runCommand({MAILPUMP_PATH, "--data-dir", mailpump_.path(), "--once"});
  const std::tm after = localNow();
  const std::string onTheLine = pty_.stopCollecting();
  ASSERT_EQ(received.exitCode, 0) << received.err;

  // The mail is gone from the mailbox and its file kept in Save.
  EXPECT_EQ(pop3_.mailCount(kSignUser), 0u) << received.err;
  const std::string saved = paths_.saveDir() + "/" + fileName;
  EXPECT_EQ(readFile(saved), mailed) << received.err;

  // The day's logs.
  const std::string day = datePrefix(after);
  const std::string receiveLog = readFile(paths_.logDir() + "/" + day + "ReceiveLogo.ini");
  EXPECT_NE(receiveLog.find("Receive from POP Server:127.0.0.1,Account:signbox--:" + day),
            std::string::npos)
      << receiveLog;
  EXPECT_NE(receiveLog.find(" write " + saved + " successfully\r\n\r\n"), std::string::npos)
      << receiveLog;
  const std::string sendLog = readFile(paths_.logDir() + "/" + day + "SendLogo.ini");
  EXPECT_NE(sendLog.find("-send,Send file " + fileName + " successfully!\r\n\r\n"),
            std::string::npos)
      << sendLog;
  EXPECT_EQ(sendLog.rfind(day, 0), 0u) << sendLog;

  // The line carries the units in order; only the time record's fields differ, and they hold the
  // time of forwarding.
  ASSERT_EQ(onTheLine.size(), signlink::totalBytes(expected.units));
  size_t at = 0;
  bool sawTime = false;
  for (const signlink::TransmissionUnit& unit : expected.units) {
    std::string sentUnit = onTheLine.substr(at, unit.bytes.size());
    at += unit.bytes.size();
    if (unit.timeOffset >= 0) {
      sawTime = true;
      const size_t offset = static_cast<size_t>(unit.timeOffset);
      ASSERT_GE(unit.bytes.size(), offset + kTimeFieldsLength);
      const std::string fields = sentUnit.substr(offset, kTimeFieldsLength);
      const char format = unit.bytes[offset + kTimeFormatOffset];
      EXPECT_TRUE(fields == timeFields(before, format) || fields == timeFields(after, format) ||
                  (fields > timeFields(before, format) && fields < timeFields(after, format)))
          << "time fields " << fields.substr(2);
      sentUnit.replace(offset, kTimeFieldsLength, unit.bytes.substr(offset, kTimeFieldsLength));
    }
    EXPECT_EQ(sentUnit, unit.bytes) << "unit " << unit.label;
  }
  EXPECT_TRUE(sawTime);
}

}  // namespace
