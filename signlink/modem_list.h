#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace signlink {

// The file in the data directory that lists the installed modems.
inline constexpr char kModemListFileName[] = "modems.ini";

// One installed modem, as the device dialogs and the dial-up logic need it.
struct InstalledModem {
  std::string name;         // Model name; how the address book refers to the modem.
  int comPort = 0;          // COM number it is attached to; 0 when the file names none.
  std::string resetString;  // The reset command, or "NONE".
  std::string initString;   // "AT", the command fragments, "<cr>"; shown for information only.
  int speed = 0;            // Speed in bits per second; 0 when the file names none.
};

// The installed modems, read from "modems.ini" in the data directory. It stands in for the
// operating system's modem list and is a private-profile file with one section per modem,
// "[Modem0]" to "[Modem9]", taken in that order:
//
//   [Modem0]
//   Model=Hayes Accura 56K
//   Port=COM3
//   Speed=57600
//   Reset=ATZ
//   CallSetupFailTimer=S7=<#>
//   InactivityTimeout=S30=<#>
//   SpeakerMode=M1
//   SpeakerVolume=L1
//   ErrorControlOn=\N3
//   CompressionOn=%C1
//   HardwareFlowControl=&K3
//   ModulationCCITT=B0
//   BlindOff=X4
//
// "Model" is required: a section without it, or whose model name contains "IP Virtual Modem", is
// left out. "Port" is "COM<N>" or just N. "Reset" missing or empty reads as "NONE". The last nine
// keys are the driver's command fragments, each optional; the initialisation string is "AT"
// followed by them in the order shown, with "<#>" replaced by 60 in the call set-up fail timer and
// by 0 in the inactivity time-out, and then "<cr>". Values are taken as they stand (no comments
// after a value).
class ModemList {
 public:
  static constexpr int kMaxModems = 10;

  // Reads the list from `path`. A missing or unreadable file is an empty list.
  static ModemList load(const std::string& path);

  const std::vector<InstalledModem>& modems() const { return modems_; }

  // The model names in list order (at most kMaxModems).
  std::vector<std::string> names() const;

  // The first modem named `name` (compared exactly), or nullptr.
  const InstalledModem* find(std::string_view name) const;

  // The COM number of the modem named `name`, or 0 (less than 1) when there is no such modem.
  int modemPort(std::string_view name) const;

 private:
  std::vector<InstalledModem> modems_;  // In file order.
};

}  // namespace signlink
