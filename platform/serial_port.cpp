#include "platform/serial_port.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdint>
#include <ctime>
#include "platform/ascii_text.h"
#include "platform/serial_exact_rate.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

struct BaudRate {
  int bitsPerSecond;
  speed_t speed;
};

// The rates termios can name. Others (the odd rates some Windows drivers accept) are refused.
constexpr BaudRate kBaudRates[] = {
    {50, B50},           {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},         {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},       {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600},     {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B921600
    {921600, B921600},
#endif
#ifdef B1000000
    {1000000, B1000000},
#endif
#ifdef B2000000
    {2000000, B2000000},
#endif
#ifdef B4000000
    {4000000, B4000000},
#endif
};

bool speedOf(int baud, speed_t* speed) {
  for (const BaudRate& rate : kBaudRates) {
    if (rate.bitsPerSecond == baud) {
      *speed = rate.speed;
      return true;
    }
  }
  return false;
}

uint64_t monotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

// Milliseconds left until `deadline`, clamped to what poll() takes; 0 once it has passed.
int msUntil(uint64_t deadline) {
  const uint64_t now = monotonicMs();
  if (now >= deadline) return 0;
  return static_cast<int>(std::min<uint64_t>(deadline - now, INT_MAX));
}

void setError(int* error, int value) {
  if (error != nullptr) *error = value;
}

bool parseInt(std::string_view text, int* out) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return ec == std::errc() && end == text.data() + text.size();
}

// A rate without a speed constant is first set to this one, then replaced by the exact rate.
constexpr speed_t kFreeRatePlaceholder = B38400;

// Fills *tio with raw mode and `settings`, keeping the control flags that are not about the
// character format (HUPCL in particular, so closing the port drops DTR and a modem hangs up).
// *freeRate is set when the rate has no speed constant and must be set with setExactBaudRate().
bool buildLineSettings(const SerialSettings& settings, termios* tio, bool* freeRate) {
  speed_t speed = 0;
  *freeRate = !speedOf(settings.baud, &speed);
  if (*freeRate) speed = kFreeRatePlaceholder;
  tcflag_t size = 0;
  switch (settings.dataBits) {
    case 5:
      size = CS5;
      break;
    case 6:
      size = CS6;
      break;
    case 7:
      size = CS7;
      break;
    case 8:
      size = CS8;
      break;
    default:
      return false;
  }
  if (settings.stopBits != 1 && settings.stopBits != 2) return false;
  tcflag_t parity = 0;
  switch (std::toupper(static_cast<unsigned char>(settings.parity))) {
    case 'N':
      break;
    case 'E':
      parity = PARENB;
      break;
    case 'O':
      parity = PARENB | PARODD;
      break;
#ifdef CMSPAR
    case 'M':
      parity = PARENB | PARODD | CMSPAR;
      break;
    case 'S':
      parity = PARENB | CMSPAR;
      break;
#endif
    default:
      return false;
  }

  tio->c_iflag = 0;  // No break or parity marking, no CR/NL mapping, no XON/XOFF, no stripping.
  tio->c_oflag = 0;  // No output processing.
  tio->c_lflag = 0;  // No canonical mode, echo or signal characters.
  tcflag_t cflag = tio->c_cflag;
  cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
  cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  cflag |= size | parity | CREAD | CLOCAL;
  if (settings.stopBits == 2) cflag |= CSTOPB;
  tio->c_cflag = cflag;
  tio->c_cc[VMIN] = 0;  // Reads return what is there; waits are this layer's own.
  tio->c_cc[VTIME] = 0;
  cfsetispeed(tio, speed);
  cfsetospeed(tio, speed);
  return true;
}

// tcsetattr() succeeds when any part of the request was taken, so the result is read back.
bool lineSettingsTaken(int fd, const termios& wanted) {
  termios now{};
  if (tcgetattr(fd, &now) != 0) return false;
  tcflag_t format = CSIZE | PARENB | PARODD | CSTOPB | CLOCAL | CREAD;
#ifdef CMSPAR
  format |= CMSPAR;
#endif
  return cfgetospeed(&now) == cfgetospeed(&wanted) &&
         (now.c_cflag & format) == (wanted.c_cflag & format) && now.c_iflag == wanted.c_iflag &&
         now.c_oflag == wanted.c_oflag && now.c_lflag == wanted.c_lflag;
}

}  // namespace

std::string formatSerialSettings(const SerialSettings& settings) {
  return "baud=" + std::to_string(settings.baud) + " parity=" + std::string(1, settings.parity) +
         " data=" + std::to_string(settings.dataBits) +
         " stop=" + std::to_string(settings.stopBits);
}

bool parseSerialSettings(std::string_view text, SerialSettings* out) {
  size_t pos = 0;
  while (pos < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[pos]))) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
      ++end;
    const std::string_view field = text.substr(pos, end - pos);
    pos = end;
    const size_t eq = field.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view key = field.substr(0, eq);
    const std::string_view value = field.substr(eq + 1);
    if (platform::equalsIgnoreCase(key, "parity")) {
      if (value.size() != 1) return false;
      const char p = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
      if (p != 'N' && p != 'E' && p != 'O' && p != 'M' && p != 'S') return false;
      out->parity = p;
      continue;
    }
    int number = 0;
    if (!parseInt(value, &number)) return false;
    if (platform::equalsIgnoreCase(key, "baud")) {
      if (!isSupportedBaudRate(number)) return false;
      out->baud = number;
    } else if (platform::equalsIgnoreCase(key, "data")) {
      if (number < 5 || number > 8) return false;
      out->dataBits = number;
    } else if (platform::equalsIgnoreCase(key, "stop")) {
      if (number != 1 && number != 2) return false;
      out->stopBits = number;
    } else {
      return false;
    }
  }
  return true;
}

