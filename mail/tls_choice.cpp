#include "mail/tls_choice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace mail {

using platform::TlsPolicy;

namespace {

constexpr int kHighestPort = 65535;

// The port as the policy rules see it: anything outside a TCP port has no default of its own.
uint16_t portOf(int port) {
  return port > 0 && port <= kHighestPort ? static_cast<uint16_t>(port) : 0;
}

// True when `path` names a regular file this process can open for reading.
bool readableFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return regular;
}

}  // namespace

platform::TlsSettings tlsSettingsFor(const TlsChoice& choice, int port) {
  return {choice.policy.value_or(platform::defaultTlsPolicy(portOf(port))), choice.caFile};
}

std::string tlsPolicyText(TlsPolicy policy) {
  switch (policy) {
    case TlsPolicy::kRequired:
      return i18n::text(i18n::IDS_TLS_REQUIRED);
    case TlsPolicy::kWhenOffered:
      return i18n::text(i18n::IDS_TLS_WHEN_OFFERED);
    case TlsPolicy::kPlain:
      return i18n::text(i18n::IDS_TLS_PLAIN);
  }
  return {};
}

std::vector<std::string> tlsPolicyTexts() {
  std::vector<std::string> texts;
  for (TlsPolicy policy : kOfferedTlsPolicies)
    texts.push_back(tlsPolicyText(policy));
  return texts;
}

int tlsPolicyIndex(TlsPolicy policy) {
  const auto* found =
      std::find(std::begin(kOfferedTlsPolicies), std::end(kOfferedTlsPolicies), policy);
  return static_cast<int>(found - std::begin(kOfferedTlsPolicies));
}

TlsChoiceForm::TlsChoiceForm(const TlsChoice& choice, int port)
    : shown_(tlsSettingsFor(choice, port).policy), explicit_(choice.policy.has_value()) {}

void TlsChoiceForm::portChanged(int port) {
  if (!explicit_ && portOf(port) != 0) shown_ = platform::defaultTlsPolicy(portOf(port));
}

void TlsChoiceForm::choose(TlsPolicy policy) {
  shown_ = policy;
  explicit_ = true;
}

TlsChoice TlsChoiceForm::result(const std::string& caFile) const {
  TlsChoice choice;
  if (explicit_) choice.policy = shown_;
  choice.caFile = caFile;
  return choice;
}

platform::Result<TlsPolicy> tlsPolicyFromName(std::string_view name) {
  if (const std::optional<TlsPolicy> policy = platform::parseTlsPolicy(name)) return *policy;
  return platform::Status::refused("\"" + std::string(name) +
                                   "\" is no TLS policy: use \"required\", \"starttls\" or "
                                   "\"plain\"");
}

platform::Status checkStorableCaFile(std::string_view path) {
  // The path is kept on one line of a profile.
  const bool storable =
      path.size() <= kMaxCaFileLength &&
      std::none_of(path.begin(), path.end(), [](char c) { return c == '\r' || c == '\n'; });
  if (storable) return platform::Status::success();
  return platform::Status::refused("the CA file must be a path on one line of at most " +
                                   std::to_string(kMaxCaFileLength) + " bytes");
}

platform::Status checkCaFile(std::string_view path) {
  if (path.empty()) return platform::Status::success();
  if (checkStorableCaFile(path).ok() && readableFile(std::string(path))) {
    return platform::Status::success();
  }
  return platform::Status::refused(
      i18n::formatText(i18n::text(i18n::IDS_TLS_CA_FILE_REFUSED), {std::string(path)}));
}

}  // namespace mail
