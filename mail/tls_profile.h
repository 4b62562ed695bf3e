#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/tls_choice.h"
#include "platform/profile_file.h"

// Where a mailbox's or mail server's TLS choice is kept: the records' own files have no room for
// it, so it lives in the program's profile (mailpump.ini, varnel.ini), section "TLS", two keys per
// record named after it:
//   <name>.Policy = required | starttls | plain   (missing: the port's default)
//   <name>.CAFile = path of a PEM file of certificate authorities (missing: the system's store)
// In a name, '%', '=', '[', ']', '"', control characters and blanks at either end are written as
// %XX (hexadecimal), so that any name makes a key that reads back. Keys match case-insensitively,
// as all profile keys do. A Policy value that names no policy reads as "required": a typing
// error never lowers the protection.
namespace mail {

inline constexpr char kTlsSection[] = "TLS";

// The key of `name`'s policy and of its CA file.
std::string tlsPolicyKey(std::string_view name);
std::string tlsCaFileKey(std::string_view name);

TlsChoice readTlsChoice(const platform::ProfileFile& profile, std::string_view name);

// Stores `choice` for `name`: a key for what it holds, no key for what it leaves empty. Keys that
// already hold the value are not rewritten. kCannotWrite when the profile could not be written.
platform::Status writeTlsChoice(const platform::ProfileFile& profile, std::string_view name,
                                const TlsChoice& choice);

// A record renamed: its keys follow it (whatever the new name held before is replaced).
platform::Status moveTlsChoice(const platform::ProfileFile& profile, std::string_view from,
                               std::string_view to);

// A record removed: its keys go.
platform::Status removeTlsChoice(const platform::ProfileFile& profile, std::string_view name);

// Removes the keys of every name not in `names` (the records that are left after a list was
// replaced as a whole).
platform::Status forgetOtherTlsChoices(const platform::ProfileFile& profile,
                                       const std::vector<std::string>& names);

}  // namespace mail
