#include "platform/byte_reader.h"

namespace platform {

namespace {

// The unsigned value of `bytes`, least significant byte first unless `bigEndian`.
uint32_t assemble(std::string_view bytes, bool bigEndian) {
  uint32_t value = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const size_t at = bigEndian ? i : bytes.size() - 1 - i;
    value = (value << 8) | static_cast<unsigned char>(bytes[at]);
  }
  return value;
}

// Reads the unsigned form and converts it to the signed type of the same width (two's complement).
template <typename Signed, typename Unsigned>
bool readSigned(ByteReader& reader, bool (ByteReader::*readUnsigned)(Unsigned*), Signed* v) {
  Unsigned u;
  if (!(reader.*readUnsigned)(&u)) return false;
  *v = static_cast<Signed>(u);
  return true;
}

}  // namespace

template <typename Unsigned>
bool ByteReader::readUnsigned(bool bigEndian, Unsigned* v) {
  std::string_view bytes;
  if (!readView(sizeof(Unsigned), &bytes)) return false;
  *v = static_cast<Unsigned>(assemble(bytes, bigEndian));
  return true;
}

bool ByteReader::readU8(uint8_t* v) {
  return readUnsigned(false, v);
}
bool ByteReader::readI8(int8_t* v) {
  return readSigned(*this, &ByteReader::readU8, v);
}
bool ByteReader::readU16(uint16_t* v) {
  return readUnsigned(false, v);
}
bool ByteReader::readI16(int16_t* v) {
  return readSigned(*this, &ByteReader::readU16, v);
}
bool ByteReader::readU32(uint32_t* v) {
  return readUnsigned(false, v);
}
bool ByteReader::readI32(int32_t* v) {
  return readSigned(*this, &ByteReader::readU32, v);
}
bool ByteReader::readU16BigEndian(uint16_t* v) {
  return readUnsigned(true, v);
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
