#pragma once

#include <string>

#include "platform/status.h"

namespace platform {

// Full path of the running executable's directory, with a trailing '/'. Empty when it cannot be
// determined (no /proc).
std::string executableDir();

// The folder this build puts its programs in, with a trailing '/' (empty when the build did not
// say). A program found there runs from the build tree; anywhere else it counts as installed.
std::string buildProgramDir();

// True when `exeDir` is the build's program folder (both resolved through symbolic links).
bool isBuildProgramDir(const std::string& exeDir);

// Chooses the data directory of a program (varnel, mailpump), always with a trailing '/':
//  - `explicitDir` when not empty (the --data-dir option); it is created when missing;
//  - else, for a program run from the build tree, the executable's directory when the program
//  may write there;
//  - else (an installed program, wherever it was installed, or a build folder it may not write)
//  $XDG_DATA_HOME/<programName> (default ~/.local/share/<programName>), created when missing.
// kCannotOpen, with the reason, when no usable directory can be had.
Result<std::string> resolveDataDir(const std::string& explicitDir, const std::string& programName);

// The same choice for a program whose executable lies in `exeDir` (with a trailing '/').
Result<std::string> resolveDataDirFrom(const std::string& explicitDir,
                                       const std::string& programName, const std::string& exeDir);

// Creates `path` and its missing parents (like mkdir -p). True when the directory exists
// afterwards; otherwise errno says why (ENOTDIR when a file has the name).
bool makeDirectories(const std::string& path);

// Joins a directory and a file name with exactly one '/' between them.
std::string joinPath(const std::string& dir, const std::string& name);

}  // namespace platform
