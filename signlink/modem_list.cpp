#include "signlink/modem_list.h"

#include <cctype>

#include "platform/profile_file.h"

namespace signlink {
namespace {

constexpr std::string_view kSkippedModel = "IP Virtual Modem";
constexpr std::string_view kNoResetString = "NONE";
constexpr std::string_view kCountPlaceholder = "<#>";
constexpr std::string_view kCallSetupFailSeconds = "60";
constexpr std::string_view kInactivityMinutes = "0";

// Replaces each "<#>" in `fragment` by `value`.
std::string fillCount(std::string fragment, std::string_view value) {
  for (size_t at = fragment.find(kCountPlaceholder); at != std::string::npos;
       at = fragment.find(kCountPlaceholder, at + value.size())) {
    fragment.replace(at, kCountPlaceholder.size(), value);
  }
  return fragment;
}

// "COM3" or "3" as 3; anything else 0.
int parsePort(std::string text) {
  if (text.size() > 3 && std::toupper(static_cast<unsigned char>(text[0])) == 'C' &&
      std::toupper(static_cast<unsigned char>(text[1])) == 'O' &&
      std::toupper(static_cast<unsigned char>(text[2])) == 'M') {
    text.erase(0, 3);
  }
  if (text.empty() || text.size() > 6) return 0;
  int port = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    port = port * 10 + (c - '0');
  }
  return port;
}

}  // namespace

ModemList ModemList::load(const std::string& path) {
  ModemList list;
  const platform::ProfileFile file(path);
  for (int i = 0; i < kMaxModems; ++i) {
    const std::string section = "Modem" + std::to_string(i);
    if (!file.hasSection(section)) continue;
    InstalledModem modem;
    modem.name = file.readString(section, "Model");
    if (modem.name.empty() || modem.name.find(kSkippedModel) != std::string::npos) continue;
    modem.comPort = parsePort(file.readString(section, "Port"));
    modem.speed = file.readInt(section, "Speed", 0);
    modem.resetString = file.readString(section, "Reset");
    if (modem.resetString.empty()) modem.resetString = kNoResetString;
    modem.initString = "AT";
    modem.initString +=
        fillCount(file.readString(section, "CallSetupFailTimer"), kCallSetupFailSeconds);
    modem.initString +=
        fillCount(file.readString(section, "InactivityTimeout"), kInactivityMinutes);
    for (const char* key : {"SpeakerMode", "SpeakerVolume", "ErrorControlOn", "CompressionOn",
                            "HardwareFlowControl", "ModulationCCITT", "BlindOff"}) {
      modem.initString += file.readString(section, key);
    }
    modem.initString += "<cr>";
    list.modems_.push_back(std::move(modem));
  }
  return list;
}

std::vector<std::string> ModemList::names() const {
  std::vector<std::string> names;
  for (const InstalledModem& modem : modems_)
    names.push_back(modem.name);
  return names;
}

const InstalledModem* ModemList::find(std::string_view name) const {
  for (const InstalledModem& modem : modems_) {
    if (modem.name == name) return &modem;
  }
  return nullptr;
}

int ModemList::modemPort(std::string_view name) const {
  const InstalledModem* modem = find(name);
  return modem != nullptr ? modem->comPort : 0;
}

}  // namespace signlink
