// mailpump --once over TLS, as a user sets it up: the mailbox imported from settings JSON with its
// policy and CA file, Dovecot serving STLS on a plain port and POP3S on 995, the sign a
// pseudo-terminal. A relay in between keeps what an eavesdropper on the loopback would see.

#include <gtest/gtest.h>

#include <string>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/base64.h"
#include "receiver/receiver_paths.h"
#include "signlink/sign_data_file.h"
#include "tests/support/capturing_proxy.h"
#include "tests/support/pop3_server.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/sign_mail_text.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_certificates.h"
#include "tests/support/tls_test_server.h"

namespace {

using testing_support::CapturingProxy;
using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::TestCertificates;
using Certificate = TestCertificates::Server;

constexpr char kUser[] = "signbox";
constexpr char kPassword[] = "Tls-Relay-58";
constexpr char kLoopback[] = "127.0.0.1";
constexpr uint16_t kPop3sPort = 995;
constexpr char kFileName[] = "Z250020261208090000.bin";
constexpr int kWaitMs = 10000;

// The POP3S relay takes its port on the test program's own loopback address, which the
// good certificate names.
const std::string& pop3sAddress() {
  return testing_support::sharedLoopbackAddress();
}

const TestCertificates& certificates() {
  return testing_support::sharedTestCertificates();
}

// The sign's data: one text unit.
std::string signStream() {
  const std::string text = "SECURE SALE";
  return std::string{'\x01', '\0', static_cast<char>(text.size())} + text;
}

std::string signMail() {
  const std::string file = signlink::signDataFileBytes(signStream());
  return testing_support::expectedSignDataMail(
             "Office <office@example.org>", "signs@example.org", "----=_NextPart_000_0001_TLS",
             "Tue, 8 Dec 2026 09:00:00 +0000", kFileName,
             mail::base64Encode(file, mail::Base64Lines::kMailLines)) +
         "\r\n";
}

class MailpumpTlsTest : public ::testing::Test {
 protected:
  // COM1 is the pseudo-terminal; the one mailbox comes from settings JSON as a user imports it.
  void importMailbox(const std::string& server, int port, const std::string& policy) {
    testing_support::writeFile(paths_.profileFile(), "[Ports]\nCOM1=" + pty_.slavePath() + "\n");
    const std::string json =
        R"({"selfReceiving": 1, "interval": 60, "comPort": 1, "mailboxes": [{"name": "signs",
            "server": ")" +
        server + R"(", "account": ")" + kUser + R"(", "password": ")" + kPassword +
        R"(", "port": )" + std::to_string(port) + R"(, "tls": ")" + policy + R"(", "caFile": ")" +
        certificates().caFile() + R"("}]})";
    testing_support::writeFile(io_.file("settings.json"), json);
    const CommandResult imported =
        testing_support::runCommand({MAILPUMP_PATH, "--data-dir", data_.path(), "--import-settings",
                                     io_.file("settings.json")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
  }

  CommandResult runOnce() {
    pty_.startCollecting();
    CommandResult r =
        testing_support::runCommand({MAILPUMP_PATH, "--data-dir", data_.path(), "--once"});
    onTheLine_ = pty_.stopCollecting();
    return r;
  }

  testing_support::TempDir data_;
  testing_support::TempDir io_;
  const receiver::ReceiverPaths paths_{data_.path()};
  testing_support::PtyPair pty_;
  std::string onTheLine_;
};

