// RETR of a 10 MB mail over TLS (implicit, Dovecot's POP3S listener, certificate verified against
// a CA made for the run) with POP3Connection, against Python's poplib.POP3_SSL on the same server
// and mail. Each side connects, verifies, logs in and retrieves; the median of kRuns is compared.
// Prints ours / Python's (target: at most 1.0).
//
//   cmake --build build --target bench_pop3_tls_ratio && ./build/bin/bench_pop3_tls_ratio

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/mail_bench_support.h"
#include "platform/message_pump.h"
#include "pop3/pop3_connection.h"
#include "tests/support/pop3_server.h"
#include "tests/support/test_certificates.h"

namespace {

constexpr size_t kRetrBytes = 10u << 20;
constexpr int kRuns = 5;
constexpr char kUser[] = "bench";
constexpr char kPassword[] = "bench-pw";

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One fetch with POP3Connection; negative when it failed.
double oursMs(const testing_support::Pop3Server& server, const std::string& caFile) {
  platform::SleepingPump pump;
  pop3::Pop3Options options;
  options.tls = {platform::TlsPolicy::kRequired, caFile};
  options.implicitTlsPort = server.tlsPort();
  const auto start = std::chrono::steady_clock::now();
  pop3::POP3Connection pop(pump, "127.0.0.1", server.tlsPort(), kUser, kPassword, {}, {}, options);
  pop3::MailItem item;
  const bool ok = pop.Connect() && pop.Retrieve(1, &item);
  const double ms = mail_bench::msSince(start);
  pop.Quit();
  if (!ok) std::fprintf(stderr, "pop3: %s\n", pop.ErrorText().c_str());
  return ok ? ms : -1;
}

// The median of kRuns fetches with poplib.POP3_SSL, verifying against the same CA.
double pythonMedianMs(const testing_support::Pop3Server& server, const std::string& caFile) {
  return mail_bench::pythonMs(
      "import poplib, ssl, statistics, time\n"
      "ctx = ssl.create_default_context(cafile='" +
      caFile +
      "')\n"
      "times = []\n"
      "for _ in range(" +
      std::to_string(kRuns) +
      "):\n"
      "    t = time.perf_counter()\n"
      "    p = poplib.POP3_SSL('127.0.0.1', " +
      std::to_string(server.tlsPort()) +
      ", context=ctx)\n"
      "    p.user('" +
      kUser + "'); p.pass_('" + kPassword +
      "')\n"
      "    p.retr(1)\n"
      "    times.append((time.perf_counter() - t) * 1000)\n"
      "    p.quit()\n"
      "print(statistics.median(times))\n");
}

}  // namespace

int main() {
  const testing_support::TestCertificates certificates;
  using Server = testing_support::TestCertificates::Server;
  testing_support::Pop3Server server;
  server.enableTls(certificates.certFile(Server::kGood), certificates.keyFile(Server::kGood));
  if (!testing_support::startWithUser(server, kUser, kPassword)) return 1;
  server.deliver(kUser, mail_bench::mailWith(mail_bench::randomBytes(kRetrBytes * 3 / 4)));

  std::vector<double> ours;
  for (int i = 0; i < kRuns; ++i) {
    const double ms = oursMs(server, certificates.caFile());
    if (ms < 0) return 1;
    ours.push_back(ms);
  }
  const double python = pythonMedianMs(server, certificates.caFile());
  if (python < 0) return 1;
  mail_bench::report("POP3S RETR of a 10 MB mail", median(ours), python);
  return 0;
}
