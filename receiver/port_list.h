#pragma once

#include <vector>

namespace receiver {

// The numbers the window's serial port list offers: the ports found (in ascending order), and the
// port the settings use even when its device is not there now, so that the list never shows
// another port than the one files are forwarded to.
std::vector<int> portListEntries(std::vector<int> found, int inUse);

}  // namespace receiver
