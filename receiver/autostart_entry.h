#pragma once

#include <string>

#include "platform/status.h"

namespace receiver {

// Starting mailpump with the user's session. The desktop's autostart folder holds one entry for
// it, "mailpump.desktop"; ticking "Auto run when system start up" writes it and clearing the box
// removes it. The entry keeps the program's traditional run name in X-Varnel-Run-Name.
inline constexpr char kAutostartFileName[] = "mailpump.desktop";
inline constexpr char kAutostartRunName[] = "NORVATEK";

// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when XDG_CONFIG_HOME is unset or not an
// absolute path. Empty when neither it nor HOME is set.
std::string autostartDirectory();

// The full path of the entry file; empty when there is no autostart directory.
std::string autostartEntryPath();

// One argument of the entry's Exec line, quoted and escaped as desktop entries require: plain
// words stay as they are, anything else goes in double quotes with '"', '`', '$' and '\' escaped;
// '%' is doubled so it is never taken for a field code.
std::string quoteExecArgument(const std::string& argument);

// The entry's text. `programPath` is the absolute path of the program; `dataDir`, when not empty,
// is passed on as --data-dir so the session starts the program on the same files.
std::string autostartEntryText(const std::string& programPath, const std::string& dataDir);

// Writes the entry (creating the autostart directory). kRefused when the paths cannot be written
// into an entry (a line break in them), kCannotOpen without an autostart directory, kCannotWrite
// when the directory or the file cannot be written.
platform::Status writeAutostartEntry(const std::string& programPath, const std::string& dataDir);

// Removes the entry; success when it is absent afterwards, kCannotWrite otherwise.
platform::Status removeAutostartEntry();

}  // namespace receiver
