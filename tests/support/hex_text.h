#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// The bytes as lower-case hexadecimal digits, two per byte: how the tests compare binary data
// with what Python's email parser prints.
inline std::string lowerHex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
  }
  return out;
}

}  // namespace testing_support
