#pragma once

// What the mail benches share: test mails, timing, and the Python side of each comparison.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "mail/base64.h"
#include "tests/support/run_command.h"

namespace mail_bench {

inline constexpr char kPython[] = "/usr/bin/python3";

inline std::string randomBytes(size_t n) {
  std::mt19937 rng(1);
  std::string s(n, '\0');
  for (char& c : s)
    c = static_cast<char>(rng());
  return s;
}

// A mail whose body is `payload` in base64 lines, with CRLF line ends.
inline std::string mailWith(const std::string& payload) {
  std::string body = mail::base64Encode(payload, mail::Base64Lines::kMailLines);
  return "From: a@example.org\r\nTo: b@example.org\r\nSubject: bench\r\n\r\n" + body + "\r\n";
}

inline double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The processor time (user and system) this process has used so far.
inline double processCpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

inline double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs a Python snippet that prints the milliseconds its timed part took.
inline double pythonMs(const std::string& code) {
  const auto r = testing_support::runCommand({kPython, "-c", code});
  if (r.exitCode != 0) {
    std::fprintf(stderr, "python failed: %s\n", r.err.c_str());
    return -1;
  }
  return std::stod(r.out);
}

inline void report(const char* what, double ours, double python) {
  std::printf("%-34s ours %8.1f ms  python %8.1f ms  ratio %.3f\n", what, ours, python,
              python > 0 ? ours / python : 0.0);
}

}  // namespace mail_bench
