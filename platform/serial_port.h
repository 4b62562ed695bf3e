#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Line settings of a serial port, as the settings text "baud=%d parity=%c data=%d stop=%d" gives
// them. The signs and modems always run 8 data bits, no parity, 1 stop bit.
struct SerialSettings {
  int baud = 2400;    // Bits per second: a standard rate (isSupportedBaudRate) or, where the
                      // driver can make it exactly, any other.
  char parity = 'N';  // 'N' none, 'O' odd, 'E' even, 'M' mark, 'S' space (either case).
  int dataBits = 8;   // 5 to 8.
  int stopBits = 1;   // 1 or 2.
};

// The settings text "baud=%d parity=%c data=%d stop=%d" for `settings`.
std::string formatSerialSettings(const SerialSettings& settings);

// Parses a settings text of the form formatSerialSettings writes. Keys may come in any order and
// any may be missing (the value in *out is then kept); blanks separate the fields. Returns false,
// leaving *out unspecified, for an unknown key, a malformed number, or a value outside the ranges
// above (an unsupported baud rate included).
bool parseSerialSettings(std::string_view text, SerialSettings* out);

// True for the rates the line discipline can be set to (50 to 4000000 of the usual series).
bool isSupportedBaudRate(int baud);

// The step of the port set-up that failed. A port whose set-up fails stays open (the program then
// warns and goes on); only the device itself failing to open refuses the port.
enum class SerialSetupStep {
  kNone,           // Every step succeeded.
  kGetState,       // Reading the current line settings (tcgetattr).
  kBuildSettings,  // Turning the requested settings into line settings (rate, parity, sizes).
  kSetState,       // Writing the line settings and raising RTS.
};

// What opening a port found out.
struct SerialOpenResult {
  bool opened = false;  // The device is open (set-up may still have failed).
  SerialSetupStep failedStep = SerialSetupStep::kNone;  // First set-up step that failed.
  int error = 0;  // errno of the failure (open or set-up), 0 if none.
  // The rate has no speed constant and the driver could not be set to exactly that rate: the
  // device was closed again (opened is false) before anything was written.
  bool rateRefused = false;
};

// One serial device opened for exclusive use, in raw mode: every byte goes out and comes in as it
// stands (no newline or carriage-return translation, no XON/XOFF, no echo, no signals, no parity
// marking). The modem control lines are not used for flow control; CLOCAL is set so that opening,
// reading and writing never wait for carrier, and the carrier is read explicitly with carrier().
//
// All calls are synchronous and bounded by explicit time-outs; the object is used from one thread.
class SerialPort {
 public:
  // Reads have a total time-out of kReadTimeoutMs; a write may take kWriteMsPerByte per byte plus
  // kWriteConstantMs before it is given up.
  static constexpr int kReadTimeoutMs = 1000;
  static constexpr int kWriteMsPerByte = 1000;
  static constexpr int kWriteConstantMs = 1000;

  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens `devicePath` (closing whatever this object had open first):
  //  - without becoming its controlling terminal and without waiting for carrier;
  //  - exclusively: TIOCEXCL keeps other programs out, and an exclusive flock() keeps out other
  //    instances of ours even when they run as root (which TIOCEXCL does not stop). A port held by
  //    someone else fails with EBUSY;
  //  - a path that is not a terminal device fails with ENOTTY.
  // Then applies raw mode with `settings`, raises RTS and discards both queues. A failure after
  // the device opened is reported in failedStep/error, but the port stays open. A rate without a
  // speed constant is set exactly through termios2 (BOTHER); where the driver cannot do that the
  // port is closed again and rateRefused set.
  SerialOpenResult open(const std::string& devicePath, const SerialSettings& settings);

  // Releases the exclusive hold and closes the device. Harmless when nothing is open.
  void close();

  bool isOpen() const { return fd_ >= 0; }

  // Writes all of `bytes` and returns only once they have left the port (the output queue has
  // drained): a partial write is continued, never dropped. On a time-out or error the bytes not yet
  // sent are discarded from the output queue, so that they cannot delay or mix with a later write,
  // and the call returns false with *error (errno) set.
  bool write(std::string_view bytes, int* error = nullptr);

  // Number of received bytes waiting to be read.
  bool inputQueueSize(size_t* count, int* error = nullptr);

  // Reads exactly `count` bytes into *out, waiting at most kReadTimeoutMs in total. Fails (with
  // what was read so far in *out) when they do not all arrive in time.
  bool read(size_t count, std::string* out, int* error = nullptr);

  // The modem status lines (TIOCM_* bits). Fails with ENOTTY or EINVAL on devices that have none,
  // such as pseudo-terminals.
  bool modemLines(int* bits, int* error = nullptr) const;

  // True when the carrier-detect line is on. A device that cannot report its modem lines (a
  // pseudo-terminal: TIOCMGET fails with ENOTTY or EINVAL) is a direct line without carrier
  // signalling, so the carrier counts as present there. A closed port, or one whose device has gone
  // (any other failure, e.g. EIO after a USB adapter was pulled), has no carrier.
  bool carrier() const;

 private:
  int fd_ = -1;  // The open device, or -1.
};

}  // namespace platform
