#pragma once

#include <iosfwd>
#include <string>

// mailpump's window lives in a module of its own (built only with the GUI), loaded when the
// window is asked for. The program itself links no toolkit, so its window-less modes never map
// the toolkit's libraries.

namespace receiver {

// The one function the module exports: it runs the windowed program on the command line (the
// toolkit takes its own options out of it) for `dataDir` (--data-dir, or empty for the default)
// and returns the program's exit status.
inline constexpr char kWindowEntryName[] = "mailpump_window_main";
using WindowEntry = int (*)(int* argc, char** argv, const char* dataDir);

// The module's path: `relativePath` taken from the folder of the program at `programPath`
// (an absolute path); a `relativePath` that is absolute is returned as it is.
std::string windowModulePath(const std::string& programPath, const std::string& relativePath);

// The absolute path of the running program's file, or empty when it cannot be read.
std::string runningProgramPath();

// Loads the module at `modulePath` and runs its entry. 1 with the reason on `err` when the module
// cannot be loaded or has no entry; otherwise the entry's status. The module stays loaded.
int runWindowModule(const std::string& modulePath, int* argc, char** argv,
                    const std::string& dataDir, std::ostream& err);

}  // namespace receiver
