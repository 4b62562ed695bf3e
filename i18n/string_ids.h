#pragma once

// Identifiers of the program's string table. Every text that varnel shows to the user has one, so
// a language file can replace it ("IDS_STRINGTABLE_<id>"). The English texts are in
// english_strings.cpp, in the same order.
//
// Identifiers the program has always used are kept as they are. New ones are taken from the free
// blocks below so that subsystems never collide:
//   32982-32999  message workspace and workspace files
//   33000-33022, 33030-33073  address book, sign links, send pipeline
//   33106-33124  mail transport
//   32939-32955, 33133-33161  windows, menus and dialogs
// (Identifiers must stay inside 108-128 and 32797-33208.)

namespace i18n {

enum StringId : int {
  // Captions of message boxes.
  IDS_CAPTION_WARNING = 32869,  // "Warning!"
  IDS_CAPTION_ERROR = 32870,    // "Error"
  IDS_MAIN_TITLE = 32913,       // "Orvanta"

  // Anchored control entries (value 1 first within each type).
  IDS_CARTOON_FIRST = 32847,  // 32847-32854: "MERRY X'MAS" ... "WELCOME"
  IDS_BEEP_FIRST = 32855,     // 32855-32857: "Three Beeps", "Ringing Beep", "Single Beep"
  IDS_COLOUR_FIRST = 32897,   // 32897-32912: "Red" ... "Yellow On Green"
  IDS_EFFECT_FIRST = 32914,   // 32914-32938: "Cyclic" ... "Compress Text"
  IDS_SPEED_FIRST = 32967,    // 32967-32974: "Speed 1(Fastest)" ... "Speed 8(Slowest)"
  IDS_PAUSE_FIRST = 33125,    // 33125-33132: "Pause 2S" ... "Pause 60S"

  // Workspace files.
  IDS_ERROR_CREATE_FILE = 32982,      // "Error when create file"
  IDS_ERROR_OPEN_FILE = 32983,        // "Error when open the file"
  IDS_ASK_OLD_VERSION_FILE = 32984,   // "Is this data file created by old version of ..."
  IDS_ERROR_READING_FILE = 32985,     // "Error when reading file,You must exit!"
  IDS_CONTROL_FILE_NOT_FOUND = 32986, // "Control File not found(*.ctl),you must exit ..."
  IDS_OLD_FILE_LOSES_SEND_LIST = 32987,  // "The version of file '%s' is %d, now  reading ..."
  IDS_FILE_VERSION_TOO_NEW = 32988,   // refusal of a file written by a newer program
};

}  // namespace i18n
