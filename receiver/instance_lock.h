#pragma once

#include <string>

#include "platform/status.h"

namespace receiver {

// The claim of one running mailpump on a data directory: an exclusive lock on "mailpump.lock"
// there, held for as long as the object lives. The lock goes with the process however it ends, so
// a crash leaves nothing that blocks the next start. The window and the headless modes take the
// same lock, so two of them never poll the same mailboxes, drive the same serial line or rewrite
// the same Set.dat.
class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Claims `dataDir` for this process (success too when it is held already). kRefused with
  // otherInstanceText() while another running mailpump holds it; kCannotOpen when the lock file
  // could not be made or locked.
  platform::Status acquire(const std::string& dataDir);
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The text for a start refused because another mailpump holds the data directory.
std::string otherInstanceText(const std::string& dataDir);

}  // namespace receiver
