#pragma once

#include <string>
#include <string_view>

#include "platform/serial_port.h"
#include "signlink/transfer.h"

namespace receiver {

// The sign's serial port as a frame link: a COM number mapped to a device through the receiver's
// profile (platform/com_ports.h), opened exclusively in raw mode, written frame by frame with
// writes that return once the bytes have left the port. Closed when the object dies.
class SerialFrameLink final : public signlink::FrameLink {
 public:
  SerialFrameLink() = default;
  SerialFrameLink(const SerialFrameLink&) = delete;
  SerialFrameLink& operator=(const SerialFrameLink&) = delete;

  // Opens COM `portNumber` as mapped in the profile at `profilePath` with `settings`. True when
  // the device opened; a later set-up step that failed leaves the port open and is only noted in
  // setupFailed() (the sign may still read the line at its settings). False when the number has no
  // device or the device cannot be opened (errorNumber() then holds errno).
  bool open(const std::string& profilePath, int portNumber,
            const platform::SerialSettings& settings);

  bool isOpen() const { return port_.isOpen(); }
  bool setupFailed() const { return setupFailed_; }
  int errorNumber() const { return errorNumber_; }

  signlink::LinkKind kind() const override { return signlink::LinkKind::kSerial; }
  bool writeFrame(std::string_view frame) override;
  void close() override { port_.close(); }

 private:
  platform::SerialPort port_;
  bool setupFailed_ = false;  // A set-up step after the open failed.
  int errorNumber_ = 0;       // errno of the last failed open.
};

}  // namespace receiver
