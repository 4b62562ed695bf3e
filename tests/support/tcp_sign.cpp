#include "tests/support/tcp_sign.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

TcpSign::TcpSign() {
  fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
  socklen_t len = sizeof(addr);
  ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  ::listen(fd_, 4);
  thread_ = std::thread([this] { run(); });
}

TcpSign::~TcpSign() {
  ::shutdown(fd_, SHUT_RDWR);
  ::close(fd_);
  thread_.join();
}

std::vector<TcpSign::Chunk> TcpSign::chunks() {
  std::lock_guard<std::mutex> lock(mutex_);
  return chunks_;
}

std::string TcpSign::received() {
  std::string all;
  for (const auto& c : chunks())
    all += c.bytes;
  return all;
}

void TcpSign::run() {
  for (;;) {
    const int conn = ::accept(fd_, nullptr, nullptr);
    if (conn < 0) return;
    ++connections_;
    char buf[4096];
    for (ssize_t n; (n = ::read(conn, buf, sizeof(buf))) > 0;) {
      std::lock_guard<std::mutex> lock(mutex_);
      chunks_.push_back(
          {std::string(buf, static_cast<size_t>(n)), std::chrono::steady_clock::now()});
    }
    ::close(conn);
  }
}

}  // namespace testing_support
