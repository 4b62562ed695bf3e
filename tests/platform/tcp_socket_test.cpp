#include "platform/tcp_socket.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tests/support/fake_clock_pump.h"
#include "tests/support/scripted_pump.h"

namespace {

using platform::SocketOp;
using platform::SocketStatus;
using platform::TcpSocket;
using testing_support::ScriptedPump;

// A listening loopback socket on a free port; the test plays the server on it.
class Listener {
 public:
  explicit Listener(int backlog = 8) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd_, backlog) != 0)
      ADD_FAILURE() << "cannot listen on loopback";
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
  }
  ~Listener() {
    for (int c : accepted_)
      ::close(c);
    if (fd_ >= 0) ::close(fd_);
  }
  uint16_t port() const { return port_; }
  // Accepts one pending connection (blocking); the descriptor is closed with the listener.
  int accept() {
    const int c = ::accept(fd_, nullptr, nullptr);
    if (c >= 0) accepted_.push_back(c);
    return c;
  }
  void closeListening() {
    ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  uint16_t port_ = 0;
  std::vector<int> accepted_;
};

void writeAll(int fd, const std::string& bytes) {
  ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
            static_cast<ssize_t>(bytes.size()));
}

// Reads what a peer socket has without blocking.
std::string drain(int fd) {
  std::string got;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  return got;
}

TEST(WindowsSocketError, MapsTheNumbersUsersSee) {
  EXPECT_EQ(platform::windowsSocketError(ETIMEDOUT), 10060);
  EXPECT_EQ(platform::windowsSocketError(EPROTONOSUPPORT), 10043);
  EXPECT_EQ(platform::windowsSocketError(EINVAL), 10022);
  EXPECT_EQ(platform::windowsSocketError(ECONNREFUSED), 10061);
  EXPECT_EQ(platform::windowsSocketError(EWOULDBLOCK), 10035);
  EXPECT_EQ(platform::windowsSocketError(0), 0);
  EXPECT_EQ(platform::windowsSocketError(ENOENT), ENOENT);  // no counterpart: unchanged
}

TEST(ResolveIPv4, TakesDottedAddressesAndNamesAndRefusesUnknownNames) {
  uint32_t addr = 0;
  platform::SocketError err;
  ASSERT_TRUE(platform::resolveIPv4("127.0.0.1", &addr, &err));
  EXPECT_EQ(addr, htonl(INADDR_LOOPBACK));
  addr = 0;
  ASSERT_TRUE(platform::resolveIPv4("localhost", &addr, &err));
  EXPECT_EQ(ntohl(addr) >> 24, 127u);
  EXPECT_FALSE(platform::resolveIPv4("no-such-host.invalid", &addr, &err));
  EXPECT_EQ(err.code, platform::wsa::kInvalidArgument);
  EXPECT_EQ(err.op, SocketOp::kResolve);
  EXPECT_FALSE(err.text.empty());
  EXPECT_FALSE(platform::resolveIPv4("", &addr, &err));
  EXPECT_FALSE(platform::localHostName().empty());
}

TEST(TcpSocketConnect, ConnectsAndExchangesBytesBothWays) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  EXPECT_TRUE(s.isOpen());
  const int peer = server.accept();
  ASSERT_GE(peer, 0);

  ASSERT_EQ(s.sendAll("USER x\r\n", 30000), SocketStatus::kOk);
  EXPECT_EQ(drain(peer), "USER x\r\n");
  writeAll(peer, "+OK\r\n");
  std::string got;
  ASSERT_EQ(s.receiveAppend(&got, 1024, 30000), SocketStatus::kOk);
  EXPECT_EQ(got, "+OK\r\n");
}

TEST(TcpSocketConnect, RefusedConnectionIsAnErrorNotATimeOut) {
  uint16_t port;
  {
    Listener gone;
    port = gone.port();
  }
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  EXPECT_EQ(s.connect("127.0.0.1", port, 15000), SocketStatus::kError);
  EXPECT_EQ(s.lastError().code, platform::wsa::kConnectionRefused);
  EXPECT_EQ(s.lastError().sysErrno, ECONNREFUSED);
  EXPECT_EQ(s.lastError().op, SocketOp::kConnect);
  EXPECT_FALSE(s.isOpen());
}

TEST(TcpSocketConnect, UnknownHostFailsWithInvalidArgument) {
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  EXPECT_EQ(s.connect("no-such-host.invalid", 25, 15000), SocketStatus::kError);
  EXPECT_EQ(s.lastError().code, 10022);
  EXPECT_FALSE(s.isOpen());
}

