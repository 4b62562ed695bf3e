#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace i18n {

// Section and key names of the language files.
inline constexpr char kLanguageSettingSection[] = "Setting";
inline constexpr char kLanguageNameKey[] = "Language";
inline constexpr char kDialogStringSection[] = "Dialog String";
inline constexpr char kMenuStringSection[] = "Menu String";
inline constexpr char kStringTableSection[] = "String Table";
inline constexpr char kEnglishLanguageName[] = "English";

// Key names: "IDD<dialog>_Title", "IDD<dialog>_<control>", "IDS_MENU_<n>", "IDS_STRINGTABLE_<id>".
std::string dialogTitleKey(int dialogNumber);
std::string dialogControlKey(int dialogNumber, int controlId);
std::string menuKey(int number);
std::string stringTableKey(int id);

// Replaces the two-character sequences "\n", "\r" and "\t" of a language-file value by a line
// feed, a carriage return and a tab, in that order.
std::string unescapeLanguageText(std::string_view value);

// The value to write for `text` so that reading it back (profile rules, then
// unescapeLanguageText) gives `text` again: line feeds, carriage returns and tabs become their
// two-character sequences, and a text with blanks at either end, or one that a reader would take
// as quoted, is written in double quotes. A backslash followed by 'n', 'r' or 't' in `text` cannot
// be written; the program's own texts have none.
std::string escapeLanguageText(std::string_view text);

// A language file read once into memory. Lookups follow the profile-file rules the program has
// always used: section and key names match case-insensitively, names and values are trimmed of
// blanks, a value loses one pair of surrounding quotes and is cut to 999 characters, the first
// occurrence of a section or key wins.
class LanguageFile {
 public:
  static constexpr size_t kMaxValueLength = 999;
  // Files beyond this size are not language files; they are treated as unreadable.
  static constexpr size_t kMaxFileBytes = size_t{4} << 20;

  // An empty table: every lookup gives "".
  LanguageFile() = default;

  // Reads `path`. A missing, unreadable or oversized file gives an empty table.
  static LanguageFile load(const std::string& path);
  // Parses the bytes of a language file.
  static LanguageFile parse(std::string_view contents);

  // The value of `key` in `section`, or "" when either is missing.
  std::string value(std::string_view section, std::string_view key) const;

 private:
  using Section = std::unordered_map<std::string, std::string>;  // lower-case key -> value
  std::unordered_map<std::string, Section> sections_;            // lower-case name -> keys
};

// The built-in files written into the data directory. Lines end with CR LF.
// "LanguageSetting.ini" as first written: "[Setting]" and "Language=English".
std::string builtinLanguageSettingFile();
// "Multi_eng.ini": the preamble, then "Setting", "Dialog String", "Menu String" and
// "String Table" generated from the dialog registry, the menu registry and the string table.
std::string builtinEnglishLanguageFile();

}  // namespace i18n
