#pragma once

// Identifiers of the program's string table. Every text that varnel shows to the user has one, so
// a language file can replace it ("IDS_STRINGTABLE_<id>"). The English texts are in
// english_strings.cpp, in the same order.
//
// Identifiers the program has always used are kept as they are. New ones are taken from the free
// blocks, one block per part of the program, so that work on one never collides with another:
//   32957-32966, 33163, 33165-33171   the send windows (send option, progress, dial-up)
//   32975-32980, 32989-32999          the scheduler and special functions
//   33021                             mail and receiver robustness
//   32866-32868, 33022, 33049-33050, 33072-33073, 33097-33098  mail over TLS
//   33024-33029, 33100-33104, 33178-33187  site, group and TCP/IP group dialogs
//   33076-33081, 33106-33124          device, mail server, mailbox and modem dialogs (33081 free)
//   33082-33087, 32950-32955          keeping the address book safe on disk
//   33188-33208                       the shared name-entry dialog (33204-33208 still free)
//   33085-33087, 33104, 33184-33187   typed text that Windows-1252 cannot hold
//   109-118, 121-122                  the bitmap editor and keeping its picture data file safe
//   119-120, 123-127                  the catalog window and the view's Image Transfer File
//                                     (123-127 free; 119 also labels the editor's count)
//   32950-32955, 32996-32999          mail over TLS: the dialogs' security control
// (Identifiers must stay inside 108-128 and 32797-33208.)
// The menu commands' identifiers (i18n/menu_texts.h) are also the identifiers of their status-bar
// prompts; 32890-32896 are taken by the bitmap editor's menu commands, 108 by the ZiTi bar.

namespace i18n {

enum StringId : int {
  // Captions of message boxes.
  IDS_CAPTION_WARNING = 32869,  // "Warning!"
  IDS_CAPTION_ERROR = 32870,    // "Error"
  IDS_MAIN_TITLE = 32913,       // "Orvanta"

  // varnel's main window and its start-up dialogs.
  IDS_INVALID_SIGN_WIDTH = 32858,     // "Invalidate value,please re-enter!"
  IDS_COMMAND_NOT_AVAILABLE = 32859,  // a command whose window this version lacks
  IDS_READY = 32860,                  // the status bar's idle text
  IDS_LOW_COLOUR_SCREEN = 32861,      // "If this program run under the mode of 256 colors..."
  IDS_WORKSPACE_FILE_FILTER = 32862,  // the file dialogs' filter name for "*.SDV"
  IDS_INDICATOR_CAPS = 32863,         // "CAP"
  IDS_INDICATOR_NUM = 32864,          // "NUM"
  IDS_INDICATOR_SCROLL = 32865,       // "SCRL"

  // The editor's pop-up menus (the text area's insert commands, the margin's message commands).
  IDS_POPUP_INSERT_NEW_MESSAGE = 32871,
  IDS_POPUP_INSERT_EFFECT = 32872,
  IDS_POPUP_ADD_TIME = 32873,
  IDS_POPUP_ADD_DATE = 32874,
  IDS_POPUP_INSERT_SYMBOLS = 32875,
  IDS_POPUP_INSERT_USER_BITMAPS = 32876,
  IDS_POPUP_INSERT_PREDEFINED_BITMAPS = 32877,
  IDS_POPUP_INSERT_SPECIAL_CHARACTERS = 32878,
  IDS_POPUP_INSERT_CARTOON = 32879,
  IDS_POPUP_INSERT_BEEP = 32880,
  IDS_POPUP_INSERT_SPEED = 32881,
  IDS_POPUP_INSERT_PAUSE = 32882,
  IDS_POPUP_COMBINE_FILE = 32883,
  IDS_POPUP_DELETE_FILE = 32884,

