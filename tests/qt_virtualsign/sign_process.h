#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace virtual_sign_test {

// virtual-sign running in the background, its standard output read line by line.
class SignProcess {
 public:
  explicit SignProcess(std::vector<std::string> args) {
    args.insert(args.begin(), {VIRTUAL_SIGN_PATH, "--headless"});
    int out[2];
    if (::pipe(out) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::close(out[0]);
      std::vector<char*> argv;
      for (auto& a : args)
        argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    out_ = out[0];
  }
  ~SignProcess() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    ::close(out_);
  }

  // The next line starting with `prefix` (without it), or "" after `timeoutMs`.
  std::string lineStartingWith(const std::string& prefix, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      for (size_t nl; (nl = buffer_.find('\n')) != std::string::npos;) {
        const std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      pollfd p{out_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
      char chunk[512];
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) return {};
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

// A state file without what depends on the moment it was taken.
inline nlohmann::json stateWithoutMoment(const std::string& path) {
  nlohmann::json j = nlohmann::json::parse(testing_support::readFile(path), nullptr, false);
  if (j.is_object() && j["clock"].is_object()) j["clock"].erase("offsetSeconds");
  return j;
}

// The state file at `path`, as `read` gives it, once it equals `expected`, or as it is after ten
// seconds. A serial line has no end: the sign writes its state once the line has been quiet a
// moment.
inline nlohmann::json awaitState(const std::string& path, const nlohmann::json& expected,
                                 nlohmann::json (*read)(const std::string&) = stateWithoutMoment) {
  nlohmann::json got;
  for (int i = 0; i < 100 && !(got == expected); ++i) {
    ::usleep(100000);
    if (::access(path.c_str(), R_OK) == 0) got = read(path);
  }
  return got;
}

}  // namespace virtual_sign_test
