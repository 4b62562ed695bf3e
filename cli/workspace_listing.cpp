#include "cli/workspace_listing.h"

#include <sstream>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/cp1252.h"

namespace cli {
namespace {

using workspace::LineElement;
using workspace::MessageLine;

// Names of the fonts in the order of the font list.
constexpr const char* kFontNames[] = {
    "5*6 Short", "5*11 Short & Wide", "7*6 (Default)", "7*11 Wide",
    "7*9",       "7*17 Extra Wide",   "Small  Font"};

// The first string id of each control type's entries (index = type).
constexpr int kControlFirstString[] = {0,
                                       i18n::IDS_BEEP_FIRST,
                                       i18n::IDS_CARTOON_FIRST,
                                       i18n::IDS_PAUSE_FIRST,
                                       i18n::IDS_SPEED_FIRST,
                                       i18n::IDS_EFFECT_FIRST};

std::string text(int id) {
  return platform::cp1252ToUtf8(i18n::text(id));
}

std::string controlLabel(const workspace::AnchoredControl& c) {
  if (c.type < workspace::kControlBeep || c.type > workspace::kControlTransition) {
    return "[control " + std::to_string(c.type) + ":" + std::to_string(c.value) + "]";
  }
  std::string entry = text(kControlFirstString[c.type] + c.value - 1);
  if (const size_t nl = entry.find('\n'); nl != std::string::npos) entry = entry.substr(nl + 1);
  if (entry.empty()) entry = "value " + std::to_string(c.value);
  return "[" + entry + "]";
}

std::string itemText(const LineElement& e) {
  switch (e.kind) {
    case workspace::kKindCharacter:
      if (e.isNewline()) return "{newline}";
      if (e.code >= 0x20 && e.code <= 0xFF && e.code != '{' && e.code != '[') {
        return platform::cp1252ToUtf8(std::string(1, static_cast<char>(e.code)));
      }
      return "{char " + std::to_string(e.code) + "}";
    case workspace::kKindTime:
      return "{time}";
    case workspace::kKindDate:
      return "{date}";
    case workspace::kKindSymbol:
      return "{symbol " + std::to_string(e.code) + "}";
    case workspace::kKindPredefinedBitmap:
      return "{bitmap " + std::to_string(e.code) + "}";
    case workspace::kKindUserBitmap: {
      char buf[16];
      std::snprintf(buf, sizeof(buf), "%04d", static_cast<int>(e.code));
      return std::string("{image ") + buf + "}";
    }
    case workspace::kKindSpecialCharacter:
      return "{special " + std::to_string(e.code) + "}";
    default:
      return "{kind " + std::to_string(e.kind) + "}";
  }
}

std::string colourName(int colour) {
  return colour < 16 ? text(i18n::IDS_COLOUR_FIRST + colour) : std::to_string(colour);
}

std::string fontName(int font) {
  return font < 7 ? kFontNames[font] : std::to_string(font);
}

// One display line; `colour` and `font` carry the current values between lines of a message.
std::string lineText(const MessageLine& line, int* colour, int* font) {
  std::string out;
  size_t next = 0;
  for (int p = 0; p <= line.count(); ++p) {
    for (; next < line.controls.size() && line.controls[next].position <= p; ++next) {
      out += controlLabel(line.controls[next]);
    }
    if (p == line.count()) break;
    const LineElement& e = line.elements[static_cast<size_t>(p)];
    if (e.colour != *colour || e.font != *font) {
      out += "<" + colourName(e.colour) + ", " + fontName(e.font) + ">";
      *colour = e.colour;
      *font = e.font;
    }
    out += itemText(e);
  }
  for (; next < line.controls.size(); ++next)
    out += controlLabel(line.controls[next]);
  return out;
}

void listScheduler(const workspace::SchedulerSettings& s, std::ostringstream& out) {
  if (s == workspace::SchedulerSettings{}) {
    out << "Scheduler: not set\n";
    return;
  }
  out << "Scheduler: alarm " << s.alarmCount << " times every " << s.alarmInterval
      << " min, hourly alarm " << (s.hourlyAlarm ? "on" : "off") << ", power on "
      << int(s.powerOn[0]) << ":" << int(s.powerOn[1]) << ":" << int(s.powerOn[2]) << ", power off "
      << int(s.powerOff[0]) << ":" << int(s.powerOff[1]) << ":" << int(s.powerOff[2]) << ", "
      << (s.timeFormat == 1 ? "12-Hour" : "24-Hour") << "\n";
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (size_t i = 0; i < s.tasks.size(); ++i) {
    const auto& t = s.tasks[i];
    if (t == workspace::SchedulerTask{}) continue;
    out << "  Task " << i << ":";
    for (size_t d = 0; d < t.days.size(); ++d) {
      if (t.days[d]) out << " " << kDays[d];
    }
    out << " from " << int(t.startHour) << ":" << int(t.startMinute) << " to " << int(t.endHour)
        << ":" << int(t.endMinute) << ", messages";
    for (const int32_t f : t.files)
      out << " " << f + 1;
    out << "\n";
  }
}

}  // namespace

std::string workspaceListing(const workspace::Workspace& ws, int version) {
  std::ostringstream out;
  if (version > 0) {
    out << "Version: " << version / 10 << "." << version % 10 << "\n";
  } else {
    out << "Version: old format without header\n";
  }
  out << "Sign width: " << ws.signWidth << " pixels, "
      << (ws.colourMode == workspace::kSingleColourMode ? "Monochrome" : "Bi-Color") << "\n";
  out << "Image Transfer File: " << (ws.transferFilePath.empty() ? "(none)" : ws.transferFilePath)
      << "\n";

  int message = 0;
  int currentFile = -1;
  int colour = -1;
  int font = -1;
  for (const auto& line : ws.lines) {
    if (line.fileNumber != currentFile) {
      currentFile = line.fileNumber;
      ++message;
      colour = font = -1;
      char label[32];
      std::snprintf(label, sizeof(label), "Msg %02d", message);
      out << label << " (file " << currentFile << ")\n";
    }
    out << "  | " << lineText(line, &colour, &font) << "\n";
  }
  if (message == 0) out << "No messages\n";
  listScheduler(ws.scheduler, out);
  return out.str();
}

}  // namespace cli
