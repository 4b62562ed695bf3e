#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "virtualsign/sign_receiver.h"

// The sign's end of a line: a TCP port it listens on, as a network sign does, or a
// pseudo-terminal standing in for its serial port. What arrives goes to a SignReceiver.
//
// A TCP reception is one connection: it begins at the accept and ends when the sender closes. A
// serial line has no such ends, so a reception there ends when the line has been quiet longer than
// any pause of the transfer rhythm. After each burst of bytes, once the line has been quiet for a
// moment, the owner hears that the state may have changed.
namespace virtualsign {

class SignLine {
 public:
  // Quiet time after which the owner is told about a burst of bytes.
  static constexpr int kSettleMs = 250;
  // Quiet time that ends a reception on a pseudo-terminal: longer than a frame pause (2 s) and an
  // image unit's pause (5 s) together.
  static constexpr int kSerialReceptionEndMs = 8000;

  // `changed(receptionEnded)` is called after a burst has settled and at each reception's end.
  SignLine(SignReceiver& receiver, std::function<void(bool receptionEnded)> changed)
      : receiver_(receiver), changed_(std::move(changed)) {}
  ~SignLine();
  SignLine(const SignLine&) = delete;
  SignLine& operator=(const SignLine&) = delete;

  // Listens on the dotted IPv4 address and port (0: any free port). False with *error set when it
  // cannot.
  bool listenTcp(const std::string& ip, uint16_t port, std::string* error);
  // The port listened on; 0 when not listening.
  uint16_t tcpPort() const;
  // Creates a pseudo-terminal in raw mode and keeps its device open, so a sender may open and
  // close it as often as it likes. *path is the device to point a COM port at.
  bool openPseudoTerminal(std::string* path, std::string* error);

  // Waits at most `timeoutMs` for bytes or a connection and handles what came.
  void poll(int timeoutMs);

 private:
  using Clock = std::chrono::steady_clock;
  void acceptConnection();
  void readFrom(int fd, bool serial);
  void endReception();
  void checkQuiet();

  SignReceiver& receiver_;
  std::function<void(bool)> changed_;
  int listenFd_ = -1;
  int connectionFd_ = -1;
  int ptyMaster_ = -1;
  int ptySlave_ = -1;  // Held open so the line stays up between the sender's opens.
  bool receiving_ = false;
  bool unsettled_ = false;  // Bytes came since the owner was last told.
  Clock::time_point lastBytes_;
};

}  // namespace virtualsign
