#include "tests/support/fake_pop3_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "tests/support/loopback_listener.h"

namespace pop3_test {

FakePop3Server::FakePop3Server() {
  listenFd_ = testing_support::listenOnLoopback(&port_, 4, SOCK_NONBLOCK);
  if (listenFd_ < 0) std::abort();
}

FakePop3Server::~FakePop3Server() {
  if (clientFd_ >= 0) ::close(clientFd_);
  if (listenFd_ >= 0) ::close(listenFd_);
}

void FakePop3Server::step() {
  if (clientFd_ == -1) {
    clientFd_ = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (clientFd_ < 0) {
      clientFd_ = -1;
      return;
    }
    // Small pieces must leave at once, not wait for the client's delayed acknowledgement.
    const int one = 1;
    ::setsockopt(clientFd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    output_ += greeting;
  }
  if (clientFd_ < 0) return;
  readCommands();
  writePending();
}

void FakePop3Server::readCommands() {
  char buf[4096];
  for (;;) {
    const ssize_t n = ::recv(clientFd_, buf, sizeof buf, 0);
    if (n == 0) clientClosed_ = true;
    if (n <= 0) break;
    input_.append(buf, static_cast<size_t>(n));
  }
  for (size_t end; (end = input_.find("\r\n")) != std::string::npos;) {
    const std::string line = input_.substr(0, end);
    input_.erase(0, end + 2);
    commands_.push_back(line);
    if (!closeOn.empty() && line.rfind(closeOn, 0) == 0) {
      ::close(clientFd_);
      clientFd_ = -2;  // Closed for good; never accept again.
      output_.clear();
      return;
    }
    output_ += reply ? reply(line) : std::string("+OK\r\n");
    if (!hangUpAfter.empty() && line.rfind(hangUpAfter, 0) == 0) hangUpPending_ = true;
  }
}

void FakePop3Server::writePending() {
  if (clientFd_ < 0 || output_.empty()) return;
  const size_t count = std::min(piece, output_.size());
  const ssize_t n = ::send(clientFd_, output_.data(), count, MSG_NOSIGNAL);
  if (n > 0) output_.erase(0, static_cast<size_t>(n));
  if (output_.empty() && hangUpPending_) {
    ::close(clientFd_);
    clientFd_ = -2;
  }
}

}  // namespace pop3_test
