#pragma once

#include <string_view>
#include <vector>

namespace i18n {

// The registry of varnel's dialog templates: for every dialog its number, its English caption and
// its controls with their identifiers and English texts. The windows are built from this table and
// the English language file is generated from it, so a dialog's texts and its language keys
// ("IDD<number>_Title", "IDD<number>_<control>") cannot drift apart.

// Dialog numbers. They are the keys of the language files, so they never change.
enum DialogNumber : int {
  IDD_FONT_COLOUR_BAR = 107,
  IDD_NAME_ENTRY = 132,  // "Edit existing bitmap image", shared by every name prompt
  IDD_ABOUT = 133,
  IDD_SIGN_SETUP = 134,  // "Electronic Message Center Setup"
  IDD_DEVICE_SETTINGS = 135,
  IDD_DEVICE_PARAMETERS = 136,
  IDD_SEND_OPTION = 137,
  IDD_SEND_PROGRESS = 138,
  IDD_MODEM_INFO = 139,
  IDD_MAIL_SERVER = 140,
  IDD_SMTP_AUTHENTICATION = 141,
  IDD_MAIL_LIST = 142,  // mail servers or mailboxes
  IDD_INSERT_CARTOON = 144,
  IDD_INSERT_SPEED = 145,
  IDD_INSERT_PAUSE = 146,
  IDD_INSERT_BEEP = 149,
  IDD_INSERT_EFFECT = 150,
  IDD_SCHEDULER_TASKS = 151,  // the six pages of "Scheduler and Special Functions"
  IDD_SCHEDULER_ALARM = 152,
  IDD_SCHEDULER_HOURLY_ALARM = 153,
  IDD_SCHEDULER_POWER_ON = 154,
  IDD_SCHEDULER_POWER_OFF = 155,
  IDD_SCHEDULER_TIME_FORMAT = 156,
  IDD_PREDEFINED_SYMBOLS = 181,
  IDD_PREDEFINED_BITMAPS = 190,
  IDD_USER_BITMAPS = 192,
  IDD_BITMAP_CATALOG = 201,
  IDD_SPECIAL_CHARACTERS = 205,
  IDD_DIAL_UP = 209,
  IDD_TCP_GROUP_SETTINGS = 211,
  IDD_TCP_GROUP_ADDRESS = 212,
  IDD_LANGUAGE_SETTING = 215,
  IDD_SITE_SETTINGS = 220,
  IDD_GROUP_PARAMETERS = 222,
  IDD_SITE_PARAMETERS = 223,
};

// Identifiers shared by every dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// Controls that are never addressed (frames without text, pictures) carry this identifier; the
// language file never changes them.
inline constexpr int kIdStatic = -1;

// The window class of a control as the language layer sees it. Only static texts and buttons
// (push buttons, check boxes, radio buttons and group frames) take texts from a language file.
enum class ControlKind { kStatic, kButton, kEdit, kListBox, kComboBox, kScrollBar, kOther };

// The class name reported for a control of `kind`: "Static", "Button", "Edit", "ListBox",
// "ComboBox", "ScrollBar" or "Custom".
std::string_view controlClassName(ControlKind kind);

struct DialogControl {
  int id;               // Control identifier; kIdStatic for controls no one addresses.
  ControlKind kind;     // What the control is.
  const char* text;     // English text (Windows-1252); "" for controls without a text.
  bool hidden = false;  // Created hidden.
};

struct DialogTemplate {
  int number;                           // Dialog number (a DialogNumber).
  const char* caption;                  // English caption.
  std::vector<DialogControl> controls;  // In creation (tab) order.
};

// Every dialog of varnel in ascending number order.
const std::vector<DialogTemplate>& dialogTemplates();

// The template with `number`, or nullptr when varnel has no such dialog.
const DialogTemplate* findDialogTemplate(int number);

// The control `id` of a template, or nullptr.
const DialogControl* findDialogControl(const DialogTemplate& dialog, int id);

// True when a language file may hold a text for the control: a static text or a button with an
// identifier other than kIdStatic and a non-empty English text.
bool isTranslatableControl(const DialogControl& control);

}  // namespace i18n
