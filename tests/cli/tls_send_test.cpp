// varnel-cli sends a workspace to a site on an e-mail device over TLS: the mail server imported
// from book JSON with its policy and CA file, aiosmtpd with STARTTLS and with SMTPS on 465, the
// log-in inside TLS. A relay in between keeps what an eavesdropper on the loopback would see.

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "addressbook/address_book.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "mail/base64.h"
#include "tests/support/capturing_proxy.h"
#include "tests/support/mail_site_book.h"
#include "tests/support/pop3_server.h"
#include "tests/support/run_command.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_certificates.h"
#include "workspace/workspace_file.h"

namespace {

using testing_support::CapturingProxy;
using testing_support::CommandResult;
using testing_support::runCli;
using testing_support::SmtpTestServer;
using testing_support::TempDir;
using testing_support::TestCertificates;
using Certificate = TestCertificates::Server;

constexpr char kLoopback[] = "127.0.0.1";
constexpr char kUser[] = "office";
constexpr char kPassword[] = "Smtp-Tls-93";
constexpr uint16_t kSmtpsPort = 465;

// The SMTPS relay takes its port on the test program's own loopback address, which the
// good certificate names.
const std::string& smtpsAddress() {
  return testing_support::sharedLoopbackAddress();
}

const TestCertificates& certificates() {
  return testing_support::sharedTestCertificates();
}

class CliTlsSendTest : public ::testing::Test {
 protected:
  // Starts aiosmtpd with `certificate`; with `requireAuth` it takes mail only after a log-in
  // (and that only over TLS).
  void startServer(Certificate certificate, bool implicitTls, bool requireAuth = true) {
    SmtpTestServer::Options options;
    options.maildir = mails_.file("Maildir");
    options.user = kUser;
    options.password = kPassword;
    options.requireAuth = requireAuth;
    options.tlsCertFile = certificates().certFile(certificate);
    options.tlsKeyFile = certificates().keyFile(certificate);
    options.implicitTls = implicitTls;
    smtp_ = std::make_unique<SmtpTestServer>(options);
    std::string error;
    ASSERT_TRUE(smtp_->start(&error)) << error;
  }

  // A mail server that logs in to SMTP.
  static addressbook::CMailServer smtpLogInServer(const std::string& host, int port) {
    addressbook::CMailServer server;
    server.name = "Office";
    server.smtpServer = host;
    server.smtpPort = port;
    server.mailAddress = "office@example.com";
    server.needsAuth = 1;
    server.usePop3Credentials = 0;
    server.account = kUser;
    server.password = kPassword;
    server.pop3Server = kLoopback;  // Named, though the SMTP log-in makes a POP3 one needless.
    server.pop3Account = kUser;
    return server;
  }

