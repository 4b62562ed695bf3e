#include "receiver/serial_frame_link.h"

#include <cerrno>

#include "platform/com_ports.h"

namespace receiver {

bool SerialFrameLink::open(const std::string& profilePath, int portNumber,
                           const platform::SerialSettings& settings) {
  port_.close();
  setupFailed_ = false;
  errorNumber_ = 0;
  const std::string device = platform::comPortDevicePath(profilePath, portNumber);
  if (device.empty()) {
    errorNumber_ = ENODEV;
    return false;
  }
  const platform::SerialOpenResult result = port_.open(device, settings);
  if (!result.opened) {
    errorNumber_ = result.error;
    return false;
  }
  setupFailed_ = result.failedStep != platform::SerialSetupStep::kNone;
  return true;
}

bool SerialFrameLink::writeFrame(std::string_view frame) {
  return port_.write(frame);
}

}  // namespace receiver
