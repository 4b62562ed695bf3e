#include "tests/support/random_workspace.h"

#include <algorithm>

namespace testing_support {
namespace {

int pick(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// The highest value of each control type (index = type).
constexpr int kControlValueMax[] = {0, 3, 8, 8, 8, 25};

workspace::LineElement randomElement(std::mt19937& rng) {
  workspace::LineElement e;
  e.kind = static_cast<uint8_t>(pick(rng, 0, workspace::kElementKindCount - 1));
  e.colour = static_cast<uint8_t>(pick(rng, 0, 15));
  e.font = static_cast<uint8_t>(pick(rng, 0, 6));
  switch (e.kind) {
    case workspace::kKindCharacter:
      e.code = static_cast<int16_t>(pick(rng, 0, 9) == 0 ? workspace::kNewlineCode
                                                         : pick(rng, 0x20, 0x80));
      break;
    case workspace::kKindSymbol:
      e.code = static_cast<int16_t>(pick(rng, 0, 29));
      break;
    case workspace::kKindPredefinedBitmap:
      e.code = static_cast<int16_t>(pick(rng, 0, 7));
      break;
    case workspace::kKindUserBitmap:
      e.code = static_cast<int16_t>(pick(rng, 1, 9999));
      break;
    case workspace::kKindSpecialCharacter:
      e.code = static_cast<int16_t>(pick(rng, 0, 65));
      break;
    default:
      e.code = 0;
      break;
  }
  return e;
}

workspace::MessageLine randomLine(std::mt19937& rng, int fileNumber) {
  workspace::MessageLine line;
  line.fileNumber = static_cast<int8_t>(fileNumber);
  const int count = pick(rng, 0, 4) == 0 ? workspace::kMaxElementsPerLine : pick(rng, 0, 30);
  for (int i = 0; i < count; ++i)
    line.elements.push_back(randomElement(rng));
  std::vector<int> positions(static_cast<size_t>(pick(rng, 0, 6)));
  for (int& p : positions)
    p = pick(rng, 0, 3) == 0 ? count : pick(rng, 0, count);
  std::sort(positions.begin(), positions.end());
  for (const int p : positions) {
    workspace::AnchoredControl c;
    c.position = static_cast<uint8_t>(p);
    c.type = static_cast<int8_t>(pick(rng, 1, 5));
    c.value = static_cast<uint8_t>(pick(rng, 1, kControlValueMax[c.type]));
    line.controls.push_back(c);
  }
  return line;
}

}  // namespace

workspace::Workspace randomWorkspace(std::mt19937& rng, int maxMessages) {
  workspace::Workspace ws;
  ws.signWidth = pick(rng, 0, 1) ? 80 : pick(rng, 1, 4096);
  ws.colourMode = pick(rng, workspace::kSingleColourMode, workspace::kTriColourMode);
  if (pick(rng, 0, 1))
    ws.transferFilePath = "/home/op/images/set" + std::to_string(pick(rng, 0, 99)) + "\u00E9.LST";
  const int messages = pick(rng, 0, maxMessages);
  int file = 0;
  for (int m = 0; m < messages && file < workspace::kMaxMessages; ++m) {
    file = std::min(workspace::kMaxMessages, file + pick(rng, 1, 3));
    const int lines = pick(rng, 1, 4);
    for (int l = 0; l < lines; ++l)
      ws.lines.push_back(randomLine(rng, file));
  }
  auto& s = ws.scheduler;
  s.alarmCount = pick(rng, 0, 10);
  s.alarmInterval = pick(rng, 0, 120);
  s.hourlyAlarm = pick(rng, 0, 1);
  s.powerOn = {static_cast<uint8_t>(pick(rng, 0, 23)), static_cast<uint8_t>(pick(rng, 0, 59)),
               static_cast<uint8_t>(pick(rng, 0, 59))};
  s.powerOff = {static_cast<uint8_t>(pick(rng, 0, 23)), static_cast<uint8_t>(pick(rng, 0, 59)),
                static_cast<uint8_t>(pick(rng, 0, 59))};
  s.timeFormat = static_cast<uint8_t>(pick(rng, 0, 1));
  for (auto& t : s.tasks) {
    for (auto& d : t.days)
      d = static_cast<uint8_t>(pick(rng, 0, 1));
    t.startHour = static_cast<uint8_t>(pick(rng, 0, 23));
    t.startMinute = static_cast<uint8_t>(pick(rng, 0, 59));
    t.endHour = static_cast<uint8_t>(pick(rng, 0, 23));
    t.endMinute = static_cast<uint8_t>(pick(rng, 0, 59));
    const int files = pick(rng, 0, 5);
    for (int f = 0; f < files; ++f)
      t.files.push_back(pick(rng, 0, 98));
  }
  return ws;
}

}  // namespace testing_support