  // Anchored control entries (value 1 first within each type).
  IDS_CARTOON_FIRST = 32847,  // 32847-32854: "MERRY X'MAS" ... "WELCOME"
  IDS_BEEP_FIRST = 32855,     // 32855-32857: "Three Beeps", "Ringing Beep", "Single Beep"
  IDS_COLOUR_FIRST = 32897,   // 32897-32912: "Red" ... "Yellow On Green"
  IDS_EFFECT_FIRST = 32914,   // 32914-32938: "Cyclic" ... "Compress Text"
  IDS_SPEED_FIRST = 32967,    // 32967-32974: "Speed 1(Fastest)" ... "Speed 8(Slowest)"
  IDS_PAUSE_FIRST = 33125,    // 33125-33132: "Pause 2S" ... "Pause 60S"

  // Message editor (the view's messages and prompts).
  IDS_MUST_INPUT_TEXT_FIRST = 32939,      // "You must first input some text before adding ..."
  IDS_TOO_MANY_MESSAGES = 32940,          // "The max number of file is 99,You can't insert ..."
  IDS_ASK_COMBINE_FILE = 32941,           // "Unit the %dth file with the next file?"
  IDS_ASK_DELETE_FILE = 32942,            // "Delete the %dth file?"
  IDS_ASK_SAVE_BEFORE_NEW = 32943,        // "Any unsaved changes ... before clearing the ..."
  IDS_ASK_SAVE_BEFORE_OPEN = 32944,       // "Any unsaved changes ... before opening file?"
  IDS_ASK_SAVE_BEFORE_EXIT = 32945,       // "Any unsaved changes ... before exiting?"
  IDS_ASK_OPEN_FOR_BLANK_SEND = 32946,    // "The current message workspace is blank, ..."
  IDS_ASK_SAVE_BEFORE_SEND_FILE = 32947,  // "You are about to open a new data file into ..."
  IDS_MESSAGE_LABEL_PREFIX = 32948,       // "Msg " (the margin label "Msg %02d")
  IDS_NO_USER_BITMAPS = 32949,            // "Sorry,there haven't Pre-Defined Bitmaps!!!"

  // Workspace files.
  IDS_ERROR_CREATE_FILE = 32982,         // "Error when create file"
  IDS_ERROR_OPEN_FILE = 32983,           // "Error when open the file"
  IDS_ASK_OLD_VERSION_FILE = 32984,      // "Is this data file created by old version of ..."
  IDS_ERROR_READING_FILE = 32985,        // "Error when reading file,You must exit!"
  IDS_CONTROL_FILE_NOT_FOUND = 32986,    // "Control File not found(*.ctl),you must exit ..."
  IDS_OLD_FILE_LOSES_SEND_LIST = 32987,  // "The version of file '%s' is %d, now  reading ..."
  IDS_FILE_VERSION_TOO_NEW = 32988,      // refusal of a file written by a newer program

