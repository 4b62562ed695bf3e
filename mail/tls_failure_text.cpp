#include "mail/tls_failure_text.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace mail {

namespace {

using platform::TlsFailure;

// A reply as it is quoted: its first line, without the line end.
std::string firstLine(const std::string& reply) {
  return reply.substr(0, reply.find_first_of("\r\n"));
}

std::string format(i18n::StringId id, const std::vector<i18n::FormatArg>& args) {
  return i18n::formatText(i18n::text(id), args);
}

}  // namespace

std::string tlsFailureText(const platform::SocketError& error, const std::string& host,
                           const platform::TlsSettings& settings) {
  switch (error.tls) {
    case TlsFailure::kExpired:
      return format(i18n::IDS_TLS_CERT_EXPIRED, {host});
    case TlsFailure::kWrongHost:
      return format(i18n::IDS_TLS_WRONG_HOST, {host});
    case TlsFailure::kUnknownIssuer:
      return format(i18n::IDS_TLS_UNKNOWN_ISSUER, {host});
    case TlsFailure::kUntrusted:
      return format(i18n::IDS_TLS_UNTRUSTED, {host, error.text});
    case TlsFailure::kCaFile:
      return format(i18n::IDS_TLS_CA_FILE_UNREADABLE, {settings.caFile, error.text});
    case TlsFailure::kHandshake:
    case TlsFailure::kNone:
      break;
  }
  // A time-out or a failed handshake: the socket's own words.
  return format(i18n::IDS_TLS_HANDSHAKE_FAILED, {host, error.text});
}

std::string tlsNotOfferedText(const std::string& host) {
  return format(i18n::IDS_TLS_NOT_OFFERED, {host});
}

std::string tlsRefusedText(const std::string& host, const std::string& reply) {
  return format(i18n::IDS_TLS_UPGRADE_REFUSED, {host, firstLine(reply)});
}

std::string tlsPlainAfterUpgradeText(const std::string& host) {
  return format(i18n::IDS_TLS_PLAIN_AFTER_UPGRADE, {host});
}

}  // namespace mail
