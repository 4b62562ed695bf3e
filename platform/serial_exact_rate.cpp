// Kept apart from serial_port.cpp: the kernel's termios2 definitions clash with the C library's
// <termios.h>.

#include "platform/serial_exact_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace platform {

bool setExactBaudRate(int fd, int baud, int* error) {
  if (baud <= 0) {
    *error = EINVAL;
    return false;
  }
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) != 0) {
    *error = errno;
    return false;
  }
  tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  tio.c_ospeed = static_cast<speed_t>(baud);
  tio.c_ispeed = static_cast<speed_t>(baud);
  if (ioctl(fd, TCSETS2, &tio) != 0) {
    *error = errno;
    return false;
  }
  // The driver may round to the nearest divisor it can make; only the exact rate is accepted.
  struct termios2 now {};
  if (ioctl(fd, TCGETS2, &now) != 0) {
    *error = errno;
    return false;
  }
  if (now.c_ospeed != static_cast<speed_t>(baud) || now.c_ispeed != static_cast<speed_t>(baud)) {
    *error = EINVAL;
    return false;
  }
  return true;
}

}  // namespace platform
