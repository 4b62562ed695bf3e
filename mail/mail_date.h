#pragma once

#include <string>

#include "platform/local_clock.h"

namespace mail {

// The value of a mail's Date header for the local time `t`: "%a, %d %b %Y %H:%M:%S " with English
// day and month names, then the zone as a sign, two digits of hours and two of minutes
// ("+0800", "-0500", "+0530"). The offset is the clock's, daylight saving included.
std::string formatMailDate(const platform::LocalTime& t);

}  // namespace mail
