#pragma once

#include <sys/resource.h>

#include <csignal>

namespace testing_support {

// A disk that refuses writes, for as long as the object lives: files of this process and of the
// children it starts cannot grow past `bytes`, and a write past it fails with EFBIG ("File too
// large") instead of raising SIGXFSZ. A full file system cannot be made without mounting one, and
// as root a read-only mode does not stop a write; the limit stops it for everyone.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{bytes, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = SIG_DFL;
};

}  // namespace testing_support
