#include "platform/tls_policy.h"

#include <algorithm>
#include <cctype>

namespace platform {

bool startsInTls(TlsPolicy policy, uint16_t port) {
  return policy == TlsPolicy::kRequired && (port == kPop3sPort || port == kSmtpsPort);
}

TlsPolicy defaultTlsPolicy(uint16_t port) {
  return port == kPop3sPort || port == kSmtpsPort ? TlsPolicy::kRequired : TlsPolicy::kWhenOffered;
}

std::string_view tlsPolicyName(TlsPolicy policy) {
  switch (policy) {
    case TlsPolicy::kRequired:
      return "required";
    case TlsPolicy::kWhenOffered:
      return "starttls";
    case TlsPolicy::kPlain:
      return "plain";
  }
  return "required";
}

std::optional<TlsPolicy> parseTlsPolicy(std::string_view name) {
  auto equals = [name](std::string_view word) {
    return std::equal(name.begin(), name.end(), word.begin(), word.end(), [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == b;
    });
  };
  for (TlsPolicy policy : {TlsPolicy::kRequired, TlsPolicy::kWhenOffered, TlsPolicy::kPlain}) {
    if (equals(tlsPolicyName(policy))) return policy;
  }
  return std::nullopt;
}

}  // namespace platform
