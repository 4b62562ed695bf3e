#pragma once

// Random valid workspaces for property tests: every element kind, every control type (also at the
// line end), non-contiguous file numbers, a full scheduler.

#include <algorithm>
#include <random>

#include "workspace/message_model.h"
#include "workspace/sign_tables.h"

namespace sdv_test {

inline int pick(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

inline workspace::LineElement randomElement(std::mt19937& rng) {
  using namespace workspace;
  LineElement e;
  e.kind = static_cast<uint8_t>(pick(rng, 0, kElementKindCount - 1));
  e.colour = static_cast<uint8_t>(pick(rng, 0, kColourCount - 1));
  e.font = static_cast<uint8_t>(pick(rng, 0, kFontCount - 1));
  switch (e.kind) {
    case kKindCharacter:
      e.code = static_cast<int16_t>(pick(rng, 0, 5) == 0 ? kNewlineCode : pick(rng, 32, 128));
      break;
    case kKindSymbol:
      e.code = static_cast<int16_t>(pick(rng, 0, kSymbolCount - 1));
      break;
    case kKindPredefinedBitmap:
      e.code = static_cast<int16_t>(pick(rng, 0, kPredefinedBitmapCount - 1));
      break;
    case kKindUserBitmap:
      e.code = static_cast<int16_t>(pick(rng, INT16_MIN, INT16_MAX));
      break;
    case kKindSpecialCharacter:
      e.code = static_cast<int16_t>(pick(rng, 0, kSpecialCharacterCount - 1));
      break;
    default:
      e.code = 0;
  }
  return e;
}

inline workspace::Workspace randomWorkspace(std::mt19937& rng, int maxLines = 30,
                                            int minLines = 0) {
  using namespace workspace;
  Workspace ws;
  ws.signWidth = pick(rng, 1, 1000);
  ws.colourMode = pick(rng, kSingleColourMode, kTriColourMode);
  for (int i = pick(rng, 0, 20); i > 0; --i)
    ws.transferFilePath.push_back(static_cast<char>(pick(rng, 1, 255)));
  int file = pick(rng, 1, 5);
  for (int i = pick(rng, minLines, maxLines); i > 0; --i) {
    if (pick(rng, 0, 2) == 0) file = std::min(kMaxMessages, file + pick(rng, 1, 10));
    MessageLine line;
    line.fileNumber = static_cast<int8_t>(file);
    const int count = pick(rng, 0, 3) == 0 ? kMaxElementsPerLine : pick(rng, 0, 20);
    for (int e = 0; e < count; ++e)
      line.elements.push_back(randomElement(rng));
    for (int c = pick(rng, 0, 6); c > 0; --c) {
      AnchoredControl control;
      control.position = static_cast<uint8_t>(pick(rng, 0, 1) ? count : pick(rng, 0, count));
      control.type = static_cast<int8_t>(pick(rng, kFirstControlType, kLastControlType));
      control.value = static_cast<uint8_t>(pick(rng, 1, controlInfo(control.type)->maxValue));
      line.controls.push_back(control);
    }
    std::stable_sort(line.controls.begin(), line.controls.end(),
                     [](const auto& a, const auto& b) { return a.position < b.position; });
    ws.lines.push_back(std::move(line));
  }
  SchedulerSettings& s = ws.scheduler;
  s.alarmCount = pick(rng, 0, 99);
  s.alarmInterval = pick(rng, 0, 60);
  s.hourlyAlarm = pick(rng, 0, 1);
  for (auto& b : s.powerOn)
    b = static_cast<uint8_t>(pick(rng, 0, 59));
  for (auto& b : s.powerOff)
    b = static_cast<uint8_t>(pick(rng, 0, 59));
  s.timeFormat = static_cast<uint8_t>(pick(rng, 0, 1));
  for (SchedulerTask& t : s.tasks) {
    for (auto& d : t.days)
      d = static_cast<uint8_t>(pick(rng, 0, 1));
    t.startHour = static_cast<uint8_t>(pick(rng, 0, 23));
    t.startMinute = static_cast<uint8_t>(pick(rng, 0, 59));
    t.endHour = static_cast<uint8_t>(pick(rng, 0, 23));
    t.endMinute = static_cast<uint8_t>(pick(rng, 0, 59));
    for (int f = pick(rng, 0, 8); f > 0; --f)
      t.files.push_back(pick(rng, 0, 98));
  }
  return ws;
}

}  // namespace sdv_test
