// The receiver's settings file (Set.dat). Settings that load are written again and read back
// unchanged, and go through the JSON form the same way.

#include <cstdlib>
#include <string>

#include "fuzz/support/fuzz_support.h"
#include "receiver/receiver_settings.h"
#include "receiver/settings_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  receiver::ReceiverSettings settings;
  if (!receiver::decodeSettings(fuzzing::inputView(data, size), "Set.dat", &settings).ok())
    return 0;
  receiver::pollPeriodMs(settings);
  receiver::ReceiverSettings again;
  if (!receiver::decodeSettings(receiver::encodeSettings(settings), "Set.dat", &again).ok() ||
      !(again == settings)) {
    std::abort();
  }
  receiver::settingsToJson(settings);
  return 0;
}