// A listener that never accepts and whose queue is full drops further handshakes, so the
// connection neither stands nor fails: the wait must run out after the configured time.
TEST(TcpSocketConnect, TimesOutAfterTheConfiguredTimeOnTheFakeClock) {
  Listener busy(0);
  std::vector<std::unique_ptr<TcpSocket>> queued;
  SocketStatus status = SocketStatus::kOk;
  testing_support::FakeClockPump pump;
  const uint64_t start = pump.tickMs();
  for (int i = 0; i < 8 && status == SocketStatus::kOk; ++i) {
    queued.push_back(std::make_unique<TcpSocket>(pump));
    status = queued.back()->connect("127.0.0.1", busy.port(), 15000);
  }
  ASSERT_EQ(status, SocketStatus::kTimedOut) << "the accept queue never filled";
  EXPECT_EQ(queued.back()->lastError().code, platform::wsa::kTimedOut);
  EXPECT_FALSE(queued.back()->isOpen());
  EXPECT_GE(pump.tickMs() - start, 15000u);
}

TEST(TcpSocketOptions, BufferSizesAreSetAsAsked) {
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_TRUE(s.create());
  ASSERT_TRUE(s.setBufferSizes(8092, 8092));
  int rcv = 0, snd = 0;
  ASSERT_TRUE(s.bufferSizes(&rcv, &snd));
  // Linux reports double what was set.
  EXPECT_TRUE(rcv == 8092 || rcv == 2 * 8092) << rcv;
  EXPECT_TRUE(snd == 8092 || snd == 2 * 8092) << snd;
}

TEST(TcpSocketOptions, BindsToALocalAddressBeforeConnecting) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_TRUE(s.create());
  ASSERT_TRUE(s.bindLocal("127.0.0.1"));
  EXPECT_EQ(s.connect("localhost", server.port(), 1000), SocketStatus::kOk);
  EXPECT_FALSE(s.bindLocal("no-such-host.invalid"));
}

TEST(TcpSocketReceive, WaitsThroughThePumpForASlowPeer) {
  Listener server;
  ScriptedPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  // The server accepts and answers only while the client is already waiting.
  pump.onDispatch = [&](int call) {
    if (call == 5) writeAll(server.accept(), "+OK ready\r\n");
  };
  char buf[64];
  size_t n = 0;
  ASSERT_EQ(s.receive(buf, sizeof buf, 30000, &n), SocketStatus::kOk);
  EXPECT_EQ(std::string(buf, n), "+OK ready\r\n");
  EXPECT_GE(pump.calls(), 5);
}

TEST(TcpSocketReceive, SilentPeerTimesOutOnTheFakeClock) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const uint64_t start = pump.tickMs();
  std::string got;
  EXPECT_EQ(s.receiveAppend(&got, 1024, 30000), SocketStatus::kTimedOut);
  EXPECT_EQ(s.lastError().code, 10060);
  EXPECT_GE(pump.tickMs() - start, 30000u);
  EXPECT_LT(pump.tickMs() - start, 30100u);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(s.waitReadable(500), SocketStatus::kTimedOut);
  // A zero time-out only looks.
  size_t n = 1;
  char c;
  EXPECT_EQ(s.receive(&c, 1, 0, &n), SocketStatus::kTimedOut);
  EXPECT_EQ(n, 0u);
}

TEST(TcpSocketReceive, PeerCloseIsReportedAsClosed) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const int peer = server.accept();
  writeAll(peer, "bye");
  ::shutdown(peer, SHUT_RDWR);
  std::string got;
  EXPECT_EQ(s.receiveAppend(&got, 1024, 30000), SocketStatus::kOk);
  EXPECT_EQ(got, "bye");
  EXPECT_EQ(s.waitReadable(30000), SocketStatus::kOk);
  EXPECT_EQ(s.receiveAppend(&got, 1024, 30000), SocketStatus::kClosed);
  EXPECT_EQ(got, "bye");
}

TEST(TcpSocketReceive, DiscardPendingThrowsAwayWhatArrivedAndSeesTheClose) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const int peer = server.accept();
  size_t discarded = 99;
  EXPECT_EQ(s.discardPending(&discarded), SocketStatus::kOk);
  EXPECT_EQ(discarded, 0u);
  writeAll(peer, std::string(10000, 'x'));
  ASSERT_EQ(s.waitReadable(1000), SocketStatus::kOk);
  size_t total = 0;
  for (int i = 0; i < 100 && total < 10000; ++i) {
    ASSERT_EQ(s.discardPending(&discarded), SocketStatus::kOk);
    total += discarded;
    if (total < 10000) s.waitReadable(1000);
  }
  EXPECT_EQ(total, 10000u);
  ::shutdown(peer, SHUT_WR);
  ASSERT_EQ(s.waitReadable(1000), SocketStatus::kOk);
  EXPECT_EQ(s.discardPending(), SocketStatus::kClosed);
}

