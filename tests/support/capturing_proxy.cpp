#include "tests/support/capturing_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

#include "tests/support/loopback_listener.h"

namespace testing_support {

namespace {

constexpr int kPollSliceMs = 20;
constexpr size_t kChunk = 16384;

// Moves what `from` has to `to`; false once `from` has closed or either side failed.
bool pass(int from, int to, std::string* kept) {
  char buf[kChunk];
  const ssize_t n = ::recv(from, buf, sizeof buf, 0);
  if (n <= 0) return false;
  if (kept != nullptr) kept->append(buf, static_cast<size_t>(n));
  for (ssize_t done = 0; done < n;) {
    const ssize_t w = ::send(to, buf + done, static_cast<size_t>(n - done), MSG_NOSIGNAL);
    if (w <= 0) return false;
    done += w;
  }
  return true;
}

}  // namespace

CapturingProxy::CapturingProxy(std::string address, uint16_t port, uint16_t targetPort)
    : address_(std::move(address)), port_(port), targetPort_(targetPort) {}

CapturingProxy::~CapturingProxy() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) ::close(listenFd_);
}

bool CapturingProxy::start(std::string* error) {
  const uint16_t wanted = port_;
  listenFd_ = listenOnLoopback(&port_, 4, 0, address_);
  if (listenFd_ < 0) {
    *error =
        "cannot listen on " + address_ + ":" + std::to_string(wanted) + ": " + std::strerror(errno);
    return false;
  }
  thread_ = std::thread([this] { serve(); });
  return true;
}

std::string CapturingProxy::clientBytes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sent_;
}

void CapturingProxy::serve() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    ++connections_;
    relay(client);
    ::close(client);
  }
}

void CapturingProxy::relay(int client) {
  const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in target = ipv4Address("127.0.0.1", targetPort_);
  if (::connect(server, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
    ::close(server);
    return;
  }
  bool open = true;
  while (open && !stop_) {
    pollfd p[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    if (::poll(p, 2, kPollSliceMs) <= 0) continue;
    if (p[0].revents != 0) {
      std::string kept;
      open = pass(client, server, &kept);
      std::lock_guard<std::mutex> lock(mutex_);
      sent_ += kept;
    }
    if (open && p[1].revents != 0) open = pass(server, client, nullptr);
  }
  ::close(server);
}

std::string randomLoopbackAddress() {
  std::random_device seed;
  std::uniform_int_distribution<int> part(1, 254);
  return "127." + std::to_string(part(seed)) + "." + std::to_string(part(seed)) + "." +
         std::to_string(part(seed));
}

}  // namespace testing_support
