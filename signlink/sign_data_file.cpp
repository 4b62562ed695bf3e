#include "signlink/sign_data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/data_dir.h"

namespace signlink {
namespace {

constexpr char kVersionDigits[] = "35";  // "%d%d" with 3 and 5
constexpr size_t kReservedBytes = 10;

std::string environmentDirectory(const char* name) {
  const char* dir = std::getenv(name);
  return dir && *dir ? dir : "";
}

std::string temporaryDirectory() {
  std::string dir = environmentDirectory("XDG_RUNTIME_DIR");
  if (dir.empty()) dir = environmentDirectory("TMPDIR");
  return dir.empty() ? "/tmp" : dir;
}

platform::Status writeFailure(const std::string& path) {
  return platform::Status::cannotWrite(path + ": " + std::strerror(errno));
}

// Writes `bytes` to a new file at `path` that nobody else may have made first.
platform::Status writeNewFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return writeFailure(path);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const platform::Status failed = writeFailure(path);
      ::close(fd);
      ::unlink(path.c_str());
      return failed;
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) {
    const platform::Status failed = writeFailure(path);
    ::unlink(path.c_str());
    return failed;
  }
  return {};
}

}  // namespace

std::string signDataFileBytes(std::string_view stream) {
  std::string bytes(kSignDataFileMagic);
  bytes += kVersionDigits;
  bytes.append(kReservedBytes, '\0');
  bytes.append(stream);
  return bytes;
}

std::string signDataFileName(const platform::LocalTime& t) {
  char name[64];
  std::snprintf(name, sizeof(name), "Z2500%d%02d%02d%02d%02d%02d.bin", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return name;
}

std::string signDataFileBase(const std::string& dataDir) {
  const std::string runtime = environmentDirectory("XDG_RUNTIME_DIR");
  return runtime.empty() ? dataDir : runtime;
}

platform::Result<std::string> writeSignDataFile(std::string_view stream,
                                                const platform::LocalTime& t,
                                                const std::string& directory) {
  const std::string base = directory.empty() ? temporaryDirectory() : directory;
  const std::string tmpl = platform::joinPath(base, "varnel-send-XXXXXX");
  std::vector<char> dir(tmpl.begin(), tmpl.end());
  dir.push_back('\0');
  if (!::mkdtemp(dir.data())) return writeFailure(tmpl);
  const std::string path = platform::joinPath(dir.data(), signDataFileName(t));
  const platform::Status written = writeNewFile(path, signDataFileBytes(stream));
  if (!written.ok()) {
    ::rmdir(dir.data());
    return written;
  }
  return path;
}

void removeSignDataFile(const std::string& path) {
  ::unlink(path.c_str());
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0) ::rmdir(path.substr(0, slash).c_str());
}

bool signDataFileStream(std::string_view fileBytes, std::string_view* stream) {
  if (fileBytes.size() < kSignDataFileHeaderSize ||
      fileBytes.substr(0, kSignDataFileMagic.size()) != kSignDataFileMagic) {
    return false;
  }
  *stream = fileBytes.substr(kSignDataFileHeaderSize);
  return true;
}

}  // namespace signlink
