#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What a Z2500 sign keeps after it has taken records: its settings, its clock, its schedule, its
// user-defined images and its messages 01 to 99.
namespace virtualsign {

inline constexpr int kSignRows = 7;
inline constexpr int kTaskCount = 10;
inline constexpr int kImageSlots = 8;

// One item of a stored message, as the sign reads it.
enum class ItemKind : uint8_t {
  kCharacter,         // code: the character byte
  kTime,              // the sign's clock time
  kDate,              // the sign's date
  kSymbol,            // code: pre-defined symbol 0-29
  kPredefinedBitmap,  // code: pre-defined bitmap 0-7
  kUserBitmap,        // code: image slot 0-7
  kSpecialCharacter,  // code: special-character index 0-65
  kNewline,           // ends a line of the message
  kControl,           // code: control type (workspace::ControlType), value: 1-based choice
};

struct MessageItem {
  ItemKind kind = ItemKind::kCharacter;
  int code = 0;
  int value = 0;       // Controls only.
  uint8_t colour = 1;  // Colour index 0-15 in effect (not for controls).
  uint8_t font = 2;    // Font index 0-6 in effect (not for controls).

  friend bool operator==(const MessageItem&, const MessageItem&) = default;
};

using Message = std::vector<MessageItem>;

struct ScheduleTask {
  uint8_t dayMask = 0;  // Bit i: weekday i (0 = Sunday) runs the task.
  int startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
  std::vector<int> files;  // Message numbers, in the task's order.

  friend bool operator==(const ScheduleTask&, const ScheduleTask&) = default;
};

// The time the sign's clock was set to, and how far it stood from the host's clock then.
struct ClockSetting {
  int weekday = 0;  // 0 = Sunday.
  bool twelveHour = false;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;  // year: two digits
  long long offsetSeconds = 0;  // Sign time minus host time at reception.

  friend bool operator==(const ClockSetting&, const ClockSetting&) = default;
};

struct UserImage {
  int width = 0;
  std::vector<uint8_t> codes;  // width x 7 colour codes (0 off, 1-8), row-major.

  friend bool operator==(const UserImage&, const UserImage&) = default;
};

struct SignState {
  int address = 0;  // This sign's own address; 0 takes every record.
  int width = 80;   // Pixel width: the program's option until a width record sets it.
  bool multiColour = false;

  std::optional<ClockSetting> clock;
  std::array<std::optional<ScheduleTask>, kTaskCount> tasks{};
  int alarmCount = 0;
  int alarmInterval = 0;
  bool hourlyAlarm = false;
  std::array<int, 3> powerOn{};
  std::array<int, 3> powerOff{};
  std::array<std::optional<UserImage>, kImageSlots> images{};
  std::map<int, Message> messages;  // By message number 1-99.
  int testRuns = 0;                 // Test sequences started.
  int memoryClears = 0;             // Times the memory was cleared.

  // Forgets messages, schedule and images, as the clearing task asks; settings and clock stay.
  void clearMemory();

  friend bool operator==(const SignState&, const SignState&) = default;
};

}  // namespace virtualsign
