// varnel's dialog templates. Numbers and identifiers below 1300 are the ones the program has
// always had; dialogs and controls that came without one were given identifiers from 1300 up.

#include "i18n/dialog_texts.h"

#include <algorithm>

#include "i18n/dialog_controls.h"

namespace i18n {
namespace {

using enum ControlKind;

// Shared by the five list dialogs of the Insert menu: a list, "Insert" (default) and "Cancel".
std::vector<DialogControl> insertListControls(int listId) {
  return {{listId, kListBox, ""}, {kIdOk, kButton, "Insert"}, {kIdCancel, kButton, "Cancel"}};
}

// Shared by the picture dialogs: a picture area, "Insert" and "Close".
std::vector<DialogControl> pictureControls() {
  return {{kIdPictureArea, kOther, ""},
          {kIdPictureInsert, kButton, "Insert"},
          {kIdOk, kButton, "Close"}};
}

std::vector<DialogTemplate> buildTemplates() {
  std::vector<DialogTemplate> t = {
      {IDD_FONT_COLOUR_BAR,
       "ZiTi",
       {{kIdFontLabel, kStatic, "Font:"},
        {kIdFontList, kComboBox, ""},
        {kIdColourLabel, kStatic, "Color:"},
        {kIdColourList, kComboBox, ""}}},
      {IDD_NAME_ENTRY,
       "Edit existing bitmap image",
       {{1167, kStatic, "Enter the index number of the bitmap image that you would like to edit"},
        {1000, kEdit, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_ABOUT,
       "About Orvanta",
       {{kIdStatic, kOther, ""},
        {kIdAboutName, kStatic, "Orvanta"},
        {kIdAboutVersion, kStatic, "Version 3.49"},
        {kIdAboutDate, kStatic, "February  16, 2006"},
        {kIdOk, kButton, "OK"}}},
      {IDD_SIGN_SETUP,
       "Electronic Message Center Setup",
       {{kIdSetupPrompt, kStatic, "The pixel count (wide) of your Electronic Message Center is:"},
        {kIdSetupWidth, kEdit, ""},
        {kIdSetupColourFrame, kButton, "Color Configuration"},
        {kIdSetupMonochrome, kButton, "Monochrome"},
        {kIdSetupBiColour, kButton, "Bi-Color"},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_DEVICE_SETTINGS,
       "Device Settings",
       {{1311, kStatic, "Available Devices:"},
        {1312, kListBox, ""},
        {1313, kButton, "Default Device"},
        {1314, kStatic, ""},
        {1315, kButton, "&New Device"},
        {1316, kButton, "&Edit Device"},
        {1317, kButton, "Rena&me  Device"},
        {1318, kButton, "&Remove  Device"},
        {1319, kButton, "Make &Default"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_DEVICE_PARAMETERS,
       "Device Parameters",
       {{1320, kButton, "Modem"},
        {1321, kButton, "TCP/IP"},
        {1322, kButton, "Email Poller"},
        {1323, kButton, "Modem Settings"},  // relabelled by the device kind
        {1324, kStatic, "COM Port"},
        {1325, kComboBox, ""},
        {1326, kStatic, "Baud Rate"},
        {1327, kComboBox, ""},
        {1328, kStatic, "IP Port"},
        {1329, kEdit, ""},
        {1330, kButton, "External Modem"},
        {1331, kButton, "Internal Modem"},
        {1332, kComboBox, ""},
        {1333, kStatic, "Dial-up time out by modem"},  // relabelled by the device kind
        {1334, kEdit, ""},
        {1335, kStatic, "Seconds"},
        {1336, kComboBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SEND_OPTION,
       "Send option...",
       {{1337, kButton, "Site"},
        {1338, kButton, "Group"},
        {1339, kButton, "Available Sites"},
        {1340, kComboBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SEND_PROGRESS,
       "Sending",
       {{1428, kStatic, ""},   // the command line, filled at run time
        {1429, kStatic, ""},   // the destination line
        {1430, kStatic, ""},   // "To:%s addr."
        {1431, kStatic, ""},   // the status line
        {1432, kOther, ""}}},  // the progress bar
      {IDD_MODEM_INFO,
       "Modem Info...",
       {{1341, kStatic, "Modem"},
        {1342, kComboBox, ""},
        {1343, kStatic, "Initialization string"},
        {1344, kEdit, ""},
        {1345, kStatic, "Port"},
        {1346, kEdit, ""},
        {1347, kStatic, "Speed"},
        {1348, kEdit, ""},
        {1349, kStatic, "Reset string"},
        {1350, kEdit, ""},
        {kIdOk, kButton, "&Close"}}},
      {IDD_MAIL_SERVER,
       "Mail server",
       {{1351, kStatic, "Internet Mail Address"},
        {1352, kEdit, ""},
        {1353, kStatic, "SMTP SERVER"},
        {1354, kEdit, ""},
        {1355, kStatic, "Server port for SMTP"},
        {1356, kEdit, ""},
        {1357, kButton, "De&fault"},
        {1358, kStatic, "POP3 SERVER"},
        {1359, kEdit, ""},
        {1360, kStatic, "POP3 Account"},
        {1361, kEdit, ""},
        {1362, kStatic, "Password"},
        {1363, kEdit, ""},
        {1364, kStatic, "Server port for POP3"},
        {1365, kEdit, ""},
        {1366, kButton, "&Defult"},
        {1367, kButton, "SMTP se&rver needs AUTHENTICATION"},
        {1368, kButton, "Set&up"},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SMTP_AUTHENTICATION,
       "ESMTP Server Authentication",
       {{1369, kButton, "Use the same information with POP3 Server"},
        {1370, kButton, "Authentication information"},
        {1371, kStatic, "Account"},
        {1372, kEdit, ""},
        {1373, kStatic, "Password"},
        {1374, kEdit, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_MAIL_LIST,
       "Mail Server Settings",
       {{1375, kStatic, "Available MAIL Servers"},
        {1376, kListBox, ""},
        {1377, kButton, "&New Mail Server"},
        {1378, kButton, "&Edit Mail Server"},
        {1379, kButton, "Re&move Mail Server"},
        {1380, kButton, "&Rename Mail Server"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_INSERT_CARTOON, "Insert Cartoon", insertListControls(kIdCartoonList)},
      {IDD_INSERT_SPEED, "Transition Speed", insertListControls(kIdSpeedList)},
      {IDD_INSERT_PAUSE, "Insert Pause", insertListControls(kIdPauseList)},
      {IDD_INSERT_BEEP, "Insert Beep", insertListControls(kIdBeepList)},
      {IDD_INSERT_EFFECT, "Insert Transition Effects", insertListControls(kIdEffectList)},
      {IDD_SCHEDULER_TASKS,
       "Scheduler",
       {{1381, kStatic, "Task"},      {1382, kComboBox, ""},       {1383, kStatic, "Start time"},
        {1384, kComboBox, ""},        {1385, kComboBox, ""},       {1386, kStatic, "End time"},
        {1387, kComboBox, ""},        {1388, kComboBox, ""},       {1389, kStatic, "HH"},
        {1390, kStatic, "MM"},        {1391, kStatic, "Run date"}, {1392, kListBox, ""},
        {1393, kStatic, "All files"}, {1394, kListBox, ""},        {1395, kStatic, "Files in task"},
        {1396, kListBox, ""},         {1397, kButton, "Add"},      {1398, kButton, "Remove"},
        {1399, kButton, "Up"},        {1400, kButton, "Down"}}},
      {IDD_SCHEDULER_ALARM,
       "Alarm",
       {{1401, kStatic, "Number of times to alarm:"},
        {1402, kEdit, ""},
        {1403, kStatic, "Interval between each alarm:"},
        {1404, kEdit, ""},
        {1405, kStatic, "minute"}}},
      {IDD_SCHEDULER_HOURLY_ALARM, "Hourly Alarm", {{1406, kButton, "Set hourly alarm ON"}}},
      {IDD_SCHEDULER_POWER_ON,
       "Power ON",
       {{1407, kStatic,
         "Set the time when you want to automatically power up the Electronic Message Center:"},
        {1408, kStatic, "HH"},
        {1409, kComboBox, ""},
        {1410, kStatic, "MM"},
        {1411, kComboBox, ""},
        {1412, kStatic, "SS"},
        {1413, kComboBox, ""}}},
      {IDD_SCHEDULER_POWER_OFF,
       "Power OFF",
       {{1414, kStatic,
         "Set the time when you want to automatically power down the Electronic Message "
         "Center:"},
        {1415, kStatic, "HH"},
        {1416, kComboBox, ""},
        {1417, kStatic, "MM"},
        {1418, kComboBox, ""},
        {1419, kStatic, "SS"},
        {1420, kComboBox, ""}}},
      {IDD_SCHEDULER_TIME_FORMAT,
       "Time Settings",
       {{1421, kStatic, "Adjust time display format:"},
        {1422, kButton, "12-Hour"},
        {1423, kButton, "24-Hour"}}},
      {IDD_PREDEFINED_SYMBOLS, "Pre-Defined Symbols", pictureControls()},
      {IDD_PREDEFINED_BITMAPS, "Pre-Defined Bitmaps", pictureControls()},
      {IDD_USER_BITMAPS,
       "User-Defined Bitmaps",
       {{1145, kStatic, "Select the bitmap image to insert"},
        {kIdPictureArea, kOther, ""},
        {kIdPictureInsert, kButton, "Insert"},
        {1243, kButton, "Load File"},
        {kIdOk, kButton, "Close"}}},
      {IDD_BITMAP_CATALOG,
       "Bitmap Image Catalog",
       {{1163, kButton, "Bitmap Image Catalog"},
        {1114, kScrollBar, ""},
        {1164, kButton, "Contents of Bitmap File"},
        {1115, kButton, "Open Bitmap File..."},
        {1116, kButton, "Remove"},
        {1117, kButton, "Save Bitmap File"},
        {1118, kButton, "New Bitmap File"},
        {1121, kButton, "Clear Bitmap File"},
        {1242, kButton, "Save As..."},
        {1122, kButton, "Send...", true},
        {1119, kStatic, "", true},
        {1120, kStatic, "", true},
        {kIdOk, kButton, "Close"}}},
      {IDD_SPECIAL_CHARACTERS, "Special characters", pictureControls()},
      {IDD_DIAL_UP,
       "Dial up...",
       {{1424, kStatic, ""},  // the connect status, filled at run time
        {1425, kButton, "Dial up", true},
        {1426, kButton, "Hang up when sending over", true},
        {kIdCancel, kButton, "Close"}}},
      {IDD_TCP_GROUP_SETTINGS,
       "TCP/IP Group Settings...",
       {{1165, kStatic, "Available TCP/IP Groups"},
        {1112, kListBox, ""},
        {1113, kButton, "&New TCP/IP Group"},
        {1114, kButton, "&Edit TCP/IP Group"},
        {1115, kButton, "Re&move TCP/IP Group"},
        {1224, kButton, "&Rename TCP/IP Group"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_TCP_GROUP_ADDRESS,
       "New/Edit TCP/IP group...",
       {{1157, kStatic, "IP Address"},
        {1118, kOther, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_LANGUAGE_SETTING,
       "Language setting",
       {{kIdLanguagePrompt, kStatic, "Please select language which program used"},
        {kIdLanguageList, kComboBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SITE_SETTINGS,
       "Site Settings",
       {{1145, kStatic, "Available Sites"},
        {1140, kListBox, ""},
        {1118, kButton, "&New Site"},
        {1199, kButton, "&Edit Site"},
        {1224, kButton, "&Rename Site"},
        {1131, kButton, "Re&move Site"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_GROUP_PARAMETERS,
       "Group parameters",
       {{1201, kStatic, "All Sites"},
        {1146, kListBox, ""},
        {1148, kButton, "&Include Site"},
        {1149, kButton, "&Remove Site"},
        {1202, kStatic, "Sites in this group"},
        {1147, kListBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SITE_PARAMETERS,
       "Site parameters",
       {{1216, kStatic, "Communication Device"},
        {1142, kComboBox, ""},
        {1215, kButton, "Network Configuration"},
        {1145, kStatic, "Phone Number"},
        {1191, kEdit, ""},
        {1244, kComboBox, ""},
        {1217, kStatic, "Sign Address(es)"},
        {1103, kEdit, ""},
        {1218, kStatic,
         "(If more than one message center, enter sign addresses separated by a comma)"},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
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
