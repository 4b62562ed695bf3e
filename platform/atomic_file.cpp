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

bool writeFileAtomic(const std::string& path, std::string_view contents, mode_t mode,
                     std::string* error) {
  std::string tmpl = path + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    if (error) *error = errnoText("Cannot create", path);
    return false;
  }
  const std::string tmpPath(name.data());
  bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0;
  if (!ok && error) *error = errnoText("Cannot write", path);
  if (::close(fd) != 0 && ok) {
    ok = false;
    if (error) *error = errnoText("Cannot write", path);
  }
  if (ok && ::rename(tmpPath.c_str(), path.c_str()) != 0) {
    ok = false;
    if (error) *error = errnoText("Cannot replace", path);
  }
  if (!ok) ::unlink(tmpPath.c_str());
  return ok;
}

bool readWholeFile(const std::string& path, std::string* contents, std::string* error,
                   size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = errnoText("Cannot open", path);
    return false;
  }
  std::string data;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = errnoText("Cannot read", path);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    if (data.size() + static_cast<size_t>(n) > maxBytes) {
      if (error) *error = "File too large: " + path;
      ::close(fd);
      return false;
    }
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  *contents = std::move(data);
  return true;
}

bool pathExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace platform
