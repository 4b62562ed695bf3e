#include "cli/workspace_json.h"

#include <limits>

#include "platform/cp1252.h"
#include "workspace/sdv_format.h"

namespace cli {
namespace {

using nlohmann::json;
using workspace::AnchoredControl;
using workspace::LineElement;
using workspace::MessageLine;
using workspace::SchedulerSettings;
using workspace::SchedulerTask;
using workspace::Workspace;

constexpr int kFontCount = 7;
constexpr int kColourCount = 16;

// The highest value a control of each type takes (index = type); 0 for unknown types.
constexpr int kControlValueMax[] = {0, 3, 8, 8, 8, 25};

json bytesArray(const uint8_t* values, size_t n) {
  json a = json::array();
  for (size_t i = 0; i < n; ++i)
    a.push_back(values[i]);
  return a;
}

json taskToJson(const SchedulerTask& t) {
  return json{{"days", bytesArray(t.days.data(), t.days.size())},
              {"start", json::array({t.startHour, t.startMinute})},
              {"end", json::array({t.endHour, t.endMinute})},
              {"files", t.files}};
}

json schedulerToJson(const SchedulerSettings& s) {
  json tasks = json::array();
  for (const auto& t : s.tasks)
    tasks.push_back(taskToJson(t));
  return json{{"alarmCount", s.alarmCount},
              {"alarmInterval", s.alarmInterval},
              {"hourlyAlarm", s.hourlyAlarm},
              {"powerOn", bytesArray(s.powerOn.data(), s.powerOn.size())},
              {"powerOff", bytesArray(s.powerOff.data(), s.powerOff.size())},
              {"timeFormat", s.timeFormat},
              {"tasks", tasks}};
}

json lineToJson(const MessageLine& line) {
  json elements = json::array();
  for (const auto& e : line.elements) {
    elements.push_back(
        {{"kind", e.kind}, {"code", e.code}, {"colour", e.colour}, {"font", e.font}});
  }
  json controls = json::array();
  for (const auto& c : line.controls) {
    controls.push_back({{"position", c.position}, {"type", c.type}, {"value", c.value}});
  }
  return json{{"file", line.fileNumber}, {"elements", elements}, {"controls", controls}};
}

// Reads JSON values with range checks, remembering the first error and where it occurred.
class Reader {
 public:
  explicit Reader(std::string* error) : error_(error) {}

  bool failed() const { return failed_; }

  bool fail(const std::string& path, const std::string& what) {
    if (!failed_) *error_ = path + ": " + what;
    failed_ = true;
    return false;
  }

  // An integer member in [lo, hi]; a missing member keeps *out.
  template <typename T>
  bool integer(const json& obj, const char* key, const std::string& path, long long lo,
               long long hi, T* out) {
    if (!obj.contains(key)) return true;
    return integerValue(obj.at(key), path + "." + key, lo, hi, out);
  }

  template <typename T>
  bool integerValue(const json& v, const std::string& path, long long lo, long long hi, T* out) {
    if (!v.is_number_integer()) return fail(path, "must be an integer");
    const long long n =
        v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(hi)
            ? hi + 1
            : v.get<long long>();
    if (n < lo || n > hi) {
      return fail(path, "must be between " + std::to_string(lo) + " and " + std::to_string(hi));
    }
    *out = static_cast<T>(n);
    return true;
  }

  // A member that must be an array (or absent: returns nullptr without error).
  const json* array(const json& obj, const char* key, const std::string& path) {
    if (!obj.contains(key)) return nullptr;
    const json& v = obj.at(key);
    if (!v.is_array()) {
      fail(path + "." + key, "must be an array");
      return nullptr;
    }
    return &v;
  }

