#include "signlink/stream_units.h"

#include "platform/byte_reader.h"
#include "signlink/sign_stream.h"

namespace signlink {
namespace {

bool isPlainBlock(uint8_t type) {
  return type == kBlockText || (type >= 3 && type <= 7) || type == kBlockTest ||
         type == kBlockClearMemory || type == kBlockSignWidth;
}

}  // namespace

StreamUnits readStream(std::string_view stream) {
  StreamUnits result;
  platform::ByteReader in(stream);
  auto damaged = [&](size_t at) {
    result.complete = false;
    result.damagedAt = at;
    return result;
  };
  while (!in.atEnd()) {
    const size_t blockStart = in.offset();
    uint8_t type;
    uint16_t length;
    if (!in.readU8(&type) || !in.readU16BigEndian(&length)) return damaged(blockStart);
    const std::string label = std::to_string(type);
    if (type == kBlockImages) {
      int8_t parts;
      uint16_t partSize;
      if (!in.readI8(&parts) || !in.readU16BigEndian(&partSize)) return damaged(blockStart);
      for (int p = 0; p < parts; ++p) {
        std::string bytes;
        if (!in.readBytes(partSize, &bytes)) return damaged(blockStart);
        result.units.push_back({label, std::move(bytes), -1});
      }
    } else if (type == kBlockTime) {
      uint8_t offset;
      std::string bytes;
      if (length == 0 || !in.readU8(&offset) || !in.readBytes(length - 1u, &bytes)) {
        return damaged(blockStart);
      }
      result.units.push_back({label, std::move(bytes), offset});
    } else if (isPlainBlock(type)) {
      std::string bytes;
      if (!in.readBytes(length, &bytes)) return damaged(blockStart);
      result.units.push_back({label, std::move(bytes), -1});
    }
    // Unknown types: only the three header bytes are passed over.
  }
  return result;
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
