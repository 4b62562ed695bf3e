// The SMTP client over TLS: aiosmtpd with STARTTLS (taking AUTH and MAIL only after it) and with
// implicit TLS, and scripted servers for the upgrades that go wrong.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/string_ids.h"
#include "i18n/text_format.h"
#include "mail/base64.h"
#include "mail/smtp_connection.h"
#include "platform/message_pump.h"
#include "tests/mail/smtp_test_support.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_certificates.h"
#include "tests/support/tls_test_server.h"

namespace {

using mail::MailAddress;
using mail_testing::loginTo;
using mail_testing::RecordingConnection;
using platform::TlsPolicy;
using testing_support::SmtpTestServer;
using testing_support::TestCertificates;
using testing_support::TlsTestServer;
using Server = TestCertificates::Server;

constexpr char kHost[] = "127.0.0.1";
constexpr char kUser[] = "signuser";
constexpr char kPassword[] = "Secret over TLS";
constexpr char kMail[] = "Subject: secure\r\n\r\nSign text\r\n";
constexpr int kWaitMs = 10000;

const TestCertificates& certificates() {
  return testing_support::sharedTestCertificates();
}

mail::SmtpServerLogin secureLogin(int port, TlsPolicy policy, mail::AuthMethod method) {
  mail::SmtpServerLogin login = loginTo(kHost, port, method, kUser, kPassword);
  login.tls = {policy, certificates().caFile()};
  return login;
}

class SmtpTlsAgainstServer : public ::testing::Test {
 protected:
  // Starts aiosmtpd with STARTTLS, or with TLS from the first byte.
  void startServer(bool implicitTls) {
    SmtpTestServer::Options options;
    options.maildir = dir_.file("Maildir");
    options.user = kUser;
    options.password = kPassword;
    options.tlsCertFile = certificates().certFile(Server::kGood);
    options.tlsKeyFile = certificates().keyFile(Server::kGood);
    options.implicitTls = implicitTls;
    server_ = std::make_unique<SmtpTestServer>(options);
    std::string error;
    ASSERT_TRUE(server_->start(&error)) << error;
  }

  // Connects with `login`, sends kMail and quits; the mail must arrive.
  void deliver(const mail::SmtpServerLogin& login) {
    const size_t before = server_->deliveredMails().size();
    RecordingConnection smtp(pump_);
    smtp.SetHeloHostName("client.test");
    ASSERT_TRUE(smtp.Connect(login)) << smtp.LastErrorText() << " / " << smtp.LastResponseText();
    ASSERT_TRUE(smtp.SendMessage(kMail, {MailAddress("", "sign@loopback.test")},
                                 MailAddress("", "sender@loopback.test"), 4096))
        << smtp.LastErrorText() << " / " << smtp.LastResponseText();
    EXPECT_TRUE(smtp.Disconnect(true));
    EXPECT_EQ(server_->deliveredMails().size(), before + 1);
    EXPECT_TRUE(smtp.errors.empty()) << smtp.errors.front();
  }