  // Address book and site manage file.
  IDS_OPEN_SITE_FILE = 32814,       // "Open site manage data file"
  IDS_NOT_SITE_FILE = 33000,        // "The '%s' file is not site data file for Z2500 series."
  IDS_SITE_FILE_TOO_NEW = 33001,    // "Sorry,the '%s' file is create by NEW program,..."
  IDS_ADDRESS_EMPTY = 33002,        // "Please input address of Signs which will receive message"
  IDS_ADDRESS_FIRST_CHAR = 33003,   // "The first char must be a number,please re-enter!"
  IDS_ADDRESS_LAST_CHAR = 33004,    // "The last char must be a number,please re-enter!"
  IDS_ADDRESS_INVALID = 33005,      // "The address is invalidation,please re-enter!"
  IDS_ADDRESS_ABOVE_255 = 33006,    // a sign address above 255
  IDS_NAME_EXISTS = 33007,          // "Sorry, this name already exists, please input ..."
  IDS_SITE_IN_GROUP = 33008,        // "Site(%s) has been included by group(%s),you cannot ..."
  IDS_SITE_REMOVED = 33009,         // "The site '%s' has been removed by user,..."
  IDS_GROUP_REMOVED = 33010,        // "The group '%s' has been removed by user,..."
  IDS_DEVICE_REMOVED = 33011,       // "The device '%s' has been removed by user,..."
  IDS_DEVICE_IN_USE = 33164,        // "You cannot remove a device that is being used by a site."
  IDS_ADDRESS_BAD_ITEM = 33012,     // a sign-address list holding other characters or bad items
  IDS_SELECT_DEVICE = 33013,        // "You must first select a connect device."
  IDS_PHONE_BLANK = 33014,          // "Phone number cannot be left blank.\rPlease enter ..."
  IDS_SELECT_TCP_IP_GROUP = 33015,  // "You must select a TCP/IP group at first, ..."
  IDS_SELECT_MAILBOX = 33016,       // "You must select a mail address which will recieve ..."
  IDS_SELECT_SITES_TO_INCLUDE = 33017,  // "You must first select one or more sites from ..."
  IDS_TCP_IP_ADDRESS_EMPTY = 33018,     // "TCP/IP address can't be empty!"
  IDS_SELECT_MAIL_SERVER = 33019,       // "Please select one MAIL SERVER from MAIL SERVER ..."
  IDS_SELECT_MODEM = 33020,             // "Please select one modem at first.\r..."
  // The shared name-entry dialog: caption and prompt of each mode. The captions "New Site", "New
  // Group" and "New TCP/IP Group" also begin the captions of the dialogs that follow them.
  IDS_NAME_CAPTION_MAILBOX = 33188,       // "New Mailbox"
  IDS_NAME_PROMPT_MAILBOX = 33189,        // "Enter the new name for this mailbox:"
  IDS_NAME_CAPTION_MAIL_ADDRESS = 33190,  // "New Email Address"
  IDS_NAME_PROMPT_MAIL_ADDRESS = 33191,   // "Enter the email address for this mailbox"
  IDS_NAME_CAPTION_DEVICE = 33192,        // "New Device"
  IDS_NAME_PROMPT_DEVICE = 33193,         // "Enter the new name for this device:"
  IDS_NAME_CAPTION_SITE = 33194,          // "New Site"
  IDS_NAME_PROMPT_SITE = 33195,           // "Enter the new name for this site:"
  IDS_NAME_CAPTION_GROUP = 33196,         // "New Group"
  IDS_NAME_PROMPT_GROUP = 33197,          // "Enter the new name for this group:"
  IDS_NAME_CAPTION_TCP_IP_GROUP = 33198,  // "New TCP/IP Group"
  IDS_NAME_PROMPT_TCP_IP_GROUP = 33199,   // "Enter the new name for this TCP/IP group:"
  IDS_NAME_CAPTION_MAIL_SERVER = 33200,   // "New Mail Server"
  IDS_NAME_PROMPT_MAIL_SERVER = 33201,    // "Enter the new name for this mail server:"
  IDS_NAME_CAPTION_BITMAP_INDEX = 33202,  // "Edit existing bitmap image"
  IDS_NAME_PROMPT_BITMAP_INDEX = 33203,   // "Enter the index number of the bitmap image ..."
  // Scheduler and Special Functions.
  IDS_SCHEDULER_CAPTION = 32975,           // "Scheduler and Special Functions"
  IDS_SCHEDULER_SELECT_ALL_FILES = 32976,  // "Please select one file in 'All files' list box ..."
  IDS_SCHEDULER_SELECT_TASK_FILE = 32977,  // "Please select one file in 'Files in task' list ..."
  IDS_SCHEDULER_ENTER_INTEGER = 32978,     // "Please enter an integer."
  IDS_SCHEDULER_OK = 32979,                // "OK"
  IDS_SCHEDULER_CANCEL = 32980,            // "Cancel"
  IDS_DAY_FIRST = 32989,                   // 32989-32995: "Sunday" ... "Saturday"
  // Sign data stream and its transfer.
  IDS_SEND_SUCCESSFULLY = 32981,    // "send successfully,"
  IDS_PROGRESS_TEXT_DATA = 33133,   // "text data"
  IDS_PROGRESS_IMAGE_DATA = 33134,  // "User-Defined bitmap image data"
  IDS_PROGRESS_TIME_DATA = 33135,   // "time setting data"
  IDS_PROGRESS_CLEAR_DATA = 33136,  // "clear sign memory data"
  IDS_SENDING_FRAME = 33137,        // "Connect successfully,now is sending %s (%d/%d),..."
  IDS_SEND_FAILED = 33138,          // "send failed,"
  IDS_STREAM_TOO_LARGE = 33139,     // a block larger than the stream format can carry
  IDS_STREAM_DAMAGED = 33140,       // a stream whose blocks run past its end