  // The book as a user imports it: a site on an e-mail device sending through `server`, written
  // as JSON with the server's "tls" and "caFile".
  void importBook(const addressbook::CMailServer& server, const std::string& policy) {
    const auto book = testing_support::emailSiteBook(server, "Depot", "DepotBox", "d@example.com");
    ASSERT_TRUE(book.save(addressbook::sitePath(mails_.path())).ok());
    const CommandResult shown = runCli({"--data-dir", mails_.path(), "book", "show", "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    nlohmann::ordered_json json = nlohmann::ordered_json::parse(shown.out);
    json["mailServers"][0]["tls"] = policy;
    json["mailServers"][0]["caFile"] = certificates().caFile();
    testing_support::writeFile(data_.file("book.json"), json.dump());
    const CommandResult imported =
        runCli({"--data-dir", data_.path(), "book", "import", data_.file("book.json")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
  }

  CommandResult send() {
    const platform::Status written =
        workspace::saveWorkspaceFile(data_.file("show.SDV"), workspace::Workspace());
    EXPECT_TRUE(written.ok()) << written.message();
    return runCli({"--data-dir", data_.path(), "send", "workspace", data_.file("show.SDV"),
                   "--site", "Depot"});
  }

  // The relay saw traffic, but neither the password nor the log-in in any form.
  static void expectNoLogInInTheClear(const CapturingProxy& relay) {
    const std::string seen = relay.clientBytes();
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(seen.find(kPassword), std::string::npos);
    EXPECT_EQ(seen.find(mail::base64Encode(kPassword, mail::Base64Lines::kUnbroken)),
              std::string::npos);
    EXPECT_EQ(seen.find("AUTH"), std::string::npos);
    EXPECT_EQ(seen.find("MAIL FROM"), std::string::npos);
  }

  void expectDelivered(const CommandResult& r) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("send successfully,"), std::string::npos) << r.err;
    const auto mails = smtp_->deliveredMails();
    ASSERT_EQ(mails.size(), 1u) << r.err;
    EXPECT_NE(mails[0].find("Subject: Data for Z2500 series\r\n"), std::string::npos);
  }

  TempDir mails_;  // aiosmtpd's Maildir, and the book before it is exported.
  TempDir data_;   // varnel-cli's data directory.
  std::unique_ptr<SmtpTestServer> smtp_;
};

TEST_F(CliTlsSendTest, DeliversWithTheLogInAfterStartTls) {
  startServer(Certificate::kGood, false);
  CapturingProxy relay(kLoopback, 0, static_cast<uint16_t>(smtp_->port()));
  std::string error;
  ASSERT_TRUE(relay.start(&error)) << error;
  importBook(smtpLogInServer(kLoopback, relay.port()), "required");
  expectDelivered(send());
  expectNoLogInInTheClear(relay);
  EXPECT_NE(relay.clientBytes().find("STARTTLS\r\n"), std::string::npos);
}

TEST_F(CliTlsSendTest, DeliversOverSmtpsOnItsPort) {
  startServer(Certificate::kGood, true);
  // Port 465 on an address of this run's own; binding it needs root.
  CapturingProxy relay(smtpsAddress(), kSmtpsPort, static_cast<uint16_t>(smtp_->port()));
  std::string error;
  if (!relay.start(&error)) GTEST_SKIP() << error;
  importBook(smtpLogInServer(smtpsAddress(), kSmtpsPort), "required");
  expectDelivered(send());
  expectNoLogInInTheClear(relay);
  EXPECT_EQ(relay.clientBytes().find("EHLO"), std::string::npos);
}

// A certificate that does not verify ends the send with its reason, not a socket error number,
// and the log-in never goes out.
TEST_F(CliTlsSendTest, CertificateThatDoesNotVerifyFailsWithItsReason) {
  startServer(Certificate::kExpired, false);
  CapturingProxy relay(kLoopback, 0, static_cast<uint16_t>(smtp_->port()));
  std::string error;
  ASSERT_TRUE(relay.start(&error)) << error;
  importBook(smtpLogInServer(kLoopback, relay.port()), "starttls");
  const CommandResult r = send();
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find(i18n::formatText(i18n::text(i18n::IDS_TLS_CERT_EXPIRED), {kLoopback})),
            std::string::npos)
      << r.err;
  expectNoLogInInTheClear(relay);
  EXPECT_TRUE(smtp_->deliveredMails().empty());
}

// Without an SMTP log-in, varnel logs in to the server's POP3 account before sending; under the
// mail server's choice that log-in goes over TLS too (STLS at Dovecot), as does the SMTP session.
TEST_F(CliTlsSendTest, LogsInToPop3OverStlsBeforeSending) {
  if (!testing_support::Pop3Server::available()) GTEST_SKIP() << "dovecot is not installed";
  testing_support::Pop3Server pop3;
  pop3.enableTls(certificates().certFile(Certificate::kGood),
                 certificates().keyFile(Certificate::kGood));
  pop3.addUser(kUser, kPassword);
  std::string error;
  ASSERT_TRUE(pop3.start(&error)) << error;
  startServer(Certificate::kGood, false, false);
  CapturingProxy relay(kLoopback, 0, pop3.port());
  ASSERT_TRUE(relay.start(&error)) << error;
  importBook(testing_support::popBeforeSmtpServer(smtp_->port(), relay.port(), kUser, kPassword),
             "required");
  expectDelivered(send());
  expectNoLogInInTheClear(relay);
  EXPECT_EQ(relay.clientBytes().rfind("CAPA\r\nSTLS\r\n", 0), 0u);
  const std::string log = pop3.log();
  const size_t login = log.find("Login: user=<office>");
  ASSERT_NE(login, std::string::npos) << log;
  EXPECT_NE(log.substr(login, log.find('\n', login) - login).find(", TLS"), std::string::npos);
}

}  // namespace
