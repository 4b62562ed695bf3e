#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace signlink {

// One piece of a stream as it is transmitted: what one block (or one image part) yields.
struct TransmissionUnit {
  std::string label;  // The block type in decimal ("1", "2", "8", "100", ...).
  std::string bytes;  // What goes on the line.
  // For a unit "8": its time offset (the weekday's position within `bytes`). The offset byte
  // itself is not transmitted.
  int timeOffset = -1;

  bool operator==(const TransmissionUnit&) const = default;
};

struct StreamUnits {
  std::vector<TransmissionUnit> units;
  // False when a block announces more bytes than the stream holds (or a time block has no room
  // for its offset byte). Reading stops there: `units` holds the complete blocks before it and
  // `damagedAt` the offset of the block that runs past the end. A damaged stream must not be sent;
  // half a block could leave the sign showing garbage.
  bool complete = true;
  size_t damagedAt = 0;
};

// Cuts a stream into transmission units, one at a time, so that memory stays that of one unit
// however large the stream. Block types 1, 3-7, 9, 10 and 100 give one unit of their body; type 2
// gives one unit per image part; type 8 gives its body without the offset byte; any other type
// gives nothing, and the next block header is looked for right after its 3 header bytes. A unit
// that would carry no bytes is not produced: it would send nothing and cost the sign's pause.
class StreamUnitReader {
 public:
  explicit StreamUnitReader(std::string_view stream) : stream_(stream) {}

  // The next unit; false at the end of the stream or at a damaged block (see complete()). A block
  // of image parts is checked whole before its first part is given.
  bool next(TransmissionUnit* unit);

  // False once a block was found to run past the end of the stream (see StreamUnits).
  bool complete() const { return complete_; }
  size_t damagedAt() const { return damagedAt_; }

 private:
  bool damaged(size_t at);

  std::string_view stream_;
  size_t pos_ = 0;         // Start of the next block header or image part.
  int partsLeft_ = 0;      // Image parts of the current block not yet given.
  uint16_t partSize_ = 0;  // Their size.
  bool complete_ = true;
  size_t damagedAt_ = 0;
};

// All units of a stream at once (see StreamUnitReader).
StreamUnits readStream(std::string_view stream);

// What a stream comes to on the line, found without keeping its units.
struct StreamSummary {
  size_t units = 0;
  size_t bytes = 0;
  size_t frames = 0;      // Frames of at most the given size.
  long long pauseMs = 0;  // The pauses after the units (see unitPauseMs in transfer.h).
  bool complete = true;   // As StreamUnits::complete.
  size_t damagedAt = 0;
};
StreamSummary summarizeStream(std::string_view stream, size_t frameSize);

// Sum of the units' byte counts.
size_t totalBytes(const std::vector<TransmissionUnit>& units);

// Frames needed to send the units: per unit, its byte count divided by frameSize, rounded up.
size_t frameCount(const std::vector<TransmissionUnit>& units, size_t frameSize);

}  // namespace signlink
