// mailpump run as a process, the way a service manager runs it: no window, no display.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "tests/support/temp_dir.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Starts mailpump with the given arguments, stdout and stderr going to files in `dir`, and no
// DISPLAY so that touching the window system would fail.
pid_t startMailpump(const std::vector<std::string>& args, const testing_support::TempDir& dir) {
  pid_t pid = fork();
  if (pid == 0) {
    int out = open(dir.file("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(dir.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0) _exit(126);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(MAILPUMP_PATH));
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(MAILPUMP_PATH, argv.data());
    _exit(127);
  }
  return pid;
}

Outcome finish(pid_t pid, const testing_support::TempDir& dir) {
  Outcome o;
  int raw = 0;
  if (waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) o.status = WEXITSTATUS(raw);
  o.out = testing_support::readFile(dir.file("stdout"));
  o.err = testing_support::readFile(dir.file("stderr"));
  return o;
}

Outcome runMailpump(const std::vector<std::string>& args, const testing_support::TempDir& dir) {
  return finish(startMailpump(args, dir), dir);
}

class MailpumpProgramTest : public ::testing::Test {
 protected:
  testing_support::TempDir data_;
  testing_support::TempDir io_;
  const receiver::ReceiverPaths paths_{data_.path()};
};

TEST_F(MailpumpProgramTest, ImportThenExportRoundTripsAndKeepsTheFilePrivate) {
  const std::string json =
      R"({"selfReceiving":1,"interval":30,"comPort":3,"autostart":0,"mailboxes":)"
      R"([{"name":"signs","server":"127.0.0.1","account":"sign","password":"pw","port":1110}]})";
  testing_support::writeFile(io_.file("in.json"), json);

  Outcome imported =
      runMailpump({"--data-dir", data_.path(), "--import-settings", io_.file("in.json")}, io_);
  ASSERT_EQ(imported.status, 0) << imported.err;
  struct stat st {};
  ASSERT_EQ(stat(paths_.settingsFile().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  receiver::ReceiverSettings s;
  ASSERT_TRUE(receiver::loadSettingsFile(paths_.settingsFile(), &s).ok());
  EXPECT_TRUE(s.selfReceiving);
  EXPECT_EQ(s.pollIntervalSeconds, 30);
  EXPECT_EQ(s.comPort, 3);
  ASSERT_EQ(s.mailboxes.size(), 1u);
  EXPECT_EQ(s.mailboxes[0].password, "pw");

  Outcome exported = runMailpump({"--data-dir", data_.path(), "--export-settings"}, io_);
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_NE(exported.out.find(R"("server": "127.0.0.1")"), std::string::npos) << exported.out;
  EXPECT_NE(exported.out.find(R"("interval": 30)"), std::string::npos) << exported.out;
}

TEST_F(MailpumpProgramTest, FailuresGiveStatusAndTextOnStderr) {
  Outcome noFile = runMailpump({"--data-dir", data_.path(), "--export-settings"}, io_);
  EXPECT_EQ(noFile.status, 1);
  EXPECT_TRUE(noFile.out.empty());
  EXPECT_FALSE(noFile.err.empty());

  Outcome noMailbox = runMailpump({"--data-dir", data_.path(), "--once"}, io_);
  EXPECT_EQ(noMailbox.status, 1);
  EXPECT_NE(noMailbox.err.find("The mail address for querying is blank!"), std::string::npos)
      << noMailbox.err;

  Outcome twoModes = runMailpump({"--once", "--headless"}, io_);
  EXPECT_EQ(twoModes.status, 2);
  EXPECT_FALSE(twoModes.err.empty());
}

TEST_F(MailpumpProgramTest, PollingEndsCleanlyOnSigtermAndSavesTheSettings) {
  pid_t pid = startMailpump({"--data-dir", data_.path(), "--headless"}, io_);
  ASSERT_GT(pid, 0);
  // Give it time to install its handlers, then ask it to stop.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));

  // Meanwhile the data directory is taken: a second poller or an import would fight over the
  // mailboxes, the line and Set.dat.
  testing_support::TempDir other;
  testing_support::writeFile(other.file("in.json"), R"({"mailboxes":[]})");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--data-dir", data_.path(), "--once"},
        std::vector<std::string>{"--data-dir", data_.path(), "--import-settings",
                                 other.file("in.json")}}) {
    Outcome refused = runMailpump(args, other);
    EXPECT_EQ(refused.status, 1) << args[2];
    EXPECT_NE(refused.err.find("mailpump is already running"), std::string::npos) << refused.err;
  }

  ASSERT_EQ(kill(pid, SIGTERM), 0);
  Outcome o = finish(pid, io_);
  EXPECT_EQ(o.status, 0) << o.err;
  receiver::ReceiverSettings s;
  EXPECT_TRUE(receiver::loadSettingsFile(paths_.settingsFile(), &s).ok());
}

}  // namespace
