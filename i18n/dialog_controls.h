#pragma once

// Control identifiers of varnel's dialogs. The dialog table (dialog_texts.cpp) and the windows both
// use these names, so a window addresses exactly the control the language file translates. They are
// language-file keys ("IDD<dialog>_<control>") and never change. Some numbers serve different
// controls in different dialogs; each use has its own name here.
namespace i18n {

// The font and colour bar (IDD_FONT_COLOUR_BAR).
inline constexpr int kIdFontLabel = 1301;
inline constexpr int kIdFontList = 1053;
inline constexpr int kIdColourLabel = 1302;
inline constexpr int kIdColourList = 1054;

// The shared name prompt (IDD_NAME_ENTRY).
inline constexpr int kIdNameEntryPrompt = 1167;
inline constexpr int kIdNameEntry = 1000;

// About (IDD_ABOUT).
inline constexpr int kIdAboutName = 1303;
inline constexpr int kIdAboutVersion = 1304;
inline constexpr int kIdAboutDate = 1305;

// Electronic Message Center Setup (IDD_SIGN_SETUP).
inline constexpr int kIdSetupPrompt = 1306;
inline constexpr int kIdSetupWidth = 1307;
inline constexpr int kIdSetupColourFrame = 1308;
inline constexpr int kIdSetupMonochrome = 1309;
inline constexpr int kIdSetupBiColour = 1310;

// Device Settings (IDD_DEVICE_SETTINGS).
inline constexpr int kIdDeviceListLabel = 1311;
inline constexpr int kIdDeviceList = 1312;
inline constexpr int kIdDeviceDefaultFrame = 1313;
inline constexpr int kIdDeviceDefaultName = 1314;  // the default device's name
inline constexpr int kIdDeviceNew = 1315;
inline constexpr int kIdDeviceEdit = 1316;
inline constexpr int kIdDeviceRename = 1317;
inline constexpr int kIdDeviceRemove = 1318;
inline constexpr int kIdDeviceMakeDefault = 1319;

// Device Parameters (IDD_DEVICE_PARAMETERS). A device with none of the three kind boxes checked is
// a serial port.
inline constexpr int kIdDeviceKindModem = 1320;
inline constexpr int kIdDeviceKindTcpIp = 1321;
inline constexpr int kIdDeviceKindEmail = 1322;
inline constexpr int kIdDeviceConnectionFrame = 1323;  // "Modem Settings", "TCP/IP Settings", ...
inline constexpr int kIdDeviceComPortLabel = 1324;
inline constexpr int kIdDeviceComPort = 1325;
inline constexpr int kIdDeviceBaudRateLabel = 1326;
inline constexpr int kIdDeviceBaudRate = 1327;
inline constexpr int kIdDeviceIpPortLabel = 1328;
inline constexpr int kIdDeviceIpPort = 1329;
inline constexpr int kIdDeviceExternalModem = 1330;
inline constexpr int kIdDeviceInternalModem = 1331;
inline constexpr int kIdDeviceModemList = 1332;     // the installed modems
inline constexpr int kIdDeviceTimeoutLabel = 1333;  // "MAIL SERVER" for an e-mail device
inline constexpr int kIdDeviceTimeout = 1334;
inline constexpr int kIdDeviceTimeoutUnit = 1335;
inline constexpr int kIdDeviceMailServerList = 1336;

// Send option... (IDD_SEND_OPTION).
inline constexpr int kIdSendSite = 1337;
inline constexpr int kIdSendGroup = 1338;
inline constexpr int kIdSendTargetFrame = 1339;  // "Available Sites" or "Available Groups"
inline constexpr int kIdSendTargetList = 1340;

// The send progress window (IDD_SEND_PROGRESS).
inline constexpr int kIdSendProgressCommand = 1428;
inline constexpr int kIdSendProgressDestination = 1429;
inline constexpr int kIdSendProgressAddresses = 1430;
inline constexpr int kIdSendProgressStatus = 1431;
inline constexpr int kIdSendProgressBar = 1432;

// Modem Info... (IDD_MODEM_INFO).
inline constexpr int kIdModemInfoListLabel = 1341;
inline constexpr int kIdModemInfoList = 1342;
inline constexpr int kIdModemInfoInitLabel = 1343;
inline constexpr int kIdModemInfoInit = 1344;
inline constexpr int kIdModemInfoPortLabel = 1345;
inline constexpr int kIdModemInfoPort = 1346;
inline constexpr int kIdModemInfoSpeedLabel = 1347;
inline constexpr int kIdModemInfoSpeed = 1348;
inline constexpr int kIdModemInfoResetLabel = 1349;
inline constexpr int kIdModemInfoReset = 1350;

// Mail server (IDD_MAIL_SERVER).
inline constexpr int kIdMailServerAddressLabel = 1351;
inline constexpr int kIdMailServerAddress = 1352;
inline constexpr int kIdMailServerSmtpHostLabel = 1353;
inline constexpr int kIdMailServerSmtpHost = 1354;
inline constexpr int kIdMailServerSmtpPortLabel = 1355;
inline constexpr int kIdMailServerSmtpPort = 1356;
inline constexpr int kIdMailServerSmtpDefault = 1357;  // sets the SMTP port to 25
inline constexpr int kIdMailServerPop3HostLabel = 1358;
inline constexpr int kIdMailServerPop3Host = 1359;
inline constexpr int kIdMailServerPop3AccountLabel = 1360;
inline constexpr int kIdMailServerPop3Account = 1361;
inline constexpr int kIdMailServerPop3PasswordLabel = 1362;
inline constexpr int kIdMailServerPop3Password = 1363;
inline constexpr int kIdMailServerPop3PortLabel = 1364;
inline constexpr int kIdMailServerPop3Port = 1365;
inline constexpr int kIdMailServerPop3Default = 1366;  // sets the POP3 port to 110
inline constexpr int kIdMailServerNeedsAuth = 1367;
inline constexpr int kIdMailServerAuthSetup = 1368;
// The connection's security: the TLS policy and a CA file with its browse button.
inline constexpr int kIdMailServerTlsLabel = 1485;
inline constexpr int kIdMailServerTls = 1486;
inline constexpr int kIdMailServerCaFileLabel = 1487;
inline constexpr int kIdMailServerCaFile = 1488;
inline constexpr int kIdMailServerCaBrowse = 1489;

// ESMTP Server Authentication (IDD_SMTP_AUTHENTICATION).
inline constexpr int kIdSmtpAuthSameAsPop3 = 1369;
inline constexpr int kIdSmtpAuthOwnAccount = 1370;
inline constexpr int kIdSmtpAuthAccountLabel = 1371;
inline constexpr int kIdSmtpAuthAccount = 1372;
inline constexpr int kIdSmtpAuthPasswordLabel = 1373;
inline constexpr int kIdSmtpAuthPassword = 1374;

// The list of mail servers or mailboxes (IDD_MAIL_LIST).
inline constexpr int kIdMailListLabel = 1375;
inline constexpr int kIdMailList = 1376;
inline constexpr int kIdMailListNew = 1377;
inline constexpr int kIdMailListEdit = 1378;
inline constexpr int kIdMailListRemove = 1379;
inline constexpr int kIdMailListRename = 1380;

// The lists of the Insert menu's list dialogs.
inline constexpr int kIdCartoonList = 1057;
inline constexpr int kIdSpeedList = 1058;
inline constexpr int kIdPauseList = 1059;
inline constexpr int kIdBeepList = 1067;
inline constexpr int kIdEffectList = 1008;

// Every page of "Scheduler and Special Functions" carries this hidden button.
inline constexpr int kIdSchedulerTransmit = 1499;

// Scheduler page (IDD_SCHEDULER_TASKS).
inline constexpr int kIdSchedulerTaskLabel = 1381;
inline constexpr int kIdSchedulerTask = 1382;
inline constexpr int kIdSchedulerStartLabel = 1383;
inline constexpr int kIdSchedulerStartHour = 1384;
inline constexpr int kIdSchedulerStartMinute = 1385;
inline constexpr int kIdSchedulerEndLabel = 1386;
inline constexpr int kIdSchedulerEndHour = 1387;
inline constexpr int kIdSchedulerEndMinute = 1388;
inline constexpr int kIdSchedulerHourLabel = 1389;
inline constexpr int kIdSchedulerMinuteLabel = 1390;
inline constexpr int kIdSchedulerRunDateLabel = 1391;
inline constexpr int kIdSchedulerRunDate = 1392;
inline constexpr int kIdSchedulerAllFilesLabel = 1393;
inline constexpr int kIdSchedulerAllFiles = 1394;
inline constexpr int kIdSchedulerTaskFilesLabel = 1395;
inline constexpr int kIdSchedulerTaskFiles = 1396;
inline constexpr int kIdSchedulerAdd = 1397;
inline constexpr int kIdSchedulerRemove = 1398;
inline constexpr int kIdSchedulerUp = 1399;
inline constexpr int kIdSchedulerDown = 1400;

// Alarm page (IDD_SCHEDULER_ALARM).
inline constexpr int kIdAlarmCountLabel = 1401;
inline constexpr int kIdAlarmCount = 1402;
inline constexpr int kIdAlarmIntervalLabel = 1403;
inline constexpr int kIdAlarmInterval = 1404;
inline constexpr int kIdAlarmIntervalUnit = 1405;

// Hourly Alarm page (IDD_SCHEDULER_HOURLY_ALARM).
inline constexpr int kIdHourlyAlarmOn = 1406;

// Power ON page (IDD_SCHEDULER_POWER_ON).
inline constexpr int kIdPowerOnPrompt = 1407;
inline constexpr int kIdPowerOnHourLabel = 1408;
inline constexpr int kIdPowerOnHour = 1409;
inline constexpr int kIdPowerOnMinuteLabel = 1410;
inline constexpr int kIdPowerOnMinute = 1411;
inline constexpr int kIdPowerOnSecondLabel = 1412;
inline constexpr int kIdPowerOnSecond = 1413;

// Power OFF page (IDD_SCHEDULER_POWER_OFF).
inline constexpr int kIdPowerOffPrompt = 1414;
inline constexpr int kIdPowerOffHourLabel = 1415;
inline constexpr int kIdPowerOffHour = 1416;
inline constexpr int kIdPowerOffMinuteLabel = 1417;
inline constexpr int kIdPowerOffMinute = 1418;
inline constexpr int kIdPowerOffSecondLabel = 1419;
inline constexpr int kIdPowerOffSecond = 1420;

// Time Settings page (IDD_SCHEDULER_TIME_FORMAT).
inline constexpr int kIdTimeFormatPrompt = 1421;
inline constexpr int kIdTimeFormat12Hour = 1422;
inline constexpr int kIdTimeFormat24Hour = 1423;

// The picture dialogs (symbols, bitmaps, special characters, user-defined bitmaps).
inline constexpr int kIdPictureArea = 1300;
inline constexpr int kIdPictureInsert = 1090;

// User-Defined Bitmaps (IDD_USER_BITMAPS), besides the picture controls.
inline constexpr int kIdUserBitmapsPrompt = 1145;
inline constexpr int kIdUserBitmapsLoadFile = 1243;

// Bitmap Image Catalog (IDD_BITMAP_CATALOG). The buttons act on the bitmap file shown in the second
// area, not on the catalog.
inline constexpr int kIdCatalogFrame = 1163;
inline constexpr int kIdCatalogScrollBar = 1114;
inline constexpr int kIdCatalogFileFrame = 1164;
inline constexpr int kIdCatalogOpenFile = 1115;
inline constexpr int kIdCatalogRemove = 1116;
inline constexpr int kIdCatalogSaveFile = 1117;
inline constexpr int kIdCatalogNewFile = 1118;
inline constexpr int kIdCatalogClearFile = 1121;
inline constexpr int kIdCatalogSaveFileAs = 1242;
inline constexpr int kIdCatalogSend = 1122;  // hidden
inline constexpr int kIdCatalogHiddenText1 = 1119;
inline constexpr int kIdCatalogHiddenText2 = 1120;

// Dial up... (IDD_DIAL_UP).
inline constexpr int kIdDialUpStatus = 1424;
inline constexpr int kIdDialUpNumber = 1433;           // the number being dialled
inline constexpr int kIdDialUpDial = 1425;             // hidden
inline constexpr int kIdDialUpHangUpAfterSend = 1426;  // hidden

// TCP/IP Group Settings... (IDD_TCP_GROUP_SETTINGS).
inline constexpr int kIdTcpGroupListLabel = 1165;
inline constexpr int kIdTcpGroupList = 1112;
inline constexpr int kIdTcpGroupNew = 1113;
inline constexpr int kIdTcpGroupEdit = 1114;
inline constexpr int kIdTcpGroupRemove = 1115;
inline constexpr int kIdTcpGroupRename = 1224;

// New/Edit TCP/IP group... (IDD_TCP_GROUP_ADDRESS).
inline constexpr int kIdTcpGroupAddressLabel = 1157;
inline constexpr int kIdTcpGroupAddress = 1118;

// Language setting (IDD_LANGUAGE_SETTING).
inline constexpr int kIdLanguagePrompt = 1427;
inline constexpr int kIdLanguageList = 1097;

// Site Settings (IDD_SITE_SETTINGS); in group mode the same controls serve groups.
inline constexpr int kIdSiteListLabel = 1145;
inline constexpr int kIdSiteList = 1140;
inline constexpr int kIdSiteNew = 1118;
inline constexpr int kIdSiteEdit = 1199;
inline constexpr int kIdSiteRename = 1224;
inline constexpr int kIdSiteRemove = 1131;

// Group parameters (IDD_GROUP_PARAMETERS).
inline constexpr int kIdGroupAllSitesLabel = 1201;
inline constexpr int kIdGroupAllSites = 1146;
inline constexpr int kIdGroupIncludeSite = 1148;
inline constexpr int kIdGroupRemoveSite = 1149;
inline constexpr int kIdGroupMembersLabel = 1202;
inline constexpr int kIdGroupMembers = 1147;

// Site parameters (IDD_SITE_PARAMETERS). The second row depends on the device's kind: its label
// reads "Phone Number", "TCP/IP Group" or "Mailbox" and stands before the phone number or the list
// of TCP/IP groups or mailboxes.
inline constexpr int kIdSiteDeviceLabel = 1216;
inline constexpr int kIdSiteDevice = 1142;
inline constexpr int kIdSiteNetworkFrame = 1215;
inline constexpr int kIdSiteTargetLabel = 1145;
inline constexpr int kIdSitePhone = 1191;
inline constexpr int kIdSiteTargetList = 1244;
inline constexpr int kIdSiteAddressesLabel = 1217;
inline constexpr int kIdSiteAddresses = 1103;
inline constexpr int kIdSiteAddressesNote = 1218;

}  // namespace i18n
