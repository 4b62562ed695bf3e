#include "platform/com_ports.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/profile_file.h"

namespace platform {

std::string comPortDevicePath(const std::string& profilePath, int portNumber) {
  const std::string key = "COM" + std::to_string(portNumber);
  std::string mapped = ProfileFile(profilePath).readString(kPortsSection, key);
  if (!mapped.empty()) return mapped;
  if (portNumber < 1) return {};
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

bool probeSerialDevice(const std::string& devicePath) {
  if (devicePath.empty()) return false;
  const int fd = ::open(devicePath.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  return errno == EBUSY || errno == EACCES;
}

std::vector<int> listComPorts(const std::string& profilePath) {
  std::vector<int> present;
  for (int n = kFirstProbedComPort; n <= kLastProbedComPort; ++n) {
    if (probeSerialDevice(comPortDevicePath(profilePath, n))) present.push_back(n);
  }
  return present;
}

}  // namespace platform
