#pragma once

#include <string>
#include <string_view>

#include "platform/serial_port.h"
#include "platform/status.h"

namespace signlink {

// The serial side of the link to a sign: one COM port, known by its number and mapped to a device
// through a profile file (platform/com_ports.h), opened with the line settings the signs and
// modems use and written frame by frame. varnel reaches it through SignLink; mailpump, which has
// no modem or TCP link, uses it directly with its own profile file.
//
// Texts (the set-up warning, read errors) are in the user's language through i18n::text.
class SerialSide {
 public:
  // `profilePath` is the program's profile, whose "Ports" section maps COM numbers to devices.
  explicit SerialSide(std::string profilePath) : profilePath_(std::move(profilePath)) {}
  SerialSide(const SerialSide&) = delete;
  SerialSide& operator=(const SerialSide&) = delete;

  // Opens COM `portNumber` with "baud=%d parity=%c data=%d stop=%d", closing whatever was open
  // first. Returns 1 when the device opened, 0 when it could not be opened (openError() then says
  // why; nothing is shown here, the caller reports). When a set-up step fails after the device
  // opened, the port is still open and 1 is returned, and setupWarning() holds the warning
  // "WARNING:  %s Failed with the following error: \n%s\nPort: %d\n" filled with the step's name,
  // the system's message and the port number; varnel shows it, mailpump only keeps it.
  int open(int portNumber, int baud, char parity = 'N', int dataBits = 8, int stopBits = 1);

  // The set-up warning of the last open, or empty when every step succeeded.
  const std::string& setupWarning() const { return setupWarning_; }
  // Why the last open failed ("<device>: <system message>"), or empty after a successful open.
  const std::string& openError() const { return openError_; }
  // The user's text when the last open refused the port because it cannot run at exactly the
  // rate asked for (nothing was written); empty otherwise.
  const std::string& openRefusal() const { return openRefusal_; }

  // Closes the port; always succeeds.
  void close();

  bool isOpen() const { return port_.isOpen(); }
  // The COM number of the last open (kept after close, as the port number of the link object is).
  int portNumber() const { return portNumber_; }
  // The device the last open used.
  const std::string& devicePath() const { return devicePath_; }

  // Writes one frame synchronously: every byte is written and has left the port when this returns
  // succeeds. Nothing queued is discarded beforehand: since each write drains before it returns,
  // an earlier frame has always gone out completely, and a purge could only cut frames short.
  // kFailed on a closed port, an error or a time-out; the unsent rest of this frame is then
  // discarded.
  platform::Status write(std::string_view bytes);
  // Set by a write that found the device gone (unplugged, the line hung up): the reason, in the
  // system's words; empty otherwise. Cleared by open().
  const std::string& lineLost() const { return lineLost_; }

  // Takes every byte waiting in the input queue (at most kMaxPendingRead bytes per call); empty
  // when nothing was waiting. When the queue cannot be asked (a closed port included) the result
  // is kFailed with "'ClearCommError' function error".
  platform::Result<std::string> readPending();

  // The carrier-detect line; true on a device without modem lines (see SerialPort::carrier).
  bool carrierDetect() const { return port_.carrier(); }

  static constexpr size_t kMaxPendingRead = 65536;

 private:
  const std::string profilePath_;  // Profile holding the COM port mapping.
  platform::SerialPort port_;      // The open device, if any.
  std::string lineLost_;           // See lineLost().
  int portNumber_ = 0;             // COM number of the last open.
  std::string devicePath_;         // Device of the last open.
  std::string setupWarning_;       // Warning of the last open's failed set-up step, or empty.
  std::string openError_;          // Reason the last open failed, or empty.
  std::string openRefusal_;        // The rate refusal of the last open, or empty.
};

// The name under which a failed set-up step is reported in the warning ("GetCommState()",
// "BuildCommDCB()", "SetCommState()"); empty for SerialSetupStep::kNone.
const char* serialSetupStepName(platform::SerialSetupStep step);

}  // namespace signlink
