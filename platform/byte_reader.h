#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Reads little-endian numbers and byte strings from a buffer that the caller keeps alive.
// Every read is bounded by the bytes actually present: a read that would pass the end returns
// false, consumes nothing and leaves the out-parameter unchanged. Lengths read from the data are
// checked against what remains before anything is allocated.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}
  // The reader keeps a view: a temporary string would be gone before the first read.
  explicit ByteReader(std::string&&) = delete;

  size_t offset() const { return pos_; }
  size_t size() const { return data_.size(); }
  size_t remaining() const { return data_.size() - pos_; }
  bool atEnd() const { return pos_ == data_.size(); }

  bool readU8(uint8_t* v);
  bool readI8(int8_t* v);
  bool readU16(uint16_t* v);
  bool readI16(int16_t* v);
  bool readU32(uint32_t* v);
  bool readI32(int32_t* v);
  // Big-endian 16-bit value (the sign data stream's block lengths).
  bool readU16BigEndian(uint16_t* v);

  // Exactly n bytes.
  bool readBytes(size_t n, std::string* out);
  // A view of the next n bytes without copying; valid while the underlying buffer lives.
  bool readView(size_t n, std::string_view* out);
  bool skip(size_t n);
  // Moves to an absolute offset not past the end.
  bool seek(size_t offset);

  // A string stored as a signed 32-bit byte count followed by the bytes. Fails on a negative count,
  // a count above maxLength, or a count larger than the bytes that remain.
  bool readLengthPrefixed(std::string* out, size_t maxLength = SIZE_MAX);

 private:
  // A whole number of sizeof(Unsigned) bytes, little-endian unless `bigEndian`.
  template <typename Unsigned>
  bool readUnsigned(bool bigEndian, Unsigned* v);

  const std::string_view data_;  // The bytes being read; not owned.
  size_t pos_ = 0;               // Offset of the next unread byte.
};

// Appends little-endian numbers and byte strings to a growing byte string.
class ByteWriter {
 public:
  explicit ByteWriter(std::string* out) : out_(out) {}

  void u8(uint8_t v) { out_->push_back(static_cast<char>(v)); }
  void u16(uint16_t v);
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u32(uint32_t v);
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void bytes(std::string_view b) { out_->append(b); }
  void zeros(size_t n) { out_->append(n, '\0'); }
  // Signed 32-bit byte count, then the bytes without terminator.
  void lengthPrefixed(std::string_view s);

 private:
  std::string* const out_;  // Destination; not owned.
};

}  // namespace platform
