#include "receiver/save_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"
#include "platform/data_dir.h"

namespace receiver {

namespace {

constexpr char kEmptyName[] = "attachment";
// Extensions longer than this are cut with the rest of an over-long name.
constexpr size_t kMaxKeptExtension = 16;
// Copies of one name tried before giving up.
constexpr int kMaxCopies = 10000;
constexpr char kTempPattern[] = ".saving-XXXXXX";

bool isControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == 0x7F;
}

// The position of a short extension's dot, or npos.
size_t extensionAt(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || name.size() - dot > kMaxKeptExtension) {
    return std::string::npos;
  }
  return dot;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

int syncDirectory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

// Writes and syncs a new temporary file in `dir`; its path in *tmp. 0 or the errno value.
int writeTemporary(const std::string& dir, std::string_view bytes, std::string* tmp) {
  std::string pattern = platform::joinPath(dir, kTempPattern);
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  errno = 0;
  int error = 0;
  if (::fchmod(fd, platform::kDataFileMode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
    error = errno != 0 ? errno : EIO;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(pattern.c_str());
    return error;
  }
  *tmp = std::move(pattern);
  return 0;
}

// Gives the written file `tmp` the name `path` unless a file has that name already (EEXIST).
// link() does that in one step; file systems without hard links reserve the name first.
int claimName(const std::string& tmp, const std::string& path) {
  if (::link(tmp.c_str(), path.c_str()) == 0) return 0;
  const int error = errno;
  if (error != EPERM && error != EOPNOTSUPP && error != ENOSYS) return error;
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, platform::kDataFileMode);
  if (fd < 0) return errno;
  ::close(fd);
  if (::rename(tmp.c_str(), path.c_str()) == 0) return 0;
  const int renameError = errno;
  ::unlink(path.c_str());
  return renameError;
}

}  // namespace

std::string safeFileName(std::string_view name) {
  const size_t cut = name.find_last_of("/\\");
  if (cut != std::string_view::npos) name.remove_prefix(cut + 1);
  std::string safe(name);
  for (char& c : safe)
    if (isControl(c)) c = '_';
  if (safe.empty()) return kEmptyName;
  if (safe.find_first_not_of('.') == std::string::npos) return std::string(safe.size(), '_');
  if (safe.size() > kMaxSavedNameBytes) {
    const size_t dot = extensionAt(safe);
    const std::string extension = dot == std::string::npos ? std::string() : safe.substr(dot);
    safe = safe.substr(0, kMaxSavedNameBytes - extension.size()) + extension;
  }
  return safe;
}

std::string numberedFileName(const std::string& name, int n) {
  const size_t dot = extensionAt(name);
  const std::string number = "_" + std::to_string(n);
  if (dot == std::string::npos) return name + number;
  return name.substr(0, dot) + number + name.substr(dot);
}

SavedFile saveNewFile(const std::string& dir, const std::string& name, std::string_view bytes) {
  SavedFile saved;
  saved.name = name;
  saved.path = platform::joinPath(dir, name);
  std::string tmp;
  saved.error = writeTemporary(dir, bytes, &tmp);
  if (saved.error != 0) return saved;
  // link() gives the file its name only when no file has it yet.
  for (int n = 1; n <= kMaxCopies; ++n) {
    if (n > 1) {
      saved.name = numberedFileName(name, n);
      saved.path = platform::joinPath(dir, saved.name);
    }
    saved.error = claimName(tmp, saved.path);
    if (saved.error != EEXIST) break;
  }
  ::unlink(tmp.c_str());
  if (saved.error == 0) saved.error = syncDirectory(dir);
  return saved;
}

}  // namespace receiver
