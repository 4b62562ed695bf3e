#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct CommandResult {
  int exitCode = -1;  // The program's exit status; -1 when it did not exit normally.
  std::string out;    // Everything written to standard output.
  std::string err;    // Everything written to standard error.
};

// Runs a program (argv[0] is its path) with standard input from /dev/null, waits for it, and
// collects both output streams.
CommandResult runCommand(const std::vector<std::string>& argv);

// Runs varnel-cli from the build tree with the given arguments.
CommandResult runCli(const std::vector<std::string>& args);

// Runs tests/mail/parse_mail.py under the system's python3 (the one Debian's mail packages serve)
// on the mail file at `path`: its output names each part with its fields as lower-case hex.
CommandResult parseMailWithPython(const std::string& path);

}  // namespace testing_support
