#pragma once

namespace platform {

// A broken-down local time, as the sign's clock records and the log names need it.
struct LocalTime {
  int year = 2000;  // Full year, e.g. 2026.
  int month = 1;    // 1 to 12.
  int day = 1;      // 1 to 31.
  int hour = 0;     // 0 to 23.
  int minute = 0;   // 0 to 59.
  int second = 0;   // 0 to 59.
  int weekday = 0;  // 0 = Sunday to 6 = Saturday.
  int utcOffsetMinutes = 0;  // Local time minus UTC, daylight saving included.
};

// Source of the local time, injected wherever a record carries the time so tests can fix it.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalTime now() const = 0;
};

// The system clock in the process's time zone.
class SystemClock final : public LocalClock {
 public:
  LocalTime now() const override;
};

// A clock that always answers the time it was given.
class FixedClock final : public LocalClock {
 public:
  explicit FixedClock(const LocalTime& t) : time_(t) {}
  LocalTime now() const override { return time_; }
  void set(const LocalTime& t) { time_ = t; }

 private:
  LocalTime time_;
};

}  // namespace platform
