// The address-book commands of varnel-cli, run as a separate program.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/site_manage_file.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::runCli;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct BadImport {
  std::string json;
  std::string error;  // a part of the refusal on stderr
};

// Imports each book over a saved one: each is refused with its error and leaves the file as it
// was.
void expectImportsRefused(const std::vector<BadImport>& cases) {
  TempDir dir;
  const std::string site = addressbook::sitePath(dir.path());
  addressbook::CAddressBook original;
  original.defaultDevice = "keep";
  ASSERT_TRUE(original.save(site).ok());
  const std::string before = readFile(site);
  for (const BadImport& c : cases) {
    writeFile(dir.file("bad.json"), c.json);
    const CommandResult r =
        runCli({"--data-dir", dir.path(), "book", "import", dir.file("bad.json")});
    EXPECT_EQ(r.exitCode, 1) << c.json;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << c.json << " -> " << r.err;
    EXPECT_EQ(readFile(site), before) << c.json;
  }
}

}  // namespace

TEST(CliAddresses, PrintsTheExpandedAddresses) {
  CommandResult r = runCli({"addresses", "1,3,5-7"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "1 3 5 6 7\n");
  EXPECT_EQ(r.err, "");
  r = runCli({"addresses", "9-7"});
  EXPECT_EQ(r.out, "7 8 9\n");
}

TEST(CliAddresses, RefusedListPrintsTheValidatorMessage) {
  const CommandResult r = runCli({"addresses", "1,,2"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "varnel-cli: The address is invalidation,please re-enter!\n");
}

TEST(CliAddresses, NoValidateExpandsAnyList) {
  CommandResult r = runCli({"addresses", "--no-validate", "1,,2"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "1 2\n");
  r = runCli({"addresses", "0-300", "--no-validate"});
  EXPECT_EQ(r.exitCode, 0);
  std::string expected;
  for (int i = 0; i < 128; ++i)
    expected += (i ? " " : "") + std::to_string(i);
  EXPECT_EQ(r.out, expected + "\n");
  r = runCli({"addresses", "--no-validate", ","});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "\n");
}

TEST(CliBook, ImportThenShowGivesTheSameJson) {
  TempDir dir;
  const std::string json =
      R"({"devices": [{"name": "Net", "type": 2, "comPort": 1, "ipPort": 6000, "baudRate": 2400,
                       "modemKind": 2, "dialTimeout": 30, "tcpTimeout": 15, "modemName": "",
                       "mailServer": ""}],
          "sites": [{"name": "Café", "device": "Net", "addresses": "1-3", "phone": "",
                     "target": "T1"}],
          "groups": [{"name": "G", "sites": ["Café", "Gone"]}],
          "tcpipGroups": [{"name": "T1", "address": "10.0.0.5"}],
          "mailboxes": [{"name": "Box", "address": "pc@example.com"}],
          "mailServers": [{"name": "Srv", "smtpServer": "smtp.example.com",
                           "mailAddress": "me@example.com", "smtpPort": 25, "needsAuth": 1,
                           "account": "me", "password": "secret", "pop3Server": "",
                           "pop3Account": "", "pop3Password": "", "pop3Port": 110,
                           "usePop3Credentials": 1}],
          "defaultDevice": "Net"})";
  writeFile(dir.file("book.json"), json);
  CommandResult r = runCli({"--data-dir", dir.path(), "book", "import", dir.file("book.json")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string site = addressbook::sitePath(dir.path());
  struct stat st {};
  ASSERT_EQ(::stat(site.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // The file holds Windows-1252 text.
  addressbook::CAddressBook book;
  ASSERT_TRUE(book.load(site).ok());
  ASSERT_EQ(book.sites.size(), 1u);
  EXPECT_EQ(book.sites[0].name, "Caf\xE9");

  r = runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Every field, in the order of the documented schema, indented by two.
  EXPECT_EQ(r.out, nlohmann::ordered_json::parse(json).dump(2) + "\n");
}

TEST(CliBook, ImportFillsMissingFieldsWithDefaults) {
  TempDir dir;
  writeFile(dir.file("b.json"), R"({"devices": [{"name": "D"}], "mailServers": [{"name": "M"}]})");
  ASSERT_EQ(runCli({"--data-dir", dir.path(), "book", "import", dir.file("b.json")}).exitCode, 0);
  addressbook::CAddressBook book;
  ASSERT_TRUE(book.load(addressbook::sitePath(dir.path())).ok());
  ASSERT_EQ(book.devices.size(), 1u);
  addressbook::CDevice device;
  device.name = "D";
  EXPECT_EQ(book.devices[0], device);
  ASSERT_EQ(book.mailServers.size(), 1u);
  addressbook::CMailServer server;
  server.name = "M";
  EXPECT_EQ(book.mailServers[0], server);
  EXPECT_TRUE(book.sites.empty());
}

TEST(CliBook, BadImportsAreRefusedAndLeaveTheFileAlone) {
  expectImportsRefused({
      {"{", "not valid JSON"},
      {"[]", "must be a JSON object"},
      {R"({"devices": {}})", "devices must be an array"},
      {R"({"devices": [1]})", "devices[0] must be an object"},
      {R"({"devices": [{"name": 5}]})", "devices[0].name must be a string"},
      {R"({"devices": [{"comPort": 2147483648}]})", "devices[0].comPort is out of range"},
      {R"({"mailServers": [{"needsAuth": 256}]})", "mailServers[0].needsAuth is out of range"},
      {R"({"mailServers": [{"needsAuth": -1}]})", "mailServers[0].needsAuth is out of range"},
      {R"({"devices": [{"ipPort": 1.5}]})", "devices[0].ipPort must be an integer"},
      // Numbers out of what the dialogs store; a time-out in seconds must survive * 1000.
      {R"({"devices": [{"tcpTimeout": -1}]})", "devices[0].tcpTimeout is out of range (0 to"},
      {R"({"devices": [{"tcpTimeout": 2147483647}]})", "devices[0].tcpTimeout is out of range"},
      {R"({"devices": [{"dialTimeout": 2147484}]})", "devices[0].dialTimeout is out of range"},
      {R"({"devices": [{"ipPort": 65536}]})", "devices[0].ipPort is out of range"},
      {R"({"devices": [{"type": 0}]})", "devices[0].type is out of range (1 to 4)"},
      {R"({"devices": [{"modemKind": 3}]})", "devices[0].modemKind is out of range"},
      {R"({"mailServers": [{"pop3Port": -5}]})", "mailServers[0].pop3Port is out of range"},
      {R"({"groups": [{"name": "G", "sites": ["a", 1]}]})", "groups[0].sites must be an array"},
      {R"({"sites": [{"name": "S"}, {"name": "S"}]})", "sites[1].name \"S\" is already used"},
      {R"({"sites": [{"name": "\u4e2d"}]})", "sites[0].name"},
      {R"({"defaultDevice": 3})", "defaultDevice must be a string"},
  });
}

TEST(CliBook, ShowOnADataDirectoryWithoutABookPrintsAnEmptyOne) {
  TempDir dir;
  const CommandResult r = runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, nlohmann::ordered_json::parse(R"({"devices": [], "sites": [], "groups": [],
      "tcpipGroups": [], "mailboxes": [], "mailServers": [], "defaultDevice": ""})")
                           .dump(2) +
                       "\n");
}

TEST(CliBook, ShowReportsAFileItCannotRead) {
  TempDir dir;
  // Something stands under the file's name but cannot be read as a file.
  ASSERT_EQ(::mkdir(addressbook::sitePath(dir.path()).c_str(), 0700), 0);
  CommandResult r = runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "varnel-cli: Open site manage data file " + addressbook::sitePath(dir.path()) +
                       " Error!\n");

  ASSERT_EQ(::rmdir(addressbook::sitePath(dir.path()).c_str()), 0);
  writeFile(addressbook::sitePath(dir.path()), "garbage");
  r = runCli({"--data-dir", dir.path(), "book", "show", "--json"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("is not site data file for Z2500 series."), std::string::npos);
}

// A book the address-book dialogs could not have made is refused, naming its first fault.
TEST(CliBook, ImportAppliesTheDialogsChecks) {
  const std::string devices =
      R"("devices": [{"name": "Net", "type": 2}, {"name": "Dial", "type": 3},
                     {"name": "Mail", "type": 4, "mailServer": "Smtp"}],
         "tcpipGroups": [{"name": "Lan", "address": "10.0.0.1"}],
         "mailboxes": [{"name": "Box", "address": "pc@example.com"}],
         "mailServers": [{"name": "Smtp"}])";
  expectImportsRefused({
      {R"({"sites": [{"name": "S", "device": "Net", "addresses": "1"}], )" + devices + "}",
       "sites[0] \"S\": You must select a TCP/IP group at first"},
      {R"({"sites": [{"name": "S", "device": "Net", "addresses": "a", "target": "Lan"}], )" +
           devices + "}",
       "sites[0] \"S\": The address may hold only numbers"},
      {R"({"sites": [{"name": "S", "device": "Gone", "addresses": "1"}]})",
       "sites[0] \"S\": You must first select a connect device."},
      {R"({"sites": [{"name": "S", "device": "Dial", "addresses": "1"}], )" + devices + "}",
       "sites[0] \"S\": Phone number cannot be left blank. Please enter a phone number!"},
      {R"({"sites": [{"name": "S", "device": "Mail", "addresses": "1", "target": "Lan"}], )" +
           devices + "}",
       "sites[0] \"S\": You must select a mail address"},
      {R"({"devices": [{"name": "Mail", "type": 4, "mailServer": "Gone"}]})",
       "devices[0] \"Mail\": Please select one MAIL SERVER"},
      {R"({"devices": [{"name": "M", "type": 3, "modemKind": 1}]})",
       "devices[0] \"M\": Please select one modem at first."},
      {R"({"groups": [{"name": "G", "sites": ["A", "B", "A"]}]})",
       "groups[0] \"G\": the site \"A\" stands twice"},
      {R"({"tcpipGroups": [{"name": "T", "address": ""}]})",
       "tcpipGroups[0] \"T\": TCP/IP address can't be empty!"},
      {R"({"devices": [{"name": "D"}], "defaultDevice": "E"})",
       "defaultDevice \"E\" names no device"},
  });
  // The same records, filled in as the dialogs would, are taken.
  TempDir dir;
  writeFile(dir.file("good.json"),
            R"({"sites": [{"name": "A", "device": "Net", "addresses": "1", "target": "Lan"},
                          {"name": "B", "device": "Dial", "addresses": "2", "phone": "555"},
                          {"name": "C", "device": "Mail", "addresses": "3", "target": "Box"}],
                "defaultDevice": "Net", )" +
                devices + "}");
  const CommandResult r =
      runCli({"--data-dir", dir.path(), "book", "import", dir.file("good.json")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
}
