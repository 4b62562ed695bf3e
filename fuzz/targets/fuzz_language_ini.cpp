// A language file: parsed as the language module reads it, every string-table text looked up and
// filled in with arguments of both kinds, as the program shows its messages.

#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/fuzz_support.h"
#include "i18n/language_file.h"
#include "i18n/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzzing::inputView(data, size);
  const i18n::LanguageFile file = i18n::LanguageFile::parse(bytes);
  file.value(i18n::kLanguageSettingSection, i18n::kLanguageNameKey);
  file.value(i18n::kDialogStringSection, i18n::dialogTitleKey(100));
  file.value(i18n::kMenuStringSection, i18n::menuKey(1));
  const std::vector<i18n::FormatArg> args = {std::string("F.SDV"), 35LL, std::string("x"), -1LL};
  for (int id = 32768; id < 33300; ++id) {
    const std::string text = file.value(i18n::kStringTableSection, i18n::stringTableKey(id));
    if (!text.empty()) i18n::formatText(i18n::unescapeLanguageText(text), args);
  }
  i18n::formatText(bytes, args);
  i18n::escapeLanguageText(i18n::unescapeLanguageText(bytes));
  return 0;
}
