#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/tls_policy.h"

namespace platform {

// Why a TLS connection could not be set up. The certificate reasons are those a user can act on
// (renew the certificate, correct the server's name, name a CA file); the rest fall under
// kUntrusted with the verifier's own text.
enum class TlsFailure {
  kNone,
  kCaFile,         // The CA file of the settings could not be read.
  kHandshake,      // The handshake itself failed (garbage, no common protocol, a closed peer).
  kExpired,        // The server's certificate (or one of its chain) has expired.
  kWrongHost,      // The certificate is valid, but not for the host name connected to.
  kUnknownIssuer,  // The certificate chains to no trusted authority (self-signed, private CA).
  kUntrusted,      // Any other reason the certificate did not verify.
};

// One client TLS connection over a connected, non-blocking socket (OpenSSL). It never waits:
// every call does what it can now and says what it needs next, so the caller can wait for the
// socket through its pump. The peer's certificate is always verified against the system's CA store
// (or the settings' CA file), host name included; an unverified peer fails the handshake.
class TlsSession {
 public:
  // What a call came to.
  enum class Step {
    kDone,       // Finished; counts are filled in.
    kWantRead,   // Call again once the socket is readable.
    kWantWrite,  // Call again once the socket is writable.
    kClosed,     // The peer ended the connection (close_notify or end of stream).
    kFailed,     // A protocol or verification failure; see failure() and detail().
  };

  // Prepares a session on socket `fd` for `hostName` (a name or a dotted address; a name is also
  // sent as SNI). Null with *failure and *detail set when the settings' CA file cannot be used.
  static std::unique_ptr<TlsSession> create(int fd, const std::string& hostName,
                                            const TlsSettings& settings, TlsFailure* failure,
                                            std::string* detail);
  ~TlsSession();
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;

  // Advances the handshake. kDone once the server is verified and the connection is secure.
  Step handshake();
  // Reads at most `capacity` decrypted bytes; *received is the count on kDone (never 0).
  Step read(char* buffer, size_t capacity, size_t* received);
  // Writes some of `data` (at least one byte on kDone); *written is the count. After kWantRead or
  // kWantWrite the same data must be offered again.
  Step write(const char* data, size_t size, size_t* written);
  // Whether decrypted data can be read at once: kDone when it can, kWantRead/kWantWrite while it
  // cannot, kClosed or kFailed when the next read would report so. Consumes no data.
  Step peek();
  // True when decrypted bytes are already buffered inside the session (no socket wait needed).
  bool hasBuffered() const;
  // Tells the peer that the connection ends (one attempt, never waits).
  void shutdown();

  TlsFailure failure() const { return failure_; }
  // The library's own words for the last failure ("certificate has expired", ...).
  const std::string& detail() const { return detail_; }

 private:
  struct Handles;
  explicit TlsSession(std::unique_ptr<Handles> handles);
  // Classifies the result `rc` of an OpenSSL call.
  Step classify(int rc);

  std::unique_ptr<Handles> handles_;
  TlsFailure failure_ = TlsFailure::kNone;
  std::string detail_;
};

}  // namespace platform