TEST(TcpSocketSend, LargeSendIntoSmallBuffersArrivesWhole) {
  Listener server;
  ScriptedPump pump;
  TcpSocket s(pump);
  ASSERT_TRUE(s.create());
  ASSERT_TRUE(s.setBufferSizes(8092, 8092));
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const int peer = server.accept();

  std::string data(1024 * 1024, '\0');
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>((i * 131) >> 3);
  std::string arrived;
  // The peer reads only while the sender waits for buffer space.
  pump.onDispatch = [&](int) { arrived += drain(peer); };
  pump.realSleepUs = 200;
  ASSERT_EQ(s.sendAll(data, 30000), SocketStatus::kOk);
  for (int i = 0; i < 1000 && arrived.size() < data.size(); ++i) {
    arrived += drain(peer);
    if (arrived.size() < data.size()) ::usleep(1000);
  }
  EXPECT_GT(pump.calls(), 0) << "the kernel took 1 MB without a wait";
  ASSERT_EQ(arrived.size(), data.size());
  EXPECT_TRUE(arrived == data);
}

TEST(TcpSocketSend, PeerThatNeverReadsMakesTheSendTimeOut) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_TRUE(s.create());
  ASSERT_TRUE(s.setBufferSizes(8092, 8092));
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const uint64_t start = pump.tickMs();
  EXPECT_EQ(s.sendAll(std::string(8 * 1024 * 1024, 'a'), 30000), SocketStatus::kTimedOut);
  EXPECT_EQ(s.lastError().code, platform::wsa::kTimedOut);
  EXPECT_EQ(s.lastError().op, SocketOp::kSend);
  EXPECT_GE(pump.tickMs() - start, 30000u);
}

TEST(TcpSocketSend, SendingAfterThePeerLeftReportsClosed) {
  Listener server;
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  ::close(server.accept());
  // The first send may still be taken by the kernel; the peer's reset ends the next ones.
  SocketStatus status = SocketStatus::kOk;
  for (int i = 0; i < 50 && status == SocketStatus::kOk; ++i) {
    status = s.sendAll("data\r\n", 1000);
    if (status == SocketStatus::kOk) ::usleep(2000);
  }
  EXPECT_EQ(status, SocketStatus::kClosed);
  EXPECT_TRUE(s.lastError().code == platform::wsa::kShutdown ||
              s.lastError().code == platform::wsa::kConnectionReset)
      << s.lastError().code;
}

TEST(TcpSocketState, OperationsOnAClosedSocketFailCleanly) {
  testing_support::FakeClockPump pump;
  TcpSocket s(pump);
  EXPECT_FALSE(s.isOpen());
  EXPECT_EQ(s.sendAll("x", 100), SocketStatus::kError);
  EXPECT_EQ(s.lastError().code, platform::wsa::kNotConnected);
  size_t n = 7;
  char c;
  EXPECT_EQ(s.receive(&c, 1, 100, &n), SocketStatus::kError);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(s.waitReadable(100), SocketStatus::kError);
  EXPECT_EQ(s.discardPending(), SocketStatus::kError);
  s.close();
  s.close();
  EXPECT_EQ(pump.dispatchCalls(), 0);
}

}  // namespace

namespace {

// A real-time pump that counts blind sleeps: a socket wait must watch its socket instead.
class WatchingPump final : public platform::MessagePump {
 public:
  uint64_t tickMs() override { return real_.tickMs(); }
  void dispatch(int maxWaitMs) override {
    ++blindSleeps;
    real_.dispatch(maxWaitMs);
  }
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override {
    ++watchedWaits;
    real_.waitForDescriptor(fd, readiness, maxWaitMs);
  }
  int blindSleeps = 0;
  int watchedWaits = 0;

 private:
  platform::SleepingPump real_;
};

}  // namespace

TEST(TcpSocketReceive, RealWaitWakesWhenTheAnswerArrivesAndTimesOutOnTime) {
  Listener server;
  WatchingPump pump;
  TcpSocket s(pump);
  ASSERT_EQ(s.connect("127.0.0.1", server.port(), 15000), SocketStatus::kOk);
  const int peer = server.accept();
  ASSERT_GE(peer, 0);
  std::thread answer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    writeAll(peer, "+OK\r\n");
  });
  const uint64_t start = pump.tickMs();
  char buf[16];
  size_t n = 0;
  const SocketStatus got = s.receive(buf, sizeof buf, 60000, &n);
  answer.join();
  ASSERT_EQ(got, SocketStatus::kOk);
  EXPECT_EQ(std::string(buf, n), "+OK\r\n");
  EXPECT_LT(pump.tickMs() - start, 30000u);
  EXPECT_GE(pump.watchedWaits, 1);

  // Nothing more comes: the wait ends with the time-out as before.
  const uint64_t silentStart = pump.tickMs();
  EXPECT_EQ(s.receive(buf, sizeof buf, 50, &n), SocketStatus::kTimedOut);
  EXPECT_GE(pump.tickMs() - silentStart, 50u);
  EXPECT_EQ(s.lastError().code, platform::wsa::kTimedOut);
  EXPECT_EQ(pump.blindSleeps, 0);
}
