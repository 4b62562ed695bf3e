#include "mail/tls_profile.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/ascii_text.h"

namespace mail {

namespace {

using platform::Status;

constexpr std::string_view kPolicySuffix = ".Policy";
constexpr std::string_view kCaFileSuffix = ".CAFile";

bool needsEscape(std::string_view name, size_t i) {
  const auto c = static_cast<unsigned char>(name[i]);
  const bool edge = i == 0 || i + 1 == name.size();
  return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']' || c == '"' ||
         (edge && (c == ' ' || c == '\t'));
}

std::string escapeName(std::string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    if (!needsEscape(name, i)) {
      out += name[i];
      continue;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(name[i]));
    out += hex;
  }
  return out;
}

// A value as stored: quoted when its ends would otherwise be lost on reading (blanks, quotes).
std::string storedValue(std::string_view value) {
  const bool loosesEnds =
      !value.empty() && (value.front() == ' ' || value.back() == ' ' || value.front() == '\t' ||
                         value.back() == '\t' || value.front() == '"' || value.front() == '\'');
  return loosesEnds ? "\"" + std::string(value) + "\"" : std::string(value);
}

// Writes `value` under `key`, or removes the key when `value` is empty; nothing when the profile
// already holds it.
Status storeKey(const platform::ProfileFile& profile, const std::string& key,
                const std::string& value) {
  constexpr std::string_view kAbsent = "\x01";  // No stored value reads back as this.
  const std::string held = profile.readString(kTlsSection, key, kAbsent);
  const bool present = held != kAbsent;
  if (value.empty()) return present ? profile.removeKey(kTlsSection, key) : Status::success();
  if (present && held == value) return Status::success();
  return profile.writeString(kTlsSection, key, storedValue(value));
}

// The escaped record name of a key of the section, or nothing for a key of another kind.
std::optional<std::string> escapedNameOfKey(std::string_view key) {
  for (std::string_view suffix : {kPolicySuffix, kCaFileSuffix}) {
    if (key.size() >= suffix.size() &&
        platform::equalsIgnoreCase(key.substr(key.size() - suffix.size()), suffix)) {
      return std::string(key.substr(0, key.size() - suffix.size()));
    }
  }
  return std::nullopt;
}

}  // namespace

std::string tlsPolicyKey(std::string_view name) {
  return escapeName(name) + std::string(kPolicySuffix);
}

std::string tlsCaFileKey(std::string_view name) {
  return escapeName(name) + std::string(kCaFileSuffix);
}

TlsChoice readTlsChoice(const platform::ProfileFile& profile, std::string_view name) {
  TlsChoice choice;
  const std::string policy = profile.readString(kTlsSection, tlsPolicyKey(name));
  if (!policy.empty()) {
    choice.policy = platform::parseTlsPolicy(policy).value_or(platform::TlsPolicy::kRequired);
  }
  choice.caFile = profile.readString(kTlsSection, tlsCaFileKey(name));
  return choice;
}

Status writeTlsChoice(const platform::ProfileFile& profile, std::string_view name,
                      const TlsChoice& choice) {
  const std::string policy =
      choice.policy ? std::string(platform::tlsPolicyName(*choice.policy)) : std::string();
  Status status = storeKey(profile, tlsPolicyKey(name), policy);
  if (status.ok()) status = storeKey(profile, tlsCaFileKey(name), choice.caFile);
  return status;
}

Status moveTlsChoice(const platform::ProfileFile& profile, std::string_view from,
                     std::string_view to) {
  const TlsChoice choice = readTlsChoice(profile, from);
  Status status = removeTlsChoice(profile, from);
  if (status.ok()) status = writeTlsChoice(profile, to, choice);
  return status;
}

Status removeTlsChoice(const platform::ProfileFile& profile, std::string_view name) {
  return writeTlsChoice(profile, name, TlsChoice{});
}

Status forgetOtherTlsChoices(const platform::ProfileFile& profile,
                             const std::vector<std::string>& names) {
  std::vector<std::string> kept;
  for (const std::string& name : names)
    kept.push_back(escapeName(name));
  for (const std::string& key : profile.readKeys(kTlsSection)) {
    const std::optional<std::string> owner = escapedNameOfKey(key);
    if (!owner) continue;
    const bool keep = std::any_of(kept.begin(), kept.end(), [&](const std::string& k) {
      return platform::equalsIgnoreCase(k, *owner);
    });
    if (keep) continue;
    const Status status = profile.removeKey(kTlsSection, key);
    if (!status.ok()) return status;
  }
  return Status::success();
}

}  // namespace mail
