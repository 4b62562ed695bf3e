// mailpump's receive of a whole mailbox against Python's poplib, on one loopback Dovecot: the
// mailbox is filled with 200, then 1000 plain 3 KB mails; mailpump's receive cycle (the
// command-line pump, as `mailpump --once` runs it) fetches, logs and deletes them all, then the
// mailbox is filled again and poplib fetches and deletes them all. Medians of three runs each,
// both timed from connecting to the answer of QUIT. Prints ours / poplib (target: at most 1.0) and
// the process's peak resident memory.
//
//   cmake --build build --target benchmarks && ./build/bin/bench_pop3_receive_ratio

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "receiver/receive_cycle.h"
#include "tests/receiver/receiver_fixture.h"
#include "tests/support/pop3_server.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kSizes[] = {200, 1000};
constexpr int kRuns = 3;
constexpr size_t kBodyBytes = 3000;
constexpr char kUser[] = "bench";
constexpr char kPassword[] = "bench-pw";
constexpr char kPython[] = "/usr/bin/python3";

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

void fill(testing_support::Pop3Server& server, int mails) {
  for (int i = 0; i < mails; ++i)
    server.deliver(kUser, plainMail(i));
}

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One receive cycle of mailpump's core on a fresh data directory; -1 when it fails.
double oursMs(uint16_t port) {
  testing_support::TempDir dir;
  const receiver::ReceiverPaths paths(dir.path());
  paths.createWorkingDirectories();
  receiver::ReceiverSettings settings;
  settings.mailboxes = {{"bench", "127.0.0.1", kUser, kPassword, port}};
  platform::SleepingPump pump;
  receiver_test::RecordingStatus status;
  platform::SystemClock clock;
  receiver::Receiver receiver(settings, paths, status, pump, clock);
  const auto start = std::chrono::steady_clock::now();
  const int result = receiver.ReceiveCycle();
  const double ms = msSince(start);
  return result == 1 ? ms : -1;
}

// poplib fetching and deleting every mail; the milliseconds its timed part took, -1 on failure.
double poplibMs(uint16_t port) {
  const std::string code =
      "import poplib, time\n"
      "t = time.monotonic()\n"
      "p = poplib.POP3('127.0.0.1', " +
      std::to_string(port) + ")\np.user('" + kUser + "')\np.pass_('" + kPassword +
      "')\n"
      "n = p.stat()[0]\n"
      "for i in range(1, n + 1):\n"
      "    p.retr(i)\n"
      "    p.dele(i)\n"
      "p.quit()\n"
      "print((time.monotonic() - t) * 1000)\n";
  const auto r = testing_support::runCommand({kPython, "-c", code});
  return r.exitCode == 0 ? std::stod(r.out) : -1;
}

long peakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Times one side over kRuns fresh fills of the mailbox; the median, or -1 when a run failed or
// left mails behind.
template <typename Run>
double timed(testing_support::Pop3Server& server, int mails, Run run) {
  std::vector<double> runs;
  for (int i = 0; i < kRuns; ++i) {
    fill(server, mails);
    const double ms = run();
    if (ms < 0 || server.mailCount(kUser) != 0) return -1;
    runs.push_back(ms);
  }
  return median(runs);
}

}  // namespace

int main() {
  testing_support::Pop3Server server;
  if (!testing_support::startWithUser(server, kUser, kPassword)) return 1;
  const uint16_t port = server.port();
  for (int mails : kSizes) {
    const double ours = timed(server, mails, [&] { return oursMs(port); });
    const double python = timed(server, mails, [&] { return poplibMs(port); });
    if (ours < 0 || python < 0) {
      std::fprintf(stderr, "%d mails: a run failed or left mails on the server\n", mails);
      return 1;
    }
    std::printf("%4d mails of 3 KB  ours %8.1f ms  poplib %8.1f ms  ratio %.3f\n", mails, ours,
                python, ours / python);
  }
  std::printf("peak resident memory: %ld KB\n", peakResidentKb());
  return 0;
}
