#pragma once

#include <cstdint>
#include <string>

#include <netinet/in.h>

namespace testing_support {

// The IPv4 socket address `address`:`port` (a dotted address such as "127.0.0.1").
sockaddr_in ipv4Address(const std::string& address, uint16_t port);

// A TCP socket listening on `address` (default 127.0.0.1) at *port, or at a port the system
// chooses when *port is 0; *port is then set to it. `socketFlags` are added to the socket's type
// (SOCK_CLOEXEC always is). Returns the descriptor, or -1 with errno set when it cannot listen.
int listenOnLoopback(uint16_t* port, int backlog, int socketFlags = 0,
                     const std::string& address = "127.0.0.1");

}  // namespace testing_support
