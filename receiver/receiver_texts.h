#pragma once

// Mailpump's own texts. The receiver speaks fixed English (it has no language files); every text
// it shows or logs is spelled once here, byte for byte as users and their log readers know it.
// Texts with conversions are filled with i18n::formatText, never with printf.

namespace receiver::texts {

// Settings file.
inline constexpr char kSettingsOpenFailed[] = "Open site manage data file %s error!";
inline constexpr char kSettingsNotOurs[] = "This '%s' file is not this program data file.";

// Receive cycle.
inline constexpr char kNoMailbox[] =
    "The mail address for querying is blank!\nPlease press button 'New' to add it!";
inline constexpr char kResultCaptionPrefix[] = "Receive Result-";
inline constexpr char kNowQuerying[] = "Now will query %s...";
inline constexpr char kInvalidParameter[] = "ReceiveFromOne:invalidation parameter!";
inline constexpr char kNoMailboxName[] = "Please specify one POP3 server from which receive email!";
inline constexpr char kNoPop3Server[] = "POP3 server is blank,can't recieve email!";
inline constexpr char kNoAccount[] = "Account is blank,can't receive email!";
inline constexpr char kStatFailed[] = "STAT:get error respond from POP3 server!";
inline constexpr char kReceivingStatus[] = "Receiving status %d/%d";
inline constexpr char kReceivingStatusBytes[] = "Receiving status %d/%d(%d Bytes)";
inline constexpr char kSignMailText[] = "Data for Z2500 series";
inline constexpr char kLogSeparator[] =
    "------------------------------------------------------------------------\n\n\n";
inline constexpr char kDeletedMail[] =
    "delete one email which is not Z2500 data email.\nThis email's information is as "
    "follow:\nFrom:%s\nHead:%s\nSubject:%s\nBody:%s";
inline constexpr char kDisconnected[] = "Successfully disconnected";
inline constexpr char kStatusCaption[] = "Receiving status";
inline constexpr char kConnectionPrefix[] = "POP Server:%s,Account:%s--";

// Attachments.
inline constexpr char kDecoding[] = "Now is decode the affix...";
inline constexpr char kDecodeFailed[] = "Decode email affix failed!";
inline constexpr char kDecodeFailedLog[] = "Decode email affix failed,Email body is %s!";
inline constexpr char kWriting[] = "Now is write the affix to disk...";
inline constexpr char kWritten[] = "write %s successfully";
inline constexpr char kWriteFailed[] = "Create or open %s failed,OS error code=%d";
inline constexpr char kLeftOnServer[] = "The mail of %s was left on the server";
// A daily log that cannot be written: its path and the system's reason.
inline constexpr char kLogWriteFailed[] = "Cannot write the log %s: %s";
// A working directory (Save, Logo) that cannot be made at start: its path and the system's reason;
// for Logo followed by what it costs.
inline constexpr char kCannotCreateDirectory[] = "Cannot create the directory %s: %s";
inline constexpr char kNoLogFiles[] = " (no log files are written)";
inline constexpr char kRenamed[] = "The attachment %s was saved as %s";

// A mailbox's turn ended early.
inline constexpr char kConnectionLost[] =
    "The connection to the POP3 server was lost; mails not yet deleted stay on the server";
inline constexpr char kListRunFailed[] =
    "LIST failed %d times in a row; the other mails stay on the server until the next cycle";
inline constexpr char kMailTooLarge[] =
    "Mail %d is %d bytes, more than the %d bytes a mail may have; it was left on the server";
inline constexpr char kMailNotFetched[] = "Mail %d was left on the server: %s";

// Forwarding.
inline constexpr char kPortFailed[] =
    "Initalize serial com-port(COM%d) error when sending file %s!";
inline constexpr char kInvalidFile[] = "File %s is invalid Z2500 data!";
inline constexpr char kSendingFrame[] = "Now is sending (Frame %dth/%d)";
inline constexpr char kSent[] = "Send file %s successfully!";
inline constexpr char kSendStopped[] = "Sending file %s was stopped: the program is ending";

// Self-receiving switch.
inline constexpr char kSelfReceivingOn[] = "User open self-receiving";
inline constexpr char kSelfReceivingOff[] = "User close self-receiving";

// The POP3 dialog's refusals.
inline constexpr char kServerBlank[] = "POP3 Server can't be left blank!";
inline constexpr char kAccountBlank[] = "Account can't be left blank!";
inline constexpr char kServerNotCp1252[] =
    "POP3 Server can only hold Western European (Windows-1252) characters!";
inline constexpr char kAccountNotCp1252[] =
    "Account can only hold Western European (Windows-1252) characters!";
inline constexpr char kPasswordNotCp1252[] =
    "Password can only hold Western European (Windows-1252) characters!";

}  // namespace receiver::texts
