#pragma once

#include "platform/local_clock.h"

namespace testing_support {

// A local time for tests that fix the clock.
inline platform::LocalTime makeLocalTime(int year, int month, int day, int hour, int minute,
                                         int second, int weekday, int utcOffsetMinutes = 0) {
  platform::LocalTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.weekday = weekday;
  t.utcOffsetMinutes = utcOffsetMinutes;
  return t;
}

}  // namespace testing_support
