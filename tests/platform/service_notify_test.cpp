#include "platform/service_notify.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

// A datagram socket standing in for the service manager's, bound to `path` ("@..." abstract).
class NotifySocket {
 public:
  explicit NotifySocket(const std::string& path) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path[0] == '@') address.sun_path[0] = '\0';
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::setenv("NOTIFY_SOCKET", path.c_str(), 1);
  }
  ~NotifySocket() {
    ::unsetenv("NOTIFY_SOCKET");
    ::close(fd_);
  }
  NotifySocket(const NotifySocket&) = delete;
  NotifySocket& operator=(const NotifySocket&) = delete;

  bool bound() const { return bound_; }
  std::string receive() {
    char buf[256];
    const ssize_t n = ::recv(fd_, buf, sizeof(buf), MSG_DONTWAIT);
    return n < 0 ? std::string("<nothing>") : std::string(buf, static_cast<size_t>(n));
  }

 private:
  int fd_ = -1;
  bool bound_ = false;
};

}  // namespace

TEST(ServiceNotify, SendsTheStateToTheSocketNamedInTheEnvironment) {
  testing_support::TempDir dir;
  {
    NotifySocket manager(dir.file("notify"));
    ASSERT_TRUE(manager.bound());
    EXPECT_TRUE(platform::notifyServiceManager("READY=1"));
    EXPECT_EQ(manager.receive(), "READY=1");
    EXPECT_TRUE(platform::notifyServiceManager("STOPPING=1\nSTATUS=bye"));
    EXPECT_EQ(manager.receive(), "STOPPING=1\nSTATUS=bye");
  }
  NotifySocket abstract("@varnel-notify-test-" + std::to_string(::getpid()));
  ASSERT_TRUE(abstract.bound());
  EXPECT_TRUE(platform::notifyServiceManager("READY=1"));
  EXPECT_EQ(abstract.receive(), "READY=1");
}

TEST(ServiceNotify, WithoutAUsableSocketNothingIsSent) {
  ::unsetenv("NOTIFY_SOCKET");
  EXPECT_FALSE(platform::notifyServiceManager("READY=1"));
  for (const char* bad : {"", "relative/path", "@", "/no/such/dir/socket"}) {
    ::setenv("NOTIFY_SOCKET", bad, 1);
    EXPECT_FALSE(platform::notifyServiceManager("READY=1")) << bad;
  }
  ::setenv("NOTIFY_SOCKET", ("/" + std::string(200, 'x')).c_str(), 1);
  EXPECT_FALSE(platform::notifyServiceManager("READY=1"));
  ::unsetenv("NOTIFY_SOCKET");
}
