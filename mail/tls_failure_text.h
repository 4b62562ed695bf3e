#pragma once

#include <string>

#include "platform/tcp_socket.h"
#include "platform/tls_policy.h"

namespace mail {

// The texts the mail clients (SMTP, POP3) give when a secure connection to `host` could not be
// made. Each names the reason a user can act on; they come from the string table.

// A failed startTls(): the socket's error says why (a certificate reason, the CA file of
// `settings`, a failed or timed-out handshake).
std::string tlsFailureText(const platform::SocketError& error, const std::string& host,
                           const platform::TlsSettings& settings);

// The server does not offer the upgrade that the policy requires.
std::string tlsNotOfferedText(const std::string& host);

// The server answered the upgrade command (STLS, STARTTLS) with a refusal, quoted from `reply`.
std::string tlsRefusedText(const std::string& host, const std::string& reply);

// The server sent more than the answer to the upgrade command before the handshake: bytes that
// anyone on the way could have put there, so the connection is not trusted.
std::string tlsPlainAfterUpgradeText(const std::string& host);

}  // namespace mail
