// mailpump's receive of a whole mailbox against Python's poplib and fetchmail, on one loopback
// Dovecot. The mailbox is filled with 200, then 1000 plain 3 KB mails, afresh before every run;
// each contender fetches and deletes them all:
//   - `mailpump --once` on a fresh data directory (fetch, log, delete);
//   - /usr/bin/python3 with poplib (RETR and DELE of every mail, QUIT);
//   - fetchmail, when installed, writing every mail to one BSMTP file.
// Every contender is timed the same way: a whole process, from its start to its exit. Runs are
// interleaved (one of each in turn, the order rotating) after one warm-up round, so that a busy
// moment of the machine falls on all of them alike; the medians of kRuns runs are compared.
// Prints mailpump / poplib (target: at most 1.0), mailpump / fetchmail (target: below 1.0),
// mailpump's peak resident memory in a cycle (target: under 16 MB at 1000 mails) and, for
// comparison, its peak when it starts and ends at once. The processor time each client used is
// shown too: unlike the wall times it hardly depends on how busy the machine is.
//
//   cmake --build build --target benchmarks mailpump && ./build/bin/bench_pop3_receive_ratio
//
// An argument replaces the list of mailbox sizes, e.g. `bench_pop3_receive_ratio 50`.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "tests/receiver/receiver_fixture.h"
#include "tests/support/pop3_server.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

constexpr int kDefaultSizes[] = {200, 1000};
constexpr int kRuns = 5;
constexpr size_t kBodyBytes = 3000;
constexpr char kUser[] = "bench";
constexpr char kPassword[] = "bench-pw";
constexpr char kPython[] = "/usr/bin/python3";
constexpr char kFetchmail[] = "/usr/bin/fetchmail";

