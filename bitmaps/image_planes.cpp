#include "bitmaps/image_planes.h"

#include <cstdint>

namespace bitmaps {

namespace {

// Plane bits of colour codes 0 to 8: bit 0 = P1, bit 1 = P2, bit 2 = P3, bit 3 = P4.
constexpr uint8_t kPlanesOfCode[] = {
    0b0000,  // 0: off
    0b0011,  // 1: P1 P2
    0b1100,  // 2: P3 P4
    0b1111,  // 3: all planes
    0b0111,  // 4: P1 P2 P3
    0b0001,  // 5: P1
    0b0100,  // 6: P3
    0b0101,  // 7: P1 P3
    0b1101,  // 8: P1 P3 P4
};

uint8_t planesOf(uint8_t code) {
  return code < sizeof kPlanesOfCode ? kPlanesOfCode[code] : 0;
}

}  // namespace

size_t imagePlaneSize(size_t width) {
  return kImageRows * ((width + 7) / 8);
}

void appendImagePlanes(const CBitmapImage& image, std::string* out) {
  const size_t width = image.width();
  const size_t bytesPerRow = (width + 7) / 8;
  const size_t planeSize = imagePlaneSize(width);
  std::string planes(kImagePlaneCount * planeSize, '\0');
  for (size_t y = 0; y < kImageRows; ++y) {
    for (size_t x = 0; x < width; ++x) {
      const uint8_t bits = planesOf(image.pixel(static_cast<int>(x), static_cast<int>(y)));
      if (bits == 0) continue;
      const size_t byteInPlane = y * bytesPerRow + x / 8;
      const auto mask = static_cast<char>(0x80 >> (x % 8));
      for (size_t plane = 0; plane < kImagePlaneCount; ++plane) {
        if (bits & (1u << plane)) planes[plane * planeSize + byteInPlane] |= mask;
      }
    }
  }
  out->append(planes);
}

}  // namespace bitmaps
