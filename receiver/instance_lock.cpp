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

platform::Status InstanceLock::acquire(const std::string& dataDir) {
  using platform::Status;
  if (fd_ >= 0) return Status::success();
  const std::string path = dataDir + "/" + kLockFileName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Status::cannotOpen("Cannot open " + path + ": " + std::strerror(errno));
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int lockError = errno;
    ::close(fd);
    if (lockError == EWOULDBLOCK) return Status::refused(otherInstanceText(dataDir));
    return Status::cannotOpen("Cannot lock " + path + ": " + std::strerror(lockError));
  }
  fd_ = fd;
  return Status::success();
}

std::string otherInstanceText(const std::string& dataDir) {
  return "mailpump is already running with the data directory " + dataDir;
}

}  // namespace receiver
