#include "receiver/headless.h"

#include <signal.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"
#include "platform/service_notify.h"
#include "receiver/exit_sequence.h"
#include "receiver/instance_lock.h"
#include "receiver/mailbox_tls.h"
#include "receiver/receive_cycle.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_texts.h"
#include "receiver/settings_json.h"

namespace receiver {

namespace {

constexpr char kProgramName[] = "mailpump";
// Longest single wait while polling, so that a stop request is seen promptly.
constexpr int kStopCheckMs = 250;
// A settings document larger than this is not one.
constexpr size_t kMaxJsonBytes = size_t{16} << 20;

// Status texts (Windows-1252) as UTF-8 lines on a stream.
class StreamStatus final : public ReceiverStatus {
 public:
  explicit StreamStatus(std::ostream& out) : out_(out) {}
  void showStatus(const std::string& text) override {
    // One write per line: a cycle shows several lines per mail.
    out_ << platform::cp1252ToUtf8(text).append(1, '\n') << std::flush;
  }

 private:
  std::ostream& out_;
};

// The data directory, or empty with the reason written to env.err.
std::string dataDirectory(const std::string& requested, HeadlessEnvironment& env) {
  platform::Result<std::string> dir = platform::resolveDataDir(requested, kProgramName);
  if (!dir.ok()) {
    env.err << dir.message() << std::endl;
    return {};
  }
  return std::move(dir).value();
}

// Save must be there; a Logo that cannot be made is said, and the poller goes on without logs.
bool prepareDirectories(const ReceiverPaths& paths, HeadlessEnvironment& env) {
  bool saveReady = false;
  for (const std::string& problem : paths.makeWorkingDirectories(&saveReady))
    env.err << problem << std::endl;
  return saveReady;
}

bool stopRequested(const HeadlessEnvironment& env) {
  return env.stop != nullptr && *env.stop != 0;
}

volatile std::sig_atomic_t gStopSignal = 0;

void onStopSignal(int) {
  gStopSignal = 1;
}

// Takes "--name VALUE" or "--name=VALUE" at args[*i] into *value (moving *i past a separate
// value), with *matched telling whether the argument was that option; kRefused when the value is
// missing.
platform::Status optionValue(const std::vector<std::string>& args, size_t* i,
                             const std::string& name, std::string* value, bool* matched) {
  const std::string& arg = args[*i];
  *matched = false;
  if (arg == name) {
    *matched = true;
    if (*i + 1 >= args.size()) return platform::Status::refused(name + " needs a value");
    *value = args[++*i];
  } else if (arg.rfind(name + "=", 0) == 0) {
    *matched = true;
    *value = arg.substr(name.size() + 1);
  }
  return platform::Status::success();
}

// The mode a plain switch asks for; kNone for any other argument.
HeadlessMode switchedMode(const std::string& arg) {
  if (arg == "--once") return HeadlessMode::kOnce;
  if (arg == "--headless") return HeadlessMode::kPoll;
  if (arg == "--export-settings") return HeadlessMode::kExport;
  return HeadlessMode::kNone;
}

}  // namespace

platform::Result<HeadlessRequest> parseHeadlessArguments(const std::vector<std::string>& args) {
  HeadlessRequest parsed;
  std::vector<std::string> unknown;
  for (size_t i = 1; i < args.size(); ++i) {
    bool matched = false;
    platform::Status status = optionValue(args, &i, "--data-dir", &parsed.dataDir, &matched);
    if (!status.ok()) return status;
    if (matched) continue;
    HeadlessMode mode = switchedMode(args[i]);
    status = optionValue(args, &i, "--import-settings", &parsed.importFile, &matched);
    if (!status.ok()) return status;
    if (matched) mode = HeadlessMode::kImport;
    if (mode == HeadlessMode::kNone) {
      unknown.push_back(args[i]);
      continue;
    }
    if (parsed.mode != HeadlessMode::kNone && parsed.mode != mode) {
      return platform::Status::refused(
          "only one of --once, --headless, --export-settings and --import-settings may be given");
    }
    parsed.mode = mode;
  }
  // Without a headless mode the rest belongs to the window toolkit.
  if (parsed.mode != HeadlessMode::kNone && !unknown.empty()) {
    return platform::Status::refused("unknown argument: " + unknown.front());
  }
  return parsed;
}

namespace {

// Takes the data directory for this process; false (reported) while another mailpump runs on it
// or the lock cannot be had.
bool claimDataDirectory(const std::string& dir, InstanceLock* lock, HeadlessEnvironment& env) {
  const platform::Status claimed = lock->acquire(dir);
  if (!claimed.ok()) env.err << claimed.message() << std::endl;
  return claimed.ok();
}

// What a receiving mode starts from: the data directory with Save and Logo in it, and the
// settings (a damaged file reported, the defaults kept).
struct ReceiverStart {
  std::optional<ReceiverPaths> paths;  // Empty when the program cannot go on.
  ReceiverSettings settings;
  platform::Status load;
  std::unique_ptr<InstanceLock> lock = std::make_unique<InstanceLock>();
};

ReceiverStart startReceiver(const std::string& dataDir, HeadlessEnvironment& env) {
  ReceiverStart start;
  const std::string dir = dataDirectory(dataDir, env);
  if (dir.empty()) return start;
  if (!claimDataDirectory(dir, start.lock.get(), env)) return start;
  const ReceiverPaths& paths = start.paths.emplace(dir);
  start.load = loadReceiverSettings(paths, &start.settings);
  if (!start.load.ok()) env.err << platform::cp1252ToUtf8(start.load.message()) << std::endl;
  if (!prepareDirectories(paths, env)) start.paths.reset();
  return start;
}

}  // namespace

int runReceiveOnce(const std::string& dataDir, HeadlessEnvironment& env) {
  ReceiverStart start = startReceiver(dataDir, env);
  if (!start.paths) return 1;
  const ReceiverPaths& paths = *start.paths;
  const ReceiverSettings& settings = start.settings;
  StreamStatus status(env.err);
  Receiver receiver(settings, paths, status, env.pump, env.clock, env.pop3Options);
  receiver.SetStopFlag(env.stop);
  return receiver.ReceiveCycle() < 0 ? 1 : 0;
}

int runPolling(const std::string& dataDir, HeadlessEnvironment& env) {
  ReceiverStart start = startReceiver(dataDir, env);
  if (!start.paths) return 1;
  const ReceiverPaths& paths = *start.paths;
  const ReceiverSettings& settings = start.settings;

  StreamStatus status(env.err);
  status.showStatus(settings.selfReceiving ? texts::kSelfReceivingOn : texts::kSelfReceivingOff);
  Receiver receiver(settings, paths, status, env.pump, env.clock, env.pop3Options);
  // A stop ends the cycle under way too: what is saved stays in Save, the rest on the server.
  receiver.SetStopFlag(env.stop);
  // Under systemd (Type=notify) the service counts as started once the data directory is ours.
  platform::notifyServiceManager("READY=1");
  const uint64_t period = static_cast<uint64_t>(pollPeriodMs(settings));
  uint64_t due = env.pump.tickMs() + period;
  while (!stopRequested(env)) {
    const uint64_t now = env.pump.tickMs();
    if (now >= due) {
      // The timer stands still during a cycle and restarts with the same period afterwards.
      if (settings.selfReceiving) receiver.ReceiveCycle();
      due = env.pump.tickMs() + period;
      continue;
    }
    env.pump.dispatch(static_cast<int>(std::min<uint64_t>(due - now, kStopCheckMs)));
  }
  platform::notifyServiceManager("STOPPING=1");
  const platform::Status saved =
      finishReceiving(&receiver, paths, settings, start.load, SettingsEdits::kNone);
  if (!saved.ok()) {
    env.err << saved.message() << std::endl;
    return 1;
  }
  return 0;
}

int exportSettings(const std::string& dataDir, HeadlessEnvironment& env) {
  const std::string dir = dataDirectory(dataDir, env);
  if (dir.empty()) return 1;
  const ReceiverPaths paths(dir);
  ReceiverSettings settings;
  const platform::Status load = loadReceiverSettings(paths, &settings);
  if (!load.ok()) {
    env.err << platform::cp1252ToUtf8(load.message()) << std::endl;
    return 1;
  }
  env.out << settingsToJson(settings);
  env.out.flush();
  return env.out ? 0 : 1;
}

int importSettings(const std::string& dataDir, const std::string& jsonFile,
                   HeadlessEnvironment& env) {
  const platform::Result<std::string> read = platform::readWholeFile(jsonFile, kMaxJsonBytes);
  if (!read.ok()) {
    env.err << read.message() << std::endl;
    return 1;
  }
  const platform::Result<ReceiverSettings> settings = settingsFromJson(*read);
  if (!settings.ok()) {
    env.err << jsonFile << ": " << settings.message() << std::endl;
    return 1;
  }
  const std::string dir = dataDirectory(dataDir, env);
  if (dir.empty()) return 1;
  // A running mailpump would write its own settings over the imported ones at exit.
  InstanceLock lock;
  if (!claimDataDirectory(dir, &lock, env)) return 1;
  const platform::Status saved = saveReceiverSettings(ReceiverPaths(dir), *settings);
  if (!saved.ok()) {
    env.err << saved.message() << std::endl;
    return 1;
  }
  return 0;
}

int headlessMain(const HeadlessRequest& request) {
  platform::SleepingPump pump;
  platform::SystemClock clock;
  HeadlessEnvironment env{pump, clock, std::cout, std::cerr};
  if (request.mode == HeadlessMode::kOnce || request.mode == HeadlessMode::kPoll) {
    // Not restarted: a signal also cuts short the wait it arrives in.
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    env.stop = &gStopSignal;
  }
  switch (request.mode) {
    case HeadlessMode::kOnce:
      return runReceiveOnce(request.dataDir, env);
    case HeadlessMode::kPoll:
      return runPolling(request.dataDir, env);
    case HeadlessMode::kExport:
      return exportSettings(request.dataDir, env);
    case HeadlessMode::kImport:
      return importSettings(request.dataDir, request.importFile, env);
    case HeadlessMode::kNone:
      break;
  }
  return 1;
}

}  // namespace receiver
