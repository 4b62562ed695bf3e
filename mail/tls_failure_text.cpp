#include "mail/tls_failure_text.h"

#include "i18n/string_ids.h"
#include "i18n/text_format.h"

namespace mail {

namespace {

using platform::TlsFailure;

// A reply as it is quoted: its first line, without the line end.
std::string firstLine(const std::string& reply) {
  return reply.substr(0, reply.find_first_of("\r\n"));
}

}  // namespace

std::string tlsFailureText(const platform::SocketError& error, const std::string& host,
                           const platform::TlsSettings& settings) {
  switch (error.tls) {
    case TlsFailure::kExpired:
      return i18n::textWith(i18n::IDS_TLS_CERT_EXPIRED, {host});
    case TlsFailure::kWrongHost:
      return i18n::textWith(i18n::IDS_TLS_WRONG_HOST, {host});
    case TlsFailure::kUnknownIssuer:
      return i18n::textWith(i18n::IDS_TLS_UNKNOWN_ISSUER, {host});
    case TlsFailure::kUntrusted:
      return i18n::textWith(i18n::IDS_TLS_UNTRUSTED, {host, error.text});
    case TlsFailure::kCaFile:
      return i18n::textWith(i18n::IDS_TLS_CA_FILE_UNREADABLE, {settings.caFile, error.text});
    case TlsFailure::kHandshake:
    case TlsFailure::kNone:
      break;
  }
  // A time-out or a failed handshake: the socket's own words.
  return i18n::textWith(i18n::IDS_TLS_HANDSHAKE_FAILED, {host, error.text});
}

std::string tlsNotOfferedText(const std::string& host) {
  return i18n::textWith(i18n::IDS_TLS_NOT_OFFERED, {host});
}

std::string tlsRefusedText(const std::string& host, const std::string& reply) {
  return i18n::textWith(i18n::IDS_TLS_UPGRADE_REFUSED, {host, firstLine(reply)});
}

std::string tlsPlainAfterUpgradeText(const std::string& host) {
  return i18n::textWith(i18n::IDS_TLS_PLAIN_AFTER_UPGRADE, {host});
}

}  // namespace mail
