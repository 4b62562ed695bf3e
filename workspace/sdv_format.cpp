#include "workspace/sdv_format.h"
#include "platform/cp1252.h"

#include <cctype>

namespace workspace::sdv {
namespace {

constexpr int kDecimalBase = 10;

// The leading decimal digits of bytes[from, end) as a number; 0 when there are none.
int leadingNumber(std::string_view bytes, size_t from, size_t end) {
  int value = 0;
  for (size_t i = from; i < end && i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!std::isdigit(c)) break;
    value = value * kDecimalBase + (c - '0');
  }
  return value;
}

}  // namespace

Header parseHeader(std::string_view bytes) {
  Header h;
  h.present = bytes.substr(0, kMagic.size()) == kMagic;
  if (!h.present) return h;
  h.complete = bytes.size() >= kHeaderSize;
  const int major = leadingNumber(bytes, kMajorOffset, kHeaderSize);
  const int minor = leadingNumber(bytes, kMinorOffset, kHeaderSize);
  h.version = major * kVersionMinorsPerMajor + minor;
  return h;
}

bool isValidLineHeader(int32_t count, int8_t fileNumber) {
  return count >= 0 && count <= kMaxElementsPerLine && fileNumber >= 1 &&
         fileNumber <= kMaxMessages;
}

std::string legacyPathText(std::string_view field) {
  return pathFromField(field.substr(0, field.find('\0')));
}

std::string pathFromField(std::string_view stored) {
  return platform::cp1252ToUtf8(stored);
}

std::string pathToField(std::string_view path) {
  return platform::utf8ToCp1252Lossy(path);
}

void attachControl(size_t lineIndex, const AnchoredControl& control, Workspace* ws) {
  if (lineIndex >= ws->lines.size()) return;
  MessageLine& line = ws->lines[lineIndex];
  if (control.position > line.count()) return;
  line.controls.push_back(control);
}

bool readControlRecords(platform::ByteReader& r, size_t count, size_t recordSize, Workspace* ws) {
  for (size_t i = 0; i < count; ++i) {
    size_t lineIndex = 0;
    AnchoredControl c;
    if (recordSize == kControlRecordSize) {
      uint16_t line = 0, position = 0;
      if (!r.readU16(&line) || !r.readU16(&position)) return false;
      lineIndex = line;
      // Positions never exceed 100, and only the low byte was ever meaningful.
      c.position = static_cast<uint8_t>(position & 0xFF);
    } else {
      uint8_t line = 0;
      if (!r.readU8(&line) || !r.readU8(&c.position)) return false;
      lineIndex = line;
    }
    if (!r.readI8(&c.type) || !r.readU8(&c.value)) return false;
    attachControl(lineIndex, c, ws);
  }
  return true;
}

bool isBackedCount(int32_t count, size_t minRecordSize, const platform::ByteReader& r) {
  return count >= 0 && static_cast<size_t>(count) <= r.remaining() / minRecordSize;
}

bool readSchedulerBlock(platform::ByteReader& r, SchedulerSettings* s) {
  if (!r.readI32(&s->alarmCount) || !r.readI32(&s->alarmInterval) || !r.readI32(&s->hourlyAlarm)) {
    return false;
  }
  for (uint8_t& b : s->powerOn) {
    if (!r.readU8(&b)) return false;
  }
  for (uint8_t& b : s->powerOff) {
    if (!r.readU8(&b)) return false;
  }
  if (!r.readU8(&s->timeFormat)) return false;
  for (SchedulerTask& task : s->tasks) {
    for (uint8_t& day : task.days) {
      if (!r.readU8(&day)) return false;
    }
    int32_t fileCount = 0;
    if (!r.readU8(&task.startHour) || !r.readU8(&task.startMinute) || !r.readU8(&task.endHour) ||
        !r.readU8(&task.endMinute) || !r.readI32(&fileCount) ||
        !isBackedCount(fileCount, kTaskFileIndexSize, r)) {
      return false;
    }
    task.files.resize(static_cast<size_t>(fileCount));
    for (int32_t& file : task.files) {
      if (!r.readI32(&file)) return false;
    }
  }
  return true;
}

void writeSchedulerBlock(const SchedulerSettings& s, std::string* out) {
  platform::ByteWriter w(out);
  w.i32(s.alarmCount);
  w.i32(s.alarmInterval);
  w.i32(s.hourlyAlarm);
  for (uint8_t b : s.powerOn)
    w.u8(b);
  for (uint8_t b : s.powerOff)
    w.u8(b);
  w.u8(s.timeFormat);
  for (const SchedulerTask& task : s.tasks) {
    for (uint8_t day : task.days)
      w.u8(day);
    w.u8(task.startHour);
    w.u8(task.startMinute);
    w.u8(task.endHour);
    w.u8(task.endMinute);
    w.i32(static_cast<int32_t>(task.files.size()));
    for (int32_t file : task.files)
      w.i32(file);
  }
}

}  // namespace workspace::sdv
