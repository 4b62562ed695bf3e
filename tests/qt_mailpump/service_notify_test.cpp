// mailpump --headless under a service manager: it says when it is ready and when it stops, over
// the datagram socket that systemd names in NOTIFY_SOCKET.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

// The next message on the socket, or "<none>" when none comes within `timeoutMs`.
std::string nextMessage(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) != 1) return "<none>";
  char buf[512];
  const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
  return n < 0 ? "<none>" : std::string(buf, static_cast<size_t>(n));
}

TEST(MailpumpService, ReportsReadinessAndStoppingToTheServiceManager) {
  testing_support::TempDir dir;
  const std::string socketPath = dir.file("notify");
  const int manager = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(manager, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ::setenv("NOTIFY_SOCKET", socketPath.c_str(), 1);

  const std::string dataDir = dir.file("data");
  const char* argv[] = {MAILPUMP_PATH, "--headless", "--data-dir", dataDir.c_str(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, dir.file("stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, MAILPUMP_PATH, &actions, nullptr,
                                    const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::unsetenv("NOTIFY_SOCKET");
  ASSERT_EQ(spawned, 0);

  // Ready once it holds the data directory and polls; the stop request then ends it cleanly.
  EXPECT_EQ(nextMessage(manager, 20'000), "READY=1");
  ASSERT_EQ(::kill(pid, SIGTERM), 0);
  EXPECT_EQ(nextMessage(manager, 20'000), "STOPPING=1");
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << testing_support::readFile(dir.file("stderr"));
  EXPECT_NE(testing_support::readFile(dir.file("stderr")).find("self-receiving"),
            std::string::npos);
  ::close(manager);
}

}  // namespace
