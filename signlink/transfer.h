#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_pump.h"
#include "signlink/stream_units.h"

namespace signlink {

// The rhythm of the one-way link: frames of at most 350 bytes, paced by fixed pauses because the
// sign never answers.
inline constexpr size_t kFrameSize = 350;
inline constexpr int kFramePauseMs = 2000;      // after each frame on a modem or TCP/IP link
inline constexpr int kTextUnitPauseMs = 3000;   // after units "1" and "100"
inline constexpr int kImageUnitPauseMs = 5000;  // after units "2"
inline constexpr int kOtherUnitPauseMs = 1000;  // after every other unit

enum class LinkKind { kSerial, kModem, kTcp };

// Where frames go: the serial port, a dialled modem line or a TCP connection.
class FrameLink {
 public:
  virtual ~FrameLink() = default;
  virtual LinkKind kind() const = 0;
  // Writes one frame completely. False when it did not go out.
  virtual bool writeFrame(std::string_view frame) = 0;
  // Why the last failed write failed (the user's text); empty when the link does not say.
  virtual std::string lastWriteError() const { return {}; }
  // Closes the link (after a failed write on TCP/IP, or on a line that is gone).
  virtual void close() = 0;
  // True after a write found the line itself gone (a serial device unplugged): the transfer
  // stops, as a failed TCP/IP write does. A serial write that only timed out is not a loss.
  virtual bool lost() const { return false; }
};

// What the user sees of a transfer: the progress bar and the status line.
class TransferObserver {
 public:
  virtual ~TransferObserver() = default;
  virtual void setProgressRange(int maximum) = 0;
  virtual void setProgress(int position) = 0;
  virtual void setStatus(const std::string& text) = 0;
};

// What went out: the frames of the transfer and how many of them could not be written, with the
// link's text for the last failure.
struct TransferReport {
  size_t frames = 0;
  size_t framesFailed = 0;
  std::string lastError;
};

struct TransferOptions {
  // Called with each unit just before its first frame goes out; the receiver uses it to rewrite
  // the time record with the time of forwarding.
  std::function<void(TransmissionUnit&)> beforeUnit;
  // Filled with the frame counts when set.
  TransferReport* report = nullptr;
  // Asked before every frame and every pause; once it says yes nothing more is written and the
  // transfer fails at once (the program is ending).
  std::function<bool()> stopRequested;
};

// Sends the units frame by frame with the pauses the sign needs, every wait dispatching messages
// through `pump`. A unit without bytes is passed over without a pause. A failed write on a TCP/IP
// link closes it and fails the transfer at once; on a serial or modem link it is passed over (the
// sign may still take the rest). Returns success.
bool transfer(std::vector<TransmissionUnit> units, FrameLink& link, TransferObserver& observer,
              platform::MessagePump& pump, const TransferOptions& options = {});

// As transfer(), reading the units out of `stream` while they are sent, so that memory stays that
// of one unit. A damaged stream (see summarizeStream) is refused before anything is written.
bool transferStream(std::string_view stream, FrameLink& link, TransferObserver& observer,
                    platform::MessagePump& pump, const TransferOptions& options = {});

// The progress label of a unit: "text data", "User-Defined bitmap image data", "time setting
// data", "clear sign memory data", or empty for the other kinds.
std::string progressLabel(const std::string& unitLabel);

// The pause after a unit's last frame.
int unitPauseMs(const std::string& unitLabel);

}  // namespace signlink
