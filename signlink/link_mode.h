#pragma once

namespace signlink {

// What kind of lasting connection to a sign is up. One value for the whole program: the send
// pipeline skips opening a link while it is not kLinkNone, and the link object routes writes and
// reads by it.
enum LinkMode : int {
  kLinkNone = 0,   // No lasting connection (a directly wired serial port may still be open).
  kLinkModem = 1,  // A modem line is connected (set by the dial-up logic).
  kLinkTcp = 2,    // A TCP connection to a sign is open.
};

// The program-wide link state, owned with the sign link object.
struct LinkState {
  LinkMode mode = kLinkNone;    // The lasting connection, if any.
  bool modemListening = false;  // Set while a dial waits for modem replies; blocks a second dial.
};

}  // namespace signlink
