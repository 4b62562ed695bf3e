#include "i18n/language_file.h"

#include <algorithm>
#include <cctype>

#include "i18n/dialog_texts.h"
#include "i18n/menu_texts.h"
#include "i18n/string_table.h"
#include "platform/ascii_text.h"
#include "platform/atomic_file.h"

namespace i18n {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isQuote(char c) {
  return c == '"' || c == '\'';
}

std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

void replaceAll(std::string* s, std::string_view from, char to) {
  size_t pos = 0;
  while ((pos = s->find(from, pos)) != std::string::npos) {
    s->replace(pos, from.size(), 1, to);
    ++pos;
  }
}

void appendLine(std::string* out, std::string_view line) {
  out->append(line);
  out->append(kLineEnd);
}

void appendEntry(std::string* out, const std::string& key, std::string_view text) {
  out->append(key);
  out->push_back('=');
  appendLine(out, escapeLanguageText(text));
}

}  // namespace

std::string dialogTitleKey(int dialogNumber) {
  return "IDD" + std::to_string(dialogNumber) + "_Title";
}
std::string dialogControlKey(int dialogNumber, int controlId) {
  return "IDD" + std::to_string(dialogNumber) + "_" + std::to_string(controlId);
}
std::string menuKey(int number) {
  return "IDS_MENU_" + std::to_string(number);
}
std::string stringTableKey(int id) {
  return "IDS_STRINGTABLE_" + std::to_string(id);
}

std::string unescapeLanguageText(std::string_view value) {
  std::string text(value);
  replaceAll(&text, "\\n", '\n');
  replaceAll(&text, "\\r", '\r');
  replaceAll(&text, "\\t", '\t');
  return text;
}

std::string escapeLanguageText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out.push_back(c);
    }
  }
  // A reader trims blanks and strips one pair of surrounding quotes; quoting keeps both.
  const bool needsQuotes =
      !out.empty() && (platform::trimSpaces(out).size() != out.size() ||
                       (out.size() >= 2 && isQuote(out.front()) && out.back() == out.front()));
  if (needsQuotes) out = "\"" + out + "\"";
  return out;
}

LanguageFile LanguageFile::load(const std::string& path) {
  const platform::Result<std::string> contents = platform::readWholeFile(path, kMaxFileBytes);
  if (!contents.ok()) return {};
  return parse(*contents);
}

LanguageFile LanguageFile::parse(std::string_view contents) {
  LanguageFile file;
  Section* current = nullptr;  // nullptr before the first section and inside repeated ones
  size_t pos = 0;
  while (pos < contents.size()) {
    size_t end = contents.find('\n', pos);
    if (end == std::string_view::npos) end = contents.size();
    const std::string_view line = platform::trimSpaces(contents.substr(pos, end - pos));
    pos = end + 1;

    if (line.size() >= 2 && line.front() == '[') {
      const size_t close = line.find(']');
      if (close != std::string_view::npos) {
        const auto [it, isNew] =
            file.sections_.try_emplace(lower(platform::trimSpaces(line.substr(1, close - 1))));
        current = isNew ? &it->second : nullptr;
        continue;
      }
    }
    const size_t eq = line.find('=');
    if (current == nullptr || eq == std::string_view::npos) continue;
    const std::string_view value = unquote(platform::trimSpaces(line.substr(eq + 1)));
    current->try_emplace(lower(platform::trimSpaces(line.substr(0, eq))),
                         std::string(value.substr(0, kMaxValueLength)));
  }
  return file;
}

std::string LanguageFile::value(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(lower(section));
  if (s == sections_.end()) return {};
  const auto k = s->second.find(lower(key));
  return k == s->second.end() ? std::string() : k->second;
}

std::string builtinLanguageSettingFile() {
  std::string out;
  appendLine(&out, "[Setting]");
  appendLine(&out, "Language=English");
  return out;
}

std::string builtinEnglishLanguageFile() {
  std::string out;
  appendLine(&out, "Note:");
  appendLine(&out, "Please do not edit these characters as follows:");
  appendLine(&out, "\\n,\\r,\\t,\\r,%d,%s");
  appendLine(&out, "");
  appendLine(&out, "");

  appendLine(&out, "[Setting]");
  appendEntry(&out, kLanguageNameKey, kEnglishLanguageName);

  appendLine(&out, "");
  appendLine(&out, "[Dialog String]");
  for (const auto& dialog : dialogTemplates()) {
    appendEntry(&out, dialogTitleKey(dialog.number), dialog.caption);
    for (const auto& control : dialog.controls) {
      if (isTranslatableControl(control)) {
        appendEntry(&out, dialogControlKey(dialog.number, control.id), control.text);
      }
    }
  }

  appendLine(&out, "");
  appendLine(&out, "[Menu String]");
  for (const MenuTemplate* menu : {&mainMenuTemplate(), &bitmapEditorMenuTemplate()}) {
    for (const auto& key : menuKeys(*menu))
      appendEntry(&out, menuKey(key.number), key.item->text);
  }

  appendLine(&out, "");
  appendLine(&out, "[String Table]");
  for (const auto& entry : builtinStrings()) {
    appendEntry(&out, stringTableKey(entry.id), entry.text);
  }
  return out;
}

}  // namespace i18n
