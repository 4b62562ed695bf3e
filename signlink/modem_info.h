#pragma once

#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "platform/status.h"
#include "signlink/modem_list.h"

// The rules of the "Modem Info..." dialog: what it shows of an installed modem and the modem it
// remembers in the profile.
namespace signlink {

inline constexpr char kSectionModem[] = "Modem";
inline constexpr char kKeyUseModemName[] = "Use Modem Name";

// The read-only fields of the dialog.
struct ModemInfoFields {
  std::string initString;   // the initialisation string
  std::string port;         // "COM" and the number; "NONE" without a modem
  std::string speed;        // the number and "baud"
  std::string resetString;  // the reset string
};

// The fields for `modem`; for none (no modem installed) the port reads "NONE" and the rest is
// empty.
ModemInfoFields modemInfoFields(const InstalledModem* modem);

// The entry to preselect: the modem named `remembered`, else the first; -1 for an empty list.
int modemInfoSelection(const ModemList& modems, std::string_view remembered);

// The modem the profile remembers ("Modem"/"Use Modem Name", default empty).
std::string rememberedModem(const platform::ProfileFile& profile);
// Stores the dialog's selection when it closes.
platform::Status rememberModem(const platform::ProfileFile& profile, std::string_view name);

}  // namespace signlink
