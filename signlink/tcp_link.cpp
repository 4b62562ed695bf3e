#include "signlink/tcp_link.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace signlink {
namespace {

constexpr int kMsPerSecond = 1000;

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
  if (ip.empty()) {
    *error = i18n::text(i18n::IDS_TCP_IP_EMPTY);
    return 0;
  }
  if (!socket_.create() || !socket_.setBufferSizes(kSocketBufferBytes, kSocketBufferBytes)) {
    *error = labelledError(i18n::IDS_TCP_SET_ERROR, socket_.lastError());
    socket_.close();
    return 0;
  }
  switch (socket_.connect(ip, port, timeoutSeconds * kMsPerSecond)) {
    case platform::SocketStatus::kOk:
      return 1;
    case platform::SocketStatus::kTimedOut:
      *error = i18n::formatText(i18n::text(i18n::IDS_TCP_CONNECT_TIMED_OUT),
                                {static_cast<long long>(timeoutSeconds)});
      break;
    default:
      *error = labelledError(i18n::IDS_TCP_CONNECT_ERROR, socket_.lastError());
      break;
  }
  socket_.close();
  return 0;
}

bool TcpLinkSocket::send(std::string_view bytes, std::string* error) {
  switch (socket_.sendAll(bytes, kSendStallTimeoutMs)) {
    case platform::SocketStatus::kOk:
      return true;
    case platform::SocketStatus::kClosed:
      if (error) *error = i18n::text(i18n::IDS_TCP_CLIENT_CLOSED);
      socket_.close();
      return false;
    default:
      if (error) *error = withReason(i18n::IDS_TCP_SEND_FAILED, socket_.lastError());
      return false;
  }
}

bool TcpLinkSocket::readPending(std::string* error) {
  switch (socket_.discardPending()) {
    case platform::SocketStatus::kOk:
      return true;
    case platform::SocketStatus::kClosed:
      if (error) *error = i18n::text(i18n::IDS_TCP_PEER_CLOSED);
      socket_.close();
      return false;
    default:
      if (error) *error = withReason(i18n::IDS_TCP_RECEIVE_FAILED, socket_.lastError());
      return false;
  }
}

}  // namespace signlink