class MailpumpOverDovecotTls : public MailpumpTlsTest {
 protected:
  void SetUp() override {
    if (!testing_support::Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
    pop3_.enableTls(certificates().certFile(Certificate::kGood),
                    certificates().keyFile(Certificate::kGood));
    pop3_.addUser(kUser, kPassword);
    std::string error;
    ASSERT_TRUE(pop3_.start(&error)) << error;
  }

  // Delivers the sign mail, runs mailpump once through `relay` and checks the whole way: the
  // mail gone from the server, its file in Save, its stream on the line, no password seen.
  void fetchAndForwardThrough(const CapturingProxy& relay) {
    pop3_.deliver(kUser, signMail());
    const CommandResult r = runOnce();
    ASSERT_EQ(r.exitCode, 0) << r.err << pop3_.log();
    EXPECT_EQ(pop3_.mailCount(kUser), 0u) << r.err;
    EXPECT_EQ(readFile(paths_.saveDir() + "/" + kFileName),
              signlink::signDataFileBytes(signStream()))
        << r.err;
    EXPECT_EQ(onTheLine_, "SECURE SALE") << r.err;
    EXPECT_EQ(relay.connections(), 1);
    const std::string seen = relay.clientBytes();
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(seen.find(kPassword), std::string::npos);
    EXPECT_EQ(seen.find("PASS"), std::string::npos);
    EXPECT_EQ(seen.find("RETR"), std::string::npos);
  }

  testing_support::Pop3Server pop3_;
};

TEST_F(MailpumpOverDovecotTls, FetchesAndForwardsAfterStls) {
  CapturingProxy relay(kLoopback, 0, pop3_.port());
  std::string error;
  ASSERT_TRUE(relay.start(&error)) << error;
  importMailbox(kLoopback, relay.port(), "required");
  fetchAndForwardThrough(relay);
  // Only the upgrade went in the clear, then a TLS handshake record.
  const std::string seen = relay.clientBytes();
  ASSERT_GT(seen.size(), 12u);
  EXPECT_EQ(seen.substr(0, 12), "CAPA\r\nSTLS\r\n");
  EXPECT_EQ(seen[12], '\x16');
}

TEST_F(MailpumpOverDovecotTls, FetchesAndForwardsOverPop3sOnItsPort) {
  // Port 995 on an address of this run's own; binding it needs root.
  CapturingProxy relay(pop3sAddress(), kPop3sPort, pop3_.tlsPort());
  std::string error;
  if (!relay.start(&error)) GTEST_SKIP() << error;
  importMailbox(pop3sAddress(), kPop3sPort, "required");
  fetchAndForwardThrough(relay);
  // TLS from the first byte: a handshake record, no POP3 command.
  const std::string seen = relay.clientBytes();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], '\x16');
  EXPECT_EQ(seen.find("CAPA"), std::string::npos);
}

// A server that offers STLS and then shows a certificate that does not verify: mailpump ends the
// session with the reason, logs nothing in, forwards nothing, and says it failed.
TEST_F(MailpumpTlsTest, CertificatesThatDoNotVerifyFailWithTheirReasonBeforeTheLogIn) {
  const struct {
    Certificate certificate;
    i18n::StringId reason;
  } cases[] = {{Certificate::kOtherHost, i18n::IDS_TLS_WRONG_HOST},
               {Certificate::kExpired, i18n::IDS_TLS_CERT_EXPIRED},
               {Certificate::kUnknownIssuer, i18n::IDS_TLS_UNKNOWN_ISSUER}};
  for (const auto& c : cases) {
    testing_support::TlsTestServer::Options options;
    options.certFile = certificates().certFile(c.certificate);
    options.keyFile = certificates().keyFile(c.certificate);
    options.greeting = "+OK ready\r\n";
    options.answers = {{"CAPA", "+OK\r\nUSER\r\nSTLS\r\n.\r\n"},
                       {"STLS", "+OK begin TLS\r\n"},
                       {"USER", "+OK\r\n"},
                       {"PASS", "+OK\r\n"}};
    options.upgradeCommand = "STLS";
    testing_support::TlsTestServer server(options);
    importMailbox(kLoopback, server.start(), "starttls");

    const CommandResult r = runOnce();
    const std::string reason = i18n::formatText(i18n::text(c.reason), {kLoopback});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    EXPECT_TRUE(server.waitUntilDone(kWaitMs));
    EXPECT_FALSE(server.handshakeDone());
    EXPECT_EQ(server.plainReceived().rfind("CAPA\r\nSTLS\r\n", 0), 0u) << server.plainReceived();
    EXPECT_EQ(server.plainReceived().find(kPassword), std::string::npos);
    EXPECT_EQ(server.plainReceived().find("USER"), std::string::npos);
    EXPECT_EQ(server.tlsReceived(), "");
    EXPECT_EQ(onTheLine_, "");
  }
}

}  // namespace
