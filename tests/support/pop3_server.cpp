#include "tests/support/pop3_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace testing_support {

namespace {

constexpr char kDovecotBinary[] = "/usr/sbin/dovecot";
constexpr auto kStartTimeout = std::chrono::seconds(15);
constexpr auto kStopTimeout = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr size_t kLogTail = 4000;

namespace fs = std::filesystem;

// A loopback port that nobody listens on right now.
uint16_t freeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  uint16_t port = 0;
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    socklen_t len = sizeof a;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0) port = ntohs(a.sin_port);
  }
  if (fd >= 0) ::close(fd);
  return port;
}

bool acceptsConnections(uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(fd);
  return ok;
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

Pop3Server::Pop3Server() {
  std::string tmpl = "/tmp/varnel-dovecot-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (::mkdtemp(buf.data()) == nullptr) std::abort();
  dir_ = buf.data();
  // Dovecot's unprivileged processes must reach their sockets and the Maildirs below.
  ::chmod(dir_.c_str(), 0755);
  fs::create_directories(dir_ + "/mail");

  if (::geteuid() == 0) {
    loginUser_ = "dovenull";
    internalUser_ = "dovecot";
    const passwd* mailUser = ::getpwnam("dovecot");
    mailUid_ = mailUser != nullptr ? mailUser->pw_uid : 0;
    mailGid_ = mailUser != nullptr ? mailUser->pw_gid : 0;
  } else {
    const passwd* me = ::getpwuid(::geteuid());
    loginUser_ = internalUser_ = me != nullptr ? me->pw_name : "nobody";
    mailUid_ = ::geteuid();
    mailGid_ = ::getegid();
  }
}

Pop3Server::~Pop3Server() {
  stop();
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

bool Pop3Server::available() {
  return ::access(kDovecotBinary, X_OK) == 0;
}

void Pop3Server::addUser(const std::string& user, const std::string& password) {
  users_[user] = password;
  const std::string home = dir_ + "/mail/" + user;
  for (const char* sub : {"", "/new", "/cur", "/tmp"}) {
    const std::string path = home + sub;
    fs::create_directories(path);
    if (::chown(path.c_str(), mailUid_, mailGid_) != 0 && ::geteuid() == 0) std::abort();
  }
  writeUserFile();
}

void Pop3Server::writeUserFile() {
  // name:{PLAIN}password:uid:gid::home:: (the passwd-file format Dovecot reads)
  std::ostringstream out;
  for (const auto& [user, password] : users_) {
    out << user << ":{PLAIN}" << password << ':' << mailUid_ << ':' << mailGid_ << "::" << dir_
        << "/mail/" << user << "::\n";
  }
  const std::string tmp = dir_ + "/passwd.new";
  writeText(tmp, out.str());
  ::chmod(tmp.c_str(), 0644);
  // Dovecot re-reads the file when its modification time (in whole seconds) changes, so every
  // version gets a later time than the one before, even within one second.
  userFileStamp_ = std::max<time_t>(userFileStamp_ + 1, ::time(nullptr));
  const timespec times[2] = {{userFileStamp_, 0}, {userFileStamp_, 0}};
  ::utimensat(AT_FDCWD, tmp.c_str(), times, 0);
  ::rename(tmp.c_str(), (dir_ + "/passwd").c_str());
}

void Pop3Server::enableTls(const std::string& certFile, const std::string& keyFile) {
  certFile_ = certFile;
  keyFile_ = keyFile;
}

std::string Pop3Server::tlsConfig() const {
  if (certFile_.empty()) return "ssl = no\n";
  return "ssl = required\nssl_cert = <" + certFile_ + "\nssl_key = <" + keyFile_ + "\n";
}

void Pop3Server::writeConfig() const {
  std::ostringstream c;
  c << "base_dir = " << dir_ << "/run\n"
    << "state_dir = " << dir_ << "/state\n"
    << "log_path = " << dir_ << "/dovecot.log\n"
    << "protocols = pop3\n"
    << "listen = 127.0.0.1\n"
    << tlsConfig() << "disable_plaintext_auth = no\n"
    << "auth_mechanisms = plain login\n"
    << "auth_failure_delay = 0\n"
    << "auth_verbose = yes\n"
    << "default_login_user = " << loginUser_ << "\n"
    << "default_internal_user = " << internalUser_ << "\n"
    << "first_valid_uid = " << (mailUid_ == 0 ? 0 : 1) << "\n"
    << "mail_location = maildir:" << dir_ << "/mail/%u\n"
    << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " << dir_
    << "/passwd\n}\n"
    << "userdb {\n  driver = passwd-file\n  args = username_format=%u " << dir_
    << "/passwd\n}\n"
    // No growing delays for logins from an address that failed before (tests fail on purpose).
    << "service anvil {\n  unix_listener anvil-auth-penalty {\n    mode = 0\n  }\n}\n"
    << "service pop3-login {\n  inet_listener pop3 {\n    address = 127.0.0.1\n    port = " << port_
    << "\n  }\n";
  if (tlsPort_ != 0) {
    c << "  inet_listener pop3s {\n    address = 127.0.0.1\n    port = " << tlsPort_
      << "\n    ssl = yes\n  }\n";
  }
  c << "}\n";
  writeText(dir_ + "/dovecot.conf", c.str());
}

bool Pop3Server::start(std::string* error) {
  if (pid_ > 0) return true;
  if (!available()) {
    *error = std::string(kDovecotBinary) + " is not installed";
    return false;
  }
  writeUserFile();
  port_ = freeLoopbackPort();
  if (!certFile_.empty()) {
    do {
      tlsPort_ = freeLoopbackPort();
    } while (tlsPort_ == port_);
  }
  writeConfig();

  const std::string config = dir_ + "/dovecot.conf";
  const std::string output = dir_ + "/dovecot.out";
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    *error = "fork failed";
    return false;
  }
  if (pid == 0) {
    // A test program that dies (a crash, a time-out kill) takes its server with it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      ::dup2(fd, STDOUT_FILENO);
      ::dup2(fd, STDERR_FILENO);
    }
    ::execl(kDovecotBinary, "dovecot", "-F", "-c", config.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  pid_ = pid;

  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      *error = "dovecot exited at start-up: " + readText(output) + log();
      return false;
    }
    if (acceptsConnections(port_) && (tlsPort_ == 0 || acceptsConnections(tlsPort_))) return true;
    std::this_thread::sleep_for(kPollInterval);
  }
  stop();
  *error = "dovecot did not accept connections: " + readText(output) + log();
  return false;
}

