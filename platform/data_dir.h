#pragma once

#include <string>

#include "platform/status.h"

namespace platform {

// Full path of the running executable's directory, with a trailing '/'. Empty when it cannot be
// determined (no /proc).
std::string executableDir();

// Chooses the data directory of a program (varnel, mailpump), always with a trailing '/':
//  - `explicitDir` when not empty (the --data-dir option); it is created when missing;
//  - else the executable's directory when the program may write there;
//  - else $XDG_DATA_HOME/<programName> (default ~/.local/share/<programName>), created when
//  missing.
// kCannotOpen, with the reason, when no usable directory can be had.
Result<std::string> resolveDataDir(const std::string& explicitDir, const std::string& programName);

// Creates `path` and its missing parents (like mkdir -p). True when the directory exists
// afterwards.
bool makeDirectories(const std::string& path);

// Joins a directory and a file name with exactly one '/' between them.
std::string joinPath(const std::string& dir, const std::string& name);

}  // namespace platform