  // TCP/IP link to a sign.
  IDS_TCP_IP_EMPTY = 33141,              // "IP address can't be empty.Connect failed!"
  IDS_TCP_SET_ERROR = 33142,             // "Connect type(TCP/IP) set error"
  IDS_TCP_CONNECT_TIMED_OUT = 33143,     // "Connect time out(The setting for max time is %d ..."
  IDS_TCP_CONNECT_ERROR = 33144,         // "Connect(TCP/IP) error"
  IDS_TCP_SEND_FAILED = 33145,           // "send() failed.(%s)"
  IDS_TCP_CLIENT_CLOSED = 33146,         // "Client closed connection"
  IDS_TCP_PENDING_QUERY_FAILED = 33147,  // "ioctlsocket error.(%s)"
  IDS_TCP_RECEIVE_FAILED = 33148,        // "recv() function error.(%s)"
  IDS_TCP_PEER_CLOSED = 33149,           // "The other side close the connected"

  // Send pipeline.
  IDS_NEED_SIGN_IP_ADDRESS = 33150,   // "Sorry,if you want to update message to moving-sign ..."
  IDS_TCP_CONNECTING = 33151,         // "Now is connecting %s,Please waiting..."
  IDS_MODEM_LINE_LOST = 33152,        // "The connect is hang up because some error"
  IDS_SENDING_FILE = 33153,           // "Is sending file to signs(%d/%d)"
  IDS_SENDING_CLEAR_MEMORY = 33154,   // "Is sending CLEAR MEMORY command to signs(%d/%d)"
  IDS_DESTINATION_SERIAL = 33155,     // "COM port:COM%d"
  IDS_DESTINATION_TCP = 33156,        // "TCP-IP:%s"
  IDS_DESTINATION_MODEM = 33157,      // "Modem:%s,phone no:%s"
  IDS_DESTINATION_EMAIL = 33158,      // "EMail:%s"
  IDS_DESTINATION_ADDRESSES = 33159,  // "To:%s addr."
  IDS_SELECT_SITE_OR_GROUP = 33160,   // "You must first select one site or group which will ..."
  IDS_EMAIL_NOT_AVAILABLE = 33161,    // an e-mail destination without the mail transport

  // The send windows: "Send option...", the progress window and what a send reports.
  IDS_SEND_TARGET_SITES = 32957,       // "Available Sites"
  IDS_SEND_TARGET_GROUPS = 32958,      // "Available Groups"
  IDS_SEND_IMAGE_LEFT_OUT = 32959,     // "User-defined bitmap %d cannot be sent and was left out."
  IDS_SEND_ELEMENTS_LEFT_OUT = 32960,  // "%d items without a sign code were left out ..."
  IDS_SEND_MESSAGES_LEFT_OUT = 32961,  // "The sign numbers at most 99 messages: messages %d to ..."
  IDS_SEND_NO_FRAME_WRITTEN = 32962,   // "Nothing could be written to the sign: %s"
  IDS_SEND_FRAMES_LOST = 32963,        // "%d of %d frames could not be written to the sign: %s"
  IDS_SERIAL_BAUD_REFUSED = 32964,     // "COM%d cannot be set to exactly %d baud ..."
  IDS_DEVICE_TYPE_UNKNOWN = 32965,     // "The device '%s' is of an unknown type (%d), ..."
  IDS_SEND_RUNNING = 32966,            // "A transmission is running. Please wait ..."
  IDS_SEND_ASK_STOP = 33163,           // "Stop the transmission after the current destination?"
  IDS_SEND_STOPPED = 33165,            // "not sent, the transmission was stopped,"
  IDS_SEND_RESULTS = 33166,            // "Sent to %d of %d destinations:"
  IDS_SEND_RESULT_LINE = 33167,        // "(%d/%d) %s To:%s addr. %s"

