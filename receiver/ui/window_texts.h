#pragma once

// The texts of mailpump's window, dialogs and tray icon: fixed English like the rest of the
// receiver (receiver/receiver_texts.h holds those of the receive cycle), spelled once here.

namespace receiver::ui::texts {

inline constexpr char kWindowTitle[] = "EMail-V1.6";

// Mailbox list and its commands.
inline constexpr char kMailboxList[] = "Mail address for querying";
inline constexpr char kNew[] = "New";
inline constexpr char kEdit[] = "Edit";
inline constexpr char kRename[] = "Rename";
inline constexpr char kRemove[] = "Remove";
inline constexpr char kSelectToModify[] = "Please first select one item to modify!";
inline constexpr char kSelectToRename[] = "Please first select one item to re-name!";
inline constexpr char kSelectToRemove[] = "Please first select one item to remove!";
inline constexpr char kConfirmRemove[] = "Are you sure want to remove this item?";
inline constexpr char kPromptTitle[] = "Prompt";
inline constexpr char kWarningTitle[] = "Warning!";

// Name dialog.
inline constexpr char kNameDialogTitle[] = "Please input name";
inline constexpr char kNameLabel[] = "Group name";

// POP3 dialog.
inline constexpr char kServerDialogTitle[] = "POP3 Server Setting";
inline constexpr char kServerLabel[] = "POP3 SERVER";
inline constexpr char kAccountLabel[] = "Account";
inline constexpr char kPasswordLabel[] = "Password";
inline constexpr char kPortLabel[] = "Pop3 Server Port";

// Options and commands.
inline constexpr char kOptionsGroup[] = "Options";
inline constexpr char kCheckMailEvery[] = "Check mail every";
inline constexpr char kSeconds[] = "seconds";
inline constexpr char kComPortLabel[] = "Sign on port";
inline constexpr char kAutorun[] = "Auto run when system start up";
inline constexpr char kReceiveManually[] = "Receive manually";
inline constexpr char kHelp[] = "Help";
inline constexpr char kExit[] = "Exit";
inline constexpr char kHelpText[] =
    "    First,you must press button NEW to add at least one mail address which program query.You "
    "must specify POP3 server,Account,Password and POP3 server port(default is 110) for each mail "
    "address,if you don't know these informations,please ask your network "
    "administrator.NOTE:If there are mails in mail address which list in 'Mail address for "
    "querying' list box,and these mails are not Z2500 series data,program will delete these mails "
    "from mail box! So suggest that user can only use this mail address to receive Z2500 series "
    "data mail.\n\n    If you want program receive mail and send the mail to sign "
    "automatically, you must select 'Check mail' check box and specify the interval for "
    "querying.\n\n    Last,you must specify the COM Port which connect to sign with "
    "commulication line.";

// About box, reached from the window's menu.
inline constexpr char kWindowMenu[] = "&Mailpump";
inline constexpr char kAboutCommand[] = "About Mailpump(&A)...";
inline constexpr char kAboutTitle[] = "About Mailpump";
inline constexpr char kAboutVersion[] = "Mailpump 1.6 version";
inline constexpr char kAboutDate[] = "Date:February  16,2006";

// Tray icon.
inline constexpr char kTrayTip[] = "RecvMail";
inline constexpr char kShowMe[] = "Show Me";
inline constexpr char kHideMe[] = "Hide Me";

// Start-up.
inline constexpr char kSecondStartFailed[] =
    "mailpump is already running for this data directory but did not answer";

}  // namespace receiver::ui::texts
