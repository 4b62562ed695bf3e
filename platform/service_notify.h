#pragma once

#include <string>

namespace platform {

// Tells the service manager that started this program (systemd, through the datagram socket named
// in $NOTIFY_SOCKET) about the program's state: one or more "KEY=value" lines such as "READY=1"
// or "STOPPING=1". Does nothing when the program was not started that way. True when the message
// was sent.
bool notifyServiceManager(const std::string& state);

}  // namespace platform
