#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/message_pump.h"
#include "platform/tls_policy.h"
#include "platform/tls_session.h"

namespace platform {

// Error numbers of the Windows Sockets interface. Users see these numbers in messages ("Error:%d")
// and callers compare against them, so the socket layer reports every failure in these terms
// whatever the operating system's own number was (see windowsSocketError()).
namespace wsa {
inline constexpr int kNoError = 0;
inline constexpr int kInterrupted = 10004;           // WSAEINTR
inline constexpr int kBadHandle = 10009;             // WSAEBADF
inline constexpr int kAccessDenied = 10013;          // WSAEACCES
inline constexpr int kBadAddress = 10014;            // WSAEFAULT
inline constexpr int kInvalidArgument = 10022;       // WSAEINVAL; also an unresolvable host name
inline constexpr int kTooManySockets = 10024;        // WSAEMFILE
inline constexpr int kWouldBlock = 10035;            // WSAEWOULDBLOCK
inline constexpr int kInProgress = 10036;            // WSAEINPROGRESS
inline constexpr int kAlreadyInProgress = 10037;     // WSAEALREADY
inline constexpr int kNotSocket = 10038;             // WSAENOTSOCK
inline constexpr int kMessageTooLong = 10040;        // WSAEMSGSIZE
inline constexpr int kProtocolNotSupported = 10043;  // WSAEPROTONOSUPPORT; the SMTP client's
                                                     // "unexpected reply code"
inline constexpr int kAddressFamily = 10047;         // WSAEAFNOSUPPORT
inline constexpr int kAddressInUse = 10048;          // WSAEADDRINUSE
inline constexpr int kAddressNotAvailable = 10049;   // WSAEADDRNOTAVAIL
inline constexpr int kNetworkDown = 10050;           // WSAENETDOWN
inline constexpr int kNetworkUnreachable = 10051;    // WSAENETUNREACH
inline constexpr int kConnectionAborted = 10053;     // WSAECONNABORTED
inline constexpr int kConnectionReset = 10054;       // WSAECONNRESET
inline constexpr int kNoBuffers = 10055;             // WSAENOBUFS
inline constexpr int kAlreadyConnected = 10056;      // WSAEISCONN
inline constexpr int kNotConnected = 10057;          // WSAENOTCONN
inline constexpr int kShutdown = 10058;              // WSAESHUTDOWN (sending after the peer left)
inline constexpr int kTimedOut = 10060;              // WSAETIMEDOUT; also every wait that ran out
inline constexpr int kConnectionRefused = 10061;     // WSAECONNREFUSED
inline constexpr int kHostDown = 10064;              // WSAEHOSTDOWN
inline constexpr int kHostUnreachable = 10065;       // WSAEHOSTUNREACH
// Not a socket number: the system's "bad command" error, which the SMTP client sets when the
// server refuses MAIL, RCPT or QUIT.
inline constexpr int kBadCommand = 22;  // ERROR_BAD_COMMAND
}  // namespace wsa

// Maps a POSIX errno value from a socket call to its Windows Sockets number. Values without a
// counterpart are returned unchanged (0 stays 0).
int windowsSocketError(int errnoValue);

// The system's one-line text for a POSIX errno value ("Connection refused").
std::string systemErrorText(int errnoValue);

// What a socket operation came to.
enum class SocketStatus {
  kOk,        // Done.
  kTimedOut,  // The wait ran out before the socket was ready; lastError().code is wsa::kTimedOut.
  kClosed,    // The peer closed the connection (end of stream, or a send after it left).
  kError,     // The system reported an error; see lastError().
};

// The socket call that failed.
enum class SocketOp {
  kNone,
  kResolve,
  kCreate,
  kOptions,
  kBind,
  kConnect,
  kWait,
  kSend,
  kReceive,
  kTls,  // Setting up TLS (the CA file, the handshake, the server's certificate).
};

// The last failure of a TcpSocket.
struct SocketError {
  int code = wsa::kNoError;  // Windows Sockets number (wsa::k...); 0 when nothing failed.
  int sysErrno = 0;          // The POSIX errno behind it; 0 for failures of our own (time-outs).
  SocketOp op = SocketOp::kNone;  // Which call failed.
  std::string text;               // The system's message for the error, e.g. "Connection refused".
  // Why TLS failed (code wsa::kConnectionAborted); kNone for every other failure. A failure of
  // TLS after the handshake (a corrupt record) has op kSend or kReceive and reason kHandshake.
  TlsFailure tls = TlsFailure::kNone;
};

// Looks up an IPv4 address: a dotted numeric address is taken as it is, anything else is resolved
// by name and its first IPv4 address used. Writes the address in network byte order to *address.
// Name resolution blocks without dispatching (it is quick for the names the programs use). An
// unknown name fails with wsa::kInvalidArgument and the resolver's text.
bool resolveIPv4(const std::string& host, uint32_t* address, SocketError* error);

// The local machine's host name (what "auto" stands for in a HELO/EHLO greeting); "localhost"
// when the system will not tell.
std::string localHostName();

// An IPv4 TCP client socket. Every wait (connecting, sending into a full buffer, receiving) goes
// through the injected MessagePump: the socket is polled without blocking, and between polls the
// pump waits on the socket for a short slice (MessagePump::waitForDescriptor), returning as soon
// as the socket is ready, so windows stay responsive, no wait sleeps while its data is there, and
// a fake pump's clock drives the time-outs in tests. Deadlines are measured with pump.tickMs().
//
// The socket stays in non-blocking mode for its whole life; callers never see EAGAIN or EINTR.
// Nothing is ever silently truncated: a send either delivers every byte or reports a failure.
// Every failure is left in lastError(); success does not clear it.
//
// After startTls() every read and write goes through TLS: the same calls, the same waits and
// time-outs (the handshake and each record wait for the socket through the pump as well).
//
// Not thread-safe; one socket is used by one (user-interface) thread.
class TcpSocket {
 public:
  // A time-out argument that means "wait as long as it takes".
  static constexpr int kWaitForever = -1;

