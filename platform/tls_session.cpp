#include "platform/tls_session.h"

#include <cerrno>
#include <climits>

#include <arpa/inet.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>

namespace platform {

struct TlsSession::Handles {
  SSL_CTX* context = nullptr;
  SSL* ssl = nullptr;
  ~Handles() {
    if (ssl != nullptr) SSL_free(ssl);
    if (context != nullptr) SSL_CTX_free(context);
  }
};

namespace {

// The socket under a session. OpenSSL's own socket BIO writes with write(), which raises SIGPIPE
// (ending the program) when the peer has gone; this one sends with MSG_NOSIGNAL, so a vanished
// peer is an error like any other.
struct SocketBio {
  int fd = -1;
  bool atEnd = false;  // A read found the end of the stream.
};

SocketBio* socketOf(BIO* bio) {
  return static_cast<SocketBio*>(BIO_get_data(bio));
}

int socketBioWrite(BIO* bio, const char* data, int size) {
  BIO_clear_retry_flags(bio);
  ssize_t n = 0;
  do {
    n = ::send(socketOf(bio)->fd, data, static_cast<size_t>(size), MSG_NOSIGNAL);
  } while (n < 0 && errno == EINTR);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) BIO_set_retry_write(bio);
  return static_cast<int>(n);
}

int socketBioRead(BIO* bio, char* data, int size) {
  BIO_clear_retry_flags(bio);
  ssize_t n = 0;
  do {
    n = ::recv(socketOf(bio)->fd, data, static_cast<size_t>(size), 0);
  } while (n < 0 && errno == EINTR);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) BIO_set_retry_read(bio);
  if (n == 0) socketOf(bio)->atEnd = true;
  return static_cast<int>(n);
}

long socketBioControl(BIO* bio, int command, long, void*) {
  switch (command) {
    case BIO_CTRL_FLUSH:
      return 1;  // Nothing is held back.
    case BIO_CTRL_EOF:
      return socketOf(bio)->atEnd ? 1 : 0;
    default:
      return 0;
  }
}

int socketBioCreate(BIO* bio) {
  BIO_set_data(bio, new SocketBio);
  BIO_set_init(bio, 1);
  return 1;
}

int socketBioDestroy(BIO* bio) {
  delete socketOf(bio);
  BIO_set_data(bio, nullptr);
  return 1;
}

const BIO_METHOD* socketBioMethod() {
  static BIO_METHOD* const method = [] {
    BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "mail socket");
    BIO_meth_set_write(m, socketBioWrite);
    BIO_meth_set_read(m, socketBioRead);
    BIO_meth_set_ctrl(m, socketBioControl);
    BIO_meth_set_create(m, socketBioCreate);
    BIO_meth_set_destroy(m, socketBioDestroy);
    return m;
  }();
  return method;
}

// Puts socket `fd` under `ssl`; false when the library refuses.
bool attachSocket(SSL* ssl, int fd) {
  BIO* bio = BIO_new(socketBioMethod());
  if (bio == nullptr) return false;
  socketOf(bio)->fd = fd;
  SSL_set_bio(ssl, bio, bio);
  return true;
}

// The verifier's result in the terms a user can act on.
TlsFailure verifyFailure(long result) {
  switch (result) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
      return TlsFailure::kExpired;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
      return TlsFailure::kWrongHost;
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_CERT_UNTRUSTED:
      return TlsFailure::kUnknownIssuer;
    default:
      return TlsFailure::kUntrusted;
  }
}

// The reason of the oldest error in OpenSSL's queue (which is then emptied), or `fallback`.
std::string takeErrorText(const char* fallback) {
  const unsigned long code = ERR_get_error();
  ERR_clear_error();
  const char* reason = code != 0 ? ERR_reason_error_string(code) : nullptr;
  return reason != nullptr ? reason : fallback;
}

bool isDottedAddress(const std::string& host) {
  in_addr address{};
  return ::inet_pton(AF_INET, host.c_str(), &address) == 1;
}

// Trusts the settings' CA file, or the system's store without one. False when the file cannot
// be used.
bool loadAuthorities(SSL_CTX* context, const TlsSettings& settings) {
  if (settings.caFile.empty()) return SSL_CTX_set_default_verify_paths(context) == 1;
  return SSL_CTX_load_verify_locations(context, settings.caFile.c_str(), nullptr) == 1;
}

// Makes the handshake check the certificate against `host`: a dotted address against the
// certificate's IP addresses, a name against its DNS names (and sends it as SNI).
bool expectHost(SSL* ssl, const std::string& host) {
  if (isDottedAddress(host)) {
    return X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl), host.c_str()) == 1;
  }
  X509_VERIFY_PARAM_set_hostflags(SSL_get0_param(ssl), X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
  return SSL_set1_host(ssl, host.c_str()) == 1 && SSL_set_tlsext_host_name(ssl, host.c_str()) == 1;
}

