#pragma once

#include <cstdint>
#include <string>

// Builders for the little-endian binary files the tests write byte by byte, independently of the
// program's own writers.
namespace testing_support {

inline std::string le16(uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string le32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
          static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
}

}  // namespace testing_support
