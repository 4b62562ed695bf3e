#include "receiver/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace receiver {
namespace {

constexpr char kLockFileName[] = "mailpump.lock";

}  // namespace

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::acquire(const std::string& dataDir, std::string* error) {
  if (fd_ >= 0) return Result::kAcquired;
  const std::string path = dataDir + "/" + kLockFileName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (error) *error = "Cannot open " + path + ": " + std::strerror(errno);
    return Result::kFailed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int lockError = errno;
    ::close(fd);
    if (lockError == EWOULDBLOCK) return Result::kHeldElsewhere;
    if (error) *error = "Cannot lock " + path + ": " + std::strerror(lockError);
    return Result::kFailed;
  }
  fd_ = fd;
  return Result::kAcquired;
}

std::string otherInstanceText(const std::string& dataDir) {
  return "mailpump is already running with the data directory " + dataDir;
}

}  // namespace receiver
