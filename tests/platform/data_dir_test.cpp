#include "platform/data_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

TEST(DataDir, ExplicitDirectoryIsCreatedAndEndsInSlash) {
  TempDir dir;
  std::string error;
  const std::string got = platform::resolveDataDir(dir.file("a/b"), "varnel", &error);
  EXPECT_EQ(got, dir.file("a/b") + "/");
  EXPECT_TRUE(platform::pathExists(dir.file("a/b")));
}

TEST(DataDir, DefaultIsTheExecutablesDirectoryWhenWritable) {
  std::string error;
  // Test programs run from the build tree, which is writable.
  EXPECT_EQ(platform::resolveDataDir("", "varnel", &error), platform::executableDir());
}

TEST(DataDir, ExplicitDirectoryThatCannotBeMadeIsAnError) {
  TempDir dir;
  testing_support::writeFile(dir.file("plain"), "x");
  std::string error;
  EXPECT_EQ(platform::resolveDataDir(dir.file("plain/sub"), "varnel", &error), "");
  EXPECT_NE(error.find("plain/sub"), std::string::npos);
}

TEST(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.file("f.dat");
  ASSERT_TRUE(platform::writeFileAtomic(path, "old", platform::kDataFileMode, nullptr));
  ASSERT_TRUE(platform::writeFileAtomic(path, "new", platform::kDataFileMode, nullptr));
  EXPECT_EQ(testing_support::readFile(path), "new");
  std::string error;
  EXPECT_FALSE(platform::writeFileAtomic(dir.file("missing/f"), "x", 0644, &error));
  EXPECT_FALSE(error.empty());
}
