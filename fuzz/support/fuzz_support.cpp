#include "fuzz/support/fuzz_support.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzing {

std::vector<std::string_view> splitRecords(std::string_view data) {
  std::vector<std::string_view> records;
  size_t start = 0;
  for (size_t at; (at = data.find(kRecordSeparator, start)) != std::string_view::npos;) {
    records.push_back(data.substr(start, at - start));
    start = at + 1;
  }
  records.push_back(data.substr(start));
  return records;
}

namespace {

[[noreturn]] void die(const char* what) {
  std::perror(what);
  std::abort();
}

void removeTree(const std::string& path) {
  if (DIR* dir = ::opendir(path.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = path + "/" + name;
      struct stat st {};
      if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        removeTree(child);
      } else {
        ::unlink(child.c_str());
      }
    }
    ::closedir(dir);
  }
  ::rmdir(path.c_str());
}

// Owns the scratch directory; the static instance removes it when the process ends normally.
struct ScratchOwner {
  std::string path;
  ScratchOwner() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/varnel-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) die("mkdtemp");
    path = pattern;
  }
  ~ScratchOwner() { removeTree(path); }
};

}  // namespace

const std::string& scratchDir() {
  static const ScratchOwner owner;
  return owner.path;
}

std::string writeScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = scratchDir() + "/" + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) die(path.c_str());
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) die(path.c_str());
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  return path;
}

void clearScratchFolder(const std::string& sub) {
  const std::string path = scratchDir() + "/" + sub;
  removeTree(path);
  if (::mkdir(path.c_str(), 0700) != 0) die(path.c_str());
}

LoopbackPeer::LoopbackPeer() {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    die("loopback peer");
  }
  socklen_t len = sizeof a;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len);
  port_ = ntohs(a.sin_port);
}

LoopbackPeer::~LoopbackPeer() {
  closeConnection();
  ::close(listenFd_);
}

void LoopbackPeer::closeConnection() {
  if (connFd_ >= 0) {
    // A reset rather than an orderly close: thousands of runs must not fill the port table with
    // connections waiting out their time.
    const linger hard{1, 0};
    ::setsockopt(connFd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(connFd_);
  }
  connFd_ = -1;
}

void LoopbackPeer::reset(std::vector<std::string> answers) {
  closeConnection();
  // A client of an earlier run that connected but was never accepted is dropped too.
  for (int stale; (stale = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
    ::close(stale);
  answers_ = std::move(answers);
  nextAnswer_ = 0;
  output_.clear();
  ending_ = false;
}

void LoopbackPeer::step() {
  if (connFd_ < 0) {
    connFd_ = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connFd_ < 0) return;
    const int one = 1;
    ::setsockopt(connFd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }
  char buf[16384];
  while (::recv(connFd_, buf, sizeof buf, 0) > 0) {
  }
  while (!output_.empty()) {
    const ssize_t n = ::send(connFd_, output_.data(), output_.size(), MSG_NOSIGNAL);
    if (n <= 0) break;
    output_.erase(0, static_cast<size_t>(n));
  }
  if (output_.empty() && ending_) ::shutdown(connFd_, SHUT_WR);
}

void LoopbackPeer::answerNext() {
  if (!output_.empty()) {
    step();  // The last answer is not all out yet.
    return;
  }
  if (nextAnswer_ < answers_.size()) {
    output_ += answers_[nextAnswer_++];
  } else {
    ending_ = true;
  }
  step();
}

void PeerPump::dispatch(int maxWaitMs) {
  now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  peer_.step();
}

void PeerPump::waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) {
  if (platform::isDescriptorReady(fd, readiness)) return;
  now_ += static_cast<uint64_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  peer_.step();
  if (readiness == Readiness::kReadable && !platform::isDescriptorReady(fd, readiness)) {
    peer_.answerNext();
  }
}

}  // namespace fuzzing
