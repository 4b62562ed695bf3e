#pragma once

#include <cstdint>
#include <string>

#include "bitmaps/bitmap_catalog.h"
#include "platform/status.h"

namespace bitmaps {

// Appended to the picture data file's name for a file that did not load, moved aside before the
// catalog is written under the normal name.
inline constexpr char kUnreadablePicturesSuffix[] = ".unreadable";

// Keeps the picture data file safe across a run: the catalog is read at start-up and written back
// at exit, but a file that is there and did not load (damaged, foreign, from a newer program,
// unreadable) is never replaced by the catalog as it then stands. It stays byte for byte as it is
// unless the user changed the catalog; then it is first moved aside (kUnreadablePicturesSuffix,
// ".2" ... when that name is taken) and the catalog written under the normal name.
class PictureKeeper {
 public:
  struct ExitResult {
    bool written = false;     // the catalog was written to path()
    std::string movedAside;   // where a file that did not load went, when it was moved
    platform::Status status;  // a failure to move or write; the file is then as it was
  };

  // Loads the picture data file at `path` into *catalog (as loadPictures) and remembers the
  // catalog as read, to tell the user's changes at exit.
  platform::Status load(const std::string& path, uint16_t signWidth, int colourMode,
                        CBitmapCatalog* catalog);

  const std::string& path() const { return path_; }
  // True while a file that did not load is being kept as it is.
  bool keepingUnreadable() const { return unreadable_; }
  // Where that file will be moved when the catalog is written.
  std::string asideName() const;
  // True when `catalog` differs from what load() read.
  bool changed(const CBitmapCatalog& catalog) const { return !(catalog == baseline_); }

  // At exit: writes `catalog` to path(), except that a kept file stays while the catalog is
  // unchanged, and is moved aside first otherwise.
  ExitResult saveAtExit(const CBitmapCatalog& catalog);

 private:
  std::string path_;
  uint16_t signWidth_ = 0;
  int colourMode_ = 0;
  bool unreadable_ = false;
  CBitmapCatalog baseline_;  // the catalog as load() left it
};

}  // namespace bitmaps
