#include "signlink/tcp_link.h"

#include <algorithm>
#include <climits>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace signlink {
namespace {

constexpr int kMsPerSecond = 1000;

// The connect wait in milliseconds. A book may hold any number: a negative one waits not at all
// (rather than for ever), and one too large for milliseconds waits as long as can be counted.
int connectWaitMs(int timeoutSeconds) {
  return std::clamp(timeoutSeconds, 0, INT_MAX / kMsPerSecond) * kMsPerSecond;
}

// "%s:(%s)." with a label and the system's reason.
std::string labelledError(int labelId, const platform::SocketError& e) {
  return i18n::formatText("%s:(%s).", {i18n::text(labelId), e.text});
}

std::string withReason(int id, const platform::SocketError& e) {
  return i18n::formatText(i18n::text(id), {e.text});
}

}  // namespace

int TcpLinkSocket::connect(const std::string& ip, uint16_t port, int timeoutSeconds,
                           std::string* error) {
  const platform::Status connected = open(ip, port, timeoutSeconds);
  if (connected.ok()) return 1;
  *error = connected.message();
  return 0;
}

platform::Status TcpLinkSocket::open(const std::string& ip, uint16_t port, int timeoutSeconds) {
  if (ip.empty()) return platform::Status::refused(i18n::text(i18n::IDS_TCP_IP_EMPTY));
  if (!socket_.create() || !socket_.setBufferSizes(kSocketBufferBytes, kSocketBufferBytes)) {
    platform::Status failed =
        platform::Status::failed(labelledError(i18n::IDS_TCP_SET_ERROR, socket_.lastError()));
    socket_.close();
    return failed;
  }
  platform::Status failed;
  switch (socket_.connect(ip, port, connectWaitMs(timeoutSeconds))) {
    case platform::SocketStatus::kOk:
      return platform::Status::success();
    case platform::SocketStatus::kTimedOut:
      failed = platform::Status::cannotOpen(i18n::formatText(
          i18n::text(i18n::IDS_TCP_CONNECT_TIMED_OUT), {static_cast<long long>(timeoutSeconds)}));
      break;
    default:
      failed = platform::Status::cannotOpen(
          labelledError(i18n::IDS_TCP_CONNECT_ERROR, socket_.lastError()));
      break;
  }
  socket_.close();
  return failed;
}

platform::Status TcpLinkSocket::send(std::string_view bytes) {
  return outcome(socket_.sendAll(bytes, kSendStallTimeoutMs), i18n::IDS_TCP_CLIENT_CLOSED,
                 i18n::IDS_TCP_SEND_FAILED);
}

platform::Status TcpLinkSocket::readPending() {
  return outcome(socket_.discardPending(), i18n::IDS_TCP_PEER_CLOSED, i18n::IDS_TCP_RECEIVE_FAILED);
}

platform::Status TcpLinkSocket::outcome(platform::SocketStatus status, int closedId, int failedId) {
  switch (status) {
    case platform::SocketStatus::kOk:
      return platform::Status::success();
    case platform::SocketStatus::kClosed:
      socket_.close();
      return platform::Status::failed(i18n::text(closedId));
    default:
      return platform::Status::failed(withReason(failedId, socket_.lastError()));
  }
}

}  // namespace signlink