  testing_support::TempDir dir_;
  platform::SleepingPump pump_;
  std::unique_ptr<SmtpTestServer> server_;
};

// The server takes AUTH and MAIL only after STARTTLS, so each delivery shows the upgrade worked.
TEST_F(SmtpTlsAgainstServer, DeliversAfterStartTlsWithEachLogin) {
  startServer(false);
  for (mail::AuthMethod method : {mail::kAuthLogin, mail::kAuthCramMd5, mail::kAuthNone}) {
    for (TlsPolicy policy : {TlsPolicy::kRequired, TlsPolicy::kWhenOffered}) {
      SCOPED_TRACE(testing::Message() << "method " << method << " policy " << int(policy));
      deliver(secureLogin(server_->port(), policy, method));
    }
  }
  // The same server refuses a log-in in the clear.
  RecordingConnection plain(pump_);
  EXPECT_FALSE(plain.Connect(secureLogin(server_->port(), TlsPolicy::kPlain, mail::kAuthLogin)));
}

TEST_F(SmtpTlsAgainstServer, DeliversOverImplicitTlsWithEachLogin) {
  startServer(true);
  for (mail::AuthMethod method : {mail::kAuthLogin, mail::kAuthCramMd5}) {
    mail::SmtpServerLogin login = secureLogin(server_->port(), TlsPolicy::kRequired, method);
    login.implicitTlsPort = server_->port();
    deliver(login);
  }
}

// A scripted server greeting in the clear and offering STARTTLS (or not).
TlsTestServer::Options offering(bool startTls) {
  TlsTestServer::Options options;
  options.greeting = "220 scripted ESMTP\r\n";
  options.answers = {
      {"EHLO", startTls ? "250-scripted\r\n250-STARTTLS\r\n250 AUTH LOGIN CRAM-MD5\r\n"
                        : "250-scripted\r\n250 AUTH LOGIN CRAM-MD5\r\n"},
      {"STARTTLS", "220 go ahead\r\n"},
      {"QUIT", "221 bye\r\n"}};
  if (startTls) options.upgradeCommand = "STARTTLS";
  return options;
}

// Nothing but EHLO, the upgrade command (and perhaps QUIT or a handshake) crossed in the clear.
void expectNoLogIn(const TlsTestServer& server) {
  EXPECT_TRUE(server.waitUntilDone(kWaitMs));
  const std::string sent = server.plainReceived();
  EXPECT_EQ(sent.find("AUTH"), std::string::npos) << sent;
  EXPECT_EQ(sent.find("MAIL"), std::string::npos) << sent;
  EXPECT_EQ(sent.find(mail::base64Encode(kPassword, mail::Base64Lines::kUnbroken)),
            std::string::npos);
  EXPECT_EQ(server.tlsReceived(), "");
}

TEST(SmtpTlsRefusals, CertificatesThatDoNotVerifyEndTheSessionWithTheirReason) {
  const struct {
    Server certificate;
    std::string expected;
  } cases[] = {
      {Server::kOtherHost, i18n::textWith(i18n::IDS_TLS_WRONG_HOST, {kHost})},
      {Server::kExpired, i18n::textWith(i18n::IDS_TLS_CERT_EXPIRED, {kHost})},
      {Server::kUnknownIssuer, i18n::textWith(i18n::IDS_TLS_UNKNOWN_ISSUER, {kHost})},
  };
  platform::SleepingPump pump;
  for (const auto& c : cases) {
    TlsTestServer::Options options = offering(true);
    options.certFile = certificates().certFile(c.certificate);
    options.keyFile = certificates().keyFile(c.certificate);
    TlsTestServer server(options);
    RecordingConnection smtp(pump);
    EXPECT_FALSE(
        smtp.Connect(secureLogin(server.start(), TlsPolicy::kWhenOffered, mail::kAuthLogin)));
    EXPECT_EQ(smtp.LastErrorText(), c.expected);
    EXPECT_EQ(smtp.TlsFailureText(), c.expected);
    EXPECT_FALSE(smtp.Connected());
    smtp.Disconnect(false);
    expectNoLogIn(server);
  }
}

TEST(SmtpTlsRefusals, OfferedUpgradeThatFailsNeverGetsThePassword) {
  TlsTestServer::Options options = offering(true);
  options.garbage = "235 welcome, send your mail\r\n";
  TlsTestServer server(options);
  platform::SleepingPump pump;
  {
    RecordingConnection smtp(pump);
    smtp.SetHeloHostName("client.test");
    EXPECT_FALSE(
        smtp.Connect(secureLogin(server.start(), TlsPolicy::kWhenOffered, mail::kAuthLogin)));
    EXPECT_EQ(smtp.LastErrorText().find("The secure connection (TLS)"), 0u) << smtp.LastErrorText();
  }
  expectNoLogIn(server);
  const std::string sent = server.plainReceived();
  const std::string commands = "EHLO client.test\r\nSTARTTLS\r\n";
  ASSERT_GT(sent.size(), commands.size());
  EXPECT_EQ(sent.substr(0, commands.size()), commands);
  EXPECT_EQ(sent[commands.size()], '\x16');  // The start of a handshake, and nothing after it.
}

TEST(SmtpTlsRefusals, RefusedUpgradeOrMissingOfferSendsNoLogIn) {
  const struct {
    bool offered;
    TlsPolicy policy;
    std::string startTlsAnswer;
    std::string expected;
  } cases[] = {
      {true, TlsPolicy::kWhenOffered, "454 4.7.0 TLS not available\r\n",
       i18n::textWith(i18n::IDS_TLS_UPGRADE_REFUSED, {kHost, "454 4.7.0 TLS not available"})},
      {true, TlsPolicy::kRequired, "220 go ahead\r\n250 OK\r\n",
       i18n::textWith(i18n::IDS_TLS_PLAIN_AFTER_UPGRADE, {kHost})},
      {false, TlsPolicy::kRequired, "", i18n::textWith(i18n::IDS_TLS_NOT_OFFERED, {kHost})},
  };
  platform::SleepingPump pump;
  for (const auto& c : cases) {
    TlsTestServer::Options options = offering(c.offered);
    options.answers["STARTTLS"] = c.startTlsAnswer;
    options.upgradeCommand = "";  // Stays in the clear to see what the client does next.
    TlsTestServer server(options);
    {
      RecordingConnection smtp(pump);
      EXPECT_FALSE(smtp.Connect(secureLogin(server.start(), c.policy, mail::kAuthCramMd5)));
      EXPECT_EQ(smtp.LastErrorText(), c.expected);
    }
    expectNoLogIn(server);
  }
}

// Without an offer, "when offered" goes on in the clear; the HELO path greets with EHLO then.
TEST(SmtpTlsRefusals, UpgradeWhenOfferedGoesOnInTheClearWithoutAnOffer) {
  TlsTestServer server(offering(false));
  platform::SleepingPump pump;
  {
    RecordingConnection smtp(pump);
    smtp.SetHeloHostName("client.test");
    ASSERT_TRUE(smtp.Connect(secureLogin(server.start(), TlsPolicy::kWhenOffered, mail::kAuthNone)))
        << smtp.LastErrorText();
    EXPECT_TRUE(smtp.Disconnect(true));
  }
  EXPECT_TRUE(server.waitUntilDone(kWaitMs));
  EXPECT_EQ(server.plainReceived(), "EHLO client.test\r\nQUIT\r\n");
}

}  // namespace
