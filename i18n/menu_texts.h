#pragma once

#include <vector>

namespace i18n {

// The registry of varnel's menus: the main window's menu and the bitmap editor's menu, entry by
// entry in display order. The windows build their menus from it and the English language file
// takes its "Menu String" keys from it, so the two always agree.

// Command identifiers. The status-bar prompt of a command is the string-table text with the
// command's identifier ("prompt\ntool tip").
enum MenuCommand : int {
  // Main window.
  ID_SEND_WORKSPACE = 32797,
  ID_SEND_SAVED_FILE = 32798,
  ID_BITMAP_OPEN_WORKSPACE = 32799,
  ID_DEVICE_SETTINGS = 32801,
  ID_SITE_SETTINGS = 32802,
  ID_GROUP_SETTINGS = 32803,
  ID_FILE_NEW = 32804,
  ID_FILE_OPEN = 32805,
  ID_FILE_SAVE = 32806,
  ID_FILE_SAVE_AS = 32807,
  ID_FILE_EXIT = 32808,
  ID_SCHEDULER = 32818,
  ID_SEND_TEST = 32820,
  ID_INSERT_EFFECT = 32825,
  ID_INSERT_TIME = 32826,
  ID_INSERT_DATE = 32827,
  ID_INSERT_SYMBOLS = 32828,
  ID_INSERT_USER_BITMAPS = 32829,
  ID_BITMAP_LOAD_FILE = 32830,
  ID_INSERT_PREDEFINED_BITMAPS = 32831,
  ID_INSERT_SPECIAL_CHARACTERS = 32832,
  ID_INSERT_CARTOON = 32833,
  ID_INSERT_BEEP = 32834,
  ID_INSERT_SPEED = 32835,
  ID_INSERT_PAUSE = 32836,
  ID_INSERT_NEW_MESSAGE = 32837,
  ID_BITMAP_OPEN_CATALOG = 32838,
  ID_MODEM_INFO = 32839,
  ID_TCP_GROUP_SETTINGS = 32842,
  ID_FILE_LANGUAGE = 32844,
  ID_MAIL_SERVER_SETTINGS = 32846,
  ID_MAILBOX_SETTINGS = 33099,
  ID_SEND_CLEAR_MEMORY = 33162,
  ID_APP_ABOUT = 57664,  // The About command has no prompt in the string table.
  // Bitmap editor.
  ID_EDITOR_SAVE_AS = 32890,
  ID_EDITOR_OPEN_CATALOG = 32891,
  ID_EDITOR_EXIT = 32892,
  ID_EDITOR_NEW_IMAGE = 32893,
  ID_EDITOR_OPEN_IMAGE = 32894,
  ID_EDITOR_CLEAR = 32895,
  ID_EDITOR_REMOVE_IMAGE = 32896,
};

// Menu resources.
inline constexpr int kMainMenuResource = 128;
inline constexpr int kBitmapEditorMenuResource = 131;
// First running number of each menu's language keys ("IDS_MENU_<n>").
inline constexpr int kMainMenuFirstKey = 0;
inline constexpr int kBitmapEditorMenuFirstKey = 200;

enum class MenuItemKind { kPopup, kCommand, kSeparator };

struct MenuItem {
  MenuItemKind kind;
  const char* text;             // English text; "" for separators.
  int commandId;                // Commands only; 0 otherwise.
  std::vector<MenuItem> items;  // Popups only: the submenu in display order.
};

struct MenuTemplate {
  int resource;                 // Menu resource number.
  int firstKey;                 // Running number of the first entry's language key.
  std::vector<MenuItem> items;  // The menu bar in display order.
};

const MenuTemplate& mainMenuTemplate();
const MenuTemplate& bitmapEditorMenuTemplate();

// One language key of a menu: the running number and the entry it names.
struct MenuKey {
  int number;
  const MenuItem* item;
};

// The entries of `menu` that take language keys, numbered the way the language layer walks a
// menu: depth first in display order, popups and commands counted, separators skipped.
std::vector<MenuKey> menuKeys(const MenuTemplate& menu);

}  // namespace i18n
