#include "app/ui/view_context_menu.h"

#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"

namespace app::ui {

const std::vector<ContextMenuEntry>& insertMenuEntries() {
  static const std::vector<ContextMenuEntry> entries = {
      {i18n::IDS_POPUP_INSERT_NEW_MESSAGE, i18n::ID_INSERT_NEW_MESSAGE},
      {0, 0},
      {i18n::IDS_POPUP_INSERT_EFFECT, i18n::ID_INSERT_EFFECT},
      {0, 0},
      {i18n::IDS_POPUP_ADD_TIME, i18n::ID_INSERT_TIME},
      {i18n::IDS_POPUP_ADD_DATE, i18n::ID_INSERT_DATE},
      {0, 0},
      {i18n::IDS_POPUP_INSERT_SYMBOLS, i18n::ID_INSERT_SYMBOLS},
      {i18n::IDS_POPUP_INSERT_USER_BITMAPS, i18n::ID_INSERT_USER_BITMAPS},
      {i18n::IDS_POPUP_INSERT_PREDEFINED_BITMAPS, i18n::ID_INSERT_PREDEFINED_BITMAPS},
      {i18n::IDS_POPUP_INSERT_SPECIAL_CHARACTERS, i18n::ID_INSERT_SPECIAL_CHARACTERS},
      {0, 0},
      {i18n::IDS_POPUP_INSERT_CARTOON, i18n::ID_INSERT_CARTOON},
      {i18n::IDS_POPUP_INSERT_BEEP, i18n::ID_INSERT_BEEP},
      {i18n::IDS_POPUP_INSERT_SPEED, i18n::ID_INSERT_SPEED},
      {i18n::IDS_POPUP_INSERT_PAUSE, i18n::ID_INSERT_PAUSE},
  };
  return entries;
}

QString contextMenuText(int textId) {
  return platform::ui::fromCp1252(i18n::text(textId));
}

}  // namespace app::ui
