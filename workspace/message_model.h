#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace workspace {

inline constexpr int kMaxElementsPerLine = 100;  // A display line holds at most this many items.
inline constexpr int kMaxMessages = 99;          // File numbers run from 1 to 99.
inline constexpr int kSchedulerTaskCount = 10;
inline constexpr int kDefaultSignWidth = 80;     // "MovingSignOption"
inline constexpr int kSingleColourMode = 1;      // "IsSingleColor" 1: "Monochrome" sign
inline constexpr int kTriColourMode = 2;         // "IsSingleColor" 2: "Bi-Color" (tri-colour) sign

// What an element's `code` holds depends on its kind.
enum ElementKind : uint8_t {
  kKindCharacter = 0,         // a typed character; kNewlineCode for the newline element
  kKindTime = 1,              // code 0
  kKindDate = 2,              // code 0
  kKindSymbol = 3,            // pre-defined symbol index 0-29
  kKindPredefinedBitmap = 4,  // pre-defined bitmap index 0-7
  kKindUserBitmap = 5,        // the user-defined image's index number
  kKindSpecialCharacter = 6,  // special-character index 0-65
};
inline constexpr int kElementKindCount = 7;
inline constexpr int16_t kNewlineCode = 19;  // 0x13: the element Enter makes; ends a line on the sign

// One displayed item of a line.
struct LineElement {
  int16_t code = 0;
  uint8_t colour = 1;  // Colour index 0-15.
  uint8_t font = 2;    // Font index 0-6.
  uint8_t kind = kKindCharacter;

  bool isNewline() const { return kind == kKindCharacter && code == kNewlineCode; }
  friend bool operator==(const LineElement&, const LineElement&) = default;
};

// Control types; each carries a 1-based value within the type.
enum ControlType : int8_t {
  kControlBeep = 1,        // 1-3
  kControlCartoon = 2,     // 1-8
  kControlPause = 3,       // 1-8
  kControlSpeed = 4,       // 1-8
  kControlTransition = 5,  // 1-25
};

// A control that stands between the elements of one line.
struct AnchoredControl {
  uint8_t position = 0;  // Index of the element it stands before; the line's count at the end.
  int8_t type = 0;       // ControlType.
  uint8_t value = 0;     // 1-based choice within the type.

  friend bool operator==(const AnchoredControl&, const AnchoredControl&) = default;
};

// A line's controls in ascending position order; controls sharing a position keep list order.
using LineControls = std::vector<AnchoredControl>;

// One display line: a layout unit of one message. Each line owns its control list, so lines and
// control lists can never get out of step.
struct MessageLine {
  std::vector<LineElement> elements;  // At most kMaxElementsPerLine.
  int8_t fileNumber = 1;              // The message (1-99) the line belongs to.
  LineControls controls;

  int count() const { return static_cast<int>(elements.size()); }
  friend bool operator==(const MessageLine&, const MessageLine&) = default;
};

// One of the ten scheduler tasks.
struct SchedulerTask {
  std::array<uint8_t, 7> days{};  // Run-date flags, Sunday first; 1 set, 0 clear.
  uint8_t startHour = 0;
  uint8_t startMinute = 0;
  uint8_t endHour = 0;
  uint8_t endMinute = 0;
  std::vector<int32_t> files;  // 0-based message positions in the workspace, in the task's order.

  friend bool operator==(const SchedulerTask&, const SchedulerTask&) = default;
};

// The scheduler and special-function settings stored with the workspace. All zero or empty at
// program start and after "New".
struct SchedulerSettings {
  int32_t alarmCount = 0;            // Number of times to alarm.
  int32_t alarmInterval = 0;         // Minutes between alarms.
  int32_t hourlyAlarm = 0;           // 1 on, 0 off.
  std::array<uint8_t, 3> powerOn{};  // Hour, minute, second.
  std::array<uint8_t, 3> powerOff{};
  uint8_t timeFormat = 0;  // 1 "12-Hour", 0 "24-Hour".
  std::array<SchedulerTask, kSchedulerTaskCount> tasks{};

  friend bool operator==(const SchedulerSettings&, const SchedulerSettings&) = default;
};

// Everything a workspace file holds.
struct Workspace {
  std::vector<MessageLine> lines;          // Display lines in display order.
  int32_t signWidth = kDefaultSignWidth;   // The sign's pixel width.
  int32_t colourMode = kSingleColourMode;  // kSingleColourMode or kTriColourMode.
  std::string transferFilePath;            // Current Image Transfer File; empty when none.
  SchedulerSettings scheduler;

  friend bool operator==(const Workspace&, const Workspace&) = default;
};

}  // namespace workspace
