#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace receiver {

// Longest name given to a file in the Save directory, in bytes; room is left for a number that
// makes it unique and for the temporary name it is written under.
inline constexpr size_t kMaxSavedNameBytes = 200;

// A name from a stranger's mail made into the name of a file inside the Save directory: only its
// last path component ('/' or '\') is kept; control characters (line feeds included) become '_';
// an empty name becomes "attachment" and a name of dots only ("." or "..") the same number of
// '_'; a name over kMaxSavedNameBytes is cut in its stem, keeping a short extension.
std::string safeFileName(std::string_view name);

// The n-th candidate for a file named `name` (n >= 2): "Z1_2.bin" for "Z1.bin", "x_2" for "x".
// The number goes before a short extension, so the copies sort after the first.
std::string numberedFileName(const std::string& name, int n);

// The outcome of saving a file.
struct SavedFile {
  int error = 0;     // 0 when saved; otherwise the errno value of the step that failed.
  std::string name;  // The name it was saved under (unique in the directory).
  std::string path;  // Directory and name.
};

// Saves `bytes` as a new file in `dir` under `name` (a safeFileName), or under the first free
// numberedFileName when a file of that name is there already: no file is ever overwritten. The
// file is written under a temporary name, synced, given its name without replacing anything, and
// the directory synced, so once this returns success the file survives a crash or power loss.
// On failure nothing is left behind.
SavedFile saveNewFile(const std::string& dir, const std::string& name, std::string_view bytes);

}  // namespace receiver
