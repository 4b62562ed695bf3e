#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// How a mail connection (a POP3 mailbox, an SMTP mail server, the POP log-in before SMTP) uses
// TLS. The stored mailbox and mail-server records have no room for it, so it lives in the
// programs' INI profiles beside them; a record without it takes defaultTlsPolicy(port).
enum class TlsPolicy {
  // Never in the clear. On the protocols' TLS ports (POP3S 995, SMTPS 465) the connection is TLS
  // from its first byte; on any other port the server must offer the upgrade (STLS, STARTTLS) and
  // the session ends, before any password or mail is sent, when it does not.
  kRequired,
  // Upgrade when the server offers it (CAPA lists STLS, EHLO lists STARTTLS), plain otherwise.
  // Once offered, a failed upgrade ends the session: nothing is sent in the clear after an offer.
  kWhenOffered,
  // Plain text, chosen explicitly.
  kPlain,
};

// The TLS settings of one mailbox or mail server.
struct TlsSettings {
  TlsPolicy policy = TlsPolicy::kRequired;
  // A PEM file of certificate authorities to trust instead of the system's store (a private
  // server); empty for the system's store. Certificates are always verified, host name included.
  std::string caFile;

  bool operator==(const TlsSettings&) const = default;
};

// The implicit-TLS ports: POP3S and SMTPS.
inline constexpr uint16_t kPop3sPort = 995;
inline constexpr uint16_t kSmtpsPort = 465;

// True when a connection to `port` under `policy` starts TLS at once (no upgrade command).
bool startsInTls(TlsPolicy policy, uint16_t port);

// The policy of a record that has none stored: required on the implicit-TLS ports, where nothing
// else can work; upgrade when offered elsewhere, so records written before TLS existed keep
// working against the servers they were made for.
TlsPolicy defaultTlsPolicy(uint16_t port);

// The policy's name in profiles and JSON: "required", "starttls", "plain".
std::string_view tlsPolicyName(TlsPolicy policy);
// The policy a name stands for (case-insensitive); nothing for any other text.
std::optional<TlsPolicy> parseTlsPolicy(std::string_view name);

}  // namespace platform