void Pop3Server::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  pid_ = -1;
}

std::string Pop3Server::deliver(const std::string& user, const std::string& message) {
  const std::string home = dir_ + "/mail/" + user;
  const std::string name = std::to_string(::time(nullptr)) + ".M" + std::to_string(++delivered_) +
                           "P" + std::to_string(::getpid()) + ".varnel-test";
  const std::string tmp = home + "/tmp/" + name;
  const std::string final = home + "/new/" + name;
  writeText(tmp, message);
  if (::chown(tmp.c_str(), mailUid_, mailGid_) != 0 && ::geteuid() == 0) std::abort();
  ::rename(tmp.c_str(), final.c_str());
  return final;
}

size_t Pop3Server::mailCount(const std::string& user) const {
  size_t count = 0;
  for (const char* sub : {"/new", "/cur"}) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir_ + "/mail/" + user + sub, ec)) {
      if (entry.is_regular_file()) ++count;
    }
  }
  return count;
}

std::string Pop3Server::log() const {
  const std::string text = readText(dir_ + "/dovecot.log");
  return text.size() > kLogTail ? text.substr(text.size() - kLogTail) : text;
}

bool startWithUser(Pop3Server& server, const std::string& user, const std::string& password) {
  if (!Pop3Server::available()) {
    std::fprintf(stderr, "dovecot is not installed\n");
    return false;
  }
  server.addUser(user, password);
  std::string error;
  if (!server.start(&error)) {
    std::fprintf(stderr, "dovecot: %s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace testing_support
