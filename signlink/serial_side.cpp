#include "signlink/serial_side.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/com_ports.h"

namespace signlink {
namespace {

std::string systemMessage(int error) {
  return std::strerror(error);
}

}  // namespace

const char* serialSetupStepName(platform::SerialSetupStep step) {
  // The steps keep the names the program's warning has always shown.
  switch (step) {
    case platform::SerialSetupStep::kGetState:
      return "GetCommState()";
    case platform::SerialSetupStep::kBuildSettings:
      return "BuildCommDCB()";
    case platform::SerialSetupStep::kSetState:
      return "SetCommState()";
    case platform::SerialSetupStep::kNone:
      break;
  }
  return "";
}

int SerialSide::open(int portNumber, int baud, char parity, int dataBits, int stopBits) {
  close();
  lineLost_.clear();
  setupWarning_.clear();
  openError_.clear();
  openRefusal_.clear();
  portNumber_ = portNumber;
  devicePath_ = platform::comPortDevicePath(profilePath_, portNumber);
  if (devicePath_.empty()) {
    openError_ = "COM" + std::to_string(portNumber) + ": " + systemMessage(ENOENT);
    return 0;
  }
  const platform::SerialSettings settings{baud, parity, dataBits, stopBits};
  const platform::SerialOpenResult result = port_.open(devicePath_, settings);
  if (!result.opened) {
    openError_ = devicePath_ + ": " + systemMessage(result.error);
    if (result.rateRefused) {
      openRefusal_ =
          i18n::formatText(i18n::text(i18n::IDS_SERIAL_BAUD_REFUSED),
                           {static_cast<long long>(portNumber), static_cast<long long>(baud)});
    }
    return 0;
  }
  if (result.failedStep != platform::SerialSetupStep::kNone) {
    setupWarning_ =
        i18n::formatText(i18n::text(i18n::IDS_SERIAL_SETUP_WARNING),
                         {std::string(serialSetupStepName(result.failedStep)),
                          systemMessage(result.error), static_cast<long long>(portNumber)});
  }
  return 1;
}

void SerialSide::close() {
  port_.close();
}

platform::Status SerialSide::write(std::string_view bytes) {
  if (!port_.isOpen()) return platform::Status::failed(i18n::text(i18n::IDS_SERIAL_PORT_NOT_OPEN));
  int e = 0;
  if (port_.write(bytes, &e)) return platform::Status::success();
  if (e == EIO || e == ENXIO || e == ENODEV) lineLost_ = systemMessage(e);
  return platform::Status::failed(systemMessage(e));
}

platform::Result<std::string> SerialSide::readPending() {
  size_t queued = 0;
  if (!port_.inputQueueSize(&queued)) {
    return platform::Status::failed(i18n::text(i18n::IDS_SERIAL_QUEUE_ERROR));
  }
  std::string received;
  if (queued == 0) return received;
  int e = 0;
  if (!port_.read(std::min(queued, kMaxPendingRead), &received, &e)) {
    return platform::Status::failed(systemMessage(e));
  }
  return received;
}

}  // namespace signlink
