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

// The hidden button of every page of "Scheduler and Special Functions"; nothing is sent from there.
const DialogControl kSchedulerTransmit{kIdSchedulerTransmit, kButton, "Transmit Setting", true};

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
       {{kIdNameEntryPrompt, kStatic,
         "Enter the index number of the bitmap image that you would like to edit"},
        {kIdNameEntry, kEdit, ""},
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
       {{kIdDeviceListLabel, kStatic, "Available Devices:"},
        {kIdDeviceList, kListBox, ""},
        {kIdDeviceDefaultFrame, kButton, "Default Device"},
        {kIdDeviceDefaultName, kStatic, ""},
        {kIdDeviceNew, kButton, "&New Device"},
        {kIdDeviceEdit, kButton, "&Edit Device"},
        {kIdDeviceRename, kButton, "Rena&me  Device"},
        {kIdDeviceRemove, kButton, "&Remove  Device"},
        {kIdDeviceMakeDefault, kButton, "Make &Default"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_DEVICE_PARAMETERS,
       "Device Parameters",
       {{kIdDeviceKindModem, kButton, "Modem"},
        {kIdDeviceKindTcpIp, kButton, "TCP/IP"},
        {kIdDeviceKindEmail, kButton, "Email Poller"},
        {kIdDeviceConnectionFrame, kButton, "Modem Settings"},  // relabelled by the device kind
        {kIdDeviceComPortLabel, kStatic, "COM Port"},
        {kIdDeviceComPort, kComboBox, ""},
        {kIdDeviceBaudRateLabel, kStatic, "Baud Rate"},
        {kIdDeviceBaudRate, kComboBox, ""},
        {kIdDeviceIpPortLabel, kStatic, "IP Port"},
        {kIdDeviceIpPort, kEdit, ""},
        {kIdDeviceExternalModem, kButton, "External Modem"},
        {kIdDeviceInternalModem, kButton, "Internal Modem"},
        {kIdDeviceModemList, kComboBox, ""},
        // Relabelled by the device kind as well.
        {kIdDeviceTimeoutLabel, kStatic, "Dial-up time out by modem"},
        {kIdDeviceTimeout, kEdit, ""},
        {kIdDeviceTimeoutUnit, kStatic, "Seconds"},
        {kIdDeviceMailServerList, kComboBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SEND_OPTION,
       "Send option...",
       {{kIdSendSite, kButton, "Site"},
        {kIdSendGroup, kButton, "Group"},
        {kIdSendTargetFrame, kButton, "Available Sites"},
        {kIdSendTargetList, kComboBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SEND_PROGRESS,
       "Sending",
       {{kIdSendProgressCommand, kStatic, ""},      // the command line, filled at run time
        {kIdSendProgressDestination, kStatic, ""},  // the destination line
        {kIdSendProgressAddresses, kStatic, ""},    // "To:%s addr."
        {kIdSendProgressStatus, kStatic, ""},       // the status line
        {kIdSendProgressBar, kOther, ""}}},         // the progress bar
      {IDD_MODEM_INFO,
       "Modem Info...",
       {{kIdModemInfoListLabel, kStatic, "Modem"},
        {kIdModemInfoList, kComboBox, ""},
        {kIdModemInfoInitLabel, kStatic, "Initialization string"},
        {kIdModemInfoInit, kEdit, ""},
        {kIdModemInfoPortLabel, kStatic, "Port"},
        {kIdModemInfoPort, kEdit, ""},
        {kIdModemInfoSpeedLabel, kStatic, "Speed"},
        {kIdModemInfoSpeed, kEdit, ""},
        {kIdModemInfoResetLabel, kStatic, "Reset string"},
        {kIdModemInfoReset, kEdit, ""},
        {kIdOk, kButton, "&Close"}}},
      {IDD_MAIL_SERVER,
       "Mail server",
       {{kIdMailServerAddressLabel, kStatic, "Internet Mail Address"},
        {kIdMailServerAddress, kEdit, ""},
        {kIdMailServerSmtpHostLabel, kStatic, "SMTP SERVER"},
        {kIdMailServerSmtpHost, kEdit, ""},
        {kIdMailServerSmtpPortLabel, kStatic, "Server port for SMTP"},
        {kIdMailServerSmtpPort, kEdit, ""},
        {kIdMailServerSmtpDefault, kButton, "De&fault"},
        {kIdMailServerPop3HostLabel, kStatic, "POP3 SERVER"},
        {kIdMailServerPop3Host, kEdit, ""},
        {kIdMailServerPop3AccountLabel, kStatic, "POP3 Account"},
        {kIdMailServerPop3Account, kEdit, ""},
        {kIdMailServerPop3PasswordLabel, kStatic, "Password"},
        {kIdMailServerPop3Password, kEdit, ""},
        {kIdMailServerPop3PortLabel, kStatic, "Server port for POP3"},
        {kIdMailServerPop3Port, kEdit, ""},
        {kIdMailServerPop3Default, kButton, "&Defult"},
        {kIdMailServerNeedsAuth, kButton, "SMTP se&rver needs AUTHENTICATION"},
        {kIdMailServerAuthSetup, kButton, "Set&up"},
        {kIdMailServerTlsLabel, kStatic, "Connection security"},
        {kIdMailServerTls, kComboBox, ""},
        {kIdMailServerCaFileLabel, kStatic, "CA file (empty: the system's)"},
        {kIdMailServerCaFile, kEdit, ""},
        {kIdMailServerCaBrowse, kButton, "Bro&wse..."},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SMTP_AUTHENTICATION,
       "ESMTP Server Authentication",
       {{kIdSmtpAuthSameAsPop3, kButton, "Use the same information with POP3 Server"},
        {kIdSmtpAuthOwnAccount, kButton, "Authentication information"},
        {kIdSmtpAuthAccountLabel, kStatic, "Account"},
        {kIdSmtpAuthAccount, kEdit, ""},
        {kIdSmtpAuthPasswordLabel, kStatic, "Password"},
        {kIdSmtpAuthPassword, kEdit, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_MAIL_LIST,
       "Mail Server Settings",
       {{kIdMailListLabel, kStatic, "Available MAIL Servers"},
        {kIdMailList, kListBox, ""},
        {kIdMailListNew, kButton, "&New Mail Server"},
        {kIdMailListEdit, kButton, "&Edit Mail Server"},
        {kIdMailListRemove, kButton, "Re&move Mail Server"},
        {kIdMailListRename, kButton, "&Rename Mail Server"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_INSERT_CARTOON, "Insert Cartoon", insertListControls(kIdCartoonList)},
      {IDD_INSERT_SPEED, "Transition Speed", insertListControls(kIdSpeedList)},
      {IDD_INSERT_PAUSE, "Insert Pause", insertListControls(kIdPauseList)},
      {IDD_INSERT_BEEP, "Insert Beep", insertListControls(kIdBeepList)},
      {IDD_INSERT_EFFECT, "Insert Transition Effects", insertListControls(kIdEffectList)},
      {IDD_SCHEDULER_TASKS,
       "Scheduler",
       {{kIdSchedulerTaskLabel, kStatic, "Task"},
        {kIdSchedulerTask, kComboBox, ""},
        {kIdSchedulerStartLabel, kStatic, "Start time"},
        {kIdSchedulerStartHour, kComboBox, ""},
        {kIdSchedulerStartMinute, kComboBox, ""},
        {kIdSchedulerEndLabel, kStatic, "End time"},
        {kIdSchedulerEndHour, kComboBox, ""},
        {kIdSchedulerEndMinute, kComboBox, ""},
        {kIdSchedulerHourLabel, kStatic, "HH"},
        {kIdSchedulerMinuteLabel, kStatic, "MM"},
        {kIdSchedulerRunDateLabel, kStatic, "Run date"},
        {kIdSchedulerRunDate, kListBox, ""},
        {kIdSchedulerAllFilesLabel, kStatic, "All files"},
        {kIdSchedulerAllFiles, kListBox, ""},
        {kIdSchedulerTaskFilesLabel, kStatic, "Files in task"},
        {kIdSchedulerTaskFiles, kListBox, ""},
        {kIdSchedulerAdd, kButton, "Add"},
        {kIdSchedulerRemove, kButton, "Remove"},
        {kIdSchedulerUp, kButton, "Up"},
        {kIdSchedulerDown, kButton, "Down"},
        kSchedulerTransmit}},
      {IDD_SCHEDULER_ALARM,
       "Alarm",
       {{kIdAlarmCountLabel, kStatic, "Number of times to alarm:"},
        {kIdAlarmCount, kEdit, ""},
        {kIdAlarmIntervalLabel, kStatic, "Interval between each alarm:"},
        {kIdAlarmInterval, kEdit, ""},
        {kIdAlarmIntervalUnit, kStatic, "minute"},
        kSchedulerTransmit}},
      {IDD_SCHEDULER_HOURLY_ALARM,
       "Hourly Alarm",
       {{kIdHourlyAlarmOn, kButton, "Set hourly alarm ON"}, kSchedulerTransmit}},
      {IDD_SCHEDULER_POWER_ON,
       "Power ON",
       {{kIdPowerOnPrompt, kStatic,
         "Set the time when you want to automatically power up the Electronic Message Center:"},
        {kIdPowerOnHourLabel, kStatic, "HH"},
        {kIdPowerOnHour, kComboBox, ""},
        {kIdPowerOnMinuteLabel, kStatic, "MM"},
        {kIdPowerOnMinute, kComboBox, ""},
        {kIdPowerOnSecondLabel, kStatic, "SS"},
        {kIdPowerOnSecond, kComboBox, ""},
        kSchedulerTransmit}},
      {IDD_SCHEDULER_POWER_OFF,
       "Power OFF",
       {{kIdPowerOffPrompt, kStatic,
         "Set the time when you want to automatically power down the Electronic Message "
         "Center:"},
        {kIdPowerOffHourLabel, kStatic, "HH"},
        {kIdPowerOffHour, kComboBox, ""},
        {kIdPowerOffMinuteLabel, kStatic, "MM"},
        {kIdPowerOffMinute, kComboBox, ""},
        {kIdPowerOffSecondLabel, kStatic, "SS"},
        {kIdPowerOffSecond, kComboBox, ""},
        kSchedulerTransmit}},
      {IDD_SCHEDULER_TIME_FORMAT,
       "Time Settings",
       {{kIdTimeFormatPrompt, kStatic, "Adjust time display format:"},
        {kIdTimeFormat12Hour, kButton, "12-Hour"},
        {kIdTimeFormat24Hour, kButton, "24-Hour"},
        kSchedulerTransmit}},
      {IDD_PREDEFINED_SYMBOLS, "Pre-Defined Symbols", pictureControls()},
      {IDD_PREDEFINED_BITMAPS, "Pre-Defined Bitmaps", pictureControls()},
      {IDD_USER_BITMAPS,
       "User-Defined Bitmaps",
       {{kIdUserBitmapsPrompt, kStatic, "Select the bitmap image to insert"},
        {kIdPictureArea, kOther, ""},
        {kIdPictureInsert, kButton, "Insert"},
        {kIdUserBitmapsLoadFile, kButton, "Load File"},
        {kIdOk, kButton, "Close"}}},
      {IDD_BITMAP_CATALOG,
       "Bitmap Image Catalog",
       {{kIdCatalogFrame, kButton, "Bitmap Image Catalog"},
        {kIdCatalogScrollBar, kScrollBar, ""},
        {kIdCatalogFileFrame, kButton, "Contents of Bitmap File"},
        {kIdCatalogOpenFile, kButton, "Open Bitmap File..."},
        {kIdCatalogRemove, kButton, "Remove"},
        {kIdCatalogSaveFile, kButton, "Save Bitmap File"},
        {kIdCatalogNewFile, kButton, "New Bitmap File"},
        {kIdCatalogClearFile, kButton, "Clear Bitmap File"},
        {kIdCatalogSaveFileAs, kButton, "Save As..."},
        {kIdCatalogSend, kButton, "Send...", true},
        {kIdCatalogHiddenText1, kStatic, "", true},
        {kIdCatalogHiddenText2, kStatic, "", true},
        {kIdOk, kButton, "Close"}}},
      {IDD_SPECIAL_CHARACTERS, "Special characters", pictureControls()},
      {IDD_DIAL_UP,
       "Dial up...",
       {{kIdDialUpStatus, kStatic, ""},  // the connect status, filled at run time
        {kIdDialUpNumber, kComboBox, ""},
        {kIdDialUpDial, kButton, "Dial up", true},
        {kIdDialUpHangUpAfterSend, kButton, "Hang up when sending over", true},
        {kIdCancel, kButton, "Close"}}},
      {IDD_TCP_GROUP_SETTINGS,
       "TCP/IP Group Settings...",
       {{kIdTcpGroupListLabel, kStatic, "Available TCP/IP Groups"},
        {kIdTcpGroupList, kListBox, ""},
        {kIdTcpGroupNew, kButton, "&New TCP/IP Group"},
        {kIdTcpGroupEdit, kButton, "&Edit TCP/IP Group"},
        {kIdTcpGroupRemove, kButton, "Re&move TCP/IP Group"},
        {kIdTcpGroupRename, kButton, "&Rename TCP/IP Group"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_TCP_GROUP_ADDRESS,
       "New/Edit TCP/IP group...",
       {{kIdTcpGroupAddressLabel, kStatic, "IP Address"},
        {kIdTcpGroupAddress, kOther, ""},
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
       {{kIdSiteListLabel, kStatic, "Available Sites"},
        {kIdSiteList, kListBox, ""},
        {kIdSiteNew, kButton, "&New Site"},
        {kIdSiteEdit, kButton, "&Edit Site"},
        {kIdSiteRename, kButton, "&Rename Site"},
        {kIdSiteRemove, kButton, "Re&move Site"},
        {kIdOk, kButton, "&Close"}}},
      {IDD_GROUP_PARAMETERS,
       "Group parameters",
       {{kIdGroupAllSitesLabel, kStatic, "All Sites"},
        {kIdGroupAllSites, kListBox, ""},
        {kIdGroupIncludeSite, kButton, "&Include Site"},
        {kIdGroupRemoveSite, kButton, "&Remove Site"},
        {kIdGroupMembersLabel, kStatic, "Sites in this group"},
        {kIdGroupMembers, kListBox, ""},
        {kIdOk, kButton, "OK"},
        {kIdCancel, kButton, "Cancel"}}},
      {IDD_SITE_PARAMETERS,
       "Site parameters",
       {{kIdSiteDeviceLabel, kStatic, "Communication Device"},
        {kIdSiteDevice, kComboBox, ""},
        {kIdSiteNetworkFrame, kButton, "Network Configuration"},
        {kIdSiteTargetLabel, kStatic, "Phone Number"},
        {kIdSitePhone, kEdit, ""},
        {kIdSiteTargetList, kComboBox, ""},
        {kIdSiteAddressesLabel, kStatic, "Sign Address(es)"},
        {kIdSiteAddresses, kEdit, ""},
        {kIdSiteAddressesNote, kStatic,
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
