#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

#include "platform/status.h"

namespace platform {

// Default mode of data files; files that hold passwords use kPrivateFileMode.
inline constexpr mode_t kDataFileMode = 0644;
inline constexpr mode_t kPrivateFileMode = 0600;

// Replaces the file at `path` with `contents` so that a reader never sees a half-written file:
// the bytes go to a new file beside it, are flushed to disk, and the new file is renamed over the
// old one. On failure the old file is untouched, no temporary file is left behind, and the
// kCannotWrite status holds a one-line reason with the system's error text. The new file has no
// name until it is complete (where the file system allows it), so even a killed program leaves no
// temporary; elsewhere it is "<path>.tmp-XXXXXX". A temporary is locked by its writer until it
// is renamed, and one left by a killed program is removed by the next write of the same path.
Status writeFileAtomic(const std::string& path, std::string_view contents, mode_t mode);

// Opens `path` for reading when it names a regular file (following symbolic links), without ever
// waiting: a FIFO, a device, a socket or a directory is refused (kCannotOpen, "not a regular
// file") rather than opened for good. The caller owns and closes the descriptor.
Result<int> openRegularFile(const std::string& path);

// Reads a whole regular file (see openRegularFile). kCannotOpen when it cannot be opened or is no
// regular file, kFailed when reading fails; files larger than `maxBytes` are refused (kRefused)
// rather than read. The message is a one-line reason.
Result<std::string> readWholeFile(const std::string& path, size_t maxBytes = size_t{1} << 30);

// True when a regular file or directory exists at `path`.
bool pathExists(const std::string& path);

// Where a data file that did not load is moved before a new one takes its name: the first of
// `path` + `suffix`, then `path` + `suffix` + ".2", ".3" ... that does not exist yet.
std::string freeAsideName(const std::string& path, std::string_view suffix);

}  // namespace platform
