#pragma once

namespace platform {

// Sets the line speed of the open terminal `fd` to exactly `baud` bits per second through the
// kernel's free-rate interface (termios2 with BOTHER), for rates that have no speed constant
// (14400, 28800, ...). The rest of the line settings are kept. True only when the driver reports
// back exactly that rate for both directions; *error (errno) is set otherwise.
bool setExactBaudRate(int fd, int baud, int* error);

}  // namespace platform