  // User-defined bitmaps: picture data file, catalog, Image Transfer Files.
  IDS_NO_TRANSFER_FILE_LOADED = 33023,       // "You must first load an Image Transfer File ..."
  IDS_PICTURE_FILE_LENGTH_ERROR = 33051,     // "The  length of bitmap image data file %s ..."
  IDS_PICTURE_FILE_NOT_OURS = 33052,         // "%s file is not the bitmap image data file ..."
  IDS_PICTURE_FILE_WIDTH_MISMATCH = 33053,   // "%s is bitmap image data file ... %dpixels ..."
  IDS_PICTURE_FILE_COLOUR_MISMATCH = 33054,  // "%s bitmap image data file is for %s, ..."
  IDS_SINGLE_COLOR_SIGN = 33055,             // "single color sign"
  IDS_TRI_COLOR_SIGN = 33056,                // "tri-color sign"
  IDS_PICTURE_FILE_UNREADABLE = 33057,       // reading an existing picture file failed
  IDS_PICTURE_FILE_SAVE_FAILED = 33058,      // writing the picture file failed
  IDS_INDEX_NOT_IN_CATALOG = 33059,          // "Index number %04d has not been added ..."
  IDS_CATALOG_FULL = 33060,                  // "Can't create a new bitmap image because ..."
  IDS_TRANSFER_FILE_FULL = 33061,            // "You have already loaded the maximum of ..."
  IDS_ASK_ADD_IMAGE_AGAIN = 33062,           // "The bitmap image you selected is already ..."
  IDS_SELECT_IMAGE_TO_REMOVE = 33063,        // "Please use left mouse to select an bitmap ..."
  IDS_IMAGE_IN_USE = 33064,                  // "This bitmap image( %04d) has been insert ..."
  IDS_ASK_SAVE_BEFORE_CLEAR = 33065,         // "This operation will clear the Image ..."
  IDS_ASK_SAVE_LIST_FILE = 33066,            // "The list file has been changed,Save it or not?"
  IDS_TRANSFER_FILE_MISSING = 33067,         // "Image Transfer File '%s' isn't exist,..."
  IDS_TRANSFER_FILE_UNREADABLE = 33068,      // reading an existing list file failed
  IDS_TRANSFER_FILE_INVALID = 33069,         // a list file with a count outside 0 to 8
  IDS_TRANSFER_FILE_SAVE_FAILED = 33070,     // writing a list file failed
  IDS_IMAGE_ALREADY_IN_CATALOG = 33071,      // adding an image whose index text is taken
  IDS_CATALOG_TOTAL = 119,                   // "Total Catalog:"
  IDS_LIST_FILE_FILTER = 120,                // the file dialogs' filter name for "*.LST"

  // The bitmap editor ("Graphic" window).
  IDS_EDITOR_CAPTION = 109,             // "Bitmap Image Workspace (7 x %d)"
  IDS_EDITOR_ASK_SAVE = 110,            // "Current bitmap image has changed. Would you like ..."
  IDS_EDITOR_ASK_MODIFY_OLD = 111,      // "You can have %d User-Defined  bitmap image at most,..."
  IDS_EDITOR_ASK_CREATE_MISSING = 112,  // "The index number that you specified does not exist..."
  IDS_EDITOR_ASK_SAVE_AS = 113,         // "This operation will save current bitmap image as ..."
  IDS_EDITOR_ASK_CLEAR = 114,           // "Are you sure you want to clear the workspace for ..."
  IDS_EDITOR_ASK_REMOVE = 115,          // "Are you sure you want to remove this bitmap image ..."
  IDS_EDITOR_COLOUR = 116,              // "Color"
  IDS_EDITOR_INDEX_NUMBER = 118,        // "Current Image Index Number:"
  IDS_EDITOR_PREVIEW_PANE = 121,        // "Preview Pane"
  IDS_EDITOR_BITMAP_IMAGES = 122,       // "Bitmap Images" (after the count of IDS_CATALOG_TOTAL)
  IDS_PICTURES_KEPT_UNREADABLE = 117,   // a picture data file that did not load is kept

