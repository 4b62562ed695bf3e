#include "platform/profile_file.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include "platform/ascii_text.h"

namespace platform {
namespace {

struct Line {
  std::string_view text;  // Without its line ending.
  size_t begin = 0;       // Offset of the line in the file.
  size_t end = 0;         // Offset just past the line ending.
};

std::vector<Line> splitLines(std::string_view file) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < file.size()) {
    size_t nl = file.find('\n', pos);
    const size_t next = nl == std::string_view::npos ? file.size() : nl + 1;
    size_t textEnd = nl == std::string_view::npos ? file.size() : nl;
    if (textEnd > pos && file[textEnd - 1] == '\r') --textEnd;
    lines.push_back({file.substr(pos, textEnd - pos), pos, next});
    pos = next;
  }
  return lines;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = platform::trimSpaces(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return platform::trimSpaces(line.substr(1, close - 1));
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyValue{platform::trimSpaces(line.substr(0, eq)),
                  platform::trimSpaces(line.substr(eq + 1))};
}

// Where a section's lines are: the index of its header and one past its last line.
struct SectionSpan {
  size_t header = 0;
  size_t end = 0;
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = sectionName(lines[i].text);
    if (!name || !platform::equalsIgnoreCase(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !sectionName(lines[end].text))
      ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<Line>& lines, const SectionSpan& span,
                              std::string_view key) {
  for (size_t i = span.header + 1; i < span.end; ++i) {
    const auto kv = keyValue(lines[i].text);
    if (kv && platform::equalsIgnoreCase(kv->key, key)) return i;
  }
  return std::nullopt;
}

std::string readFileOrEmpty(const std::string& path) {
  Result<std::string> contents = readWholeFile(path);
  return contents.ok() ? std::move(contents).value() : std::string();
}

std::string_view lineEndingOf(std::string_view file) {
  return file.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const std::string file = readFileOrEmpty(path_);
  const auto lines = splitLines(file);
  const auto span = findSection(lines, section);
  std::string_view value = defaultValue;
  if (span) {
    if (const auto i = findKey(lines, *span, key)) value = unquote(keyValue(lines[*i].text)->value);
  }
  return std::string(value.substr(0, kMaxValueLength));
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
  const std::string file = readFileOrEmpty(path_);
  const auto lines = splitLines(file);
  const auto span = findSection(lines, section);
  if (!span) return defaultValue;
  const auto i = findKey(lines, *span, key);
  if (!i) return defaultValue;
  const std::string value(unquote(keyValue(lines[*i].text)->value));
  return static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
}

std::vector<std::string> ProfileFile::readKeys(std::string_view section) const {
  const std::string file = readFileOrEmpty(path_);
  const auto lines = splitLines(file);
  std::vector<std::string> keys;
  const auto span = findSection(lines, section);
  if (!span) return keys;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    const auto kv = keyValue(lines[i].text);
    if (!kv || kv->key.empty()) continue;
    const bool seen = std::any_of(keys.begin(), keys.end(), [&](const std::string& k) {
      return platform::equalsIgnoreCase(k, kv->key);
    });
    if (!seen) keys.emplace_back(kv->key);
  }
  return keys;
}

bool ProfileFile::hasSection(std::string_view section) const {
  const std::string file = readFileOrEmpty(path_);
  return findSection(splitLines(file), section).has_value();
}

Status ProfileFile::writeString(std::string_view section, std::string_view key,
                                std::string_view value) const {
  const std::string file = readFileOrEmpty(path_);
  const auto lines = splitLines(file);
  const std::string_view eol = file.empty() ? std::string_view("\n") : lineEndingOf(file);
  const std::string entry = std::string(key) + "=" + std::string(value);

  std::string out;
  const auto span = findSection(lines, section);
  if (!span) {
    out = file;
    if (!out.empty() && out.back() != '\n') out += eol;
    if (!out.empty()) out += eol;
    out += "[" + std::string(section) + "]" + std::string(eol) + entry + std::string(eol);
  } else if (const auto i = findKey(lines, *span, key)) {
    // Keep the key as spelled in the file; replace only the text of that line.
    const std::string keptKey(keyValue(lines[*i].text)->key);
    const size_t textEnd = lines[*i].begin + lines[*i].text.size();
    out =
        file.substr(0, lines[*i].begin) + keptKey + "=" + std::string(value) + file.substr(textEnd);
  } else {
    // After the section's last non-blank line.
    size_t last = span->header;
    for (size_t j = span->header + 1; j < span->end; ++j) {
      if (!platform::trimSpaces(lines[j].text).empty()) last = j;
    }
    const size_t at = lines[last].end;
    std::string head = file.substr(0, at);
    if (!head.empty() && head.back() != '\n') head += eol;
    out = head + entry + std::string(eol) + file.substr(at);
  }
  return writeFileAtomic(path_, out, mode_);
}

Status ProfileFile::writeInt(std::string_view section, std::string_view key, int value) const {
  return writeString(section, key, std::to_string(value));
}

Status ProfileFile::removeKey(std::string_view section, std::string_view key) const {
  const std::string file = readFileOrEmpty(path_);
  const auto lines = splitLines(file);
  const auto span = findSection(lines, section);
  if (!span) return Status::success();
  const auto i = findKey(lines, *span, key);
  if (!i) return Status::success();
  const std::string out = file.substr(0, lines[*i].begin) + file.substr(lines[*i].end);
  return writeFileAtomic(path_, out, mode_);
}

}  // namespace platform
