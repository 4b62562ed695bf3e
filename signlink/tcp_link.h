#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_pump.h"
#include "platform/tcp_socket.h"
#include "signlink/serial_link.h"

namespace signlink {

// The TCP/IP side of the sign link: a plain TCP connection to a network sign that carries the
// frames as they are, with no greeting or reply of its own.
class TcpLinkSocket final : public LinkSocket {
 public:
  static constexpr int kSocketBufferBytes = 8092;  // Receive and send buffers, as signs expect.
  // Longest wait for room in the send buffer before a send is given up; a sign that takes nothing
  // for this long is gone.
  static constexpr int kSendStallTimeoutMs = 30000;

  // `pump` must outlive the object; every wait dispatches through it.
  explicit TcpLinkSocket(platform::MessagePump& pump) : socket_(pump) {}

  // Connects to the dotted IPv4 address `ip` and `port`, waiting at most `timeoutSeconds`.
  // Returns 1 when connected, 0 with *error set to the user's text otherwise (an empty address, a
  // time-out naming the configured seconds, or the system's reason). The caller sets the link mode.
  int connect(const std::string& ip, uint16_t port, int timeoutSeconds, std::string* error);

  // Sends every byte (a send the kernel takes only in part is completed). A peer that has closed
  // the connection gives "Client closed connection" and closes this side too.
  platform::Status send(std::string_view bytes) override;
  // Reads and discards whatever the sign sent. A closed peer gives "The other side close the
  // connected" and closes this side.
  platform::Status readPending() override;
  void close() override { socket_.close(); }
  bool isOpen() const override { return socket_.isOpen(); }

 private:
  // connect() as a status: kRefused for an empty address, kFailed when the socket cannot be set
  // up, kCannotOpen when the connection is not made.
  platform::Status open(const std::string& ip, uint16_t port, int timeoutSeconds);
  // The status of a send or read: a closed peer gives text `closedId` and closes this side, any
  // other failure text `failedId` with the system's reason.
  platform::Status outcome(platform::SocketStatus status, int closedId, int failedId);

  platform::TcpSocket socket_;  // The connection; closed when not connected.
};

}  // namespace signlink
