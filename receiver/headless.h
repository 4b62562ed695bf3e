#pragma once

#include <csignal>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "platform/status.h"
#include "pop3/pop3_connection.h"

namespace receiver {

// The receiver without a window, for a small always-on computer wired to a sign:
//   mailpump [--data-dir DIR] --once                  one receive cycle, then exit
//   mailpump [--data-dir DIR] --headless              poll on the timer until SIGINT/SIGTERM
//   mailpump [--data-dir DIR] --export-settings       Set.dat as JSON on stdout
//   mailpump [--data-dir DIR] --import-settings FILE  Set.dat from a JSON file
// Status texts go to stderr, one per line. --once, --headless and --import-settings refuse to run
// (status 1) while another mailpump, windowed or not, holds the same data directory.

enum class HeadlessMode { kNone, kOnce, kPoll, kExport, kImport };

struct HeadlessRequest {
  HeadlessMode mode = HeadlessMode::kNone;  // kNone: start the window.
  std::string dataDir;                      // --data-dir, or empty for the default.
  std::string importFile;                   // --import-settings FILE
};

// Reads the command line (program name first). The request when the arguments are understood;
// kNone means none of the headless modes was asked for (the window starts, honouring its
// dataDir). kRefused with the reason on an unknown option, a missing value or two modes.
platform::Result<HeadlessRequest> parseHeadlessArguments(const std::vector<std::string>& args);

// What the headless modes run with; tests replace the pump, clock and streams.
struct HeadlessEnvironment {
  platform::MessagePump& pump;
  const platform::LocalClock& clock;
  std::ostream& out;
  std::ostream& err;
  // Set (by a signal handler) to end polling and the cycle under way; read between and during
  // waits.
  const volatile std::sig_atomic_t* stop = nullptr;
  pop3::Pop3Options pop3Options = {};
};

// Runs one receive cycle. Exit status 0 when the cycle ran and its last mailbox succeeded; 1 when
// the data directory or settings could not be had, no mailbox is configured, or the last mailbox
// failed (its text is on stderr). The settings are not rewritten.
int runReceiveOnce(const std::string& dataDir, HeadlessEnvironment& env);

// Polls on the timer as the window does (a cycle every interval while self-receiving is on, the
// timer stopped during a cycle) until *env.stop is set, then saves the settings. A settings file
// that exists but could not be read is left alone rather than overwritten with defaults. 0 on a
// clean end, 1 when the data directory could not be had or the settings not saved.
int runPolling(const std::string& dataDir, HeadlessEnvironment& env);

// Writes the settings as JSON to env.out. 1 (with the reason on env.err) when Set.dat cannot be
// read.
int exportSettings(const std::string& dataDir, HeadlessEnvironment& env);

// Replaces Set.dat with the settings in the JSON file (mode 0600). 1 with the reason on env.err
// when the file cannot be read, is not valid settings JSON, or Set.dat cannot be written.
int importSettings(const std::string& dataDir, const std::string& jsonFile,
                   HeadlessEnvironment& env);

// The whole headless program for a parsed request (not kNone): the system clock, a sleeping pump,
// stdout/stderr, and SIGINT/SIGTERM ending the polling mode and the cycle under way (--once too).
int headlessMain(const HeadlessRequest& request);

}  // namespace receiver
