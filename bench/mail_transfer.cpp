// Mail transfer speed against Python's standard library, on loopback, against the same servers the
// tests use (aiosmtpd for SMTP, Dovecot for POP3):
//   - RETR of a 10 MB mail with POP3Connection, and the same with poplib;
//   - delivery of a mail carrying a 5 MB attachment with CQVRSMTPConnection, and with smtplib
//     (after a warm-up, the medians of alternating runs; see benchSmtp).
// Each line prints ours / Python's (target: at most 1.0). Both sides include connecting and login.
//
//   cmake --build build --target benchmarks && ./build/bin/bench_mail_transfer

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/mail_bench_support.h"
#include "mail/mail_address.h"
#include "mail/smtp_connection.h"
#include "platform/message_pump.h"
#include "pop3/pop3_connection.h"
#include "tests/support/pop3_server.h"
#include "tests/support/smtp_server.h"
#include "tests/support/temp_dir.h"

namespace {

using mail_bench::mailWith;
using mail_bench::median;
using mail_bench::msSince;
using mail_bench::processCpuMs;
using mail_bench::pythonMs;
using mail_bench::randomBytes;
using mail_bench::report;

constexpr size_t kRetrBytes = 10u << 20;
constexpr size_t kAttachmentBytes = 5u << 20;
constexpr char kUser[] = "bench";
constexpr char kPassword[] = "bench-pw";
constexpr int kSmtpRuns = 5;

void benchPop3(testing_support::TempDir& dir) {
  (void)dir;
  if (!testing_support::Pop3Server::available()) {
    std::printf("pop3: dovecot is not installed\n");
    return;
  }
  testing_support::Pop3Server server;
  server.addUser(kUser, kPassword);
  std::string error;
  if (!server.start(&error)) {
    std::printf("pop3: %s\n", error.c_str());
    return;
  }
  server.deliver(kUser, mailWith(randomBytes(kRetrBytes * 3 / 4)));
  platform::SleepingPump pump;
  const auto start = std::chrono::steady_clock::now();
  pop3::POP3Connection pop(pump, "127.0.0.1", server.port(), kUser, kPassword, {}, {});
  pop3::MailItem item;
  const bool ok = pop.Connect() && pop.Retrieve(1, &item);
  const double ours = msSince(start);
  pop.Quit();
  if (!ok) {
    std::printf("pop3: %s\n", pop.ErrorText().c_str());
    return;
  }
  const double python = pythonMs(
      "import poplib, time\n"
      "t = time.perf_counter()\n"
      "p = poplib.POP3('127.0.0.1', " +
      std::to_string(server.port()) +
      ")\n"
      "p.user('" +
      kUser + "'); p.pass_('" + kPassword +
      "')\n"
      "p.retr(1)\n"
      "e = (time.perf_counter() - t) * 1000\n"
      "p.quit()\n"
      "print(e)\n");
  report("POP3 RETR of a 10 MB mail", ours, python);
}

// One delivery of `data` by our client, timed from before the connection to the server's answer
// to the end of the mail. Negative when it failed (said on stdout).
double oursOnce(uint16_t port, const std::string& data, double* cpuMs) {
  platform::SleepingPump pump;
  const double cpuStart = processCpuMs();
  const auto start = std::chrono::steady_clock::now();
  mail::CQVRSMTPConnection smtp(pump);
  mail::SmtpServerLogin login;
  login.host = "127.0.0.1";
  login.port = port;
  const bool ok =
      smtp.Connect(login) && smtp.SendMessage(data, {mail::MailAddress::parse("b@example.org")},
                                              mail::MailAddress::parse("a@example.org"), 65536);
  const double ms = msSince(start);
  *cpuMs = processCpuMs() - cpuStart;
  smtp.Disconnect(true);
  if (!ok) {
    std::printf("smtp: %s\n", smtp.LastErrorText().c_str());
    return -1;
  }
  return ms;
}

// The same delivery with smtplib, timed the same way inside the interpreter.
double pythonOnce(uint16_t port, const std::string& file) {
  return pythonMs(
      "import smtplib, time\n"
      "data = open('" +
      file +
      "', 'rb').read()\n"
      "t = time.perf_counter()\n"
      "s = smtplib.SMTP('127.0.0.1', " +
      std::to_string(port) +
      ")\n"
      "s.sendmail('a@example.org', ['b@example.org'], data)\n"
      "e = (time.perf_counter() - t) * 1000\n"
      "s.quit()\n"
      "print(e)\n");
}

// Both clients deliver to one server. A warm-up round (not counted) lets the server take its
// first large mail, then the clients take turns, the order alternating, and the medians of
// kSmtpRuns runs are compared, so that neither meets a colder server or a busier moment alone.
void benchSmtp(testing_support::TempDir& dir) {
  testing_support::SmtpTestServer::Options options;
  options.maildir = dir.file("maildir");
  options.user = kUser;
  options.password = kPassword;
  testing_support::SmtpTestServer server(options);
  std::string error;
  if (!server.start(&error)) {
    std::printf("smtp: %s\n", error.c_str());
    return;
  }
  const std::string data = mailWith(randomBytes(kAttachmentBytes));
  const std::string file = dir.file("mail.eml");
  testing_support::writeFile(file, data);
  std::vector<double> ours, python, oursCpu;
  for (int round = 0; round <= kSmtpRuns; ++round) {
    double cpuMs = 0;
    double a = 0, b = 0;
    if (round % 2 == 0) {
      a = oursOnce(server.port(), data, &cpuMs);
      b = pythonOnce(server.port(), file);
    } else {
      b = pythonOnce(server.port(), file);
      a = oursOnce(server.port(), data, &cpuMs);
    }
    if (a < 0 || b < 0) return;
    if (round == 0) continue;  // the warm-up
    ours.push_back(a);
    python.push_back(b);
    oursCpu.push_back(cpuMs);
  }
  report("SMTP delivery of a 5 MB attachment", median(ours), median(python));
  std::printf("%-34s our client's processor time %.1f ms (medians of %d)\n", "", median(oursCpu),
              kSmtpRuns);
}

}  // namespace

int main() {
  testing_support::TempDir dir;
  benchPop3(dir);
  benchSmtp(dir);
  return 0;
}
