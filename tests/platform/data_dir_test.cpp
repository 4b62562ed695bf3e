#include "platform/data_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/atomic_file.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    had_ = std::getenv(name) != nullptr;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_, old_.c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(DataDir, ExplicitDirectoryIsCreatedAndEndsInSlash) {
  TempDir dir;
  const platform::Result<std::string> got = platform::resolveDataDir(dir.file("a/b"), "varnel");
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, dir.file("a/b") + "/");
  EXPECT_TRUE(platform::pathExists(dir.file("a/b")));
}

TEST(DataDir, DefaultIsTheExecutablesDirectoryWhenWritable) {
  // Test programs run from the build tree, which is writable.
  const platform::Result<std::string> got = platform::resolveDataDir("", "varnel");
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, platform::executableDir());
}

TEST(DataDir, BuildFolderIsRecognisedThroughSymbolicLinks) {
  ASSERT_FALSE(platform::buildProgramDir().empty());
  EXPECT_TRUE(platform::isBuildProgramDir(platform::executableDir()));
  TempDir dir;
  ASSERT_EQ(::symlink(platform::buildProgramDir().c_str(), dir.file("link").c_str()), 0);
  EXPECT_TRUE(platform::isBuildProgramDir(dir.file("link/")));
  EXPECT_FALSE(platform::isBuildProgramDir(dir.path() + "/"));
  EXPECT_FALSE(platform::isBuildProgramDir(dir.file("missing/")));
  EXPECT_FALSE(platform::isBuildProgramDir(""));
}

// An installed program keeps nothing beside itself, even in a folder it may write (run as root
// from /usr/bin, or installed under the user's home).
TEST(DataDir, InstalledProgramUsesTheXdgDataDirectory) {
  TempDir dir;
  ASSERT_TRUE(platform::makeDirectories(dir.file("prefix/bin")));
  const ScopedEnv xdg("XDG_DATA_HOME", dir.file("xdg").c_str());
  const platform::Result<std::string> got =
      platform::resolveDataDirFrom("", "mailpump", dir.file("prefix/bin/"));
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(*got, dir.file("xdg/mailpump/"));
  EXPECT_TRUE(platform::pathExists(dir.file("xdg/mailpump")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("prefix/bin")));

  // --data-dir still wins.
  const platform::Result<std::string> chosen =
      platform::resolveDataDirFrom(dir.file("mine"), "mailpump", dir.file("prefix/bin/"));
  ASSERT_TRUE(chosen.ok());
  EXPECT_EQ(*chosen, dir.file("mine/"));
}

TEST(DataDir, WithoutAnAbsoluteXdgDataHomeTheHomeFolderIsUsed) {
  TempDir dir;
  const ScopedEnv home("HOME", dir.path().c_str());
  const ScopedEnv xdg("XDG_DATA_HOME", "relative/path");
  const platform::Result<std::string> got =
      platform::resolveDataDirFrom("", "varnel", dir.file("bin/"));
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(*got, dir.file(".local/share/varnel/"));

  const ScopedEnv noHome("HOME", nullptr);
  const ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
  const platform::Result<std::string> none =
      platform::resolveDataDirFrom("", "varnel", dir.file("bin/"));
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.status().code(), platform::Status::Code::kCannotOpen);
}

// The program itself, copied out of the build tree as an install does, writes its files to the
// XDG data directory and nothing beside itself.
TEST(DataDir, CopiedProgramWritesItsFilesUnderXdgDataHome) {
  TempDir dir;
  ASSERT_TRUE(platform::makeDirectories(dir.file("usr/bin")));
  const std::string program = dir.file("usr/bin/varnel-cli");
  std::filesystem::copy_file(VARNEL_CLI_PATH, program);
  const std::string xdg = "XDG_DATA_HOME=" + dir.file("xdg");
  const testing_support::CommandResult shown =
      testing_support::runCommand({"/usr/bin/env", xdg, program, "book", "show", "--json"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  testing_support::writeFile(dir.file("book.json"), shown.out);
  const testing_support::CommandResult imported = testing_support::runCommand(
      {"/usr/bin/env", xdg, program, "book", "import", dir.file("book.json")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_TRUE(platform::pathExists(dir.file("xdg/varnel/Z2500SiteManage.dat")));
  size_t besideProgram = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("usr/bin"))) {
    EXPECT_EQ(entry.path().filename(), "varnel-cli");
    ++besideProgram;
  }
  EXPECT_EQ(besideProgram, 1u);
}

TEST(DataDir, ExplicitDirectoryThatCannotBeMadeIsAnError) {
  TempDir dir;
  testing_support::writeFile(dir.file("plain"), "x");
  const platform::Result<std::string> got =
      platform::resolveDataDir(dir.file("plain/sub"), "varnel");
  ASSERT_FALSE(got.ok());
  EXPECT_EQ(got.status().code(), platform::Status::Code::kCannotOpen);
  EXPECT_NE(got.message().find("plain/sub"), std::string::npos);
}

TEST(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.file("f.dat");
  ASSERT_TRUE(platform::writeFileAtomic(path, "old", platform::kDataFileMode).ok());
  ASSERT_TRUE(platform::writeFileAtomic(path, "new", platform::kDataFileMode).ok());
  EXPECT_EQ(testing_support::readFile(path), "new");
  const platform::Status failed = platform::writeFileAtomic(dir.file("missing/f"), "x", 0644);
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(failed.code(), platform::Status::Code::kCannotWrite);
  EXPECT_FALSE(failed.message().empty());
}
