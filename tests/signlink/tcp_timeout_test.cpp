// The connect time-out of a network sign that never answers, whatever number the book holds.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "signlink/tcp_link.h"
#include "tests/support/fake_clock_pump.h"

namespace {

// A listener whose accept queue is full: the kernel drops further connection requests, so a
// connect neither succeeds nor fails, as with a sign that is switched off.
class SilentListener {
 public:
  SilentListener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd_, 0);
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    for (int i = 0; i < 4; ++i) {
      const int c = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
      fillers_.push_back(c);
    }
    ::usleep(100000);  // let the handshakes that can complete do so
  }
  ~SilentListener() {
    for (const int c : fillers_)
      ::close(c);
    ::close(fd_);
  }
  uint16_t port() const { return port_; }

 private:
  int fd_ = -1;
  uint16_t port_ = 0;
  std::vector<int> fillers_;
};

// A clock that leaps an hour at every wait: a time-out of years ends in a few hundred waits.
class LeapingPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return now_; }
  void dispatch(int) override { now_ += 3600 * 1000; }

 private:
  uint64_t now_ = 0;
};

}  // namespace

TEST(TcpConnectTimeout, WaitsTheSetSecondsAndNeverForEver) {
  SilentListener sign;
  const struct {
    int seconds;
    uint64_t waitedMs;
  } cases[] = {{3, 3000}, {-1, 0}, {0, 0}};
  for (const auto& c : cases) {
    testing_support::FakeClockPump pump;
    signlink::TcpLinkSocket tcp(pump);
    std::string error;
    const uint64_t start = pump.tickMs();
    EXPECT_EQ(tcp.connect("127.0.0.1", sign.port(), c.seconds, &error), 0) << c.seconds;
    const uint64_t waited = pump.tickMs() - start;
    EXPECT_GE(waited, c.waitedMs) << c.seconds;
    EXPECT_LE(waited, c.waitedMs + 20) << c.seconds;
    EXPECT_NE(error.find("Connect time out"), std::string::npos) << error;
  }
}

TEST(TcpConnectTimeout, TheLargestSettingIsWaitedNotOverflowed) {
  SilentListener sign;
  LeapingPump pump;
  signlink::TcpLinkSocket tcp(pump);
  std::string error;
  EXPECT_EQ(tcp.connect("127.0.0.1", sign.port(), INT_MAX, &error), 0);
  EXPECT_GE(pump.tickMs(), uint64_t{INT_MAX / 1000} * 1000);
  EXPECT_NE(error.find("Connect time out"), std::string::npos) << error;
}
