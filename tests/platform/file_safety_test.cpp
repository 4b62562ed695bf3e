// Files under hostile conditions: what a reader is handed instead of a file, a writer killed
// mid-write, a disk that refuses the write.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

using platform::Status;
using testing_support::TempDir;

namespace {

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.c_str());
  while (const dirent* e = d ? ::readdir(d) : nullptr) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (d) ::closedir(d);
  return names;
}

void setAge(const std::string& path, int seconds) {
  const timespec old{::time(nullptr) - seconds, 0};
  const timespec times[2] = {old, old};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(RegularFilesOnly, FifoDirectoryAndDeviceAreRefusedWithoutWaiting) {
  TempDir dir;
  const std::string fifo = dir.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, dir.path(), std::string("/dev/zero")}) {
    const auto started = std::chrono::steady_clock::now();
    const platform::Result<std::string> read = platform::readWholeFile(path);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << path;
    ASSERT_FALSE(read.ok()) << path;
    EXPECT_EQ(read.status().code(), Status::Code::kCannotOpen);
    EXPECT_NE(read.message().find("not a regular file"), std::string::npos) << read.message();
  }
  testing_support::writeFile(dir.file("f"), "bytes");
  ASSERT_EQ(::symlink(dir.file("f").c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(*platform::readWholeFile(dir.file("link")), "bytes");
  const platform::Result<std::string> big = platform::readWholeFile(dir.file("f"), 4);
  EXPECT_EQ(big.status().code(), Status::Code::kRefused);
}

// A writer killed at any moment leaves the old or the new file and nothing else.
TEST(AtomicFileKilled, NoTemporaryOutlivesAKilledWriter) {
  TempDir dir;
  const std::string path = dir.file("book.dat");
  const std::string big(4 << 20, 'x');
  std::mt19937 rng(5);
  for (int round = 0; round < 30; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;)
        platform::writeFileAtomic(path, big, platform::kPrivateFileMode);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  // The last writer may have died with its complete file named but not yet renamed; the next
  // write of the file, as the program's next run makes, clears it away.
  ASSERT_TRUE(platform::writeFileAtomic(path, big, platform::kPrivateFileMode).ok());
  for (const std::string& name : namesIn(dir.path()))
    EXPECT_EQ(name, "book.dat");
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    EXPECT_EQ(st.st_size, static_cast<off_t>(big.size()));
    EXPECT_EQ(st.st_mode & 0777, platform::kPrivateFileMode);
  }
}

// A temporary nobody holds was left by a killed writer, however young; one held by a living
// writer stays, and so do files of other names.
TEST(AtomicFileKilled, AbandonedTemporariesOfTheSameFileAreRemovedByTheNextWrite) {
  TempDir dir;
  const std::string path = dir.file("w.SDV");
  testing_support::writeFile(path + ".tmp-Ab12Cd", "left by a killed program long ago");
  setAge(path + ".tmp-Ab12Cd", 3600);
  testing_support::writeFile(path + ".tmp-Ef34Gh", "left by a killed program just now");
  testing_support::writeFile(path + ".tmp-young1", "being written right now");
  const int writer = ::open((path + ".tmp-young1").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(::flock(writer, LOCK_EX), 0);
  testing_support::writeFile(path + ".tmp-notours", "another name");
  setAge(path + ".tmp-notours", 3600);
  testing_support::writeFile(path + ".backup", "the user's");
  setAge(path + ".backup", 3600);
  ASSERT_TRUE(platform::writeFileAtomic(path, "new", platform::kDataFileMode).ok());
  EXPECT_FALSE(platform::pathExists(path + ".tmp-Ab12Cd"));
  EXPECT_FALSE(platform::pathExists(path + ".tmp-Ef34Gh"));
  EXPECT_TRUE(platform::pathExists(path + ".tmp-young1"));
  EXPECT_TRUE(platform::pathExists(path + ".tmp-notours"));
  EXPECT_TRUE(platform::pathExists(path + ".backup"));
  ::close(writer);
}

// A disk that refuses the write (here: a file size limit, as a full disk would) keeps the old file
// and reports the system's reason.
TEST(AtomicFileRefused, FullDiskKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string path = dir.file("f.dat");
  ASSERT_TRUE(platform::writeFileAtomic(path, "old contents", platform::kDataFileMode).ok());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const Status s = platform::writeFileAtomic(path, std::string(1 << 20, 'n'), 0644);
    const bool saysWhy = s.code() == Status::Code::kCannotWrite &&
                         s.message().find("File too large") != std::string::npos;
    ::_exit(saysWhy ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(testing_support::readFile(path), "old contents");
  EXPECT_EQ(namesIn(dir.path()).size(), 1u);
}
