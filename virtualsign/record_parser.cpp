#include "virtualsign/record_parser.h"

#include <array>

#include "bitmaps/image_planes.h"
#include "workspace/sign_tables.h"

namespace virtualsign {
namespace {

constexpr uint8_t kEndMark = 0xFF;
constexpr uint8_t kListMark = 0x0B;
constexpr size_t kMaxAddresses = 128;

bool endMark(ByteCursor& in) {
  return in.expect(kEndMark, "the end mark 0xFF");
}

// The colour code a pixel's four plane bits (P1 in bit 3 ... P4 in bit 0) stand for; -1 for a
// combination no colour code makes.
int colourCodeOfPlanes(int bits) {
  static constexpr std::array<int, 16> kCodes = {0, -1, 6, 2, -1, -1, -1, -1,
                                                 5, -1, 7, 8, 1,  -1, 4,  3};
  return kCodes[static_cast<size_t>(bits)];
}

AddressHeader parseHeader(ByteCursor& in) {
  AddressHeader header;
  in.take("an address header or a terminator");
  in.expect(0xFF, "the address header's mask 0xFF 0xFF");
  in.expect(0xFF, "the address header's mask 0xFF 0xFF");
  header.groupCode = static_cast<uint8_t>(in.byteIn("a group code 0 or 1", 0, 1));
  in.expect(kListMark, "the address list mark 0x0B");
  while (in.ok()) {
    const int b = in.take("a sign address or the list's end 0xFF");
    if (b == kEndMark || b < 0) break;
    if (header.addresses.size() == kMaxAddresses) {
      in.failLast("the list's end 0xFF after at most 128 addresses");
      break;
    }
    header.addresses.push_back(static_cast<uint8_t>(b));
  }
  return header;
}

TaskRecord parseTask(ByteCursor& in) {
  TaskRecord r;
  r.task = in.byteIn("a task digit \"0\" to \"9\"", '0', '9') - '0';
  r.schedule.dayMask = static_cast<uint8_t>(in.byteIn("a day mask 0x00 to 0x7F", 0, 0x7F));
  r.schedule.startHour = in.twoDigits("a start hour \"00\" to \"23\"", 0, 23);
  r.schedule.startMinute = in.twoDigits("a start minute \"00\" to \"59\"", 0, 59);
  r.schedule.endHour = in.twoDigits("an end hour \"00\" to \"23\"", 0, 23);
  r.schedule.endMinute = in.twoDigits("an end minute \"00\" to \"59\"", 0, 59);
  while (in.ok()) {
    if (in.peek() == kEndMark) {
      in.take("the end mark 0xFF");
      break;
    }
    const int file = in.twoDigits("a file number \"01\" to \"99\" or the end mark 0xFF", 0, 99);
    if (file == 0 && !(r.schedule.files.empty() && in.peek() == kEndMark)) {
      in.failLast("a file number \"01\" to \"99\" (\"00\" only alone, to clear the memory)");
    }
    if (in.ok()) r.schedule.files.push_back(file);
  }
  r.clearing = r.schedule.files == std::vector<int>{0};
  return r;
}

std::array<int, 3> parseTimeOfDay(ByteCursor& in) {
  std::array<int, 3> t{};
  t[0] = in.twoDigits("an hour \"00\" to \"23\"", 0, 23);
  t[1] = in.twoDigits("a minute \"00\" to \"59\"", 0, 59);
  t[2] = in.twoDigits("a second \"00\" to \"59\"", 0, 59);
  endMark(in);
  return t;
}

ClockRecord parseClock(ByteCursor& in) {
  ClockSetting c;
  c.weekday = in.byteIn("a weekday 0 (Sunday) to 6", 0, 6);
  c.twelveHour = in.byteIn("a time format 0 (24-hour) or 1 (12-hour)", 0, 1) == 1;
  c.year = in.twoDigits("a year \"00\" to \"99\"", 0, 99);
  c.month = in.twoDigits("a month \"01\" to \"12\"", 1, 12);
  c.day = in.twoDigits("a day \"01\" to \"31\"", 1, 31);
  c.hour = in.twoDigits("an hour \"00\" to \"23\"", 0, 23);
  c.minute = in.twoDigits("a minute \"00\" to \"59\"", 0, 59);
  c.second = in.twoDigits("a second \"00\" to \"59\"", 0, 59);
  endMark(in);
  return ClockRecord{c};
}

ImageRecord parseImage(ByteCursor& in, int width) {
  ImageRecord r;
  r.slot = in.byteIn("an image slot 0 to 7", 0, kImageSlots - 1);
  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  const size_t planeSize = bitmaps::imagePlaneSize(static_cast<size_t>(width));
  std::vector<uint8_t> planes;
  planes.reserve(planeSize * bitmaps::kImagePlaneCount);
  for (size_t i = 0; i < planeSize * bitmaps::kImagePlaneCount && in.ok(); ++i) {
    planes.push_back(static_cast<uint8_t>(in.take("the image's bit planes")));
  }
  if (!in.ok()) return r;
  r.image.width = width;
  r.image.codes.assign(static_cast<size_t>(width) * kSignRows, 0);
  for (int y = 0; y < kSignRows; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t byte = static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) / 8;
      const int bit = 7 - x % 8;
      int bits = 0;
      for (size_t p = 0; p < bitmaps::kImagePlaneCount; ++p) {
        bits = (bits << 1) | ((planes[p * planeSize + byte] >> bit) & 1);
      }
      const int code = colourCodeOfPlanes(bits);
      if (code < 0) ++r.unknownPixels;
      r.image.codes[static_cast<size_t>(y * width + x)] = static_cast<uint8_t>(code < 0 ? 0 : code);
    }
  }
  return r;
}

