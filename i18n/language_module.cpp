#include "i18n/language_module.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "i18n/dialog_texts.h"
#include "i18n/string_table.h"
#include "platform/atomic_file.h"
#include "platform/data_dir.h"
#include "platform/profile_file.h"

namespace i18n {
namespace {

constexpr int kUnaddressedControlId = 0xFFFF;  // -1 as a 16-bit identifier

bool hasIniExtension(const std::string& name) {
  constexpr std::string_view kExtension = ".ini";
  if (name.size() <= kExtension.size()) return false;
  return std::equal(
      kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

std::string upper(std::string s) {
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

LanguageModule::LanguageModule(std::string dataDir)
    : dataDir_(std::move(dataDir)), current_(std::make_shared<LanguageFile>()) {}

std::string LanguageModule::settingFilePath() const {
  return platform::joinPath(dataDir_, kSettingFileName);
}

std::string LanguageModule::languageFolderPath() const {
  return platform::joinPath(dataDir_, kLanguageFolderName);
}

void LanguageModule::init() {
  const std::string settingPath = settingFilePath();
  if (!platform::pathExists(settingPath)) {
    platform::writeFileAtomic(settingPath, builtinLanguageSettingFile(), platform::kDataFileMode);
  }
  selectLanguage(settingLanguage());
}

std::string LanguageModule::settingLanguage() const {
  return platform::ProfileFile(settingFilePath())
      .readString(kLanguageSettingSection, kLanguageNameKey, kEnglishLanguageName);
}

std::vector<LanguageModule::Candidate> LanguageModule::enumerateLanguageFiles() const {
  std::vector<Candidate> files;
  const std::string folder = languageFolderPath();
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return files;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || !hasIniExtension(name)) continue;
    struct stat st {};
    if (stat(platform::joinPath(folder, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.push_back(name);
  }
  closedir(dir);
  // Directory order differs between file systems; file-name order makes the choice repeatable.
  std::sort(names.begin(), names.end());
  for (const auto& name : names) {
    const std::string path = platform::joinPath(folder, name);
    files.push_back(
        {path, LanguageFile::load(path).value(kLanguageSettingSection, kLanguageNameKey)});
  }
  return files;
}

void LanguageModule::selectLanguage(const std::string& name) {
  std::string chosenPath;
  for (const auto& file : enumerateLanguageFiles()) {
    if (!file.name.empty() && file.name == name) chosenPath = file.path;  // the last match wins
  }
  std::string chosenName = name;
  if (chosenPath.empty()) {
    platform::makeDirectories(languageFolderPath());
    chosenPath = platform::joinPath(languageFolderPath(), kEnglishFileName);
    platform::writeFileAtomic(chosenPath, builtinEnglishLanguageFile(), platform::kDataFileMode);
    chosenName = kEnglishLanguageName;
  }
  platform::ProfileFile(settingFilePath())
      .writeString(kLanguageSettingSection, kLanguageNameKey, chosenName);

  currentPath_ = chosenPath;
  currentName_ = chosenName;
  current_ = std::make_shared<const LanguageFile>(LanguageFile::load(chosenPath));
  // The lookup holds its own reference, so it stays valid whatever happens to this object.
  setLanguageLookup([file = current_](int id) {
    return unescapeLanguageText(file->value(kStringTableSection, stringTableKey(id)));
  });
}

std::string LanguageModule::text(int id) const {
  std::string translated =
      unescapeLanguageText(current_->value(kStringTableSection, stringTableKey(id)));
  return translated.empty() ? builtinText(id) : translated;
}

void LanguageModule::applyToDialog(DialogTextTarget& dialog, int dialogNumber) const {
  const std::string caption = current_->value(kDialogStringSection, dialogTitleKey(dialogNumber));
  if (!caption.empty()) dialog.setCaption(caption);

  for (int i = 0; i < dialog.childCount(); ++i) {
    const std::string className = upper(dialog.childClassName(i));
    if (className != "STATIC" && className != "BUTTON") continue;
    const int id = dialog.childId(i);
    if (id == kIdStatic || id == kUnaddressedControlId || !dialog.childVisible(i)) continue;
    const std::string text = unescapeLanguageText(
        current_->value(kDialogStringSection, dialogControlKey(dialogNumber, id)));
    if (!text.empty()) dialog.setChildText(i, text);
  }
}

void LanguageModule::applyToMenu(MenuTextTarget& menu, int firstNumber) {
  menuCounter_ = firstNumber;
  walkMenu(menu);
}

void LanguageModule::walkMenu(MenuTextTarget& menu) {
  for (int position = 0; position < menu.itemCount(); ++position) {
    switch (menu.itemKind(position)) {
      case MenuItemKind::kSeparator:
        break;
      case MenuItemKind::kPopup: {
        const std::string text = current_->value(kMenuStringSection, menuKey(menuCounter_++));
        if (!text.empty()) menu.setPopupText(position, text);
        if (MenuTextTarget* sub = menu.submenu(position)) walkMenu(*sub);
        break;
      }
      case MenuItemKind::kCommand: {
        const std::string text = current_->value(kMenuStringSection, menuKey(menuCounter_++));
        if (!text.empty()) menu.setCommandText(menu.commandId(position), text);
        break;
      }
    }
  }
}

std::vector<std::string> LanguageModule::listLanguages() const {
  std::vector<std::string> names;
  for (const auto& file : enumerateLanguageFiles()) {
    if (!file.name.empty()) names.push_back(file.name.substr(0, kMaxListedNameLength));
  }
  return names;
}

}  // namespace i18n