bool isSupportedBaudRate(int baud) {
  speed_t unused = 0;
  return speedOf(baud, &unused);
}

SerialPort::~SerialPort() {
  close();
}

SerialOpenResult SerialPort::open(const std::string& devicePath, const SerialSettings& settings) {
  close();
  SerialOpenResult result;
  // O_NONBLOCK keeps open() from waiting for carrier on a modem port; every wait below is bounded
  // with poll() instead.
  const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  if (!isatty(fd)) {
    ::close(fd);
    result.error = ENOTTY;
    return result;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    result.error = (e == EWOULDBLOCK) ? EBUSY : e;
    return result;
  }
  ioctl(fd, TIOCEXCL);  // Other programs' opens now fail with EBUSY (root's excepted).
  fd_ = fd;
  result.opened = true;

  termios tio{};
  bool freeRate = false;
  if (tcgetattr(fd_, &tio) != 0) {
    result.failedStep = SerialSetupStep::kGetState;
    result.error = errno;
  } else if (!buildLineSettings(settings, &tio, &freeRate)) {
    result.failedStep = SerialSetupStep::kBuildSettings;
    result.error = EINVAL;
  } else if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
    result.failedStep = SerialSetupStep::kSetState;
    result.error = errno;
  } else if (!lineSettingsTaken(fd_, tio)) {
    result.failedStep = SerialSetupStep::kSetState;
    result.error = EINVAL;
  } else {
    int rts = TIOCM_RTS;
    if (ioctl(fd_, TIOCMBIS, &rts) != 0 && errno != ENOTTY && errno != EINVAL) {
      result.failedStep = SerialSetupStep::kSetState;
      result.error = errno;
    }
  }
  if (freeRate && result.failedStep == SerialSetupStep::kNone &&
      !setExactBaudRate(fd_, settings.baud, &result.error)) {
    // Frames at a rate the sign does not expect are garbage: the port is not used at all.
    close();
    result.opened = false;
    result.rateRefused = true;
    return result;
  }
  tcflush(fd_, TCIOFLUSH);  // Nothing from before this open is sent or read.
  return result;
}

void SerialPort::close() {
  if (fd_ < 0) return;
  ioctl(fd_, TIOCNXCL);  // The device outlives us (a pseudo-terminal does); let the next opener in.
  flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

bool SerialPort::write(std::string_view bytes, int* error) {
  if (fd_ < 0) {
    setError(error, EBADF);
    return false;
  }
  const uint64_t budget = std::min<uint64_t>(bytes.size(), UINT32_MAX) * kWriteMsPerByte +
                          static_cast<uint64_t>(kWriteConstantMs);
  const uint64_t deadline = monotonicMs() + budget;
  auto fail = [&](int e) {
    tcflush(fd_, TCOFLUSH);  // What could not be sent must not go out with the next write.
    setError(error, e);
    return false;
  };

  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return fail(errno);
    const int wait = msUntil(deadline);
    if (wait == 0) return fail(ETIMEDOUT);
    pollfd p{fd_, POLLOUT, 0};
    if (poll(&p, 1, wait) < 0 && errno != EINTR) return fail(errno);
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (p.revents & POLLOUT) == 0) {
      return fail(EIO);  // The line is gone (a pseudo-terminal's other end closed, say).
    }
  }

  // Everything is in the driver; wait until it has left the port. The driver's queue is watched
  // against the deadline first, then tcdrain() waits out the last characters in the UART.
  for (;;) {
    int queued = 0;
    if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
    const int wait = msUntil(deadline);
    if (wait == 0) return fail(ETIMEDOUT);
    pollfd none{-1, 0, 0};
    poll(&none, 1, std::min(wait, 10));
  }
  while (tcdrain(fd_) != 0) {
    if (errno != EINTR) return fail(errno);
  }
  return true;
}

bool SerialPort::inputQueueSize(size_t* count, int* error) {
  if (fd_ < 0) {
    setError(error, EBADF);
    return false;
  }
  int queued = 0;
  if (ioctl(fd_, FIONREAD, &queued) != 0) {
    setError(error, errno);
    return false;
  }
  *count = queued > 0 ? static_cast<size_t>(queued) : 0;
  return true;
}

bool SerialPort::read(size_t count, std::string* out, int* error) {
  out->clear();
  if (fd_ < 0) {
    setError(error, EBADF);
    return false;
  }
  const uint64_t deadline = monotonicMs() + static_cast<uint64_t>(kReadTimeoutMs);
  char buffer[4096];
  while (out->size() < count) {
    const size_t want = std::min(sizeof buffer, count - out->size());
    const ssize_t n = ::read(fd_, buffer, want);
    if (n > 0) {
      out->append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      setError(error, errno);
      return false;
    }
    const int wait = msUntil(deadline);
    if (wait == 0) {
      setError(error, ETIMEDOUT);
      return false;
    }
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, wait) < 0 && errno != EINTR) {
      setError(error, errno);
      return false;
    }
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {  // Hung up: no more will come.
      setError(error, EIO);
      return false;
    }
  }
  return true;
}

bool SerialPort::modemLines(int* bits, int* error) const {
  if (fd_ < 0) {
    setError(error, EBADF);
    return false;
  }
  if (ioctl(fd_, TIOCMGET, bits) != 0) {
    setError(error, errno);
    return false;
  }
  return true;
}

bool SerialPort::carrier() const {
  int bits = 0;
  int error = 0;
  if (modemLines(&bits, &error)) return (bits & TIOCM_CAR) != 0;
  // A pseudo-terminal has no modem lines; it is a direct line whose carrier is always there.
  return fd_ >= 0 && (error == ENOTTY || error == EINVAL);
}

}  // namespace platform
