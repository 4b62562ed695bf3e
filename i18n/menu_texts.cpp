#include "i18n/menu_texts.h"

namespace i18n {
namespace {

MenuItem popup(const char* text, std::vector<MenuItem> items) {
  return {MenuItemKind::kPopup, text, 0, std::move(items)};
}
MenuItem command(const char* text, int id) {
  return {MenuItemKind::kCommand, text, id, {}};
}
MenuItem separator() {
  return {MenuItemKind::kSeparator, "", 0, {}};
}

void collectKeys(const std::vector<MenuItem>& items, int* counter, std::vector<MenuKey>* keys) {
  for (const auto& item : items) {
    if (item.kind == MenuItemKind::kSeparator) continue;
    keys->push_back({(*counter)++, &item});
    if (item.kind == MenuItemKind::kPopup) collectKeys(item.items, counter, keys);
  }
}

}  // namespace

const MenuTemplate& mainMenuTemplate() {
  static const MenuTemplate menu = {
      kMainMenuResource,
      kMainMenuFirstKey,
      {
          popup("File",
                {
                    command("Language", ID_FILE_LANGUAGE),
                    separator(),
                    command("New", ID_FILE_NEW),
                    command("Open...(Ctrl+O)", ID_FILE_OPEN),
                    command("Save(Ctrl+S)", ID_FILE_SAVE),
                    command("Save As...", ID_FILE_SAVE_AS),
                    separator(),
                    command("Exit", ID_FILE_EXIT),
                }),
          popup("Insert",
                {
                    command("New Message", ID_INSERT_NEW_MESSAGE),
                    separator(),
                    command("Transition Effects", ID_INSERT_EFFECT),
                    command("Time", ID_INSERT_TIME),
                    command("Date", ID_INSERT_DATE),
                    command("Pre-Defined Symbols", ID_INSERT_SYMBOLS),
                    command("User-Defined Bitmaps", ID_INSERT_USER_BITMAPS),
                    command("Pre-Defined Bitmaps", ID_INSERT_PREDEFINED_BITMAPS),
                    command("Special Characters", ID_INSERT_SPECIAL_CHARACTERS),
                    separator(),
                    command("Cartoon", ID_INSERT_CARTOON),
                    command("Beep", ID_INSERT_BEEP),
                    command("Speed", ID_INSERT_SPEED),
                    command("Pause", ID_INSERT_PAUSE),
                }),
          command("Scheduler and Special Functions", ID_SCHEDULER),
          popup("User-Defined Bitmap",
                {
                    command("Load File", ID_BITMAP_LOAD_FILE),
                    command("Open Workspace", ID_BITMAP_OPEN_WORKSPACE),
                    command("Open Catalog", ID_BITMAP_OPEN_CATALOG),
                }),
          popup("Send",
                {
                    command("Send current message workspace contents", ID_SEND_WORKSPACE),
                    command("Send Saved Data File...", ID_SEND_SAVED_FILE),
                    separator(),
                    command("Run Test Sequence", ID_SEND_TEST),
                    command("Clear Sign's Memory", ID_SEND_CLEAR_MEMORY),
                }),
          popup("Communication Settings",
                {
                    command("&TCP/IP Group Settings...", ID_TCP_GROUP_SETTINGS),
                    command("&MAIL SERVER Settings...", ID_MAIL_SERVER_SETTINGS),
                    command("Mailbox Settings...", ID_MAILBOX_SETTINGS),
                    separator(),
                    command("&Device Settings...", ID_DEVICE_SETTINGS),
                    command("&Site Settings...", ID_SITE_SETTINGS),
                    command("&Group Settings...", ID_GROUP_SETTINGS),
                    separator(),
                    command("Modem &Info...", ID_MODEM_INFO),
                }),
          popup("About",
                {
                    command("About Orvanta...", ID_APP_ABOUT),
                }),
      }};
  return menu;
}

const MenuTemplate& bitmapEditorMenuTemplate() {
  static const MenuTemplate menu = {
      kBitmapEditorMenuResource,
      kBitmapEditorMenuFirstKey,
      {
          popup("File",
                {
                    command("Save as...", ID_EDITOR_SAVE_AS),
                    command("Open Catalog", ID_EDITOR_OPEN_CATALOG),
                    separator(),
                    command("Exit(ESC)", ID_EDITOR_EXIT),
                }),
          popup("Bitmap",
                {
                    command("Create a new bitmap image", ID_EDITOR_NEW_IMAGE),
                    command("Open existing bitmap image...", ID_EDITOR_OPEN_IMAGE),
                    command("Clear this workspace", ID_EDITOR_CLEAR),
                    separator(),
                    command("Remove current bitmap image from catalog", ID_EDITOR_REMOVE_IMAGE),
                }),
      }};
  return menu;
}

std::vector<MenuKey> menuKeys(const MenuTemplate& menu) {
  std::vector<MenuKey> keys;
  int counter = menu.firstKey;
  collectKeys(menu.items, &counter, &keys);
  return keys;
}

}  // namespace i18n