  // An array of exactly n small integers in [lo, hi].
  template <typename T>
  bool fixedArray(const json& obj, const char* key, const std::string& path, size_t n, long long lo,
                  long long hi, T* out) {
    const json* a = array(obj, key, path);
    if (!a) return !failed_;
    const std::string p = path + "." + key;
    if (a->size() != n) return fail(p, "must have " + std::to_string(n) + " entries");
    for (size_t i = 0; i < n; ++i) {
      if (!integerValue((*a)[i], p + "[" + std::to_string(i) + "]", lo, hi, &out[i])) return false;
    }
    return true;
  }

  bool object(const json& v, const std::string& path) {
    return v.is_object() || fail(path, "must be an object");
  }

 private:
  std::string* error_;
  bool failed_ = false;
};

bool readElement(Reader& r, const json& j, const std::string& path, LineElement* e) {
  if (!r.object(j, path)) return false;
  return r.integer(j, "kind", path, 0, workspace::kElementKindCount - 1, &e->kind) &&
         r.integer(j, "code", path, std::numeric_limits<int16_t>::min(),
                   std::numeric_limits<int16_t>::max(), &e->code) &&
         r.integer(j, "colour", path, 0, kColourCount - 1, &e->colour) &&
         r.integer(j, "font", path, 0, kFontCount - 1, &e->font);
}

bool readControl(Reader& r, const json& j, const std::string& path, int lineCount,
                 AnchoredControl* c) {
  if (!r.object(j, path)) return false;
  if (!j.contains("type") || !j.contains("value")) return r.fail(path, "needs a type and a value");
  if (!r.integer(j, "position", path, 0, lineCount, &c->position) ||
      !r.integer(j, "type", path, workspace::kControlBeep, workspace::kControlTransition,
                 &c->type)) {
    return false;
  }
  return r.integer(j, "value", path, 1, kControlValueMax[c->type], &c->value);
}

bool readLine(Reader& r, const json& j, const std::string& path, MessageLine* line) {
  if (!r.object(j, path)) return false;
  if (!r.integer(j, "file", path, 1, workspace::kMaxMessages, &line->fileNumber)) return false;
  if (const json* elements = r.array(j, "elements", path)) {
    if (elements->size() > static_cast<size_t>(workspace::kMaxElementsPerLine)) {
      return r.fail(path + ".elements", "a line holds at most 100 elements");
    }
    for (size_t i = 0; i < elements->size(); ++i) {
      LineElement e;
      if (!readElement(r, (*elements)[i], path + ".elements[" + std::to_string(i) + "]", &e)) {
        return false;
      }
      line->elements.push_back(e);
    }
  }
  if (r.failed()) return false;
  if (const json* controls = r.array(j, "controls", path)) {
    int lastPosition = 0;
    for (size_t i = 0; i < controls->size(); ++i) {
      const std::string p = path + ".controls[" + std::to_string(i) + "]";
      AnchoredControl c;
      if (!readControl(r, (*controls)[i], p, line->count(), &c)) return false;
      if (c.position < lastPosition) return r.fail(p, "controls must be in position order");
      lastPosition = c.position;
      line->controls.push_back(c);
    }
  }
  return !r.failed();
}

bool readTask(Reader& r, const json& j, const std::string& path, SchedulerTask* t) {
  if (!r.object(j, path)) return false;
  uint8_t start[2] = {t->startHour, t->startMinute};
  uint8_t end[2] = {t->endHour, t->endMinute};
  if (!r.fixedArray(j, "days", path, 7, 0, 1, t->days.data()) ||
      !r.fixedArray(j, "start", path, 2, 0, 255, start) ||
      !r.fixedArray(j, "end", path, 2, 0, 255, end)) {
    return false;
  }
  t->startHour = start[0];
  t->startMinute = start[1];
  t->endHour = end[0];
  t->endMinute = end[1];
  if (const json* files = r.array(j, "files", path)) {
    for (size_t i = 0; i < files->size(); ++i) {
      int32_t f = 0;
      if (!r.integerValue((*files)[i], path + ".files[" + std::to_string(i) + "]",
                          std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                          &f)) {
        return false;
      }
      t->files.push_back(f);
    }
  }
  return !r.failed();
}

bool readScheduler(Reader& r, const json& j, SchedulerSettings* s) {
  const std::string path = "scheduler";
  if (!r.object(j, path)) return false;
  constexpr long long kI32Min = std::numeric_limits<int32_t>::min();
  constexpr long long kI32Max = std::numeric_limits<int32_t>::max();
  if (!r.integer(j, "alarmCount", path, kI32Min, kI32Max, &s->alarmCount) ||
      !r.integer(j, "alarmInterval", path, kI32Min, kI32Max, &s->alarmInterval) ||
      !r.integer(j, "hourlyAlarm", path, kI32Min, kI32Max, &s->hourlyAlarm) ||
      !r.fixedArray(j, "powerOn", path, 3, 0, 255, s->powerOn.data()) ||
      !r.fixedArray(j, "powerOff", path, 3, 0, 255, s->powerOff.data()) ||
      !r.integer(j, "timeFormat", path, 0, 255, &s->timeFormat)) {
    return false;
  }
  if (const json* tasks = r.array(j, "tasks", path)) {
    if (tasks->size() > s->tasks.size()) return r.fail(path + ".tasks", "at most 10 tasks");
    for (size_t i = 0; i < tasks->size(); ++i) {
      if (!readTask(r, (*tasks)[i], path + ".tasks[" + std::to_string(i) + "]", &s->tasks[i])) {
        return false;
      }
    }
  }
  return !r.failed();
}

}  // namespace

json workspaceToJson(const Workspace& ws, int version) {
  json lines = json::array();
  for (const auto& line : ws.lines)
    lines.push_back(lineToJson(line));
  return json{{"version", version},
              {"width", ws.signWidth},
              {"colorMode", ws.colourMode},
              {"transferFile", ws.transferFilePath},
              {"lines", lines},
              {"scheduler", schedulerToJson(ws.scheduler)}};
}

namespace {

bool readWorkspace(const json& j, Workspace* ws, std::string* error) {
  *ws = Workspace{};
  Reader r(error);
  if (!r.object(j, "workspace")) return false;
  constexpr long long kI32Max = std::numeric_limits<int32_t>::max();
  if (!r.integer(j, "width", "workspace", 1, kI32Max, &ws->signWidth) ||
      !r.integer(j, "colorMode", "workspace", workspace::kSingleColourMode,
                 workspace::kTriColourMode, &ws->colourMode)) {
    return false;
  }
  if (j.contains("transferFile")) {
    const json& t = j.at("transferFile");
    if (!t.is_string()) return r.fail("workspace.transferFile", "must be a string");
    // The path is kept as it is (file-system bytes); the workspace file stores it in
    // Windows-1252, so a path that cannot be stored there is refused here.
    const platform::Result<std::string> stored = platform::utf8ToCp1252(t.get<std::string>());
    if (!stored.ok()) return r.fail("workspace.transferFile", stored.message());
    ws->transferFilePath = t.get<std::string>();
  }
  if (const json* lines = r.array(j, "lines", "workspace")) {
    for (size_t i = 0; i < lines->size(); ++i) {
      MessageLine line;
      if (!readLine(r, (*lines)[i], "lines[" + std::to_string(i) + "]", &line)) return false;
      ws->lines.push_back(std::move(line));
    }
  }
  if (r.failed()) return false;
  if (j.contains("scheduler") && !readScheduler(r, j.at("scheduler"), &ws->scheduler)) {
    return false;
  }
  return true;
}

}  // namespace

platform::Status workspaceFromJson(const json& j, Workspace* ws) {
  std::string error;
  if (!readWorkspace(j, ws, &error)) return platform::Status::refused(error);
  return platform::Status::success();
}

namespace {

// JSON values a line may hold (its elements and controls with their fields), and values the
// workspace may hold outside its lines: far above what a stored workspace needs, and small
// enough that one line's or the rest's parsed form stays a few megabytes.
constexpr size_t kMaxValuesPerLine = 200000;
constexpr size_t kMaxValuesOutsideLines = 10000;

// Depths of the parse: 2 a line, 3 its fields, 4 the items of its arrays, 6 what lies inside an
// item's fields.
constexpr int kLineDepth = 2;
constexpr int kLineFieldDepth = 3;
constexpr int kLineItemDepth = 4;
constexpr int kInsideItemFieldDepth = 6;

bool isValueEnd(json::parse_event_t event) {
  return event == json::parse_event_t::object_end || event == json::parse_event_t::array_end ||
         event == json::parse_event_t::value;
}

// Turns each line into a MessageLine as soon as it is parsed and drops its parsed form, so the
// memory a workspace JSON takes grows with its model, not with the parser's tree. The items of a
// line's arrays are taken out of the tree as they end, which also keeps the parser from scanning
// ever longer arrays.
class LineStream {
 public:
  bool operator()(int depth, json::parse_event_t event, json& parsed) {
    if (!error_.empty()) return false;  // after the first fault everything is dropped
    if (depth == 1 && event == json::parse_event_t::key) topKey_ = parsed.get<std::string>();
    if (depth < kLineDepth || topKey_ != "lines") {
      return ++outside_ <= kMaxValuesOutsideLines || fail("the workspace holds too much");
    }
    const std::string path = "lines[" + std::to_string(lines_.size()) + "]";
    if (depth == kLineDepth && isValueEnd(event)) return endLine(parsed, path);
    if (++lineValues_ > kMaxValuesPerLine) return fail(path + " holds too much");
    if (depth == kLineFieldDepth && event == json::parse_event_t::key) {
      lineKey_ = parsed.get<std::string>();
    }
    if (depth == kLineItemDepth && isValueEnd(event)) {
      if (lineKey_ == "elements") elements_.push_back(std::move(parsed));
      if (lineKey_ == "controls") controls_.push_back(std::move(parsed));
      return false;
    }
    // Nothing of a valid line lies this deep; what does is refused by its field's check.
    return !(depth >= kInsideItemFieldDepth && isValueEnd(event));
  }

