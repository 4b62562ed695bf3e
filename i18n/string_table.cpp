#include "i18n/string_table.h"

#include <algorithm>

namespace i18n {
namespace {

std::function<std::string(int)>& languageLookup() {
  static std::function<std::string(int)> lookup;
  return lookup;
}

}  // namespace

std::string builtinText(int id) {
  const auto& table = builtinStrings();
  const auto it = std::lower_bound(table.begin(), table.end(), id,
                                   [](const BuiltinString& s, int v) { return s.id < v; });
  if (it == table.end() || it->id != id) return {};
  return it->text;
}

std::string text(int id) {
  if (const auto& lookup = languageLookup()) {
    std::string translated = lookup(id);
    if (!translated.empty()) return translated;
  }
  return builtinText(id);
}

void setLanguageLookup(std::function<std::string(int)> lookup) {
  languageLookup() = std::move(lookup);
}

}  // namespace i18n
