#include "signlink/stream_units.h"

#include "platform/byte_reader.h"
#include "signlink/sign_stream.h"
#include "signlink/transfer.h"

namespace signlink {
namespace {

bool isPlainBlock(uint8_t type) {
  return type == kBlockText || (type >= 3 && type <= 7) || type == kBlockTest ||
         type == kBlockClearMemory || type == kBlockSignWidth;
}

}  // namespace

bool StreamUnitReader::damaged(size_t at) {
  complete_ = false;
  damagedAt_ = at;
  pos_ = stream_.size();
  partsLeft_ = 0;
  return false;
}

bool StreamUnitReader::next(TransmissionUnit* unit) {
  while (complete_) {
    if (partsLeft_ > 0) {
      --partsLeft_;
      const size_t at = pos_;
      pos_ += partSize_;
      *unit = {std::to_string(kBlockImages), std::string(stream_.substr(at, partSize_)), -1};
      return true;
    }
    if (pos_ >= stream_.size()) return false;
    const size_t blockStart = pos_;
    platform::ByteReader in(stream_);
    in.seek(pos_);
    uint8_t type;
    uint16_t length;
    if (!in.readU8(&type) || !in.readU16BigEndian(&length)) return damaged(blockStart);
    std::string_view body;
    int timeOffset = -1;
    if (type == kBlockImages) {
      int8_t parts;
      uint16_t partSize;
      if (!in.readI8(&parts) || !in.readU16BigEndian(&partSize)) return damaged(blockStart);
      const size_t count = parts > 0 ? static_cast<size_t>(parts) : 0;
      if (count * partSize > in.remaining()) return damaged(blockStart);
      pos_ = in.offset();
      // Parts of no bytes are passed over; the others are given one by one.
      partsLeft_ = partSize > 0 ? static_cast<int>(count) : 0;
      partSize_ = partSize;
      if (partSize == 0) pos_ = in.offset();
      continue;
    }
    if (type == kBlockTime) {
      uint8_t offset;
      if (length == 0 || !in.readU8(&offset) || !in.readView(length - 1u, &body)) {
        return damaged(blockStart);
      }
      timeOffset = offset;
    } else if (isPlainBlock(type)) {
      if (!in.readView(length, &body)) return damaged(blockStart);
    }
    // Unknown types: only the three header bytes are passed over.
    pos_ = in.offset();
    if (body.empty()) continue;
    *unit = {std::to_string(type), std::string(body), timeOffset};
    return true;
  }
  return false;
}

StreamUnits readStream(std::string_view stream) {
  StreamUnits result;
  StreamUnitReader reader(stream);
  TransmissionUnit unit;
  while (reader.next(&unit))
    result.units.push_back(std::move(unit));
  result.complete = reader.complete();
  result.damagedAt = reader.damagedAt();
  return result;
}

StreamSummary summarizeStream(std::string_view stream, size_t frameSize) {
  StreamSummary summary;
  StreamUnitReader reader(stream);
  TransmissionUnit unit;
  while (reader.next(&unit)) {
    ++summary.units;
    summary.bytes += unit.bytes.size();
    summary.frames += (unit.bytes.size() + frameSize - 1) / frameSize;
    summary.pauseMs += unitPauseMs(unit.label);
  }
  summary.complete = reader.complete();
  summary.damagedAt = reader.damagedAt();
  return summary;
}

size_t totalBytes(const std::vector<TransmissionUnit>& units) {
  size_t total = 0;
  for (const auto& u : units)
    total += u.bytes.size();
  return total;
}

size_t frameCount(const std::vector<TransmissionUnit>& units, size_t frameSize) {
  size_t frames = 0;
  for (const auto& u : units)
    frames += (u.bytes.size() + frameSize - 1) / frameSize;
  return frames;
}

}  // namespace signlink
