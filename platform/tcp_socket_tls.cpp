// The TLS side of TcpSocket: the handshake and the reads and writes of a secured connection, each
// waiting for the socket through the pump exactly as the plain calls do.

#include <cerrno>

#include <poll.h>

#include "platform/tcp_socket.h"

namespace platform {

namespace {

using Step = TlsSession::Step;

// Size of the scratch buffer discardPendingTls() reads into.
constexpr size_t kDiscardChunk = 4096;

bool needsWait(Step step) {
  return step == Step::kWantRead || step == Step::kWantWrite;
}

}  // namespace

SocketStatus TcpSocket::startTls(const std::string& hostName, const TlsSettings& settings,
                                 int timeoutMs) {
  if (!isOpen()) {
    failWithErrno(SocketOp::kTls, ENOTCONN);
    return SocketStatus::kError;
  }
  if (tls_) return secure_ ? SocketStatus::kOk : SocketStatus::kError;
  TlsFailure failure = TlsFailure::kNone;
  std::string detail;
  tls_ = TlsSession::create(fd_, hostName, settings, &failure, &detail);
  if (!tls_) {
    failTls(SocketOp::kTls, failure, detail);
    close();
    return SocketStatus::kError;
  }
  const uint64_t start = pump_.tickMs();
  for (;;) {
    const Step step = tls_->handshake();
    if (step == Step::kDone) {
      secure_ = true;
      return SocketStatus::kOk;
    }
    if (!needsWait(step)) {
      failTls(SocketOp::kTls, tls_->failure(), tls_->detail());
      close();
      return SocketStatus::kError;
    }
    const SocketStatus waited = waitForTls(step, start, timeoutMs, SocketOp::kTls);
    if (waited != SocketStatus::kOk) {
      close();
      return waited;
    }
  }
}

SocketStatus TcpSocket::sendAllTls(std::string_view data, int timeoutMs) {
  size_t sent = 0;
  while (sent < data.size()) {
    size_t written = 0;
    const Step step = tls_->write(data.data() + sent, data.size() - sent, &written);
    if (step == Step::kDone) {
      sent += written;
      continue;
    }
    if (step == Step::kClosed) {
      failWithErrno(SocketOp::kSend, EPIPE);
      return SocketStatus::kClosed;
    }
    if (step == Step::kFailed) {
      failTls(SocketOp::kSend, tls_->failure(), tls_->detail());
      return SocketStatus::kError;
    }
    // Each wait for room is bounded on its own, as for the plain socket.
    const SocketStatus waited = waitForTls(step, pump_.tickMs(), timeoutMs, SocketOp::kSend);
    if (waited != SocketStatus::kOk) return waited;
  }
  return SocketStatus::kOk;
}

SocketStatus TcpSocket::waitReadableTls(int timeoutMs) {
  const uint64_t start = pump_.tickMs();
  for (;;) {
    // Bytes may already wait inside the session while the socket itself has nothing more; a
    // closed or failed session is "readable" too, so that the following receive reports it.
    const Step step = tls_->peek();
    if (!needsWait(step)) return SocketStatus::kOk;
    const SocketStatus waited = waitForTls(step, start, timeoutMs, SocketOp::kWait);
    if (waited != SocketStatus::kOk) return waited;
  }
}

SocketStatus TcpSocket::receiveTls(char* buffer, size_t capacity, int timeoutMs, size_t* received) {
  const uint64_t start = pump_.tickMs();
  for (;;) {
    const Step step = tls_->read(buffer, capacity, received);
    if (step == Step::kDone) return SocketStatus::kOk;
    if (step == Step::kClosed) return SocketStatus::kClosed;
    if (step == Step::kFailed) {
      failTls(SocketOp::kReceive, tls_->failure(), tls_->detail());
      return SocketStatus::kError;
    }
    const SocketStatus waited = waitForTls(step, start, timeoutMs, SocketOp::kReceive);
    if (waited != SocketStatus::kOk) return waited;
  }
}

SocketStatus TcpSocket::discardPendingTls(size_t* discarded) {
  char scratch[kDiscardChunk];
  for (;;) {
    size_t received = 0;
    const Step step = tls_->read(scratch, sizeof scratch, &received);
    if (step == Step::kDone) {
      if (discarded != nullptr) *discarded += received;
      continue;
    }
    if (needsWait(step)) return SocketStatus::kOk;
    if (step == Step::kClosed) return SocketStatus::kClosed;
    failTls(SocketOp::kReceive, tls_->failure(), tls_->detail());
    return SocketStatus::kError;
  }
}

SocketStatus TcpSocket::waitForTls(TlsSession::Step step, uint64_t start, int timeoutMs,
                                   SocketOp op) {
  int left = kWaitForever;
  if (timeoutMs >= 0) {
    const uint64_t used = pump_.tickMs() - start;
    left = used >= static_cast<uint64_t>(timeoutMs) ? 0 : timeoutMs - static_cast<int>(used);
  }
  return waitFor(step == Step::kWantWrite ? POLLOUT : POLLIN, left, op);
}

void TcpSocket::failTls(SocketOp op, TlsFailure failure, const std::string& detail) {
  error_.code = wsa::kConnectionAborted;
  error_.sysErrno = 0;
  error_.op = op;
  error_.tls = failure == TlsFailure::kNone ? TlsFailure::kHandshake : failure;
  error_.text = detail;
}

}  // namespace platform
