#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads the bytes of one record for the record parsers. Every read names what it expects, so the
// first fault can be told precisely: where it is, what was expected there and what came instead
// (or that the data ended). After a fault every further read fails at once.
namespace virtualsign {

struct Problem {
  size_t offset = 0;     // Position in the received bytes.
  std::string expected;  // What a sign looks for there.
  std::string found;     // What came: "0xNN", or "the end of the data".
};

// "0xNN" for a byte.
std::string hexByte(uint8_t byte);

class ByteCursor {
 public:
  // `data` holds received bytes from offset `base` on; reading starts at data[pos].
  ByteCursor(std::string_view data, size_t pos, size_t base)
      : data_(data), pos_(pos), base_(base) {}

  // The next byte, or -1 when the data ends (a cut record) or a fault was found before.
  int take(const char* what);
  // The next byte without taking it; -1 at the end of the data.
  int peek() const { return pos_ < data_.size() ? static_cast<uint8_t>(data_[pos_]) : -1; }
  // Takes one byte that must be `value`.
  bool expect(uint8_t value, const char* what);
  // Takes a number of two ASCII digits, tens first (the tens may pass '9' for values from 100),
  // that must lie in min..max. -1 on a fault.
  int twoDigits(const char* what, int min, int max);
  // Takes one byte that must lie in min..max. -1 on a fault.
  int byteIn(const char* what, int min, int max);
  // Records a fault at the byte taken last (the one at `pos() - 1`).
  void failLast(const std::string& expected);

  bool ok() const { return !failed_; }
  bool cut() const { return cut_; }
  size_t pos() const { return pos_; }
  const Problem& problem() const { return problem_; }

 private:
  void failAt(size_t index, const std::string& expected, const std::string& found);

  std::string_view data_;
  size_t pos_;
  size_t base_;
  bool failed_ = false;
  bool cut_ = false;  // The fault is the end of the data.
  Problem problem_;
};

}  // namespace virtualsign
