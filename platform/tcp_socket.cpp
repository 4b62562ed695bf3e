#include "platform/tcp_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// Waits poll the socket without blocking and otherwise hand the socket to the pump, which returns
// as soon as it becomes ready (or a window message came, or the slice ended). The slices bound each
// hand-over so that pumps that cannot watch a descriptor (fake clocks) look again soon: the first
// are short so that data arriving in quick succession is picked up at once; an idle wait settles
// at the longest slice.
constexpr int kFirstSliceMs = 1;
constexpr int kLongestSliceMs = 16;

// Size of the scratch buffer discardPending() reads into.
constexpr size_t kDiscardChunk = 4096;

struct ErrnoMapping {
  int errnoValue;
  int wsaValue;
};

constexpr ErrnoMapping kErrnoToWsa[] = {
    {EINTR, wsa::kInterrupted},
    {EBADF, wsa::kBadHandle},
    {EACCES, wsa::kAccessDenied},
    {EPERM, wsa::kAccessDenied},
    {EFAULT, wsa::kBadAddress},
    {EINVAL, wsa::kInvalidArgument},
    {EMFILE, wsa::kTooManySockets},
    {ENFILE, wsa::kTooManySockets},
    {EAGAIN, wsa::kWouldBlock},
    {EINPROGRESS, wsa::kInProgress},
    {EALREADY, wsa::kAlreadyInProgress},
    {ENOTSOCK, wsa::kNotSocket},
    {EMSGSIZE, wsa::kMessageTooLong},
    {EPROTONOSUPPORT, wsa::kProtocolNotSupported},
    {EAFNOSUPPORT, wsa::kAddressFamily},
    {EADDRINUSE, wsa::kAddressInUse},
    {EADDRNOTAVAIL, wsa::kAddressNotAvailable},
    {ENETDOWN, wsa::kNetworkDown},
    {ENETUNREACH, wsa::kNetworkUnreachable},
    {ECONNABORTED, wsa::kConnectionAborted},
    {ECONNRESET, wsa::kConnectionReset},
    {ENOBUFS, wsa::kNoBuffers},
    {ENOMEM, wsa::kNoBuffers},
    {EISCONN, wsa::kAlreadyConnected},
    {ENOTCONN, wsa::kNotConnected},
    {EPIPE, wsa::kShutdown},
    {ETIMEDOUT, wsa::kTimedOut},
    {ECONNREFUSED, wsa::kConnectionRefused},
    {EHOSTDOWN, wsa::kHostDown},
    {EHOSTUNREACH, wsa::kHostUnreachable},
};

bool setNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// The peer is gone: sending fails with these instead of delivering.
bool isPeerGone(int errnoValue) {
  return errnoValue == EPIPE || errnoValue == ECONNRESET;
}

}  // namespace

int windowsSocketError(int errnoValue) {
  if (errnoValue == EWOULDBLOCK) return wsa::kWouldBlock;
  for (const ErrnoMapping& m : kErrnoToWsa) {
    if (m.errnoValue == errnoValue) return m.wsaValue;
  }
  return errnoValue;
}

std::string systemErrorText(int errnoValue) {
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = ::strerror_r(errnoValue, buffer, sizeof buffer);
  return text != nullptr ? std::string(text) : std::string();
}

bool resolveIPv4(const std::string& host, uint32_t* address, SocketError* error) {
  in_addr numeric{};
  if (::inet_pton(AF_INET, host.c_str(), &numeric) == 1) {
    *address = numeric.s_addr;
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = host.empty() ? EAI_NONAME : ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (rc != 0 || found == nullptr) {
    if (error != nullptr) {
      error->code = wsa::kInvalidArgument;
      error->sysErrno = 0;
      error->op = SocketOp::kResolve;
      error->text = ::gai_strerror(rc != 0 ? rc : EAI_NONAME);
      error->tls = TlsFailure::kNone;
    }
    if (found != nullptr) ::freeaddrinfo(found);
    return false;
  }
  *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return true;
}

std::string localHostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
  return name;
}

