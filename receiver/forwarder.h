#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "receiver/receiver_log.h"
#include "receiver/receiver_status.h"
#include "signlink/stream_units.h"

namespace receiver {

// A decoded sign data file waiting to go to the sign.
struct ForwardItem {
  std::string fileName;  // As the mail named it; sign data file names carry their creation time.
  std::string bytes;     // The whole file: 24-byte header, then the stream.
};

// The sign's line: 2400 baud, no parity, 8 data bits, 1 stop bit.
inline constexpr int kForwardBaud = 2400;
// How long a forwarding failure stays readable in the status line before the next file.
inline constexpr int kForwardFailurePauseMs = 1000;
// The most a file's pauses after its units may add up to. A stream this system writes has at most
// four units and pauses of 12 s; a file whose pauses alone exceed this bound (ten times as much)
// would hold the sign and the receiver for no data, and is refused as invalid sign data.
inline constexpr long long kMaxForwardPauseMs = 120000;

// What forwarding needs from the program.
struct ForwardContext {
  ReceiverStatus& status;
  platform::MessagePump& pump;        // Every wait goes through it.
  const platform::LocalClock& clock;  // The time written into time records.
  std::string profilePath;            // Maps the COM number to a device.
  int comPort = 1;                    // The sign's port.
  // True once the program is ending: nothing more is written to the sign and the queue is left
  // (its files are in Save).
  std::function<bool()> stopRequested;
};

// Writes `t` into a time-setting unit ("8") at its time offset O: byte O the weekday (0 = Sunday),
// byte O+1 (the time format) left alone, then two ASCII digits each for year modulo 100, month,
// day, hour, minute and second. A unit of another kind, or one too short to hold the fields at its
// offset, is left unchanged (false).
bool stampForwardingTime(signlink::TransmissionUnit* unit, const platform::LocalTime& t);

// Sends one file to the sign: opens the port, checks that the file is sign data ("Z2500 series"
// header, a stream whose blocks all lie inside the file and whose pauses stay within
// kMaxForwardPauseMs), sends its units in 350-byte frames with the pauses the sign needs (units
// without bytes are passed over), the time record carrying the time of sending, and closes the
// port. The units are read out of the file as they are sent.
// Returns 1 with *resultText "Send file %s successfully!", or -1 with "Initalize serial
// com-port(COM%d) error when sending file %s!" or "File %s is invalid Z2500 data!" (shown, then a
// pause of kForwardFailurePauseMs). Nothing reaches the line from an invalid file.
int forwardOneFile(const ForwardItem& item, ForwardContext& context, std::string* resultText);

// Forwards the queue oldest first (smallest file name, compared byte by byte; equal names keep
// their queue order), writing each result to the send log. The queue is empty afterwards; failed
// files are not retried. A stop request ends forwarding after the frame being written.
void forwardQueue(std::vector<ForwardItem>* queue, ForwardContext& context, const ReceiverLog& log);

}  // namespace receiver
