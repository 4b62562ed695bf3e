// The session autostart entry: where it goes, how the command line is quoted, writing and removal.

#include "receiver/autostart_entry.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

namespace {

using receiver::quoteExecArgument;

// Points XDG_CONFIG_HOME (and HOME) somewhere for one test and restores them afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (hadOld_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};

TEST(AutostartEntry, DirectoryFollowsXdgConfigHomeElseHome) {
  ScopedEnv home("HOME", "/home/sign");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(receiver::autostartDirectory(), "/cfg/autostart");
  }
  {
    // A relative XDG_CONFIG_HOME is to be ignored.
    ScopedEnv xdg("XDG_CONFIG_HOME", "cfg");
    EXPECT_EQ(receiver::autostartDirectory(), "/home/sign/.config/autostart");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(receiver::autostartEntryPath(), "/home/sign/.config/autostart/mailpump.desktop");
}

TEST(AutostartEntry, ExecArgumentsAreQuotedOnlyWhenNeeded) {
  EXPECT_EQ(quoteExecArgument("/opt/varnel/bin/mailpump"), "/opt/varnel/bin/mailpump");
  EXPECT_EQ(quoteExecArgument("/home/a b/mailpump"), "\"/home/a b/mailpump\"");
  EXPECT_EQ(quoteExecArgument("/x/$HOME`id`\"q\"\\"), "\"/x/\\$HOME\\`id\\`\\\"q\\\"\\\\\"");
  EXPECT_EQ(quoteExecArgument("/data/100%"), "/data/100%%");
  EXPECT_EQ(quoteExecArgument(""), "\"\"");
}

TEST(AutostartEntry, TextCarriesProgramDataDirAndRunName) {
  const std::string plain = receiver::autostartEntryText("/opt/bin/mailpump", "");
  EXPECT_NE(plain.find("\nExec=/opt/bin/mailpump\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("\nX-Varnel-Run-Name=NORVATEK\n"), std::string::npos) << plain;
  EXPECT_EQ(plain.rfind("[Desktop Entry]\n", 0), 0u);

  // The quoted backslash is escaped once more as a string value.
  const std::string withDir = receiver::autostartEntryText("/opt/bin/mailpump", "/srv/a\\b c");
  EXPECT_NE(withDir.find("\nExec=/opt/bin/mailpump --data-dir \"/srv/a\\\\\\\\b c\"\n"),
            std::string::npos)
      << withDir;
}

TEST(AutostartEntry, WriteThenRemove) {
  testing_support::TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
  const std::string path = config.path() + "/autostart/mailpump.desktop";

  platform::Status status = receiver::writeAutostartEntry("/opt/bin/mailpump", "/srv/sign");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(testing_support::readFile(path),
            receiver::autostartEntryText("/opt/bin/mailpump", "/srv/sign"));

  status = receiver::removeAutostartEntry();
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_FALSE(platform::pathExists(path));
  // Clearing an entry that is not there is not a failure.
  status = receiver::removeAutostartEntry();
  EXPECT_TRUE(status.ok()) << status.message();
}

TEST(AutostartEntry, RefusesPathsThatWouldBreakTheEntry) {
  testing_support::TempDir config;
  ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
  const platform::Status status =
      receiver::writeAutostartEntry("/opt/bin/mailpump", "/srv/x\nExec=/bin/evil");
  EXPECT_EQ(status.code(), platform::Status::Code::kRefused);
  EXPECT_FALSE(status.message().empty());
  EXPECT_FALSE(platform::pathExists(config.path() + "/autostart/mailpump.desktop"));
}

}  // namespace
