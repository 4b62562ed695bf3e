#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

namespace platform {

// Default mode of data files; files that hold passwords use kPrivateFileMode.
inline constexpr mode_t kDataFileMode = 0644;
inline constexpr mode_t kPrivateFileMode = 0600;

// Replaces the file at `path` with `contents` so that a reader never sees a half-written file:
// the bytes go to a new file beside it, are flushed to disk, and the new file is renamed over the
// old one. On failure the old file is untouched, no temporary file is left behind, the function
// returns false and *error (when given) holds a one-line reason.
bool writeFileAtomic(const std::string& path, std::string_view contents, mode_t mode,
                     std::string* error);

// Reads a whole file into *contents. False (with *error) when it cannot be opened or read.
// Files larger than `maxBytes` are refused rather than read.
bool readWholeFile(const std::string& path, std::string* contents, std::string* error,
                   size_t maxBytes = size_t{1} << 30);

// True when a regular file or directory exists at `path`.
bool pathExists(const std::string& path);

}  // namespace platform
