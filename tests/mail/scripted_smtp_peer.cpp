#include "tests/mail/scripted_smtp_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>

#include "tests/support/loopback_listener.h"

namespace mail_testing {

namespace {

constexpr int kPollSliceMs = 20;

}  // namespace

ScriptedSmtpPeer::ScriptedSmtpPeer() {
  setAnswer("EHLO", {"250-scripted\r\n", "250 AUTH LOGIN CRAM-MD5\r\n"});
  setAnswer("HELO", {"250 scripted\r\n"});
  setAnswer("MAIL", {"250 OK\r\n"});
  setAnswer("RCPT", {"250 OK\r\n"});
  setAnswer("DATA", {"354 Go ahead\r\n"});
  setAnswer("DOT", {"250 Queued\r\n"});
  setAnswer("QUIT", {"221 Bye\r\n"});
}

ScriptedSmtpPeer::~ScriptedSmtpPeer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) ::close(listenFd_);
}

int ScriptedSmtpPeer::start() {
  uint16_t port = 0;
  listenFd_ = testing_support::listenOnLoopback(&port, 1);
  port_ = port;
  thread_ = std::thread([this] { serve(); });
  return port_;
}

std::string ScriptedSmtpPeer::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

bool ScriptedSmtpPeer::waitUntilClosed(int ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!closed_) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void ScriptedSmtpPeer::sendAnswer(int fd, const Answer& answer) {
  for (size_t i = 0; i < answer.size(); ++i) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(packetGapMs_));
    (void)!::send(fd, answer[i].data(), answer[i].size(), MSG_NOSIGNAL);
  }
}

bool ScriptedSmtpPeer::nextAnswer(const std::string& verb, Answer* answer) {
  auto found = answers_.find(verb);
  if (found == answers_.end()) found = answers_.find("LINE");
  if (found == answers_.end() || found->second.empty()) return false;
  *answer = found->second.front();
  if (found->second.size() > 1) found->second.erase(found->second.begin());
  return true;
}

void ScriptedSmtpPeer::serve() {
  int fd = -1;
  while (!stop_ && fd < 0) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) > 0) fd = ::accept(listenFd_, nullptr, nullptr);
  }
  if (fd < 0) return;
  sendAnswer(fd, greeting_);
  std::string pending;  // Received bytes not yet handled.
  bool inData = false;
  while (!stop_) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      received_.append(buf, static_cast<size_t>(n));
    }
    pending.append(buf, static_cast<size_t>(n));
    for (;;) {
      if (inData) {
        const size_t end = pending.find("\r\n.\r\n");
        if (end == std::string::npos) break;
        pending.erase(0, end + 5);
        inData = false;
        Answer answer;
        if (nextAnswer("DOT", &answer)) sendAnswer(fd, answer);
        continue;
      }
      const size_t eol = pending.find("\r\n");
      if (eol == std::string::npos) break;
      const std::string line = pending.substr(0, eol);
      pending.erase(0, eol + 2);
      std::string verb;
      for (const char c : line) {
        if (c == ' ' || c == ':') break;
        verb += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      }
      Answer answer;
      if (!nextAnswer(verb, &answer)) continue;
      sendAnswer(fd, answer);
      if (verb == "DATA" && !answer.empty() && answer.front().starts_with("354")) inData = true;
    }
  }
  ::close(fd);
  closed_ = true;
}

}  // namespace mail_testing
