// The launcher's ready destination: made on a fresh data directory, never forced on an existing
// address book, and taken back on request.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kScript = std::string(VARNEL_SOURCE_DIR) + "/scripts/run-with-virtual-sign.sh";
const std::string kBuild =
    std::string(VIRTUAL_SIGN_PATH).substr(0, std::string(VIRTUAL_SIGN_PATH).rfind("/bin/"));

testing_support::CommandResult prepare(const std::string& dataDir, const std::string& extra) {
  std::vector<std::string> args = {kScript, "--build", kBuild, "--data-dir", dataDir};
  if (!extra.empty()) args.push_back(extra);
  return testing_support::runCommand(args);
}

nlohmann::json book(const std::string& dataDir) {
  return nlohmann::json::parse(
      testing_support::runCli({"--data-dir", dataDir, "book", "show", "--json"}).out);
}

TEST(VirtualSignDestination, OfferedOnAFreshDataDirectoryAndTakenBackOnRequest) {
  testing_support::TempDir dir;
  ASSERT_EQ(prepare(dir.path(), "--prepare-only").exitCode, 0);
  nlohmann::json b = book(dir.path());
  ASSERT_EQ(b["sites"].size(), 1u);
  EXPECT_EQ(b["sites"][0]["name"], "Virtual sign");
  EXPECT_EQ(b["devices"][0]["ipPort"], 5005);
  EXPECT_EQ(b["tcpipGroups"][0]["address"], "127.0.0.1");

  // Run again: the book now exists and stays as it is.
  ASSERT_EQ(prepare(dir.path(), "--prepare-only").exitCode, 0);
  EXPECT_EQ(book(dir.path()), b);

  ASSERT_EQ(prepare(dir.path(), "--remove-destination").exitCode, 0);
  b = book(dir.path());
  EXPECT_TRUE(b["sites"].empty());
  EXPECT_TRUE(b["devices"].empty());
  EXPECT_TRUE(b["tcpipGroups"].empty());
}

TEST(VirtualSignDestination, AnOperatorsBookChangesOnlyWhenAsked) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir.file("book.json"), R"({"devices": [{"name": "Shop", "type": 1,
    "comPort": 2}], "sites": [{"name": "Front", "device": "Shop", "addresses": "3"}],
    "groups": [], "tcpipGroups": [], "mailboxes": [], "mailServers": [],
    "defaultDevice": "Shop"})");
  ASSERT_EQ(
      testing_support::runCli({"--data-dir", dir.path(), "book", "import", dir.file("book.json")})
          .exitCode,
      0);
  const nlohmann::json original = book(dir.path());
  ASSERT_EQ(prepare(dir.path(), "--prepare-only").exitCode, 0);
  EXPECT_EQ(book(dir.path()), original);

  const auto added =
      testing_support::runCommand({kScript, "--build", kBuild, "--data-dir", dir.path(),
                                   "--add-destination", "--prepare-only"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  const nlohmann::json both = book(dir.path());
  EXPECT_EQ(both["sites"].size(), 2u);
  EXPECT_EQ(both["defaultDevice"], "Shop");

  ASSERT_EQ(prepare(dir.path(), "--remove-destination").exitCode, 0);
  EXPECT_EQ(book(dir.path()), original);
}

}  // namespace
