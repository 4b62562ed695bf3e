// The POP3 client over TLS: Dovecot with "ssl = required" (STLS on its POP3 port, implicit TLS on
// its POP3S port), and scripted servers for the upgrades that go wrong.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/string_ids.h"
#include "i18n/text_format.h"
#include "platform/message_pump.h"
#include "pop3/pop3_connection.h"
#include "tests/support/pop3_server.h"
#include "tests/support/test_certificates.h"
#include "tests/support/tls_test_server.h"

namespace {

using platform::TlsPolicy;
using pop3::POP3Connection;
using testing_support::Pop3Server;
using testing_support::TestCertificates;
using testing_support::TlsTestServer;
using Server = TestCertificates::Server;

constexpr char kUser[] = "signs";
constexpr char kPassword[] = "Lemon-42";
constexpr char kHost[] = "127.0.0.1";
constexpr int kWaitMs = 10000;

const TestCertificates& certificates() {
  return testing_support::sharedTestCertificates();
}

class Pop3TlsTest : public ::testing::Test {
 protected:
  std::unique_ptr<POP3Connection> client(int port, TlsPolicy policy, int implicitPort = 0) {
    pop3::Pop3Options options;
    options.tls = {policy, certificates().caFile()};
    if (implicitPort != 0) options.implicitTlsPort = static_cast<uint16_t>(implicitPort);
    return std::make_unique<POP3Connection>(
        pump_, kHost, port, kUser, kPassword, [this](const std::string& s) { shown_.push_back(s); },
        nullptr, options);
  }