int clampToInt(size_t size) {
  return size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

}  // namespace

std::unique_ptr<TlsSession> TlsSession::create(int fd, const std::string& hostName,
                                               const TlsSettings& settings, TlsFailure* failure,
                                               std::string* detail) {
  ERR_clear_error();
  auto handles = std::make_unique<Handles>();
  handles->context = SSL_CTX_new(TLS_client_method());
  if (handles->context == nullptr) {
    *failure = TlsFailure::kHandshake;
    *detail = takeErrorText("the TLS library could not start");
    return nullptr;
  }
  SSL_CTX_set_min_proto_version(handles->context, TLS1_2_VERSION);
  SSL_CTX_set_verify(handles->context, SSL_VERIFY_PEER, nullptr);
  // A peer that closes without close_notify ends the stream; POP3 and SMTP mark their own ends.
  SSL_CTX_set_options(handles->context, SSL_OP_IGNORE_UNEXPECTED_EOF);
  SSL_CTX_set_mode(handles->context,
                   SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  if (!loadAuthorities(handles->context, settings)) {
    *failure = TlsFailure::kCaFile;
    *detail = takeErrorText("the certificate authorities could not be loaded");
    return nullptr;
  }
  handles->ssl = SSL_new(handles->context);
  if (handles->ssl == nullptr || !attachSocket(handles->ssl, fd) ||
      !expectHost(handles->ssl, hostName)) {
    *failure = TlsFailure::kHandshake;
    *detail = takeErrorText("the TLS connection could not be prepared");
    return nullptr;
  }
  SSL_set_connect_state(handles->ssl);
  return std::unique_ptr<TlsSession>(new TlsSession(std::move(handles)));
}

TlsSession::TlsSession(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

TlsSession::~TlsSession() = default;

TlsSession::Step TlsSession::classify(int rc) {
  const int error = SSL_get_error(handles_->ssl, rc);
  switch (error) {
    case SSL_ERROR_WANT_READ:
      return Step::kWantRead;
    case SSL_ERROR_WANT_WRITE:
      return Step::kWantWrite;
    case SSL_ERROR_ZERO_RETURN:
      return Step::kClosed;
    case SSL_ERROR_SYSCALL:
      // Without a library error this is the system's: the peer reset or left.
      if (ERR_peek_error() == 0) {
        detail_ = errno != 0 ? std::string("connection lost") : std::string("end of stream");
        return Step::kClosed;
      }
      [[fallthrough]];
    default:
      failure_ = TlsFailure::kHandshake;
      detail_ = takeErrorText("TLS protocol error");
      return Step::kFailed;
  }
}

TlsSession::Step TlsSession::handshake() {
  ERR_clear_error();
  errno = 0;
  const int rc = SSL_do_handshake(handles_->ssl);
  if (rc == 1) return Step::kDone;
  const Step step = classify(rc);
  if (step == Step::kWantRead || step == Step::kWantWrite) return step;
  const long verified = SSL_get_verify_result(handles_->ssl);
  if (verified != X509_V_OK) {
    failure_ = verifyFailure(verified);
    detail_ = X509_verify_cert_error_string(verified);
  } else {
    // A peer that leaves in the middle of the handshake failed it too.
    failure_ = TlsFailure::kHandshake;
    if (step == Step::kClosed) detail_ = "the server closed the connection during the handshake";
  }
  ERR_clear_error();
  return Step::kFailed;
}

TlsSession::Step TlsSession::read(char* buffer, size_t capacity, size_t* received) {
  *received = 0;
  ERR_clear_error();
  errno = 0;
  const int rc = SSL_read(handles_->ssl, buffer, clampToInt(capacity));
  if (rc > 0) {
    *received = static_cast<size_t>(rc);
    return Step::kDone;
  }
  return classify(rc);
}

TlsSession::Step TlsSession::write(const char* data, size_t size, size_t* written) {
  *written = 0;
  ERR_clear_error();
  errno = 0;
  const int rc = SSL_write(handles_->ssl, data, clampToInt(size));
  if (rc > 0) {
    *written = static_cast<size_t>(rc);
    return Step::kDone;
  }
  return classify(rc);
}

TlsSession::Step TlsSession::peek() {
  if (SSL_pending(handles_->ssl) > 0) return Step::kDone;
  ERR_clear_error();
  errno = 0;
  char byte = 0;
  const int rc = SSL_peek(handles_->ssl, &byte, 1);
  return rc > 0 ? Step::kDone : classify(rc);
}

bool TlsSession::hasBuffered() const {
  return SSL_pending(handles_->ssl) > 0;
}

void TlsSession::shutdown() {
  ERR_clear_error();
  SSL_shutdown(handles_->ssl);
  ERR_clear_error();
}

}  // namespace platform
