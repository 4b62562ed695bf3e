#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace pop3_test {

// A scripted POP3 peer on a loopback port, driven from the client's pump (step() on every
// dispatch), so one thread plays both ends and the fake clock decides every time-out. It answers
// each command line with what `reply` returns, in pieces of at most `piece` bytes per step.
class FakePop3Server {
 public:
  FakePop3Server();
  ~FakePop3Server();
  FakePop3Server(const FakePop3Server&) = delete;
  FakePop3Server& operator=(const FakePop3Server&) = delete;

  uint16_t port() const { return port_; }

  // Accepts a waiting client, reads its command lines, writes pending output. Never blocks.
  void step();

  // Sent when the client connects.
  std::string greeting = "+OK fake ready\r\n";
  // The answer to one command line (without "\r\n"); the default answers "+OK". An empty answer
  // leaves the client waiting.
  std::function<std::string(const std::string& line)> reply;
  // The most bytes written per step; small values cut answers into many pieces.
  size_t piece = 1 << 20;
  // Closes the connection instead of answering the command that starts with this text.
  std::string closeOn;
  // Closes the connection once the answer to the command that starts with this text is out.
  std::string hangUpAfter;

  // Every command line received, in order.
  const std::vector<std::string>& commands() const { return commands_; }
  // True once the client closed its end.
  bool clientClosed() const { return clientClosed_; }

 private:
  void readCommands();
  void writePending();

  int listenFd_ = -1;
  int clientFd_ = -1;
  uint16_t port_ = 0;
  std::string input_;   // Bytes received, not yet a whole line.
  std::string output_;  // Bytes still to be written.
  std::vector<std::string> commands_;
  bool clientClosed_ = false;
  bool hangUpPending_ = false;  // Close once output_ is written.
};

}  // namespace pop3_test