// A plain mail of about 3 KB: lines of 76 letters that differ from mail to mail.
std::string plainMail(int number) {
  std::string body;
  for (int line = 0; body.size() < kBodyBytes; ++line) {
    std::string text(76, static_cast<char>('a' + (number + line) % 26));
    text.replace(0, 12, std::to_string(number * 100 + line).append(12, ' ').substr(0, 12));
    body += text + "\r\n";
  }
  return receiver_test::plainMail("note " + std::to_string(number), body);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One run of a contender's process: its wall time and peak resident memory.
struct ProcessRun {
  bool ok = false;
  double ms = 0;
  double cpuMs = 0;  // User and system time of the process itself.
  long peakKb = 0;
};

// Runs argv[0] with its output in `logFile`, timed from the spawn to the end of wait4.
ProcessRun runProcess(const std::vector<std::string>& args, const std::string& logFile) {
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  ProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) return run;
  run.ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  run.peakKb = usage.ru_maxrss;
  run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  // fetchmail ends with 1 when there was no mail, which counts as a failure here too.
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

// A program that empties the mailbox, given the server's port and a fresh directory of its own.
struct Contender {
  const char* name;
  std::function<ProcessRun(uint16_t port, testing_support::TempDir& dir)> run;
  std::vector<double> ms;
  std::vector<double> cpuMs;
  long peakKb = 0;
};

ProcessRun runMailpump(uint16_t port, testing_support::TempDir& dir) {
  const receiver::ReceiverPaths paths(dir.path());
  receiver::ReceiverSettings settings;
  settings.mailboxes = {{"bench", "127.0.0.1", kUser, kPassword, port}};
  if (!paths.createWorkingDirectories() ||
      !receiver::saveSettingsFile(paths.settingsFile(), settings).ok())
    return {};
  return runProcess({MAILPUMP_PATH, "--data-dir", dir.path(), "--once"}, dir.file("out.txt"));
}

ProcessRun runPoplib(uint16_t port, testing_support::TempDir& dir) {
  const std::string code =
      "import poplib\n"
      "p = poplib.POP3('127.0.0.1', " +
      std::to_string(port) + ")\np.user('" + kUser + "')\np.pass_('" + kPassword +
      "')\n"
      "n = p.stat()[0]\n"
      "for i in range(1, n + 1):\n"
      "    p.retr(i)\n"
      "    p.dele(i)\n"
      "p.quit()\n";
  return runProcess({kPython, "-c", code}, dir.file("out.txt"));
}

ProcessRun runFetchmail(uint16_t port, testing_support::TempDir& dir) {
  const std::string rc = dir.file("fetchmailrc");
  testing_support::writeFile(rc, "poll 127.0.0.1 protocol pop3 port " + std::to_string(port) +
                                     " user \"" + kUser + "\" password \"" + kPassword +
                                     "\" sslproto '' fetchall nokeep bsmtp \"" +
                                     dir.file("mail.bsmtp") + "\"\n");
  ::chmod(rc.c_str(), 0600);  // fetchmail refuses a readable run-control file.
  return runProcess({kFetchmail, "--nodetach", "--silent", "-f", rc, "-i", dir.file("ids"),
                     "--pidfile", dir.file("pid")},
                    dir.file("out.txt"));
}

// Fills the mailbox, runs one contender on it and checks that it emptied it.
bool runOnce(testing_support::Pop3Server& server, int mails, Contender& who, bool counted) {
  for (int i = 0; i < mails; ++i)
    server.deliver(kUser, plainMail(i));
  testing_support::TempDir dir;
  const ProcessRun run = who.run(server.port(), dir);
  if (!run.ok || server.mailCount(kUser) != 0) {
    std::fprintf(stderr, "%s failed on %d mails:\n%s\n", who.name, mails,
                 testing_support::readFile(dir.file("out.txt")).c_str());
    return false;
  }
  if (counted) {
    who.ms.push_back(run.ms);
    who.cpuMs.push_back(run.cpuMs);
    who.peakKb = std::max(who.peakKb, run.peakKb);
  }
  return true;
}

bool benchSize(testing_support::Pop3Server& server, int mails) {
  std::vector<Contender> all = {{"mailpump", runMailpump, {}, {}, 0},
                                {"poplib", runPoplib, {}, {}, 0}};
  if (::access(kFetchmail, X_OK) == 0) all.push_back({"fetchmail", runFetchmail, {}, {}, 0});
  // Round 0 warms the server, the page cache and the programs up and is not counted.
  for (int round = 0; round <= kRuns; ++round) {
    for (size_t i = 0; i < all.size(); ++i) {
      Contender& who = all[(i + static_cast<size_t>(round)) % all.size()];
      if (!runOnce(server, mails, who, round > 0)) return false;
    }
  }
  const double ours = median(all[0].ms);
  std::printf("%4d mails of 3 KB, medians of %d:", mails, kRuns);
  for (const Contender& who : all)
    std::printf("  %s %7.1f ms", who.name, median(who.ms));
  std::printf("\n     processor time of the client itself:");
  for (const Contender& who : all)
    std::printf("  %s %7.1f ms", who.name, median(who.cpuMs));
  std::printf("\n");
  for (size_t i = 1; i < all.size(); ++i)
    std::printf("     mailpump / %-9s %.3f\n", all[i].name, ours / median(all[i].ms));
  std::printf("     mailpump peak resident memory: %ld KB\n", all[0].peakKb);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes(std::begin(kDefaultSizes), std::end(kDefaultSizes));
  if (argc > 1) sizes.assign(1, std::atoi(argv[1]));
  if (::access(kFetchmail, X_OK) != 0)
    std::printf("fetchmail is not installed: compared with poplib only\n");
  testing_support::Pop3Server server;
  if (!testing_support::startWithUser(server, kUser, kPassword)) return 1;
  for (int mails : sizes)
    if (!benchSize(server, mails)) return 1;
  // What of the peak is the program's start alone: its libraries mapped and relocated, an unknown
  // option beside --once refused before anything else is done (without --once the window would
  // start, which the receive never loads).
  testing_support::TempDir dir;
  const ProcessRun start =
      runProcess({MAILPUMP_PATH, "--once", "--no-such-option"}, dir.file("out.txt"));
  std::printf("mailpump's start alone (libraries loaded, nothing done): %ld KB\n", start.peakKb);
  return 0;
}
