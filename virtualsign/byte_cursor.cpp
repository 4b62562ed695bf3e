#include "virtualsign/byte_cursor.h"

#include <cstdio>

namespace virtualsign {

std::string hexByte(uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

int ByteCursor::take(const char* what) {
  if (failed_) return -1;
  if (pos_ >= data_.size()) {
    failAt(pos_, what, "the end of the data");
    cut_ = true;
    return -1;
  }
  return static_cast<uint8_t>(data_[pos_++]);
}

bool ByteCursor::expect(uint8_t value, const char* what) {
  const int b = take(what);
  if (b < 0) return false;
  if (b != value) {
    failLast(what);
    return false;
  }
  return true;
}

int ByteCursor::twoDigits(const char* what, int min, int max) {
  const int tens = take(what);
  const int units = take(what);
  if (units < 0) return -1;
  if (tens < '0' || units < '0' || units > '9') {
    failAt(pos_ - 2, what,
           hexByte(static_cast<uint8_t>(tens)) + " " + hexByte(static_cast<uint8_t>(units)));
    return -1;
  }
  const int value = (tens - '0') * 10 + (units - '0');
  if (value < min || value > max) {
    failAt(pos_ - 2, what,
           "\"" + std::string{static_cast<char>(tens), static_cast<char>(units)} + "\"");
    return -1;
  }
  return value;
}

int ByteCursor::byteIn(const char* what, int min, int max) {
  const int b = take(what);
  if (b < 0) return -1;
  if (b < min || b > max) {
    failLast(what);
    return -1;
  }
  return b;
}

void ByteCursor::failLast(const std::string& expected) {
  failAt(pos_ - 1, expected, hexByte(static_cast<uint8_t>(data_[pos_ - 1])));
}

void ByteCursor::failAt(size_t index, const std::string& expected, const std::string& found) {
  if (failed_) return;
  failed_ = true;
  problem_ = Problem{base_ + index, expected, found};
}

}  // namespace virtualsign