// The record after its command byte.
Record parseRecord(uint8_t command, ByteCursor& in, int signWidth) {
  switch (command) {
    case kCommandMessage:
      return parseMessage(in);
    case kCommandScheduleTask:
      return parseTask(in);
    case kCommandAlarm: {
      AlarmRecord r{in.take("a number of alarms"), in.take("an alarm interval in minutes")};
      endMark(in);
      return r;
    }
    case kCommandHourlyAlarm: {
      HourlyAlarmRecord r{in.byteIn("an hourly alarm flag 0 or 1", 0, 1) == 1};
      endMark(in);
      return r;
    }
    case kCommandPowerOn:
    case kCommandPowerOff:
      return PowerRecord{command == kCommandPowerOn, parseTimeOfDay(in)};
    case kCommandSetTime:
      return parseClock(in);
    case kCommandImage:
      return parseImage(in, signWidth);
    case kCommandTest:
      in.expect(0x01, "the test sequence's parameter 0x01");
      endMark(in);
      return TestRecord{};
    default: {  // kCommandSignWidth
      WidthRecord r{in.byteIn("a sign width of 1 to 255 pixels", 1, 255)};
      endMark(in);
      return r;
    }
  }
}

bool isCommand(int b) {
  switch (b) {
    case kCommandMessage:
    case kCommandScheduleTask:
    case kCommandAlarm:
    case kCommandHourlyAlarm:
    case kCommandPowerOn:
    case kCommandPowerOff:
    case kCommandSetTime:
    case kCommandImage:
    case kCommandTest:
    case kCommandSignWidth:
      return true;
    default:
      return false;
  }
}

}  // namespace

Piece parsePiece(std::string_view data, size_t pos, size_t base, int signWidth, bool final) {
  Piece piece;
  ByteCursor in(data, pos, base);
  const int first = in.peek();
  if (first == 0x00) {
    const bool headerFollows = pos + 1 < data.size() && static_cast<uint8_t>(data[pos + 1]) == 0xFF;
    const bool undecided = pos + 1 >= data.size() && !final;
    if (!headerFollows && !undecided) {
      piece.kind = Piece::Kind::kTerminator;
      piece.end = pos + 1;
      return piece;
    }
    piece.header = parseHeader(in);
    piece.kind = Piece::Kind::kHeader;
  } else {
    const int command = in.take("a command byte or an address header");
    if (!isCommand(command)) {
      in.failLast("a command byte (0x01, 0x02, 0x04-0x0A, 0x10) or an address header 0x00");
    } else {
      piece.record = parseRecord(static_cast<uint8_t>(command), in, signWidth);
    }
    piece.kind = Piece::Kind::kRecord;
  }
  if (!in.ok()) {
    piece.kind = in.cut() && !final ? Piece::Kind::kNeedMore : Piece::Kind::kProblem;
    piece.problem = in.problem();
  }
  piece.end = in.pos();
  return piece;
}

size_t findHeaderStart(std::string_view data, size_t from) {
  for (size_t i = from; i < data.size(); ++i) {
    if (data[i] != '\0') continue;
    const std::string_view rest = data.substr(i + 1, 2);
    if (std::string_view("\xFF\xFF").substr(0, rest.size()) == rest) return i;
  }
  return data.size();
}

}  // namespace virtualsign
