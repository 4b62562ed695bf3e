#include "signlink/sign_stream.h"

#include <algorithm>

#include "bitmaps/image_planes.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "signlink/address_header.h"
#include "workspace/message_encoder.h"

namespace signlink {
namespace {

// Command bytes.
constexpr uint8_t kCmdScheduleTask = 0x02;
constexpr uint8_t kCmdAlarm = 0x04;
constexpr uint8_t kCmdHourlyAlarm = 0x05;
constexpr uint8_t kCmdPowerOn = 0x06;
constexpr uint8_t kCmdPowerOff = 0x07;
constexpr uint8_t kCmdSetTime = 0x08;
constexpr uint8_t kCmdImage = 0x09;
constexpr uint8_t kCmdTest = 0x0A;
constexpr uint8_t kCmdSignWidth = 0x10;

constexpr uint8_t kEndMark = 0xFF;
constexpr uint8_t kTerminator = 0x00;
constexpr uint8_t kTestParameter = 0x01;

// The clearing task and the all-files task run every day (clearing) or on no set day (all
// files) from 00:00 to 23:59.
constexpr uint8_t kEveryDayMask = 0x7F;
constexpr uint8_t kNoDayMask = 0x00;
constexpr char kWholeDayTimes[] = "00002359";
constexpr char kClearingFileNumber[] = "00";

// Images are sent as one part holding every image record.
constexpr int8_t kImagePartCount = 1;

void put(std::string* out, uint8_t b) {
  out->push_back(static_cast<char>(b));
}

void appendBlock(uint8_t type, const std::string& body, std::string* stream) {
  put(stream, type);
  put(stream, static_cast<uint8_t>(body.size() >> 8));
  put(stream, static_cast<uint8_t>(body.size() & 0xFF));
  stream->append(body);
}

platform::Status tooLarge(size_t bodySize) {
  return platform::Status::refused(
      i18n::formatText(i18n::text(i18n::IDS_STREAM_TOO_LARGE), {static_cast<long long>(bodySize)}));
}

std::string signWidthBody(const std::vector<uint8_t>& addresses, int signWidth) {
  std::string body;
  writeAddressHeader(addresses, kGroupCodeSettings, &body);
  put(&body, kCmdSignWidth);
  put(&body, static_cast<uint8_t>(signWidth));  // one byte on the wire
  put(&body, kEndMark);
  put(&body, kTerminator);
  return body;
}

std::string timeBody(const std::vector<uint8_t>& addresses, const platform::LocalTime& t,
                     uint8_t timeFormat) {
  std::string body;
  put(&body, timeOffsetFor(addresses));
  writeAddressHeader(addresses, kGroupCodeMessages, &body);
  put(&body, kCmdSetTime);
  put(&body, static_cast<uint8_t>(t.weekday));
  put(&body, timeFormat);
  for (const int v : {t.year % 100, t.month, t.day, t.hour, t.minute, t.second}) {
    appendTwoDigits(v, &body);
  }
  put(&body, kEndMark);
  put(&body, kTerminator);
  return body;
}

// Block 2's body: part count, part size, then the one part.
std::string imageBody(const WorkspaceStreamInput& in, const std::vector<uint8_t>& addresses,
                      std::vector<int>* missing) {
  std::string part;
  for (size_t slot = 0; slot < in.transferImages.size(); ++slot) {
    const int number = in.transferImages[slot];
    const bitmaps::CBitmapImage* image = in.catalog ? in.catalog->find(number) : nullptr;
    if (!image) {
      // Left out; the other images keep their slots.
      missing->push_back(number);
      continue;
    }
    if (part.empty()) writeAddressHeader(addresses, kGroupCodeMessages, &part);
    put(&part, kCmdImage);
    put(&part, static_cast<uint8_t>(slot));
    bitmaps::appendImagePlanes(*image, &part);
  }
  put(&part, kTerminator);
  std::string body;
  put(&body, static_cast<uint8_t>(kImagePartCount));
  put(&body, static_cast<uint8_t>(part.size() >> 8));
  put(&body, static_cast<uint8_t>(part.size() & 0xFF));
  return body + part;
}

void appendTaskRecord(char taskDigit, uint8_t dayMask, std::string_view times,
                      std::string_view fileNumbers, std::string* out) {
  put(out, kCmdScheduleTask);
  out->push_back(taskDigit);
  put(out, dayMask);
  out->append(times);
  out->append(fileNumbers);
  put(out, kEndMark);
}

// The number of messages of the workspace (the text records number them 1..N in order of
// appearance, up to the 99th).
int messageCount(const workspace::Workspace& ws) {
  int count = 0;
  int current = -1;
  for (const auto& line : ws.lines) {
    if (count == 0 || line.fileNumber != current) {
      ++count;
      current = line.fileNumber;
    }
  }
  return count;
}

// `sentMessages`: the messages the text records carry; the all-files task names only those.
void appendScheduleRecords(const workspace::Workspace& ws, int sentMessages, std::string* out) {
  bool anyTask = false;
  for (size_t n = 0; n < ws.scheduler.tasks.size(); ++n) {
    const auto& task = ws.scheduler.tasks[n];
    if (task.files.empty()) continue;
    anyTask = true;
    uint8_t mask = 0;
    for (size_t d = 0; d < task.days.size(); ++d) {
      if (task.days[d]) mask = static_cast<uint8_t>(mask | (1u << d));
    }
    std::string times, files;
    for (const int v : {task.startHour, task.startMinute, task.endHour, task.endMinute}) {
      appendTwoDigits(v, &times);
    }
    for (const int32_t f : task.files)
      appendTwoDigits(f + 1, &files);
    appendTaskRecord(static_cast<char>('0' + n), mask, times, files, out);
  }
  if (anyTask) return;
  // No task names a message: one task that shows every message all day.
  std::string files;
  for (int f = 1; f <= sentMessages; ++f)
    appendTwoDigits(f, &files);
  appendTaskRecord('0', kNoDayMask, kWholeDayTimes, files, out);
}

void appendAlarmRecords(const workspace::SchedulerSettings& s, std::string* out) {
  put(out, kCmdAlarm);
  put(out, static_cast<uint8_t>(s.alarmCount));
  put(out, static_cast<uint8_t>(s.alarmInterval));
  put(out, kEndMark);
  put(out, kCmdHourlyAlarm);
  put(out, s.hourlyAlarm != 0 ? 1 : 0);
  put(out, kEndMark);
  for (const auto& [cmd, hms] : {std::pair{kCmdPowerOn, s.powerOn}, {kCmdPowerOff, s.powerOff}}) {
    put(out, cmd);
    for (const uint8_t v : hms)
      appendTwoDigits(v, out);
    put(out, kEndMark);
  }
}

}  // namespace

void appendTwoDigits(int value, std::string* out) {
  value = std::clamp(value, 0, 255);
  out->push_back(static_cast<char>('0' + value / 10));
  out->push_back(static_cast<char>('0' + value % 10));
}

uint8_t timeOffsetFor(const std::vector<uint8_t>& addresses) {
  return static_cast<uint8_t>(addressHeaderLength(addresses) + 1);
}

platform::Result<SignStream> buildWorkspaceStream(const WorkspaceStreamInput& in,
                                                  const std::vector<uint8_t>& expandedAddresses) {
  SignStream result;
  const std::vector<uint8_t> addresses = headerAddresses(expandedAddresses);
  const workspace::Workspace& ws = *in.workspace;

  appendBlock(kBlockSignWidth, signWidthBody(addresses, in.signWidth), &result.stream);
  appendBlock(kBlockTime, timeBody(addresses, in.now, ws.scheduler.timeFormat), &result.stream);

  if (!in.transferImages.empty()) {
    const std::string body = imageBody(in, addresses, &result.missingImages);
    if (body.size() > kMaxBlockBody) return tooLarge(body.size());
    // The block length is not read back; it says the part size plus the count and size fields.
    appendBlock(kBlockImages, body, &result.stream);
  }

  std::string text;
  workspace::EncodeOptions options;
  options.addressHeader = [&addresses](std::string* out) {
    writeAddressHeader(addresses, kGroupCodeMessages, out);
  };
  options.transferImages = in.transferImages;
  const workspace::EncodeResult encoded = workspace::encodeWorkspace(ws, options, &text);
  for (const int n : encoded.missingImages) {
    if (std::find(result.missingImages.begin(), result.missingImages.end(), n) ==
        result.missingImages.end()) {
      result.missingImages.push_back(n);
    }
  }
  result.elementsLeftOut = encoded.elementsLeftOut;
  result.messagesLeftOut = static_cast<int>(encoded.messagesLeftOut);
  result.messagesSent = messageCount(ws) - result.messagesLeftOut;
  appendScheduleRecords(ws, result.messagesSent, &text);
  appendAlarmRecords(ws.scheduler, &text);
  put(&text, kTerminator);
  if (text.size() > kMaxBlockBody) return tooLarge(text.size());
  appendBlock(kBlockText, text, &result.stream);
  return result;
}

std::string buildTestStream(const std::vector<uint8_t>& expandedAddresses) {
  std::string body;
  writeAddressHeader(headerAddresses(expandedAddresses), kGroupCodeMessages, &body);
  put(&body, kCmdTest);
  put(&body, kTestParameter);
  put(&body, kEndMark);
  put(&body, kTerminator);
  std::string stream;
  appendBlock(kBlockTest, body, &stream);
  return stream;
}

std::string buildClearMemoryStream(const std::vector<uint8_t>& expandedAddresses) {
  std::string body;
  writeAddressHeader(headerAddresses(expandedAddresses), kGroupCodeSettings, &body);
  appendTaskRecord('0', kEveryDayMask, kWholeDayTimes, kClearingFileNumber, &body);
  put(&body, kTerminator);
  std::string stream;
  appendBlock(kBlockClearMemory, body, &stream);
  return stream;
}

}  // namespace signlink
