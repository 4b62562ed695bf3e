// A profile file (varnel.ini, modems.ini): read by every reader that takes one, then one key is
// written into it. The key must read back as written, and the values the readers saw before must
// stay as they were.

#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup_sequence.h"
#include "app/varnel_profile.h"
#include "fuzz/support/fuzz_support.h"
#include "platform/com_ports.h"
#include "platform/profile_file.h"
#include "signlink/modem_list.h"

namespace {

// What the readers make of the file, as one text to compare.
std::string everythingRead(const platform::ProfileFile& profile) {
  const app::SendInfo send = app::readSendInfo(profile);
  const app::DeviceInfo device = app::readDeviceInfo(profile);
  const varnel_profile::SignSettings sign = varnel_profile::readSignSettings(profile);
  std::string all = std::to_string(send.lastSendType) + send.lastGroupName + send.lastPhone +
                    send.signAddress + std::to_string(device.lastComport) +
                    std::to_string(device.lastIpPort) + device.lastModemName +
                    std::to_string(sign.width) + std::to_string(sign.colourMode);
  for (const std::string& file : app::readRecentFiles(profile))
    all += file;
  for (const std::string& key : profile.readKeys("Ports"))
    all += key + "=" + profile.readString("Ports", key);
  all += platform::comPortDevicePath(profile.path(), 1);
  const signlink::ModemList modems = signlink::ModemList::load(profile.path());
  for (const signlink::InstalledModem& modem : modems.modems())
    all += modem.name + std::to_string(modem.comPort) + modem.resetString + modem.initString;
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::writeScratchFile("varnel.ini", fuzzing::inputView(data, size));
  const platform::ProfileFile profile(path);
  const std::string before = everythingRead(profile);
  if (!profile.writeString("FuzzSection", "FuzzKey", "a value").ok()) std::abort();
  if (profile.readString("FuzzSection", "FuzzKey") != "a value") std::abort();
  if (everythingRead(profile) != before) std::abort();
  profile.removeKey("FuzzSection", "FuzzKey");
  return 0;
}
