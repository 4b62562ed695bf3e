#include "mail/mail_date.h"

#include <cstdio>
#include <cstdlib>

namespace mail {

namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kMinutesPerHour = 60;

}  // namespace

std::string formatMailDate(const platform::LocalTime& t) {
  const char* day = t.weekday >= 0 && t.weekday <= 6 ? kDayNames[t.weekday] : "Sun";
  const char* month = t.month >= 1 && t.month <= 12 ? kMonthNames[t.month - 1] : "Jan";
  // The sign comes from the whole offset, so that an offset under one hour west of UTC still
  // reads as negative.
  const int offset = t.utcOffsetMinutes;
  const char sign = offset < 0 ? '-' : '+';
  const int magnitude = std::abs(offset);
  char text[64];
  std::snprintf(text, sizeof(text), "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d", day, t.day, month,
                t.year, t.hour, t.minute, t.second, sign, magnitude / kMinutesPerHour,
                magnitude % kMinutesPerHour);
  return text;
}

}  // namespace mail
