#pragma once

// Builds workspace files of every layout byte by byte, independently of the writer, so the reader
// tests check the readers against the layouts themselves.

#include <cstdint>
#include <string>
#include <string_view>

#include "workspace/message_model.h"

namespace sdv_test {

class Bytes {
 public:
  Bytes& u8(int v) {
    s_.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  Bytes& u16(int v) { return u8(v).u8(v >> 8); }
  Bytes& i32(int64_t v) {
    const auto u = static_cast<uint32_t>(v);
    return u8(static_cast<int>(u))
        .u8(static_cast<int>(u >> 8))
        .u8(static_cast<int>(u >> 16))
        .u8(static_cast<int>(u >> 24));
  }
  Bytes& text(std::string_view t) {
    s_.append(t);
    return *this;
  }
  Bytes& zeros(size_t n) {
    s_.append(n, '\0');
    return *this;
  }
  // Text in a fixed field padded with zero bytes.
  Bytes& field(std::string_view t, size_t width) { return text(t).zeros(width - t.size()); }
  const std::string& str() const { return s_; }

 private:
  std::string s_;
};

// The 416-byte line record of versions 21 to 32.
inline Bytes& record416(Bytes& b, const workspace::MessageLine& line) {
  for (const auto& e : line.elements)
    b.u8(e.code).u8(e.colour).u8(e.font).u8(e.kind);
  b.zeros(4 * (100 - line.elements.size()));
  return b.i32(line.count()).u8(line.fileNumber).zeros(11);
}

// The 1220-byte line record of the raw layout.
inline Bytes& record1220(Bytes& b, const workspace::MessageLine& line) {
  b.i32(0x55555555);  // unused
  for (const auto& e : line.elements) {
    b.i32(-1).u16(e.code).u8(e.colour).u8(e.font).u8(e.kind).zeros(3);
  }
  b.zeros(12 * (100 - line.elements.size()));
  return b.i32(line.count()).u8(line.fileNumber).zeros(3).i32(7).i32(9);
}

// A line of version 33 and later.
inline Bytes& packedLine(Bytes& b, const workspace::MessageLine& line) {
  b.i32(line.count()).u8(line.fileNumber);
  for (const auto& e : line.elements)
    b.u16(e.code).u8(e.colour).u8(e.font).u8(e.kind);
  return b;
}

// An all-zero scheduler block.
inline Bytes& emptyScheduler(Bytes& b) {
  b.zeros(3 * 4 + 3 + 3 + 1);
  for (int t = 0; t < 10; ++t)
    b.zeros(7 + 4).i32(0);
  return b;
}

inline workspace::LineElement el(int code, int kind = workspace::kKindCharacter, int colour = 1,
                                 int font = 2) {
  return {static_cast<int16_t>(code), static_cast<uint8_t>(colour), static_cast<uint8_t>(font),
          static_cast<uint8_t>(kind)};
}

inline workspace::MessageLine textLine(int file, std::string_view chars) {
  workspace::MessageLine line;
  line.fileNumber = static_cast<int8_t>(file);
  for (char c : chars)
    line.elements.push_back(el(static_cast<unsigned char>(c)));
  return line;
}

}  // namespace sdv_test
