#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {
namespace {

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

}  // namespace

Status writeFileAtomic(const std::string& path, std::string_view contents, mode_t mode) {
  std::string tmpl = path + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Status::cannotWrite(errnoText("Cannot create", path));
  const std::string tmpPath(name.data());
  Status status;
  if (!(::fchmod(fd, mode) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0)) {
    status = Status::cannotWrite(errnoText("Cannot write", path));
  }
  if (::close(fd) != 0 && status.ok())
    status = Status::cannotWrite(errnoText("Cannot write", path));
  if (status.ok() && ::rename(tmpPath.c_str(), path.c_str()) != 0) {
    status = Status::cannotWrite(errnoText("Cannot replace", path));
  }
  if (!status.ok()) ::unlink(tmpPath.c_str());
  return status;
}

Result<std::string> readWholeFile(const std::string& path, size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::cannotOpen(errnoText("Cannot open", path));
  std::string data;
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

}  // namespace platform
