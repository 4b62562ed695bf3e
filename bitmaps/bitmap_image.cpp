#include "bitmaps/bitmap_image.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

namespace bitmaps {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

CBitmapImage::CBitmapImage(std::string indexText, uint16_t width)
    : indexText_(std::move(indexText)),
      width_(width),
      pixels_(static_cast<size_t>(width) * kImageRows, 0) {}

std::string CBitmapImage::formatIndex(int indexNumber) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", indexNumber);
  return buffer;
}

int CBitmapImage::parseIndex(std::string_view indexText) {
  size_t pos = 0;
  while (pos < indexText.size() && isBlank(indexText[pos]))
    ++pos;
  bool negative = false;
  if (pos < indexText.size() && (indexText[pos] == '+' || indexText[pos] == '-')) {
    negative = indexText[pos] == '-';
    ++pos;
  }
  long long value = 0;
  for (; pos < indexText.size() && indexText[pos] >= '0' && indexText[pos] <= '9'; ++pos) {
    value = std::min<long long>(value * 10 + (indexText[pos] - '0'), 1LL + INT_MAX);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

uint8_t CBitmapImage::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= kImageRows) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)];
}

void CBitmapImage::setPixel(int x, int y, uint8_t code) {
  if (x < 0 || y < 0 || x >= width_ || y >= kImageRows) return;
  pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = code;
}

bool CBitmapImage::setPixels(const std::vector<uint8_t>& codes) {
  if (codes.size() != pixels_.size()) return false;
  pixels_ = codes;
  return true;
}

void CBitmapImage::fitRowsFrom(std::string_view sourceCodes, uint16_t sourceWidth) {
  std::fill(pixels_.begin(), pixels_.end(), 0);
  if (sourceCodes.size() < static_cast<size_t>(sourceWidth) * kImageRows) return;
  const size_t columns = std::min(width_, sourceWidth);
  for (size_t y = 0; y < kImageRows; ++y) {
    for (size_t x = 0; x < columns; ++x) {
      pixels_[y * width_ + x] = static_cast<uint8_t>(sourceCodes[y * sourceWidth + x]);
    }
  }
}

}  // namespace bitmaps