TcpSocket::TcpSocket(MessagePump& pump) : pump_(pump) {}

TcpSocket::~TcpSocket() {
  close();
}

bool TcpSocket::create() {
  close();
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
  if (fd < 0) {
    failWithErrno(SocketOp::kCreate, errno);
    return false;
  }
  if (!setNonBlocking(fd)) {
    failWithErrno(SocketOp::kOptions, errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool TcpSocket::setBufferSizes(int receiveBytes, int sendBytes) {
  if (::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBytes, sizeof receiveBytes) != 0 ||
      ::setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &sendBytes, sizeof sendBytes) != 0) {
    failWithErrno(SocketOp::kOptions, errno);
    return false;
  }
  return true;
}

bool TcpSocket::bufferSizes(int* receiveBytes, int* sendBytes) const {
  socklen_t len = sizeof *receiveBytes;
  if (::getsockopt(fd_, SOL_SOCKET, SO_RCVBUF, receiveBytes, &len) != 0) return false;
  len = sizeof *sendBytes;
  return ::getsockopt(fd_, SOL_SOCKET, SO_SNDBUF, sendBytes, &len) == 0;
}

bool TcpSocket::bindLocal(const std::string& address) {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = 0;
  if (!resolveIPv4(address, &local.sin_addr.s_addr, &error_)) return false;
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    failWithErrno(SocketOp::kBind, errno);
    return false;
  }
  return true;
}

SocketStatus TcpSocket::connect(const std::string& host, uint16_t port, int timeoutMs) {
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  if (!resolveIPv4(host, &peer.sin_addr.s_addr, &error_)) {
    close();
    return SocketStatus::kError;
  }
  if (!isOpen() && !create()) return SocketStatus::kError;

  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 &&
      errno != EINPROGRESS && errno != EINTR) {
    failWithErrno(SocketOp::kConnect, errno);
    close();
    return SocketStatus::kError;
  }
  // The connection stands (or has failed) once the socket becomes writable.
  const SocketStatus waited = waitFor(POLLOUT, timeoutMs, SocketOp::kConnect);
  if (waited != SocketStatus::kOk) {
    close();
    return waited;
  }
  int pending = 0;
  socklen_t len = sizeof pending;
  if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &pending, &len) != 0) pending = errno;
  if (pending != 0) {
    failWithErrno(SocketOp::kConnect, pending);
    close();
    return SocketStatus::kError;
  }
  return SocketStatus::kOk;
}

SocketStatus TcpSocket::sendAll(std::string_view data, int timeoutMs) {
  if (!isOpen()) {
    failWithErrno(SocketOp::kSend, ENOTCONN);
    return SocketStatus::kError;
  }
  if (tls_) return sendAllTls(data, timeoutMs);
  size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const SocketStatus waited = waitFor(POLLOUT, timeoutMs, SocketOp::kSend);
      if (waited != SocketStatus::kOk) return waited;
      continue;
    }
    const int err = n < 0 ? errno : EPIPE;
    failWithErrno(SocketOp::kSend, err);
    return isPeerGone(err) ? SocketStatus::kClosed : SocketStatus::kError;
  }
  return SocketStatus::kOk;
}

SocketStatus TcpSocket::waitReadable(int timeoutMs) {
  if (!isOpen()) {
    failWithErrno(SocketOp::kWait, ENOTCONN);
    return SocketStatus::kError;
  }
  if (tls_) return waitReadableTls(timeoutMs);
  return waitFor(POLLIN, timeoutMs, SocketOp::kWait);
}

