// What mailpump maps: its window-less modes run without the toolkit's libraries (a small
// computer wired to a sign has little memory to spare); the window mode loads them with its
// module and behaves as ever.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

// How long a program may take to start on a busy machine before the test gives up on it.
constexpr auto kStartDeadline = std::chrono::seconds(60);

// Starts mailpump with the given arguments and no display (the offscreen platform serves the
// window mode), its output in files of `dir`.
pid_t spawnMailpump(const std::vector<std::string>& args, const testing_support::TempDir& dir) {
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
        entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
      env.push_back(entry);
  }
  std::vector<char*> argv = {const_cast<char*>(MAILPUMP_PATH)};
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, dir.file("stdout").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, dir.file("stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, MAILPUMP_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

// True once the process catches SIGTERM, i.e. a stop runs its exit sequence: it has started.
// False when it ended first or did not get there in time.
bool waitUntilItCatchesSigterm(pid_t pid) {
  const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
  const std::string statusFile = "/proc/" + std::to_string(pid) + "/status";
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return false;
    std::istringstream status(testing_support::readFile(statusFile));
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("SigCgt:", 0) != 0) continue;
      const unsigned long long caught = std::strtoull(line.c_str() + 7, nullptr, 16);
      if ((caught >> (SIGTERM - 1)) & 1) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

std::string mappedFiles(pid_t pid) {
  return testing_support::readFile("/proc/" + std::to_string(pid) + "/maps");
}

// A started mailpump, killed if the test leaves it running.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t pid() const { return pid_; }

  // Stops it with SIGTERM; its exit status, or -1 when it did not exit normally.
  int stop() {
    kill(pid_, SIGTERM);
    int raw = 0;
    const bool ended = waitpid(pid_, &raw, 0) == pid_;
    pid_ = -1;
    return ended && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

 private:
  pid_t pid_;
};

class ProgramFootprint : public ::testing::Test {
 protected:
  std::string errors() const { return testing_support::readFile(io_.file("stderr")); }

  testing_support::TempDir data_;
  testing_support::TempDir io_;
};

TEST_F(ProgramFootprint, TheHeadlessModesMapNoQtLibrary) {
  Child mailpump(spawnMailpump({"--data-dir", data_.path(), "--headless"}, io_));
  ASSERT_GT(mailpump.pid(), 0);
  ASSERT_TRUE(waitUntilItCatchesSigterm(mailpump.pid())) << errors();
  const std::string maps = mappedFiles(mailpump.pid());
  EXPECT_NE(maps.find("libc.so"), std::string::npos) << maps;
  EXPECT_EQ(maps.find("libQt"), std::string::npos) << maps;
  EXPECT_EQ(maps.find("mailpump-window"), std::string::npos) << maps;
  EXPECT_EQ(mailpump.stop(), 0) << errors();
}

TEST_F(ProgramFootprint, TheWindowComesFromItsModuleAndStillSavesOnSigterm) {
  // Settings that load without a complaint, dated long ago so that their saving shows.
  const std::string settingsFile = receiver::ReceiverPaths(data_.path()).settingsFile();
  ASSERT_TRUE(receiver::saveSettingsFile(settingsFile, receiver::ReceiverSettings{}).ok());
  const timespec longAgo[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, settingsFile.c_str(), longAgo, 0), 0);

  Child mailpump(spawnMailpump({"--data-dir", data_.path()}, io_));
  ASSERT_GT(mailpump.pid(), 0);
  ASSERT_TRUE(waitUntilItCatchesSigterm(mailpump.pid())) << errors();
  const std::string maps = mappedFiles(mailpump.pid());
  EXPECT_NE(maps.find("/mailpump-window.so"), std::string::npos) << maps;
  EXPECT_NE(maps.find("libQt6Widgets"), std::string::npos) << maps;
  EXPECT_EQ(mailpump.stop(), 0) << errors();
  struct stat st {};
  ASSERT_EQ(stat(settingsFile.c_str(), &st), 0);
  EXPECT_NE(st.st_mtim.tv_sec, 1000) << "the exit sequence did not save the settings";
}

}  // namespace
