#include "platform/byte_reader.h"

namespace platform {

bool ByteReader::readU8(uint8_t* v) {
  if (remaining() < 1) return false;
  *v = static_cast<uint8_t>(data_[pos_++]);
  return true;
}

bool ByteReader::readI8(int8_t* v) {
  uint8_t u;
  if (!readU8(&u)) return false;
  *v = static_cast<int8_t>(u);
  return true;
}

bool ByteReader::readU16(uint16_t* v) {
  if (remaining() < 2) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  *v = static_cast<uint16_t>(p[0] | (p[1] << 8));
  pos_ += 2;
  return true;
}

bool ByteReader::readI16(int16_t* v) {
  uint16_t u;
  if (!readU16(&u)) return false;
  *v = static_cast<int16_t>(u);
  return true;
}

bool ByteReader::readU32(uint32_t* v) {
  if (remaining() < 4) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  *v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
       (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  pos_ += 4;
  return true;
}

bool ByteReader::readI32(int32_t* v) {
  uint32_t u;
  if (!readU32(&u)) return false;
  *v = static_cast<int32_t>(u);
  return true;
}

bool ByteReader::readU16BigEndian(uint16_t* v) {
  if (remaining() < 2) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  *v = static_cast<uint16_t>((p[0] << 8) | p[1]);
  pos_ += 2;
  return true;
}

bool ByteReader::readBytes(size_t n, std::string* out) {
  std::string_view view;
  if (!readView(n, &view)) return false;
  out->assign(view);
  return true;
}

bool ByteReader::readView(size_t n, std::string_view* out) {
  if (remaining() < n) return false;
  *out = data_.substr(pos_, n);
  pos_ += n;
  return true;
}

bool ByteReader::skip(size_t n) {
  if (remaining() < n) return false;
  pos_ += n;
  return true;
}

bool ByteReader::seek(size_t offset) {
  if (offset > data_.size()) return false;
  pos_ = offset;
  return true;
}

bool ByteReader::readLengthPrefixed(std::string* out, size_t maxLength) {
  const size_t start = pos_;
  int32_t length;
  if (!readI32(&length)) return false;
  const auto n = static_cast<size_t>(length);
  if (length < 0 || n > maxLength || n > remaining()) {
    pos_ = start;
    return false;
  }
  return readBytes(n, out);
}

void ByteWriter::u16(uint16_t v) {
  u8(static_cast<uint8_t>(v & 0xFF));
  u8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32(uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    u8(static_cast<uint8_t>((v >> shift) & 0xFF));
}

void ByteWriter::lengthPrefixed(std::string_view s) {
  i32(static_cast<int32_t>(s.size()));
  bytes(s);
}

}  // namespace platform