  // Serial port, sign link and modem dial-up.
  IDS_CAPTION_APPLICATION_ERROR = 32956,  // "Application Error"
  IDS_SERIAL_SETUP_WARNING = 33030,       // "WARNING:  %s Failed with the following error: ..."
  IDS_SERIAL_QUEUE_ERROR = 33031,         // "'ClearCommError' function error"
  IDS_SERIAL_PORT_INIT_ERROR = 33032,     // "Initalize serial com-port error!"
  IDS_DIALING_WAIT = 33033,               // "Now is dialing up,please waitting..."
  IDS_MODEM_PORT_ERROR = 33034,           // "Get modem comport error"
  IDS_DIAL_TIMED_OUT = 33035,             // "Connect Status:\rDial time out(The max value ...%d..."
  IDS_DIAL_UP_ERROR = 33036,              // "Dial up error"
  IDS_MODEM_CONNECTED = 33037,            // "Connect Status:\rConnect successfully!"
  IDS_MODEM_RECEIVE_ERROR = 33038,        // "ReceiveChar error,%s"
  IDS_MODEM_COMMAND_OK = 33039,           // "Connect Status:\rCommand is OK!"
  IDS_MODEM_UNKNOWN_STATUS = 33040,       // "Connect Status:\rUnknow status"
  IDS_MODEM_NO_CARRIER = 33041,           // "Connect Status:\rNo carrier!"
  IDS_MODEM_INVALID_COMMAND = 33042,      // "Connect Status:\rInvalidate command!"
  IDS_MODEM_NO_DIALTONE = 33043,          // "Connect Status:\rNo dialtone!"
  IDS_MODEM_BUSY = 33044,                 // "Connect Status:\rThe other side is busy!"
  IDS_MODEM_DISCONNECTED = 33045,         // "Connect Status:\rDisconnected!"
  IDS_DIAL_CANCELLED = 33046,             // "Connect Status:\rDial up canceled by user!"
  IDS_NO_MODEM_INSTALLED = 33047,         // "No modem installed in computer"
  IDS_SERIAL_PORT_NOT_OPEN = 33048,       // writing or reading a port that is not open

  // Mail transport: sending sign data by e-mail, the SMTP client.
  IDS_MAIL_SERVER_FIELDS_BLANK = 33088,   // "The MAIL server , mail address of sending mail ,..."
  IDS_MAIL_SERVER_DELETED = 33089,        // "Group %s(MAIL SERVER) has been deleted by user,..."
  IDS_MAIL_RENDER_FAILED = 33090,         // "Couldn't save to memory file!, Error:%d"
  IDS_MAIL_CONNECTING = 33091,            // "Connecting MAIL SERVER:%s"
  IDS_MAIL_CONNECT_FAILED = 33092,        // "Couldn't connect to server!, Error:%d"
  IDS_MAIL_SEND_FAILED = 33093,           // "Couldn't send message!\rResponse:%s"
  IDS_SMTP_SEND_FAILED = 33094,           // "Failed in call to send MAIL command, ..."
  IDS_SMTP_MAIL_REFUSED = 33095,          // "An unexpected MAIL response was received"
  IDS_SMTP_DATA_REFUSED = 33096,          // "SendMessage, An unexpected DATA response was received"
  IDS_MAILBOX_DELETED = 33105,            // "Group %s(Recv Mailbox) has been deleted by user,..."
  IDS_MAIL_SOCKET_CREATE_FAILED = 33172,  // "Unable to create the socket."
  IDS_POP3_SERVER_BLANK = 33173,          // "The POP3 SERVER can't be left blank"
  IDS_POP3_ACCOUNT_BLANK = 33174,         // "The POP3 Account can't be left blank"
  IDS_AUTH_ACCOUNT_BLANK = 33175,         // "The account for authentication can't be left blank!"
  IDS_SMTP_SERVER_BLANK = 33074,          // "The SMTP can't be left blank!"
  IDS_MAIL_ADDRESS_BLANK = 33075,         // "The Mailbox can't be left blank!"
  IDS_SMTP_CREATE_SOCKET_FAILED = 33176,  // "Connect, Failed to create client socket, ..."
  IDS_SMTP_CONNECT_FAILED = 33177,        // "Connect, Could not connect to the MAIL server %s ..."

