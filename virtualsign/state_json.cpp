#include "virtualsign/state_json.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "platform/cp1252.h"
#include "workspace/message_model.h"

namespace virtualsign {
namespace {

using nlohmann::json;

const char* controlName(int type) {
  switch (type) {
    case workspace::kControlBeep:
      return "beep";
    case workspace::kControlCartoon:
      return "cartoon";
    case workspace::kControlPause:
      return "pause";
    case workspace::kControlSpeed:
      return "speed";
    default:
      return "effect";
  }
}

const char* kindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kCharacter:
      return "character";
    case ItemKind::kTime:
      return "time";
    case ItemKind::kDate:
      return "date";
    case ItemKind::kSymbol:
      return "symbol";
    case ItemKind::kPredefinedBitmap:
      return "bitmap";
    case ItemKind::kUserBitmap:
      return "image";
    case ItemKind::kSpecialCharacter:
      return "special";
    case ItemKind::kNewline:
      return "newline";
    default:
      return "control";
  }
}

std::string clockText(int h, int m, int s = -1) {
  char text[32];
  if (s < 0) {
    std::snprintf(text, sizeof text, "%02d:%02d", h, m);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", h, m, s);
  }
  return text;
}

json itemJson(const MessageItem& item) {
  json j = {{"kind", kindName(item.kind)}};
  switch (item.kind) {
    case ItemKind::kControl:
      j["control"] = controlName(item.code);
      j["value"] = item.value;
      return j;
    case ItemKind::kCharacter:
      j["char"] = platform::cp1252ToUtf8(std::string(1, static_cast<char>(item.code)));
      break;
    case ItemKind::kSymbol:
    case ItemKind::kPredefinedBitmap:
    case ItemKind::kUserBitmap:
    case ItemKind::kSpecialCharacter:
      j["index"] = item.code;
      break;
    default:
      break;
  }
  j["colour"] = item.colour;
  j["font"] = item.font;
  return j;
}

json clockJson(const ClockSetting& c) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2000 + c.year, c.month, c.day);
  return {{"set", std::string(date) + " " + clockText(c.hour, c.minute, c.second)},
          {"weekday", c.weekday},
          {"twelveHour", c.twelveHour},
          {"offsetSeconds", c.offsetSeconds}};
}

json scheduleJson(const SignState& state) {
  json tasks = json::array();
  for (size_t n = 0; n < state.tasks.size(); ++n) {
    if (!state.tasks[n]) continue;
    const ScheduleTask& t = *state.tasks[n];
    json days = json::array();
    for (int d = 0; d < 7; ++d) {
      if (t.dayMask & (1 << d)) days.push_back(d);
    }
    tasks.push_back({{"task", n},
                     {"days", days},
                     {"start", clockText(t.startHour, t.startMinute)},
                     {"end", clockText(t.endHour, t.endMinute)},
                     {"files", t.files}});
  }
  return tasks;
}

json imagesJson(const SignState& state) {
  json images = json::array();
  for (size_t slot = 0; slot < state.images.size(); ++slot) {
    if (!state.images[slot]) continue;
    const UserImage& image = *state.images[slot];
    json rows = json::array();
    for (int y = 0; y < kSignRows; ++y) {
      std::string row;
      for (int x = 0; x < image.width; ++x) {
        row += static_cast<char>('0' + image.codes[static_cast<size_t>(y * image.width + x)]);
      }
      rows.push_back(row);
    }
    images.push_back({{"slot", slot}, {"width", image.width}, {"rows", rows}});
  }
  return images;
}

}  // namespace

std::string messageText(const Message& message) {
  std::string text;
  for (const MessageItem& item : message) {
    switch (item.kind) {
      case ItemKind::kCharacter:
        text += static_cast<char>(item.code);
        break;
      case ItemKind::kNewline:
        text += '\n';
        break;
      case ItemKind::kTime:
      case ItemKind::kDate:
        text += std::string("{") + kindName(item.kind) + "}";
        break;
      case ItemKind::kControl:
        text += std::string("{") + controlName(item.code) + " " + std::to_string(item.value) + "}";
        break;
      default:
        text += std::string("{") + kindName(item.kind) + " " + std::to_string(item.code) + "}";
    }
  }
  return text;
}

std::string stateJson(const SignState& state) {
  json messages = json::array();
  for (const auto& [number, message] : state.messages) {
    json items = json::array();
    for (const MessageItem& item : message)
      items.push_back(itemJson(item));
    messages.push_back({{"number", number},
                        {"text", platform::cp1252ToUtf8(messageText(message))},
                        {"items", items}});
  }
  const json j = {
      {"address", state.address},
      {"width", state.width},
      {"colourMode", state.multiColour ? "multi-colour" : "monochrome"},
      {"clock", state.clock ? clockJson(*state.clock) : json(nullptr)},
      {"schedule", scheduleJson(state)},
      {"alarm", {{"count", state.alarmCount}, {"interval", state.alarmInterval}}},
      {"hourlyAlarm", state.hourlyAlarm},
      {"powerOn", clockText(state.powerOn[0], state.powerOn[1], state.powerOn[2])},
      {"powerOff", clockText(state.powerOff[0], state.powerOff[1], state.powerOff[2])},
      {"images", imagesJson(state)},
      {"messages", messages},
      {"testRuns", state.testRuns},
      {"memoryClears", state.memoryClears},
  };
  return j.dump(2) + "\n";
}

}  // namespace virtualsign
