#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "virtualsign/byte_cursor.h"
#include "virtualsign/sign_state.h"

// Cuts the bytes a sign receives into the pieces it acts on: address headers, terminators and
// command records (sign width, clock, schedule tasks, alarms, power times, test, images,
// messages). The parsers only read; what a record changes is the receiver's business.
namespace virtualsign {

enum CommandByte : uint8_t {
  kCommandMessage = 0x01,
  kCommandScheduleTask = 0x02,
  kCommandAlarm = 0x04,
  kCommandHourlyAlarm = 0x05,
  kCommandPowerOn = 0x06,
  kCommandPowerOff = 0x07,
  kCommandSetTime = 0x08,
  kCommandImage = 0x09,
  kCommandTest = 0x0A,
  kCommandSignWidth = 0x10,
};

struct AddressHeader {
  uint8_t groupCode = 0;
  std::vector<uint8_t> addresses;
};

struct MessageRecord {
  int number = 0;
  Message items;
};
struct TaskRecord {
  int task = 0;
  ScheduleTask schedule;
  bool clearing = false;  // The task that lists only file "00": clear the memory.
};
struct AlarmRecord {
  int count = 0, interval = 0;
};
struct HourlyAlarmRecord {
  bool on = false;
};
struct PowerRecord {
  bool on = false;  // Power on (0x06) or off (0x07).
  std::array<int, 3> time{};
};
struct ClockRecord {
  ClockSetting clock;
};
struct ImageRecord {
  int slot = 0;
  UserImage image;
  int unknownPixels = 0;  // Pixels whose planes give no colour code; they stay dark.
};
struct TestRecord {};
struct WidthRecord {
  int width = 0;
};

using Record = std::variant<MessageRecord, TaskRecord, AlarmRecord, HourlyAlarmRecord, PowerRecord,
                            ClockRecord, ImageRecord, TestRecord, WidthRecord>;

struct Piece {
  enum class Kind {
    kHeader,      // `header` holds it
    kTerminator,  // a 0x00 ending a group of records
    kRecord,      // `record` holds it
    kNeedMore,    // the data ends inside the piece; parse again when more has come
    kProblem,     // `problem` tells what is wrong
  };
  Kind kind = Kind::kNeedMore;
  size_t end = 0;  // Position after the piece in the data.
  AddressHeader header;
  Record record;
  Problem problem;
};

// Parses the piece that starts at data[pos]; `base` is the offset of data[0] in the reception
// (for the positions problems give), `signWidth` the width image records are read with. With
// `final` the data is all there will be, so a piece the data ends inside is a problem (a cut
// record), and a last 0x00 is a terminator.
Piece parsePiece(std::string_view data, size_t pos, size_t base, int signWidth, bool final);

// The message content after the command byte: two digits, items, 0xFF 0xFF.
MessageRecord parseMessage(ByteCursor& in);

// The first position from `from` on where an address header may start (0x00 0xFF 0xFF, or a
// part of it cut by the end of the data); data.size() when there is none.
size_t findHeaderStart(std::string_view data, size_t from);

}  // namespace virtualsign