  // Site, group and TCP/IP group dialogs.
  IDS_SELECT_AVAILABLE_SITE = 33024,          // "You must first select an available site."
  IDS_SELECT_AVAILABLE_GROUP = 33025,         // "You must first select an available group."
  IDS_ASK_REMOVE_RECORD = 33026,              // "Are you sure you wish to remove", then the name
  IDS_SELECT_TCP_IP_GROUP_TO_REMOVE = 33027,  // "Please select a group to be deleted at first!"
  IDS_ASK_REMOVE_TCP_IP_GROUP = 33028,        // "Are you sure to remove group '%s'?"
  IDS_GROUP_SETTINGS_CAPTION = 33029,         // "Group Settings" (Site Settings in group mode)
  IDS_AVAILABLE_GROUPS = 33100,               // "Available Groups"
  IDS_REMOVE_GROUP = 33101,                   // "Remove Group"
  IDS_SITE_TARGET_TCP_IP_GROUP = 33102,       // "TCP/IP Group" (Site parameters' second row)
  IDS_SITE_TARGET_MAILBOX = 33103,            // "Mailbox"
  IDS_CAPTION_EDIT_SITE = 33178,              // "Edit Site"
  IDS_CAPTION_RENAME_SITE = 33179,            // "Rename Site"
  IDS_CAPTION_EDIT_GROUP = 33180,             // "Edit Group"
  IDS_CAPTION_RENAME_GROUP = 33181,           // "Rename Group"
  IDS_CAPTION_EDIT_TCP_IP_GROUP = 33182,      // "Edit TCP/IP Group"
  IDS_CAPTION_RENAME_TCP_IP_GROUP = 33183,    // "Rename TCP/IP Group"

  // Device Settings, Device Parameters, the mail server and mailbox lists, Modem Info.
  IDS_SELECT_AVAILABLE_DEVICE = 33076,     // "You must first select an available device."
  IDS_SELECT_ITEM_TO_EDIT = 33077,         // "Please first select one item to edit!"
  IDS_SELECT_ITEM_TO_REMOVE = 33078,       // "Please first select one item to remove!"
  IDS_CONFIRM_REMOVE_ITEM = 33079,         // "Are you sure to remove this item?"
  IDS_ASSIGN_DEFAULT_DEVICE = 33080,       // "You must assign a default device before closing."
  IDS_SELECT_COM_PORT = 33106,             // "Please select one comport at first.\r..."
  IDS_SELECT_BAUD_RATE = 33107,            // "Please select one baud rate at first."
  IDS_ENTER_IP_PORT = 33108,               // "Please enter one integer as IP port."
  IDS_ENTER_TIMEOUT = 33109,               // a time-out that is not a number of seconds in range
  IDS_DEVICE_CAPTION_EDIT = 33110,         // "Edit Device"
  IDS_DEVICE_CAPTION_RENAME = 33111,       // "Rename Device"
  IDS_DEVICE_FRAME_TCP_IP = 33112,         // "TCP/IP Settings"
  IDS_DEVICE_FRAME_EMAIL = 33113,          // "Email Settings"
  IDS_DEVICE_TCP_IP_TIMEOUT = 33114,       // "TCP/IP connect time out"
  IDS_DEVICE_MAIL_SERVER_LABEL = 33115,    // "MAIL SERVER"
  IDS_MAIL_SERVER_CAPTION_EDIT = 33116,    // "Edit Mail Server"
  IDS_MAIL_SERVER_CAPTION_RENAME = 33117,  // "Rename Mail Server"
  IDS_MAILBOX_LIST_CAPTION = 33118,        // "Mailbox Settings"
  IDS_MAILBOX_LIST_LABEL = 33119,          // "Available Mailboxes"
  IDS_MAILBOX_EDIT = 33120,                // "Edit Mailbox"
  IDS_MAILBOX_REMOVE = 33121,              // "Remove Mailbox"
  IDS_MAILBOX_RENAME = 33122,              // "Rename Mailbox"
  IDS_MAIL_ADDRESS_CAPTION_NEW = 33123,    // "New Mail Address"
  IDS_MAIL_ADDRESS_CAPTION_EDIT = 33124,   // "Edit Mail Address"

