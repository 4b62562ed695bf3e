#include "platform/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <system_error>

// Set by the build for this file: the folder the programs are built into.
#ifndef VARNEL_BUILD_PROGRAM_DIR
#define VARNEL_BUILD_PROGRAM_DIR ""
#endif

namespace platform {
namespace {

std::string withTrailingSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir.push_back('/');
  return dir;
}

bool isWritableDirectory(const std::string& dir) {
  struct stat st {};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(dir.c_str(), W_OK) == 0;
}

// The directory with symbolic links resolved and a trailing '/'; empty when it does not exist.
std::string canonicalDir(const std::string& dir) {
  if (dir.empty()) return {};
  char resolved[PATH_MAX];
  if (::realpath(dir.c_str(), resolved) == nullptr) return {};
  return withTrailingSlash(resolved);
}

Result<std::string> xdgDataDir(const std::string& programName) {
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = joinPath(home, ".local/share");
  } else {
    return Status::cannotOpen("No data directory: neither XDG_DATA_HOME nor HOME is set");
  }
  const std::string dir = joinPath(base, programName);
  if (!makeDirectories(dir)) {
    return Status::cannotOpen("Cannot create the data directory " + dir + ": " +
                              std::strerror(errno));
  }
  return withTrailingSlash(dir);
}

}  // namespace

std::string buildProgramDir() {
  const std::string dir = VARNEL_BUILD_PROGRAM_DIR;
  return dir.empty() ? dir : withTrailingSlash(dir);
}

bool isBuildProgramDir(const std::string& exeDir) {
  const std::string build = canonicalDir(buildProgramDir());
  return !build.empty() && build == canonicalDir(exeDir);
}

std::string executableDir() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n <= 0) return {};
  std::string path(buf, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

bool makeDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    partial = path.substr(0, pos);
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  // Something else has the name: say so rather than leave mkdir's EEXIST.
  if (!S_ISDIR(st.st_mode)) errno = ENOTDIR;
  return S_ISDIR(st.st_mode);
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

Result<std::string> resolveDataDir(const std::string& explicitDir, const std::string& programName) {
  return resolveDataDirFrom(explicitDir, programName, executableDir());
}

Result<std::string> resolveDataDirFrom(const std::string& explicitDir,
                                       const std::string& programName, const std::string& exeDir) {
  if (!explicitDir.empty()) {
    if (!makeDirectories(explicitDir)) {
      return Status::cannotOpen("Cannot create the data directory " + explicitDir + ": " +
                                std::strerror(errno));
    }
    return withTrailingSlash(explicitDir);
  }
  // An installed program never writes beside itself, even where it could (root, or a prefix in
  // the user's home): its folder is shared by every user and replaced by the next install.
  if (isBuildProgramDir(exeDir) && isWritableDirectory(exeDir)) return withTrailingSlash(exeDir);
  return xdgDataDir(programName);
}

}  // namespace platform
