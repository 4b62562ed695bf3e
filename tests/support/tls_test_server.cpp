#include "tests/support/tls_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <utility>

#include <openssl/ssl.h>

#include "tests/support/loopback_listener.h"

namespace testing_support {

namespace {

constexpr int kPollSliceMs = 20;
constexpr size_t kBulkChunk = 16384;
// A client that stops talking cannot hold the server's thread (and the test) for longer.
constexpr timeval kReceiveGuard = {10, 0};

std::string firstWord(const std::string& line) {
  std::string word = line.substr(0, line.find_first_of(" \r\n"));
  for (char& c : word)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

void sendText(int fd, const std::string& text) {
  (void)!::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

}  // namespace

TlsTestServer::TlsTestServer(Options options) : options_(std::move(options)) {}

TlsTestServer::~TlsTestServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) ::close(listenFd_);
}

int TlsTestServer::start() {
  uint16_t port = 0;
  listenFd_ = listenOnLoopback(&port, 1);
  thread_ = std::thread([this] { serve(); });
  return port;
}

std::string TlsTestServer::plainReceived() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return plain_;
}

std::string TlsTestServer::tlsReceived() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return tls_;
}

bool TlsTestServer::waitUntilDone(int ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done_) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void TlsTestServer::serve() {
  int fd = -1;
  while (!stop_ && fd < 0) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) > 0) fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
  }
  if (fd < 0) return;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &kReceiveGuard, sizeof kReceiveGuard);
  if (servePlain(fd)) {
    if (!options_.garbage.empty()) {
      sendText(fd, options_.garbage);
      // Whatever the client still sends is recorded as plain bytes.
      char buffer[4096];
      pollfd p{fd, POLLIN, 0};
      while (!stop_ && ::poll(&p, 1, 500) > 0) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        std::lock_guard<std::mutex> lock(mutex_);
        plain_.append(buffer, static_cast<size_t>(n));
      }
    } else {
      serveTls(fd);
    }
  }
  ::close(fd);
  done_ = true;
}

bool TlsTestServer::servePlain(int fd) {
  if (options_.upgradeCommand.empty() && options_.greeting.empty()) return true;
  sendText(fd, options_.greeting);
  std::string pending;
  char buffer[1024];
  while (!stop_) {
    const size_t end = pending.find('\n');
    if (end != std::string::npos) {
      const std::string word = firstWord(pending.substr(0, end));
      pending.erase(0, end + 1);
      const auto answer = options_.answers.find(word);
      sendText(fd, answer != options_.answers.end() ? answer->second : "-ERR unknown\r\n");
      if (word == options_.upgradeCommand) return true;
      continue;
    }
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    pending.append(buffer, static_cast<size_t>(n));
    std::lock_guard<std::mutex> lock(mutex_);
    plain_.append(buffer, static_cast<size_t>(n));
  }
  return false;
}

void TlsTestServer::serveTls(int fd) {
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  SSL_CTX_use_certificate_file(context, options_.certFile.c_str(), SSL_FILETYPE_PEM);
  SSL_CTX_use_PrivateKey_file(context, options_.keyFile.c_str(), SSL_FILETYPE_PEM);
  SSL* ssl = SSL_new(context);
  SSL_set_fd(ssl, fd);
  if (SSL_accept(ssl) == 1) {
    handshakeDone_ = true;
    SSL_write(ssl, options_.tlsGreeting.data(), static_cast<int>(options_.tlsGreeting.size()));
    const std::string filler(kBulkChunk, 'x');
    for (size_t left = options_.bulkBytes; left > 0;) {
      const size_t n = std::min(left, filler.size());
      if (SSL_write(ssl, filler.data(), static_cast<int>(n)) <= 0) break;
      left -= n;
    }
    std::string pending;
    char buffer[4096];
    int n = 0;
    while (!stop_ && (n = SSL_read(ssl, buffer, sizeof buffer)) > 0) {
      pending.append(buffer, static_cast<size_t>(n));
      {
        std::lock_guard<std::mutex> lock(mutex_);
        tls_.append(buffer, static_cast<size_t>(n));
      }
      size_t end = 0;
      while ((end = pending.find("\r\n")) != std::string::npos) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        const std::string answer = line == "QUIT" ? "bye\r\n" : "echo " + line + "\r\n";
        SSL_write(ssl, answer.data(), static_cast<int>(answer.size()));
        if (line == "QUIT") stop_ = true;
      }
    }
    SSL_shutdown(ssl);
  }
  SSL_free(ssl);
  SSL_CTX_free(context);
}

}  // namespace testing_support
