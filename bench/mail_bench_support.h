#pragma once

// What the mail benches share: test mails, timing, and the Python side of each comparison.

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

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
