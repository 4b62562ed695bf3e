#pragma once

#include <unistd.h>

namespace testing_support {

// Both ends of a pipe, for tests that wait on a descriptor; closed with the object. Check ok().
class PipePair {
 public:
  PipePair() { ok_ = ::pipe(fds_) == 0; }
  ~PipePair() {
    closeWriteEnd();
    if (fds_[0] >= 0) ::close(fds_[0]);
  }
  PipePair(const PipePair&) = delete;
  PipePair& operator=(const PipePair&) = delete;

  bool ok() const { return ok_; }
  int readEnd() const { return fds_[0]; }
  int writeEnd() const { return fds_[1]; }
  // Closes the write end, so the read end sees the hang-up.
  void closeWriteEnd() {
    if (fds_[1] >= 0) ::close(fds_[1]);
    fds_[1] = -1;
  }

 private:
  int fds_[2] = {-1, -1};
  bool ok_ = false;
};

}  // namespace testing_support
