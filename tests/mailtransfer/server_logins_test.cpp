// What the e-mail transfer hands to its SMTP and POP3 clients for a mail server.

#include "mailtransfer/server_logins.h"

#include <gtest/gtest.h>

namespace {

using mail::TlsChoice;
using platform::TlsPolicy;
using platform::TlsSettings;

addressbook::CMailServer serverOn(int smtpPort, int pop3Port) {
  addressbook::CMailServer server;
  server.smtpServer = "smtp.example.com";
  server.mailAddress = "signs@example.com";
  server.pop3Account = "signs";
  server.pop3Password = "pop-pw";
  server.account = "auth";
  server.password = "auth-pw";
  server.smtpPort = smtpPort;
  server.pop3Port = pop3Port;
  return server;
}

TEST(ServerLogins, WithoutAChoiceEachConnectionFollowsItsPort) {
  const addressbook::CMailServer server = serverOn(465, 110);
  EXPECT_EQ(mailtransfer::smtpLoginOf(server, {}).tls, (TlsSettings{TlsPolicy::kRequired, ""}));
  EXPECT_EQ(mailtransfer::popBeforeSmtpOptions(server, {}, 0).tls.policy, TlsPolicy::kWhenOffered);
  const addressbook::CMailServer pop3s = serverOn(25, 995);
  EXPECT_EQ(mailtransfer::smtpLoginOf(pop3s, {}).tls.policy, TlsPolicy::kWhenOffered);
  EXPECT_EQ(mailtransfer::popBeforeSmtpOptions(pop3s, {}, 0).tls.policy, TlsPolicy::kRequired);
}

TEST(ServerLogins, TheServersChoiceReachesBothConnections) {
  addressbook::CMailServer server = serverOn(587, 110);
  const TlsChoice choice{TlsPolicy::kRequired, "/etc/private-ca.pem"};
  const mail::SmtpServerLogin login = mailtransfer::smtpLoginOf(server, choice);
  EXPECT_EQ(login.tls, (TlsSettings{TlsPolicy::kRequired, "/etc/private-ca.pem"}));
  const pop3::Pop3Options pop = mailtransfer::popBeforeSmtpOptions(server, choice, 2500);
  EXPECT_EQ(pop.tls, (TlsSettings{TlsPolicy::kRequired, "/etc/private-ca.pem"}));
  EXPECT_EQ(pop.guardMs, 2500);
  EXPECT_EQ(pop.connectTexts, pop3::ConnectTexts::kLanguageTable);
  EXPECT_NE(mailtransfer::popBeforeSmtpOptions(server, choice, 0).guardMs, 0);
}

}  // namespace
