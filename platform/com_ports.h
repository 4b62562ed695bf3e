#pragma once

#include <string>
#include <vector>

namespace platform {

// Serial ports are known by number, as the signs' documentation and the address book name them
// ("COM5"). A program maps a number to a device through its profile file: section "Ports", key
// "COM<N>", for example
//
//   [Ports]
//   COM5=/dev/ttyUSB0
//
// and without such a key COM N is /dev/ttyS<N-1>. COM 0 (and any number below it) has no default
// device, only a mapped one. The profile is read afresh on every call, so an edited mapping is
// seen at once; varnel and mailpump pass their own profile files.
inline constexpr char kPortsSection[] = "Ports";

// The lowest and highest numbers the port list probes.
inline constexpr int kFirstProbedComPort = 0;
inline constexpr int kLastProbedComPort = 49;

// The device path of COM `portNumber` under the profile at `profilePath`; empty when the number
// has no device.
std::string comPortDevicePath(const std::string& profilePath, int portNumber);

// True when a serial device is there at `devicePath`: it can be opened for writing (it is closed
// again at once), or the open is refused because someone else holds the port (EBUSY, EACCES). A
// missing device (ENOENT, ENXIO, the EIO of a serial port without hardware) is absent. The probe
// neither becomes the device's controlling terminal nor waits for carrier.
bool probeSerialDevice(const std::string& devicePath);

// The numbers from kFirstProbedComPort to kLastProbedComPort whose device is present, ascending.
std::vector<int> listComPorts(const std::string& profilePath);

}  // namespace platform
