// One receive cycle of mailpump's core against Dovecot on loopback: a mailbox of 200 mails, 20 of
// them sign data, all fetched, logged or decoded, deleted, and the 20 files forwarded to a
// pseudo-terminal standing in for the sign. The sign's pauses between units are skipped (the
// clock moves on without sleeping), so the figure is the program's own work and the servers'.
// Prints mails per second and the process's peak resident memory.
//
//   cmake --build build --target benchmarks && ./build/bin/bench_receive_cycle

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "platform/com_ports.h"
#include "platform/profile_file.h"
#include "receiver/receive_cycle.h"
#include "signlink/sign_data_file.h"
#include "tests/receiver/receiver_fixture.h"
#include "tests/support/pop3_server.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kMails = 200;
constexpr int kSignMailEvery = 10;  // 20 of the 200.
constexpr char kUser[] = "bench";
constexpr char kPassword[] = "bench-pw";

std::string randomText(std::mt19937& rng, size_t n) {
  std::string s(n, ' ');
  for (char& c : s)
    c = static_cast<char>('a' + rng() % 26);
  for (size_t i = 76; i < n; i += 78)
    s.replace(i, 2, "\r\n");
  return s;
}

// A sign data file whose text block holds `text`.
std::string signFile(const std::string& text) {
  std::string stream(1, '\x01');
  stream.push_back(static_cast<char>(text.size() >> 8));
  stream.push_back(static_cast<char>(text.size() & 0xFF));
  return signlink::signDataFileBytes(stream + text);
}

long peakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  testing_support::Pop3Server server;
  if (!testing_support::startWithUser(server, kUser, kPassword)) return 1;

  std::mt19937 rng(7);
  size_t mailBytes = 0;
  for (int i = 0; i < kMails; ++i) {
    std::string mail;
    if (i % kSignMailEvery == 0) {
      char name[40];
      std::snprintf(name, sizeof name, "Z2500202612081%05d.bin", i);
      mail = receiver_test::signMail(name, signFile(randomText(rng, 1500)));
    } else {
      mail = receiver_test::plainMail("note " + std::to_string(i),
                                      randomText(rng, 500 + rng() % 20000) + "\r\n");
    }
    mailBytes += mail.size();
    server.deliver(kUser, mail);
  }

  testing_support::TempDir dir;
  testing_support::PtyPair sign;
  const receiver::ReceiverPaths paths(dir.path());
  paths.createWorkingDirectories();
  platform::ProfileFile(paths.profileFile())
      .writeString(platform::kPortsSection, "COM1", sign.slavePath());
  receiver::ReceiverSettings settings;
  settings.mailboxes = {{"bench", "127.0.0.1", kUser, kPassword, server.port()}};
  receiver_test::SkippingPump pump;
  receiver_test::RecordingStatus status;
  platform::SystemClock clock;
  receiver::Receiver receiver(settings, paths, status, pump, clock);

  const long memoryBefore = peakResidentKb();
  sign.startCollecting();
  const auto start = std::chrono::steady_clock::now();
  const int result = receiver.ReceiveCycle();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const size_t forwarded = sign.stopCollecting().size();

  if (result != 1 || server.mailCount(kUser) != 0) {
    std::fprintf(stderr, "the cycle failed (result %d, %zu mails left)\n", result,
                 server.mailCount(kUser));
    return 1;
  }
  std::printf("receive cycle: %d mails (%zu KB), %d sign data, %zu bytes to the sign\n", kMails,
              mailBytes / 1024, kMails / kSignMailEvery, forwarded);
  std::printf("  %.2f s, %.1f mails/s (sign pauses of %zu waits skipped)\n", seconds,
              kMails / seconds, pump.skippedWaits().size());
  std::printf("  peak resident memory: %ld KB (%ld KB before the cycle)\n", peakResidentKb(),
              memoryBefore);
  return 0;
}
