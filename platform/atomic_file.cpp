#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace platform {
namespace {

// A temporary file of ours is named "<target>.tmp-" plus six random characters. Its writer holds
// an exclusive lock on it until it is renamed over the target, so one that nobody holds was left by
// a program that died in between. Where the file system has no locks, one older than
// kStaleTempSeconds counts as left behind.
constexpr std::string_view kTempMarker = ".tmp-";
constexpr size_t kTempRandomChars = 6;
constexpr time_t kStaleTempSeconds = 10 * 60;

std::string errnoText(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string directoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string randomSuffix() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static thread_local std::mt19937 rng{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof(kChars) - 2);
  std::string s;
  for (size_t i = 0; i < kTempRandomChars; ++i)
    s += kChars[pick(rng)];
  return s;
}

// True when `name` is "<base>.tmp-XXXXXX".
bool isTempNameFor(std::string_view name, std::string_view base) {
  return name.size() == base.size() + kTempMarker.size() + kTempRandomChars &&
         name.substr(0, base.size()) == base &&
         name.substr(base.size(), kTempMarker.size()) == kTempMarker;
}

// True when the temporary `name` in the directory `dirFd` has no living writer.
bool isAbandoned(int dirFd, const char* name, time_t now) {
  const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool abandoned = false;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
      abandoned = true;
    else if (errno != EWOULDBLOCK)
      abandoned = now - st.st_mtime > kStaleTempSeconds;
  }
  ::close(fd);
  return abandoned;
}

// Removes temporaries for `path` that a killed program left behind (a name is given to a
// temporary only once it is complete, or from the start where the file system has no anonymous
// files). Ones whose writer is still at work are left alone.
void removeStaleTemporaries(const std::string& path) {
  const std::string dir = directoryOf(path);
  const std::string base =
      path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  const time_t now = std::time(nullptr);
  while (const dirent* e = ::readdir(d)) {
    if (isTempNameFor(e->d_name, base) && isAbandoned(::dirfd(d), e->d_name, now))
      ::unlinkat(::dirfd(d), e->d_name, 0);
  }
  ::closedir(d);
}

// Writes, sets the mode of and flushes an open file; the status names `path` on failure.
Status fillFile(int fd, const std::string& path, std::string_view contents, mode_t mode) {
  if (::fchmod(fd, mode) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0) return {};
  return Status::cannotWrite(errnoText("Cannot write", path));
}

// Gives the anonymous file `fd` a fresh temporary name beside `path`; empty when it cannot.
std::string linkAnonymous(int fd, const std::string& path) {
  const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = path + std::string(kTempMarker) + randomSuffix();
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return name;
    if (errno != EEXIST) return {};
  }
  return {};
}

// The file is written with no name, so a killed program leaves nothing behind; it gets a name
// beside the target only when complete, and that name is at once renamed over the target.
// kFailed when the file system has no anonymous files (the caller then uses a named temporary).
Status writeAnonymous(const std::string& path, std::string_view contents, mode_t mode) {
  const int fd = ::open(directoryOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0) {
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return Status::failed("");
    return Status::cannotWrite(errnoText("Cannot create", path));
  }
  ::flock(fd, LOCK_EX);  // held until renamed: the name it gets is never taken for abandoned
  Status status = fillFile(fd, path, contents, mode);
  std::string tmpPath;
  if (status.ok()) {
    tmpPath = linkAnonymous(fd, path);
    if (tmpPath.empty()) status = Status::failed("");
  }
  if (status.ok() && ::rename(tmpPath.c_str(), path.c_str()) != 0) {
    status = Status::cannotWrite(errnoText("Cannot replace", path));
    ::unlink(tmpPath.c_str());
  }
  ::close(fd);
  return status;
}

// Creates and locks "<path>.tmp-XXXXXX"; -1 when it cannot. Another writer's clean-up may remove
// the new name before the lock is taken; then a fresh one is made.
int createLockedTemporary(const std::string& path, std::string& tmpPath) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    std::string tmpl = path + std::string(kTempMarker) + "XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return -1;
    ::flock(fd, LOCK_EX);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_nlink > 0) {
      tmpPath = name.data();
      return fd;
    }
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

Status writeNamedTemporary(const std::string& path, std::string_view contents, mode_t mode) {
  std::string tmpPath;
  const int fd = createLockedTemporary(path, tmpPath);
  if (fd < 0) return Status::cannotWrite(errnoText("Cannot create", path));
  Status status = fillFile(fd, path, contents, mode);
  if (status.ok() && ::rename(tmpPath.c_str(), path.c_str()) != 0) {
    status = Status::cannotWrite(errnoText("Cannot replace", path));
  }
  if (!status.ok()) ::unlink(tmpPath.c_str());
  if (::close(fd) != 0 && status.ok())
    status = Status::cannotWrite(errnoText("Cannot write", path));
  return status;
}

}  // namespace

Status writeFileAtomic(const std::string& path, std::string_view contents, mode_t mode) {
  removeStaleTemporaries(path);
  Status status = writeAnonymous(path, contents, mode);
  if (status.code() == Status::Code::kFailed) status = writeNamedTemporary(path, contents, mode);
  return status;
}

Result<int> openRegularFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO or a device must not wait for a writer or a carrier.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Status::cannotOpen(errnoText("Cannot open", path));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    Status failure = Status::cannotOpen(errnoText("Cannot open", path));
    ::close(fd);
    return failure;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return Status::cannotOpen("Cannot open " + path + ": not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

Result<std::string> readWholeFile(const std::string& path, size_t maxBytes) {
  const Result<int> opened = openRegularFile(path);
  if (!opened.ok()) return opened.status();
  const int fd = *opened;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && static_cast<unsigned long long>(st.st_size) > maxBytes) {
    ::close(fd);
    errno = EFBIG;
    return Status::refused("File too large: " + path);
  }
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0) {
      if (errno == EINTR) continue;
      Status failure = Status::failed(errnoText("Cannot read", path));
      ::close(fd);
      return failure;
    }
    if (n == 0) break;
    if (data.size() + static_cast<size_t>(n) > maxBytes) {
      ::close(fd);
      errno = EFBIG;
      return Status::refused("File too large: " + path);
    }
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

bool pathExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string freeAsideName(const std::string& path, std::string_view suffix) {
  const std::string first = path + std::string(suffix);
  if (!pathExists(first)) return first;
  for (int n = 2;; ++n) {
    std::string name = first + "." + std::to_string(n);
    if (!pathExists(name)) return name;
  }
}

}  // namespace platform
