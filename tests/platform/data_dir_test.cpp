#include "platform/data_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

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
