#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include "platform/atomic_file.h"

namespace platform {

// A private initialization ("profile") file of [sections] and key=value lines, read and written
// the way the programs' settings have always been kept:
//  - section and key names match case-insensitively and are trimmed of blanks;
//  - a value is trimmed of blanks, loses one pair of surrounding quotes, and is cut to
//    kMaxValueLength characters; other characters (backslashes, '%') are taken as they stand;
//  - the first occurrence of a key wins;
//  - writing one key rewrites only that line (or adds it at the end of its section, or adds the
//    section at the end of the file) and keeps every other byte of the file.
// The file is read afresh on every call, so values written by another program are seen at once.
class ProfileFile {
 public:
  static constexpr size_t kMaxValueLength = 999;  // Values are read into a 1000-byte buffer.

  explicit ProfileFile(std::string path, mode_t mode = kDataFileMode)
      : path_(std::move(path)), mode_(mode) {}

  const std::string& path() const { return path_; }

  // The value of `key` in `section`, or `defaultValue` when the file, section or key is missing.
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view defaultValue = {}) const;
  // The value read as a decimal integer (optional sign, leading digits only; no digits gives 0),
  // or `defaultValue` when the key is missing.
  int readInt(std::string_view section, std::string_view key, int defaultValue) const;
  // Key names of a section in file order (duplicates kept once).
  std::vector<std::string> readKeys(std::string_view section) const;
  bool hasSection(std::string_view section) const;

  // Writes one key, creating the file and section as needed. The file is replaced atomically;
  // a failure is the kCannotWrite of writeFileAtomic().
  Status writeString(std::string_view section, std::string_view key, std::string_view value) const;
  Status writeInt(std::string_view section, std::string_view key, int value) const;
  // Removes one key; success when the key is absent afterwards.
  Status removeKey(std::string_view section, std::string_view key) const;

 private:
  const std::string path_;  // Where the file lives.
  const mode_t mode_;       // Permissions given to the file when it is written.
};

}  // namespace platform
