#pragma once

#include <memory>
#include <string>
#include <vector>

#include "i18n/language_file.h"
#include "i18n/language_targets.h"

namespace i18n {

// varnel's language module. It keeps the language files in the data directory (which stands in
// for the directory of the executable):
//   "LanguageSetting.ini"       section "Setting", key "Language": the chosen language's name;
//   "Language/*.ini"            the language files, each naming itself in "Setting"/"Language";
//   "Language/Multi_eng.ini"    the built-in English file, written whenever no file carries the
//                               chosen name.
// It chooses the current language file, installs its string table as i18n::text()'s lookup, and
// puts its dialog and menu texts on windows. Texts the file lacks keep the built-in English ones.
//
// The current file is read into memory when it is chosen; the program never writes it, so later
// lookups need not read the disk.
class LanguageModule {
 public:
  static constexpr char kSettingFileName[] = "LanguageSetting.ini";
  static constexpr char kLanguageFolderName[] = "Language";
  static constexpr char kEnglishFileName[] = "Multi_eng.ini";
  static constexpr size_t kMaxListedNameLength = 99;

  // `dataDir`: where the settings file and the "Language" folder live.
  explicit LanguageModule(std::string dataDir);
  LanguageModule(const LanguageModule&) = delete;
  LanguageModule& operator=(const LanguageModule&) = delete;

  // Run once at start-up, before any window exists: writes the default "LanguageSetting.ini" when
  // there is none, then selects the language it names (default "English"). Failures to write are
  // not reported: lookups then fall back to the built-in texts.
  void init();

  // Chooses the language file whose "Setting"/"Language" value equals `name` exactly; when several
  // do, the last in file-name order wins. When none does, "Multi_eng.ini" is (re)written from the
  // built-in texts and English is chosen. The chosen name is written to "LanguageSetting.ini" and
  // the file's string table becomes i18n::text()'s lookup.
  void selectLanguage(const std::string& name);

  // The string-table text of `id` in the current language, falling back to the built-in text.
  std::string text(int id) const;

  // Puts the current language's texts on dialog `dialogNumber`: its caption from
  // "IDD<n>_Title" (taken as it stands), and for each visible static text or button with an
  // identifier other than -1 the text of "IDD<n>_<id>" with its escapes replaced. Empty or
  // missing values leave the window's texts unchanged.
  void applyToDialog(DialogTextTarget& dialog, int dialogNumber) const;

  // Puts the current language's menu texts on `menu`, walking it depth first in display order with
  // a running number that starts at `firstNumber` (kMainMenuFirstKey or
  // kBitmapEditorMenuFirstKey): every popup and command takes "IDS_MENU_<number>", separators take
  // none. Menu texts are taken as they stand.
  void applyToMenu(MenuTextTarget& menu, int firstNumber);

  // The names of all language files in file-name order (files without a name left out), each cut
  // to kMaxListedNameLength characters.
  std::vector<std::string> listLanguages() const;

  // The name "LanguageSetting.ini" holds (default "English"); the Language dialog preselects it.
  std::string settingLanguage() const;

  const std::string& currentLanguage() const { return currentName_; }
  const std::string& currentFilePath() const { return currentPath_; }
  std::string settingFilePath() const;
  std::string languageFolderPath() const;

 private:
  // The language files of the folder in file-name order, with the names they carry.
  struct Candidate {
    std::string path;
    std::string name;
  };
  std::vector<Candidate> enumerateLanguageFiles() const;

  const std::string dataDir_;                    // Directory of the settings file and folder.
  std::string currentPath_;                      // The current language file.
  std::string currentName_;                      // The name it was chosen by.
  std::shared_ptr<const LanguageFile> current_;  // Its contents; shared with the text lookup.
  int menuCounter_ = 0;                          // Running number of the menu walk in progress.

  void walkMenu(MenuTextTarget& menu);
};

}  // namespace i18n