  // Keeping the address book safe on disk.
  IDS_BOOK_KEPT_UNREADABLE = 33082,    // a site manage file that did not load is kept as it is
  IDS_BOOK_CHANGED_ELSEWHERE = 33083,  // another program changed the file: read it again?
  IDS_BOOK_MOVE_ASIDE_FAILED = 33084,  // that file could not be moved aside, nothing was written

  // Mail and receiver robustness.
  IDS_MAIL_REPLY_TIMED_OUT = 33021,  // "The MAIL server did not answer within %d seconds!"

  // Typed text that Windows-1252 cannot hold: the name-entry dialog, the mail server dialog and
  // the authentication dialog.
  IDS_TYPED_TEXT_NOT_CP1252 = 33085,     // the name-entry dialog's field
  IDS_MAIL_ADDRESS_NOT_CP1252 = 33086,   // "The Internet Mail Address can only hold ..."
  IDS_SMTP_SERVER_NOT_CP1252 = 33087,    // "The SMTP SERVER can only hold ..."
  IDS_POP3_SERVER_NOT_CP1252 = 33104,    // "The POP3 SERVER can only hold ..."
  IDS_POP3_ACCOUNT_NOT_CP1252 = 33184,   // "The POP3 Account can only hold ..."
  IDS_POP3_PASSWORD_NOT_CP1252 = 33185,  // "The POP3 Password can only hold ..."
  IDS_AUTH_ACCOUNT_NOT_CP1252 = 33186,   // "The account for authentication can only hold ..."
  IDS_AUTH_PASSWORD_NOT_CP1252 = 33187,  // "The password for authentication can only hold ..."

  // Files of the send and the import that cannot be made.
  IDS_SIGN_DATA_FILE_FAILED = 33205,  // "Cannot make the sign data file to send: %s"
  IDS_SERIAL_LINE_LOST = 33207,       // "The serial line was lost during the transfer: %s"
  IDS_MAIL_FIELD_LINE_BREAK = 33206,  // "A mail address holds a line break: %s"

  // Mail over TLS: why a secure connection to a mail server failed (33098 still free).
  IDS_TLS_CERT_EXPIRED = 32866,         // "The certificate of the mail server %s has expired."
  IDS_TLS_WRONG_HOST = 32867,           // "The certificate of the mail server is not for %s."
  IDS_TLS_UNKNOWN_ISSUER = 32868,       // "... %s comes from an unknown issuer. ..."
  IDS_TLS_UNTRUSTED = 33022,            // "... %s could not be verified: %s"
  IDS_TLS_HANDSHAKE_FAILED = 33049,     // "The secure connection (TLS) to ... %s failed: %s"
  IDS_TLS_UPGRADE_REFUSED = 33050,      // "The mail server %s refused to start TLS: %s"
  IDS_TLS_NOT_OFFERED = 33072,          // "The mail server %s does not offer TLS, ..."
  IDS_TLS_CA_FILE_UNREADABLE = 33073,   // "The CA file %s could not be read: %s"
  IDS_TLS_PLAIN_AFTER_UPGRADE = 33097,  // "... sent data in the clear after agreeing to ..."
  // Mail over TLS: the security control of the POP3 and mail server dialogs.
  IDS_TLS_REQUIRED = 32950,         // "TLS required"
  IDS_TLS_WHEN_OFFERED = 32951,     // "STARTTLS when offered"
  IDS_TLS_PLAIN = 32952,            // "Plain text (not encrypted)"
  IDS_TLS_CA_FILE_REFUSED = 32953,  // "The CA file %s cannot be read."
  IDS_TLS_LABEL = 32954,            // "Connection security"
  IDS_TLS_CA_FILE_LABEL = 32955,    // "CA file (empty: the system's)"
  IDS_TLS_BROWSE = 32996,           // "Bro&wse..."
  IDS_TLS_CA_FILE_TITLE = 32997,    // "Choose the CA file"
  IDS_TLS_CA_FILE_FILTER = 32998,   // "Certificates (*.pem *.crt *.cer)"
};

}  // namespace i18n
