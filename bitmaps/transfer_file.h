#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

// Qt's keyword macros turn `slots` into nothing; the member below keeps its name in windows too.
#ifdef slots
#pragma push_macro("slots")
#undef slots
#define BITMAPS_TRANSFER_FILE_RESTORE_SLOTS
#endif

namespace bitmaps {

// An Image Transfer File: the ordered choice of at most eight catalog images that is sent to the
// sign and that user-defined bitmaps in the message text refer to by position (their slot). On
// disk it is a list file (*.LST) of 84 bytes, little-endian:
//
//   int32        count, 0 to 8
//   20 x int32   slots; the first `count` hold image index numbers in display order
//
// Slots at and beyond `count` are written as 0.
struct ImageTransferFile {
  // Most images one file holds.
  static constexpr int32_t kMaxImages = 8;
  // Slots stored in the file (only the first kMaxImages can be in use).
  static constexpr size_t kSlotCount = 20;
  // Size of a list file.
  static constexpr size_t kFileSize = sizeof(int32_t) * (1 + kSlotCount);

  int32_t count = 0;                        // Images in use, 0 to kMaxImages.
  std::array<int32_t, kSlotCount> slots{};  // Index numbers; the first `count` are in use.
  std::string fileName;                     // Path of the list file; empty for a new one.
  bool changed = false;                     // Set by every change since the last load or save.

  // The index numbers in use, in slot order.
  std::vector<int> images() const;
  bool full() const { return count >= kMaxImages; }
  // True when index number `indexNumber` is in use in some slot.
  bool contains(int indexNumber) const;

  // Appends `indexNumber` after the images in use (the same number may appear more than once;
  // the catalog dialog asks before adding a copy) and sets `changed`. False, nothing changed,
  // when the file already holds eight images.
  bool append(int indexNumber);
  // Removes the image in slot `position` (0-based, below count): later images move up one slot,
  // the freed last slot becomes 0, and `changed` is set. False, nothing changed, for a position
  // not in use.
  bool removeAt(int position);
  // No images: count 0 and every slot 0; `changed` cleared. The file name is kept.
  void clear();
};

// The 84 bytes of `file` as stored (slots from count on written as 0).
std::string encodeTransferFile(const ImageTransferFile& file);

// Reads list file bytes into *file (count and slots; file name and changed flag untouched).
// Refuses, leaving *file unchanged, bytes shorter than the count field, a count outside 0 to 8,
// and a count whose slots are not all present. Slots the bytes do not reach (a file cut short
// after its used slots) read as 0; bytes after the 84th are ignored. A refusal is kDamaged; `path`
// only names the file in messages.
platform::Status decodeTransferFile(std::string_view bytes, const std::string& path,
                                    ImageTransferFile* file);

// Loads the list file at `path`: on success *file holds its count and slots, its file name is
// `path` and its changed flag is clear. A missing file fails (kCannotOpen) with "Image Transfer
// File '%s' isn't exist,you must specify it!"; an unreadable (kCannotOpen) or malformed
// (kDamaged) one fails with its own message. On failure *file is left unchanged.
platform::Status loadTransferFile(const std::string& path, ImageTransferFile* file);

// Writes `file` to `path` (the whole 84 bytes), replacing any old file only once the new one is
// complete (kCannotWrite on failure). The caller records the name and clears the changed flag on
// success.
platform::Status saveTransferFile(const std::string& path, const ImageTransferFile& file);

// The catalog dialog's caption: the part of `dialogCaption` before any "--", followed by "--" and
// `listPath` when a list file is named ("%s--%s"), or that part alone when `listPath` is empty.
std::string catalogCaption(const std::string& dialogCaption, const std::string& listPath);

}  // namespace bitmaps

#ifdef BITMAPS_TRANSFER_FILE_RESTORE_SLOTS
#pragma pop_macro("slots")
#undef BITMAPS_TRANSFER_FILE_RESTORE_SLOTS
#endif
