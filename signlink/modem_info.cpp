#include "signlink/modem_info.h"

#include "i18n/text_format.h"

namespace signlink {
namespace {

constexpr char kNoModemPort[] = "NONE";
constexpr char kComPrefix[] = "COM";
constexpr char kSpeedUnit[] = "baud";

}  // namespace

ModemInfoFields modemInfoFields(const InstalledModem* modem) {
  ModemInfoFields fields;
  if (!modem) {
    fields.port = kNoModemPort;
    return fields;
  }
  fields.initString = modem->initString;
  fields.port = i18n::formatText("%s%d", {std::string(kComPrefix), modem->comPort});
  fields.speed = i18n::formatText("%d%s", {modem->speed, std::string(kSpeedUnit)});
  fields.resetString = modem->resetString;
  return fields;
}

int modemInfoSelection(const ModemList& modems, std::string_view remembered) {
  const auto& list = modems.modems();
  if (list.empty()) return -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].name == remembered) return static_cast<int>(i);
  }
  return 0;
}

std::string rememberedModem(const platform::ProfileFile& profile) {
  return profile.readString(kSectionModem, kKeyUseModemName);
}

platform::Status rememberModem(const platform::ProfileFile& profile, std::string_view name) {
  return profile.writeString(kSectionModem, kKeyUseModemName, name);
}

}  // namespace signlink
