// varnel's dialog templates. Numbers and identifiers below 1300 are the ones the program has
// always had; dialogs and controls that came without one were given identifiers from 1300 up.

#include "i18n/dialog_texts.h"

#include <algorithm>

namespace i18n {
namespace {

constexpr ControlKind S = ControlKind::kStatic;
constexpr ControlKind B = ControlKind::kButton;
constexpr ControlKind E = ControlKind::kEdit;
constexpr ControlKind L = ControlKind::kListBox;
constexpr ControlKind C = ControlKind::kComboBox;
constexpr ControlKind X = ControlKind::kScrollBar;
constexpr ControlKind O = ControlKind::kOther;

// Shared by the five list dialogs of the Insert menu: a list, "Insert" (default) and "Cancel".
std::vector<DialogControl> insertListControls(int listId) {
  return {{listId, L, ""}, {kIdOk, B, "Insert"}, {kIdCancel, B, "Cancel"}};
}

// Shared by the picture dialogs: a picture area, "Insert" and "Close".
std::vector<DialogControl> pictureControls() {
  return {{1300, O, ""}, {1090, B, "Insert"}, {kIdOk, B, "Close"}};
}

std::vector<DialogTemplate> buildTemplates() {
  std::vector<DialogTemplate> t = {
      {IDD_FONT_COLOUR_BAR,
       "ZiTi",
       {{1301, S, "Font:"}, {1053, C, ""}, {1302, S, "Color:"}, {1054, C, ""}}},
      {IDD_NAME_ENTRY,
       "Edit existing bitmap image",
       {{1167, S, "Enter the index number of the bitmap image that you would like to edit"},
        {1000, E, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_ABOUT,
       "About Orvanta",
       {{kIdStatic, O, ""},
        {1303, S, "Orvanta"},
        {1304, S, "Version 3.49"},
        {1305, S, "February  16, 2006"},
        {kIdOk, B, "OK"}}},
      {IDD_SIGN_SETUP,
       "Electronic Message Center Setup",
       {{1306, S, "The pixel count (wide) of your Electronic Message Center is:"},
        {1307, E, ""},
        {1308, B, "Color Configuration"},
        {1309, B, "Monochrome"},
        {1310, B, "Bi-Color"},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_DEVICE_SETTINGS,
       "Device Settings",
       {{1311, S, "Available Devices:"},
        {1312, L, ""},
        {1313, B, "Default Device"},
        {1314, S, ""},
        {1315, B, "&New Device"},
        {1316, B, "&Edit Device"},
        {1317, B, "Rena&me  Device"},
        {1318, B, "&Remove  Device"},
        {1319, B, "Make &Default"},
        {kIdOk, B, "&Close"}}},
      {IDD_DEVICE_PARAMETERS,
       "Device Parameters",
       {{1320, B, "Modem"},
        {1321, B, "TCP/IP"},
        {1322, B, "Email Poller"},
        {1323, B, "Modem Settings"},  // relabelled by the device kind
        {1324, S, "COM Port"},
        {1325, C, ""},
        {1326, S, "Baud Rate"},
        {1327, C, ""},
        {1328, S, "IP Port"},
        {1329, E, ""},
        {1330, B, "External Modem"},
        {1331, B, "Internal Modem"},
        {1332, C, ""},
        {1333, S, "Dial-up time out by modem"},  // relabelled by the device kind
        {1334, E, ""},
        {1335, S, "Seconds"},
        {1336, C, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_SEND_OPTION,
       "Send option...",
       {{1337, B, "Site"},
        {1338, B, "Group"},
        {1339, B, "Available Sites"},
        {1340, C, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_SEND_PROGRESS,
       "Sending",
       {{1428, S, ""},    // the command line, filled at run time
        {1429, S, ""},    // the destination line
        {1430, S, ""},    // "To:%s addr."
        {1431, S, ""},    // the status line
        {1432, O, ""}}},  // the progress bar
      {IDD_MODEM_INFO,
       "Modem Info...",
       {{1341, S, "Modem"},
        {1342, C, ""},
        {1343, S, "Initialization string"},
        {1344, E, ""},
        {1345, S, "Port"},
        {1346, E, ""},
        {1347, S, "Speed"},
        {1348, E, ""},
        {1349, S, "Reset string"},
        {1350, E, ""},
        {kIdOk, B, "&Close"}}},
      {IDD_MAIL_SERVER,
       "Mail server",
       {{1351, S, "Internet Mail Address"},
        {1352, E, ""},
        {1353, S, "SMTP SERVER"},
        {1354, E, ""},
        {1355, S, "Server port for SMTP"},
        {1356, E, ""},
        {1357, B, "De&fault"},
        {1358, S, "POP3 SERVER"},
        {1359, E, ""},
        {1360, S, "POP3 Account"},
        {1361, E, ""},
        {1362, S, "Password"},
        {1363, E, ""},
        {1364, S, "Server port for POP3"},
        {1365, E, ""},
        {1366, B, "&Defult"},
        {1367, B, "SMTP se&rver needs AUTHENTICATION"},
        {1368, B, "Set&up"},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_SMTP_AUTHENTICATION,
       "ESMTP Server Authentication",
       {{1369, B, "Use the same information with POP3 Server"},
        {1370, B, "Authentication information"},
        {1371, S, "Account"},
        {1372, E, ""},
        {1373, S, "Password"},
        {1374, E, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_MAIL_LIST,
       "Mail Server Settings",
       {{1375, S, "Available MAIL Servers"},
        {1376, L, ""},
        {1377, B, "&New Mail Server"},
        {1378, B, "&Edit Mail Server"},
        {1379, B, "Re&move Mail Server"},
        {1380, B, "&Rename Mail Server"},
        {kIdOk, B, "&Close"}}},
      {IDD_INSERT_CARTOON, "Insert Cartoon", insertListControls(1057)},
      {IDD_INSERT_SPEED, "Transition Speed", insertListControls(1058)},
      {IDD_INSERT_PAUSE, "Insert Pause", insertListControls(1059)},
      {IDD_INSERT_BEEP, "Insert Beep", insertListControls(1067)},
      {IDD_INSERT_EFFECT, "Insert Transition Effects", insertListControls(1008)},
      {IDD_SCHEDULER_TASKS,
       "Scheduler",
       {{1381, S, "Task"},      {1382, C, ""},         {1383, S, "Start time"},
        {1384, C, ""},          {1385, C, ""},         {1386, S, "End time"},
        {1387, C, ""},          {1388, C, ""},         {1389, S, "HH"},
        {1390, S, "MM"},        {1391, S, "Run date"}, {1392, L, ""},
        {1393, S, "All files"}, {1394, L, ""},         {1395, S, "Files in task"},
        {1396, L, ""},          {1397, B, "Add"},      {1398, B, "Remove"},
        {1399, B, "Up"},        {1400, B, "Down"}}},
      {IDD_SCHEDULER_ALARM,
       "Alarm",
       {{1401, S, "Number of times to alarm:"},
        {1402, E, ""},
        {1403, S, "Interval between each alarm:"},
        {1404, E, ""},
        {1405, S, "minute"}}},
      {IDD_SCHEDULER_HOURLY_ALARM, "Hourly Alarm", {{1406, B, "Set hourly alarm ON"}}},
      {IDD_SCHEDULER_POWER_ON,
       "Power ON",
       {{1407, S,
         "Set the time when you want to automatically power up the Electronic Message Center:"},
        {1408, S, "HH"},
        {1409, C, ""},
        {1410, S, "MM"},
        {1411, C, ""},
        {1412, S, "SS"},
        {1413, C, ""}}},
      {IDD_SCHEDULER_POWER_OFF,
       "Power OFF",
       {{1414, S,
         "Set the time when you want to automatically power down the Electronic Message "
         "Center:"},
        {1415, S, "HH"},
        {1416, C, ""},
        {1417, S, "MM"},
        {1418, C, ""},
        {1419, S, "SS"},
        {1420, C, ""}}},
      {IDD_SCHEDULER_TIME_FORMAT,
       "Time Settings",
       {{1421, S, "Adjust time display format:"}, {1422, B, "12-Hour"}, {1423, B, "24-Hour"}}},
      {IDD_PREDEFINED_SYMBOLS, "Pre-Defined Symbols", pictureControls()},
      {IDD_PREDEFINED_BITMAPS, "Pre-Defined Bitmaps", pictureControls()},
      {IDD_USER_BITMAPS,
       "User-Defined Bitmaps",
       {{1145, S, "Select the bitmap image to insert"},
        {1300, O, ""},
        {1090, B, "Insert"},
        {1243, B, "Load File"},
        {kIdOk, B, "Close"}}},
      {IDD_BITMAP_CATALOG,
       "Bitmap Image Catalog",
       {{1163, B, "Bitmap Image Catalog"},
        {1114, X, ""},
        {1164, B, "Contents of Bitmap File"},
        {1115, B, "Open Bitmap File..."},
        {1116, B, "Remove"},
        {1117, B, "Save Bitmap File"},
        {1118, B, "New Bitmap File"},
        {1121, B, "Clear Bitmap File"},
        {1242, B, "Save As..."},
        {1122, B, "Send...", true},
        {1119, S, "", true},
        {1120, S, "", true},
        {kIdOk, B, "Close"}}},
      {IDD_SPECIAL_CHARACTERS, "Special characters", pictureControls()},
      {IDD_DIAL_UP,
       "Dial up...",
       {{1424, S, ""},  // the connect status, filled at run time
        {1425, B, "Dial up", true},
        {1426, B, "Hang up when sending over", true},
        {kIdCancel, B, "Close"}}},
      {IDD_TCP_GROUP_SETTINGS,
       "TCP/IP Group Settings...",
       {{1165, S, "Available TCP/IP Groups"},
        {1112, L, ""},
        {1113, B, "&New TCP/IP Group"},
        {1114, B, "&Edit TCP/IP Group"},
        {1115, B, "Re&move TCP/IP Group"},
        {1224, B, "&Rename TCP/IP Group"},
        {kIdOk, B, "&Close"}}},
      {IDD_TCP_GROUP_ADDRESS,
       "New/Edit TCP/IP group...",
       {{1157, S, "IP Address"}, {1118, O, ""}, {kIdOk, B, "OK"}, {kIdCancel, B, "Cancel"}}},
      {IDD_LANGUAGE_SETTING,
       "Language setting",
       {{1427, S, "Please select language which program used"},
        {1097, C, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_SITE_SETTINGS,
       "Site Settings",
       {{1145, S, "Available Sites"},
        {1140, L, ""},
        {1118, B, "&New Site"},
        {1199, B, "&Edit Site"},
        {1224, B, "&Rename Site"},
        {1131, B, "Re&move Site"},
        {kIdOk, B, "&Close"}}},
      {IDD_GROUP_PARAMETERS,
       "Group parameters",
       {{1201, S, "All Sites"},
        {1146, L, ""},
        {1148, B, "&Include Site"},
        {1149, B, "&Remove Site"},
        {1202, S, "Sites in this group"},
        {1147, L, ""},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
      {IDD_SITE_PARAMETERS,
       "Site parameters",
       {{1216, S, "Communication Device"},
        {1142, C, ""},
        {1215, B, "Network Configuration"},
        {1145, S, "Phone Number"},
        {1191, E, ""},
        {1244, C, ""},
        {1217, S, "Sign Address(es)"},
        {1103, E, ""},
        {1218, S, "(If more than one message center, enter sign addresses separated by a comma)"},
        {kIdOk, B, "OK"},
        {kIdCancel, B, "Cancel"}}},
  };
  std::sort(t.begin(), t.end(),
            [](const DialogTemplate& a, const DialogTemplate& b) { return a.number < b.number; });
  return t;
}

}  // namespace

std::string_view controlClassName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
      return "Static";
    case ControlKind::kButton:
      return "Button";
    case ControlKind::kEdit:
      return "Edit";
    case ControlKind::kListBox:
      return "ListBox";
    case ControlKind::kComboBox:
      return "ComboBox";
    case ControlKind::kScrollBar:
      return "ScrollBar";
    case ControlKind::kOther:
      break;
  }
  return "Custom";
}

const std::vector<DialogTemplate>& dialogTemplates() {
  static const std::vector<DialogTemplate> templates = buildTemplates();
  return templates;
}

const DialogTemplate* findDialogTemplate(int number) {
  const auto& all = dialogTemplates();
  const auto it = std::lower_bound(all.begin(), all.end(), number,
                                   [](const DialogTemplate& d, int n) { return d.number < n; });
  return it != all.end() && it->number == number ? &*it : nullptr;
}

const DialogControl* findDialogControl(const DialogTemplate& dialog, int id) {
  for (const auto& control : dialog.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

bool isTranslatableControl(const DialogControl& control) {
  return (control.kind == ControlKind::kStatic || control.kind == ControlKind::kButton) &&
         control.id != kIdStatic && control.text[0] != '\0';
}

}  // namespace i18n