  // `pump` must outlive the socket.
  explicit TcpSocket(MessagePump& pump);
  ~TcpSocket();  // Closes the socket.
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  // Creates the IPv4 stream socket (closing any socket held before). False with lastError() when
  // the system refuses (op kCreate).
  bool create();

  // True between a successful create()/connect() and close().
  bool isOpen() const { return fd_ >= 0; }

  // Sets the kernel's receive and send buffer sizes (SO_RCVBUF, SO_SNDBUF) of the created socket.
  // The sign link asks for 8092 bytes each.
  bool setBufferSizes(int receiveBytes, int sendBytes);

  // Reads the buffer sizes back as the kernel reports them. Linux reports twice the size that was
  // set (it adds room for its own bookkeeping) and enforces a minimum.
  bool bufferSizes(int* receiveBytes, int* sendBytes) const;

  // Binds the created socket to a local IPv4 address (dotted or a name), port 0, before connect.
  bool bindLocal(const std::string& address);

  // Connects to host:port (host dotted or a name, see resolveIPv4). Creates the socket first when
  // create() was not called. Waits at most `timeoutMs` for the connection to stand.
  // kOk: connected. kTimedOut: nothing happened in time; the socket is closed. kError: name
  // resolution, the socket call or the connection failed (a refused connection is an error, never
  // a time-out); the socket is closed.
  SocketStatus connect(const std::string& host, uint16_t port, int timeoutMs);

  // Sends every byte of `data`, waiting (with dispatch) while the kernel's buffer is full; a send
  // the kernel takes only in part is continued. `timeoutMs` bounds each wait for buffer space, so
  // a large send to a slow but live peer is never cut off while it makes progress; a peer that
  // takes nothing for that long times the send out. kClosed when the peer has gone (the connection
  // was reset or shut down), kTimedOut, kError; on any failure an unknown part of the data went
  // out.
  SocketStatus sendAll(std::string_view data, int timeoutMs);

  // Waits until data (or the peer's close) can be read, at most `timeoutMs` (0: just look).
  // kOk, kTimedOut or kError.
  SocketStatus waitReadable(int timeoutMs);

  // Waits at most `timeoutMs` (0: take only what is there) for data and receives at most
  // `capacity` bytes into `buffer`; *received is the count. kOk with *received > 0, kClosed when
  // the peer closed the connection (*received 0), kTimedOut, kError.
  SocketStatus receive(char* buffer, size_t capacity, int timeoutMs, size_t* received);

  // As receive(), appending at most `maxBytes` to *out.
  SocketStatus receiveAppend(std::string* out, size_t maxBytes, int timeoutMs);

  // Reads and discards whatever has already arrived, without waiting. kOk (also when nothing was
  // waiting), kClosed when the peer has closed the connection, kError. *discarded, when given,
  // is the number of bytes thrown away.
  SocketStatus discardPending(size_t* discarded = nullptr);

  // Starts TLS as a client on the connected socket: at once for implicit TLS, or after the
  // protocol's upgrade command (STLS, STARTTLS) was accepted. The server's certificate must verify
  // against the settings' CA file (the system's store without one) and name `hostName` (the name
  // or dotted address connected to). Waits at most `timeoutMs` for the handshake.
  // kOk: the connection is secure. Otherwise the socket is closed, so that nothing can follow in
  // the clear: kTimedOut, kError with lastError().tls saying why (a bad CA file, a failed
  // handshake, a certificate that is expired, for another host or from an unknown issuer).
  SocketStatus startTls(const std::string& hostName, const TlsSettings& settings, int timeoutMs);

  // True while the connection runs over TLS.
  bool isSecure() const { return secure_; }

  // Closes the socket (telling a TLS peer first, without waiting); harmless when already closed.
  void close();

  const SocketError& lastError() const { return error_; }

 private:
  // Polls for `events` until ready or the deadline passes, waiting through the pump between polls.
  SocketStatus waitFor(short events, int timeoutMs, SocketOp op);
  // Records the failure of `op` with the current errno value.
  void failWithErrno(SocketOp op, int errnoValue);
  void failTimedOut(SocketOp op);
  // Records a TLS failure of `op`, with the session's reason when there is one.
  void failTls(SocketOp op, TlsFailure failure, const std::string& detail);

  // The TLS forms of the calls above (tcp_socket_tls.cpp).
  SocketStatus sendAllTls(std::string_view data, int timeoutMs);
  SocketStatus waitReadableTls(int timeoutMs);
  SocketStatus receiveTls(char* buffer, size_t capacity, int timeoutMs, size_t* received);
  SocketStatus discardPendingTls(size_t* discarded);
  // Waits for what the session asked for (`step`), within `timeoutMs` counted from tick `start`.
  SocketStatus waitForTls(TlsSession::Step step, uint64_t start, int timeoutMs, SocketOp op);

  MessagePump& pump_;                // Dispatches window messages during waits; not owned.
  int fd_ = -1;                      // The socket, or -1 when closed.
  SocketError error_;                // The last failure.
  std::unique_ptr<TlsSession> tls_;  // The TLS layer once startTls() began; null for plain.
  bool secure_ = false;              // The handshake succeeded.
};

}  // namespace platform
