#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/tls_policy.h"

// The TLS setting of one mailbox or mail server as the user keeps it, and the rules of the
// control that edits it in the POP3 and mail server dialogs.
namespace mail {

// What the user chose: a policy, or none (the record follows its port: see
// platform::defaultTlsPolicy), and a CA file for a private server (empty: the system's store).
struct TlsChoice {
  std::optional<platform::TlsPolicy> policy;
  std::string caFile;

  bool operator==(const TlsChoice&) const = default;
};

// The settings a connection to `port` uses under `choice`.
platform::TlsSettings tlsSettingsFor(const TlsChoice& choice, int port);

// The three policies in the order the dialogs offer them, with their texts: "TLS required",
// "STARTTLS when offered", "Plain text (not encrypted)".
inline constexpr platform::TlsPolicy kOfferedTlsPolicies[] = {
    platform::TlsPolicy::kRequired, platform::TlsPolicy::kWhenOffered, platform::TlsPolicy::kPlain};
std::string tlsPolicyText(platform::TlsPolicy policy);
std::vector<std::string> tlsPolicyTexts();
// The position of `policy` in kOfferedTlsPolicies.
int tlsPolicyIndex(platform::TlsPolicy policy);

// The dialogs' TLS control. It shows the record's policy, or the default of the port while the
// user has chosen none; changing the port then proposes the new port's default (typing 995 in
// place of 110 proposes "TLS required"). Once the user picks a policy it stays, whatever the port.
class TlsChoiceForm {
 public:
  TlsChoiceForm(const TlsChoice& choice, int port);

  // The policy the control shows.
  platform::TlsPolicy shown() const { return shown_; }
  bool chosenExplicitly() const { return explicit_; }

  // The port field now holds `port` (a text that is not a port leaves the control as it is).
  void portChanged(int port);
  // The user picked `policy` in the control.
  void choose(platform::TlsPolicy policy);

  // What OK stores: the picked policy (none when the user never picked one and the record had
  // none) and `caFile` as typed.
  TlsChoice result(const std::string& caFile) const;

 private:
  platform::TlsPolicy shown_;
  bool explicit_;
};

// The readers of settings documents (JSON): the policy a name stands for ("required", "starttls",
// "plain"), refused with a text listing them otherwise; and a CA file path that a profile can
// hold (one line, at most kMaxCaFileLength bytes), refused otherwise.
platform::Result<platform::TlsPolicy> tlsPolicyFromName(std::string_view name);
platform::Status checkStorableCaFile(std::string_view path);
inline constexpr size_t kMaxCaFileLength = 997;  // A profile value, with room for quotes.

// OK's check of the CA file field (Windows-1252 text): empty, or a file that can be read. Refused
// with "The CA file %s cannot be read." otherwise.
platform::Status checkCaFile(std::string_view path);

}  // namespace mail
