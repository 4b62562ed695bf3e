// The mail servers' TLS choices in varnel-cli's book JSON, kept in varnel.ini.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "addressbook/site_manage_file.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A book of two mail servers; `relayTls` is added to the first one's object.
std::string bookJson(const std::string& relayTls) {
  return R"({"mailServers": [{"name": "Relay", "smtpServer": "smtp.example.com",
                              "mailAddress": "me@example.com", "smtpPort": 465, "needsAuth": 1,
                              "account": "me", "password": "secret", "pop3Server": "",
                              "pop3Account": "", "pop3Password": "", "pop3Port": 110,
                              "usePop3Credentials": 0)" +
         relayTls + R"(},
                             {"name": "Old", "smtpServer": "mail.example.com",
                              "mailAddress": "me@example.com", "smtpPort": 25, "needsAuth": 0,
                              "account": "", "password": "", "pop3Server": "pop.example.com",
                              "pop3Account": "me", "pop3Password": "pw", "pop3Port": 110,
                              "usePop3Credentials": 1}]})";
}

CommandResult import(const TempDir& dir, const std::string& json) {
  writeFile(dir.file("book.json"), json);
  return runCli({"--data-dir", dir.path(), "book", "import", dir.file("book.json")});
}

nlohmann::ordered_json shown(const TempDir& dir) {
  const CommandResult r = runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return nlohmann::ordered_json::parse(r.out)["mailServers"];
}

TEST(CliBookTls, ChoicesGoToTheProfileAndComeBack) {
  TempDir dir;
  writeFile(dir.file("varnel.ini"), "[Varnel]\nMovingSignOption=96\n[TLS]\nGone.Policy=plain\n");
  const std::string json = bookJson(R"(, "tls": "starttls", "caFile": "/etc/ssl/relay.pem")");
  CommandResult r = import(dir, json);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFile(dir.file("varnel.ini")),
            "[Varnel]\nMovingSignOption=96\n[TLS]\nRelay.Policy=starttls\n"
            "Relay.CAFile=/etc/ssl/relay.pem\n");
  // Shown exactly as imported: the fields stand only where a choice was made.
  EXPECT_EQ(shown(dir), nlohmann::ordered_json::parse(json)["mailServers"]);

  // A book without the fields (from before TLS) leaves every server to its ports.
  ASSERT_EQ(import(dir, bookJson("")).exitCode, 0);
  EXPECT_FALSE(shown(dir)[0].contains("tls"));
  EXPECT_EQ(readFile(dir.file("varnel.ini")), "[Varnel]\nMovingSignOption=96\n[TLS]\n");
}

TEST(CliBookTls, UnknownPoliciesAreRefusedBeforeAnythingIsWritten) {
  TempDir dir;
  ASSERT_EQ(import(dir, bookJson(R"(, "tls": "plain")")).exitCode, 0);
  const std::string site = readFile(addressbook::sitePath(dir.path()));
  const std::string profile = readFile(dir.file("varnel.ini"));
  const std::pair<std::string, std::string> bad[] = {
      {R"(, "tls": "tls1.3")",
       "mailServers[0].tls \"tls1.3\" is no TLS policy: use \"required\", \"starttls\" or "
       "\"plain\""},
      {R"(, "tls": 1)", "mailServers[0].tls must be a string"},
      {R"(, "caFile": ["/a"])", "mailServers[0].caFile must be a string"}};
  for (const auto& [fields, error] : bad) {
    const CommandResult r = import(dir, bookJson(fields));
    EXPECT_EQ(r.exitCode, 1) << fields;
    EXPECT_NE(r.err.find(error), std::string::npos) << r.err;
  }
  EXPECT_EQ(readFile(addressbook::sitePath(dir.path())), site);
  EXPECT_EQ(readFile(dir.file("varnel.ini")), profile);
}

}  // namespace
