#include "tests/support/smtp_server.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "tests/support/temp_dir.h"

namespace testing_support {

namespace {

// The system interpreter: the one Debian's python3-aiosmtpd is installed for.
constexpr char kPython[] = "/usr/bin/python3";
constexpr int kStartTimeoutMs = 20000;

// The server script lives beside this file in the source tree.
std::string serverScript() {
  return VARNEL_SOURCE_DIR "/tests/support/smtp_server.py";
}

}  // namespace

SmtpTestServer::SmtpTestServer(Options options) : options_(std::move(options)) {}

SmtpTestServer::~SmtpTestServer() {
  stop();
}

bool SmtpTestServer::start(std::string* error) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    *error = "pipe failed";
    return false;
  }
  const std::string script = serverScript();
  std::vector<std::string> args = {kPython, script, "--maildir", options_.maildir};
  if (!options_.user.empty()) {
    args.insert(args.end(), {"--user", options_.user, "--password", options_.password});
  }
  if (!options_.refuse.empty()) args.insert(args.end(), {"--refuse", options_.refuse});
  if (options_.requireAuth) args.push_back("--require-auth");
  if (!options_.tlsCertFile.empty()) {
    args.insert(args.end(), {"--tls-cert", options_.tlsCertFile, "--tls-key", options_.tlsKeyFile});
    if (options_.implicitTls) args.push_back("--implicit-tls");
  }
  std::vector<char*> argv;
  for (std::string& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) {
    *error = "fork failed";
    ::close(out[0]);
    ::close(out[1]);
    return false;
  }
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    const int devnull = ::open("/dev/null", O_RDONLY);
    if (devnull >= 0) ::dup2(devnull, STDIN_FILENO);
    ::execv(kPython, argv.data());
    ::_exit(127);
  }
  pid_ = pid;
  ::close(out[1]);

  // The first output line is the port.
  std::string line;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[64];
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    line.append(buf, static_cast<size_t>(n));
  }
  ::close(out[0]);
  port_ = std::atoi(line.c_str());
  if (port_ <= 0) {
    *error = "the SMTP server did not start (output: \"" + line + "\")";
    stop();
    return false;
  }
  return true;
}

void SmtpTestServer::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

std::vector<std::string> SmtpTestServer::deliveredMails() const {
  std::vector<std::string> names;
  const std::string folder = options_.maildir + "/new";
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
  }
  // Python's Maildir names a mail "<seconds>.M<microseconds>P<pid>Q<count>.<host>" without
  // padding the microseconds, so the names do not sort in delivery order; the count does.
  const auto deliveryCount = [](const std::string& name) {
    const size_t q = name.find('Q');
    return q == std::string::npos ? 0UL : std::strtoul(name.c_str() + q + 1, nullptr, 10);
  };
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return deliveryCount(a) < deliveryCount(b);
  });
  std::vector<std::string> mails;
  for (const std::string& name : names)
    mails.push_back(readFile(folder + "/" + name));
  return mails;
}

}  // namespace testing_support