  platform::SleepingPump pump_;
  std::vector<std::string> shown_;
};

class DovecotTlsTest : public Pop3TlsTest {
 protected:
  static void SetUpTestSuite() {
    if (!Pop3Server::available()) return;
    server_ = std::make_unique<Pop3Server>();
    server_->enableTls(certificates().certFile(Server::kGood),
                       certificates().keyFile(Server::kGood));
    server_->addUser(kUser, kPassword);
    if (!server_->start(&startError_)) server_.reset();
  }
  static void TearDownTestSuite() { server_.reset(); }
  void SetUp() override {
    if (!Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
    ASSERT_NE(server_, nullptr) << startError_;
  }

  // Delivers a mail, fetches it over `connection` and deletes it.
  void fetchOver(POP3Connection& connection) {
    const std::string body = "Sign text over TLS\r\n";
    server_->deliver(kUser, "Subject: secure\r\n\r\n" + body);
    ASSERT_TRUE(connection.Connect()) << connection.ErrorText() << server_->log();
    ASSERT_EQ(connection.Stat(), 1);
    pop3::MailItem item;
    ASSERT_TRUE(connection.Retrieve(1, &item, connection.List(1))) << connection.ErrorText();
    EXPECT_NE(item.body.find(body), std::string::npos);
    EXPECT_TRUE(connection.Delete(1));
    EXPECT_TRUE(connection.Quit());
    EXPECT_EQ(server_->mailCount(kUser), 0u);
  }

  static inline std::unique_ptr<Pop3Server> server_;
  static inline std::string startError_;
};

TEST_F(DovecotTlsTest, FetchesOverImplicitTls) {
  auto connection = client(server_->tlsPort(), TlsPolicy::kRequired, server_->tlsPort());
  fetchOver(*connection);
}

TEST_F(DovecotTlsTest, FetchesAfterStlsWhetherRequiredOrOffered) {
  for (TlsPolicy policy : {TlsPolicy::kRequired, TlsPolicy::kWhenOffered}) {
    auto connection = client(server_->port(), policy);
    fetchOver(*connection);
  }
  // Dovecot notes how each log-in came: both were secured.
  const std::string log = server_->log();
  size_t logins = 0;
  for (size_t at = log.find("Login: user=<signs>"); at != std::string::npos;
       at = log.find("Login: user=<signs>", at + 1)) {
    ++logins;
    const std::string line = log.substr(at, log.find('\n', at) - at);
    EXPECT_NE(line.find(", TLS"), std::string::npos) << line;
  }
  EXPECT_GE(logins, 2u) << log;
}

// A scripted server that offers STLS (or not) and then does `then`.
TlsTestServer::Options offering(bool stls) {
  TlsTestServer::Options options;
  options.greeting = "+OK scripted ready\r\n";
  options.answers = {{"CAPA", stls ? "+OK\r\nUSER\r\nSTLS\r\n.\r\n" : "+OK\r\nUSER\r\n.\r\n"},
                     {"STLS", "+OK begin TLS\r\n"},
                     {"USER", "+OK\r\n"},
                     {"PASS", "+OK\r\n"},
                     {"QUIT", "+OK bye\r\n"}};
  if (stls) options.upgradeCommand = "STLS";
  options.tlsGreeting = "";
  return options;
}

void expectNoLogIn(const TlsTestServer& server) {
  EXPECT_TRUE(server.waitUntilDone(kWaitMs));
  EXPECT_EQ(server.plainReceived().find("USER"), std::string::npos) << server.plainReceived();
  EXPECT_EQ(server.plainReceived().find(kPassword), std::string::npos);
  EXPECT_EQ(server.tlsReceived(), "");
}

TEST_F(Pop3TlsTest, CertificatesThatDoNotVerifyEndTheSessionWithTheirReason) {
  const struct {
    Server certificate;
    std::string expected;
  } cases[] = {
      {Server::kOtherHost, i18n::textWith(i18n::IDS_TLS_WRONG_HOST, {kHost})},
      {Server::kExpired, i18n::textWith(i18n::IDS_TLS_CERT_EXPIRED, {kHost})},
      {Server::kUnknownIssuer, i18n::textWith(i18n::IDS_TLS_UNKNOWN_ISSUER, {kHost})},
  };
  for (const auto& c : cases) {
    TlsTestServer::Options options = offering(true);
    options.certFile = certificates().certFile(c.certificate);
    options.keyFile = certificates().keyFile(c.certificate);
    TlsTestServer server(options);
    auto connection = client(server.start(), TlsPolicy::kWhenOffered);
    EXPECT_FALSE(connection->Connect());
    EXPECT_EQ(connection->ErrorText(), c.expected);
    EXPECT_FALSE(connection->Connected());
    expectNoLogIn(server);
  }
}

TEST_F(Pop3TlsTest, OfferedUpgradeThatFailsNeverFallsBackToPlain) {
  TlsTestServer::Options options = offering(true);
  options.garbage = "+OK USER and PASS welcome now\r\n";
  TlsTestServer server(options);
  auto connection = client(server.start(), TlsPolicy::kWhenOffered);
  EXPECT_FALSE(connection->Connect());
  EXPECT_EQ(connection->ErrorText().find("The secure connection (TLS)"), 0u)
      << connection->ErrorText();
  expectNoLogIn(server);
  // After the commands only the start of a handshake (a TLS record) went out.
  const std::string sent = server.plainReceived();
  ASSERT_GT(sent.size(), 12u);
  EXPECT_EQ(sent.substr(0, 12), "CAPA\r\nSTLS\r\n");
  EXPECT_EQ(sent[12], '\x16');
}

TEST_F(Pop3TlsTest, RefusedOrTamperedUpgradeEndsTheSession) {
  const struct {
    std::string stlsAnswer;
    std::string expected;
  } cases[] = {
      {"-ERR not now\r\n", i18n::textWith(i18n::IDS_TLS_UPGRADE_REFUSED, {kHost, "-ERR not now"})},
      // Bytes after the answer, before any handshake: someone on the way is talking.
      {"+OK begin TLS\r\n+OK logged in\r\n",
       i18n::textWith(i18n::IDS_TLS_PLAIN_AFTER_UPGRADE, {kHost})},
  };
  for (const auto& c : cases) {
    TlsTestServer::Options options = offering(true);
    options.answers["STLS"] = c.stlsAnswer;
    options.upgradeCommand = "";  // Stays in the clear to see what the client does next.
    TlsTestServer server(options);
    auto connection = client(server.start(), TlsPolicy::kWhenOffered);
    EXPECT_FALSE(connection->Connect());
    EXPECT_EQ(connection->ErrorText(), c.expected);
    expectNoLogIn(server);
  }
}

TEST_F(Pop3TlsTest, RequiredTlsNotOfferedSendsNoLogIn) {
  TlsTestServer server(offering(false));
  auto connection = client(server.start(), TlsPolicy::kRequired);
  EXPECT_FALSE(connection->Connect());
  EXPECT_EQ(connection->ErrorText(), i18n::textWith(i18n::IDS_TLS_NOT_OFFERED, {kHost}));
  expectNoLogIn(server);
  EXPECT_EQ(server.plainReceived(), "CAPA\r\n");
}

TEST_F(Pop3TlsTest, UpgradeWhenOfferedLogsInPlainWhenNotOffered) {
  TlsTestServer server(offering(false));
  auto connection = client(server.start(), TlsPolicy::kWhenOffered);
  ASSERT_TRUE(connection->Connect()) << connection->ErrorText();
  EXPECT_TRUE(connection->Quit());
  EXPECT_TRUE(server.waitUntilDone(kWaitMs));
  EXPECT_EQ(server.plainReceived(),
            "CAPA\r\nUSER signs\r\nPASS " + std::string(kPassword) + "\r\nQUIT\r\n");
}

}  // namespace