  const std::string& error() const { return error_; }
  std::vector<MessageLine>& lines() { return lines_; }

 private:
  bool endLine(json& parsed, const std::string& path) {
    if (lines_.size() >= workspace::sdv::kMaxStoredLines) {
      return fail("more than " + std::to_string(workspace::sdv::kMaxStoredLines) + " lines");
    }
    restore(parsed, "elements", &elements_);
    restore(parsed, "controls", &controls_);
    Reader r(&error_);
    MessageLine line;
    if (readLine(r, parsed, path, &line)) lines_.push_back(std::move(line));
    lineValues_ = 0;
    return false;
  }

  static void restore(json& line, const char* key, std::vector<json>* items) {
    if (line.is_object() && line.contains(key) && line.at(key).is_array()) {
      line.at(key) = json::array_t(std::make_move_iterator(items->begin()),
                                   std::make_move_iterator(items->end()));
    }
    items->clear();
  }

  bool fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }

  std::string topKey_;
  std::string lineKey_;
  std::string error_;
  std::vector<MessageLine> lines_;
  std::vector<json> elements_;
  std::vector<json> controls_;
  size_t lineValues_ = 0;
  size_t outside_ = 0;
};

}  // namespace

platform::Status workspaceFromJsonText(std::string_view text, Workspace* ws) {
  LineStream stream;
  const json j = json::parse(
      text,
      [&stream](int depth, json::parse_event_t event, json& parsed) {
        return stream(depth, event, parsed);
      },
      /*allow_exceptions=*/false);
  if (!stream.error().empty()) return platform::Status::refused(stream.error());
  if (j.is_discarded()) return platform::Status::refused("not valid JSON");
  const platform::Status read = workspaceFromJson(j, ws);
  if (read.ok()) ws->lines = std::move(stream.lines());
  return read;
}

}  // namespace cli