SocketStatus TcpSocket::receive(char* buffer, size_t capacity, int timeoutMs, size_t* received) {
  *received = 0;
  if (!isOpen()) {
    failWithErrno(SocketOp::kReceive, ENOTCONN);
    return SocketStatus::kError;
  }
  if (capacity == 0) return SocketStatus::kOk;
  if (tls_) return receiveTls(buffer, capacity, timeoutMs, received);
  const uint64_t start = pump_.tickMs();
  for (;;) {
    const ssize_t n = ::recv(fd_, buffer, capacity, 0);
    if (n > 0) {
      *received = static_cast<size_t>(n);
      return SocketStatus::kOk;
    }
    if (n == 0) return SocketStatus::kClosed;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      failWithErrno(SocketOp::kReceive, errno);
      return SocketStatus::kError;
    }
    int left = kWaitForever;
    if (timeoutMs >= 0) {
      const uint64_t used = pump_.tickMs() - start;
      if (used >= static_cast<uint64_t>(timeoutMs)) {
        failTimedOut(SocketOp::kReceive);
        return SocketStatus::kTimedOut;
      }
      left = timeoutMs - static_cast<int>(used);
    }
    const SocketStatus waited = waitFor(POLLIN, left, SocketOp::kReceive);
    if (waited != SocketStatus::kOk) return waited;
  }
}

SocketStatus TcpSocket::receiveAppend(std::string* out, size_t maxBytes, int timeoutMs) {
  const size_t oldSize = out->size();
  out->resize(oldSize + maxBytes);
  size_t received = 0;
  const SocketStatus status = receive(out->data() + oldSize, maxBytes, timeoutMs, &received);
  out->resize(oldSize + received);
  return status;
}

SocketStatus TcpSocket::discardPending(size_t* discarded) {
  if (discarded != nullptr) *discarded = 0;
  if (!isOpen()) {
    failWithErrno(SocketOp::kReceive, ENOTCONN);
    return SocketStatus::kError;
  }
  if (tls_) return discardPendingTls(discarded);
  char scratch[kDiscardChunk];
  for (;;) {
    const ssize_t n = ::recv(fd_, scratch, sizeof scratch, MSG_DONTWAIT);
    if (n > 0) {
      if (discarded != nullptr) *discarded += static_cast<size_t>(n);
      continue;
    }
    if (n == 0) return SocketStatus::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return SocketStatus::kOk;
    failWithErrno(SocketOp::kReceive, errno);
    return SocketStatus::kError;
  }
}

void TcpSocket::close() {
  if (tls_ && secure_ && fd_ >= 0) tls_->shutdown();
  tls_.reset();
  secure_ = false;
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

SocketStatus TcpSocket::waitFor(short events, int timeoutMs, SocketOp op) {
  const uint64_t start = pump_.tickMs();
  int slice = kFirstSliceMs;
  for (;;) {
    pollfd p{};
    p.fd = fd_;
    p.events = events;
    const int rc = ::poll(&p, 1, 0);
    if (rc > 0) {
      if ((p.revents & POLLNVAL) != 0) {
        failWithErrno(op, EBADF);
        return SocketStatus::kError;
      }
      // Errors and hang-ups count as ready: the following call reports what happened.
      return SocketStatus::kOk;
    }
    if (rc < 0 && errno != EINTR) {
      failWithErrno(SocketOp::kWait, errno);
      return SocketStatus::kError;
    }
    int wait = slice;
    if (timeoutMs >= 0) {
      const uint64_t used = pump_.tickMs() - start;
      if (used >= static_cast<uint64_t>(timeoutMs)) {
        failTimedOut(op);
        return SocketStatus::kTimedOut;
      }
      wait = std::min<int>(slice, timeoutMs - static_cast<int>(used));
    }
    pump_.waitForDescriptor(
        fd_,
        events == POLLIN ? MessagePump::Readiness::kReadable : MessagePump::Readiness::kWritable,
        wait);
    slice = std::min(slice * 2, kLongestSliceMs);
  }
}

void TcpSocket::failWithErrno(SocketOp op, int errnoValue) {
  error_.code = windowsSocketError(errnoValue);
  error_.sysErrno = errnoValue;
  error_.op = op;
  error_.text = systemErrorText(errnoValue);
  error_.tls = TlsFailure::kNone;
}

void TcpSocket::failTimedOut(SocketOp op) {
  error_.code = wsa::kTimedOut;
  error_.sysErrno = 0;
  error_.op = op;
  error_.text = systemErrorText(ETIMEDOUT);
  error_.tls = TlsFailure::kNone;
}

}  // namespace platform
