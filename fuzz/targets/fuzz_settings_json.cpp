// The receiver's settings as JSON (mailpump --import-settings). Settings that are accepted are
// written as JSON and as Set.dat and read back unchanged both ways.

#include <cstdlib>

#include "fuzz/support/fuzz_support.h"
#include "receiver/receiver_settings.h"
#include "receiver/settings_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto settings = receiver::settingsFromJson(fuzzing::inputView(data, size));
  if (!settings.ok()) return 0;
  const auto again = receiver::settingsFromJson(receiver::settingsToJson(*settings));
  if (!again.ok() || !(*again == *settings)) std::abort();
  receiver::ReceiverSettings decoded;
  if (!receiver::decodeSettings(receiver::encodeSettings(*settings), "Set.dat", &decoded).ok() ||
      !(decoded == *settings)) {
    std::abort();
  }
  return 0;
}
