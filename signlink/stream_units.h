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

// Cuts a stream into transmission units. Block types 1, 3-7, 9, 10 and 100 give one unit of their
// body; type 2 gives one unit per image part; type 8 gives its body without the offset byte; any
// other type gives nothing, and the next block header is looked for right after its 3 header
// bytes.
StreamUnits readStream(std::string_view stream);

// Sum of the units' byte counts.
size_t totalBytes(const std::vector<TransmissionUnit>& units);

// Frames needed to send the units: per unit, its byte count divided by frameSize, rounded up.
size_t frameCount(const std::vector<TransmissionUnit>& units, size_t frameSize);

}  // namespace signlink
