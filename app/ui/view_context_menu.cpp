#include "app/ui/view_context_menu.h"

#include "i18n/menu_texts.h"
#include "platform/ui/qt_text.h"

namespace app::ui {

const std::vector<ContextMenuEntry>& insertMenuEntries() {
  static const std::vector<ContextMenuEntry> entries = {
      {"Insert New Message", i18n::ID_INSERT_NEW_MESSAGE},
      {"", 0},
      {"Insert Transition Effects", i18n::ID_INSERT_EFFECT},
      {"", 0},
      {"Add Time", i18n::ID_INSERT_TIME},
      {"Add Date", i18n::ID_INSERT_DATE},
      {"", 0},
      {"Insert Pre-Defined Symbols", i18n::ID_INSERT_SYMBOLS},
      {"Insert User-Defined Bitmaps", i18n::ID_INSERT_USER_BITMAPS},
      {"Insert Pre-Defined Bitmaps", i18n::ID_INSERT_PREDEFINED_BITMAPS},
      {"Insert Special Characters", i18n::ID_INSERT_SPECIAL_CHARACTERS},
      {"", 0},
      {"Insert Cartoon", i18n::ID_INSERT_CARTOON},
      {"Insert Beep", i18n::ID_INSERT_BEEP},
      {"Insert Speed", i18n::ID_INSERT_SPEED},
      {"Insert Pause", i18n::ID_INSERT_PAUSE},
  };
  return entries;
}

QString contextMenuText(const char* text) {
  return platform::ui::fromCp1252(text);
}

}  // namespace app::ui
