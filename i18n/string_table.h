#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace i18n {

// One entry of the program's built-in (English) string table.
struct BuiltinString {
  int id;
  const char* text;  // Windows-1252 bytes.
};

// The whole built-in table in identifier order; the English language file is generated from it.
const std::vector<BuiltinString>& builtinStrings();

// The built-in English text of `id`, or an empty string when the table has none.
std::string builtinText(int id);

// The text of string-table identifier `id` in the current language, falling back to the built-in
// English text when the language has none. Every text shown to the user goes through here.
std::string text(int id);

// Installs the current language's lookup (the language module does this at start-up and after a
// language change). It returns the language's text for an identifier, or an empty string to fall
// back to the built-in text. An empty function restores plain English.
void setLanguageLookup(std::function<std::string(int)> lookup);

}  // namespace i18n
