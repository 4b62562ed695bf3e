#include "bitmaps/image_planes.h"

#include <gtest/gtest.h>

using bitmaps::CBitmapImage;

namespace {

std::string planesOf(const CBitmapImage& image) {
  std::string out = "x";  // appended, not replaced
  bitmaps::appendImagePlanes(image, &out);
  EXPECT_EQ(out[0], 'x');
  return out.substr(1);
}

}  // namespace

TEST(ImagePlanes, SizeIsSevenPaddedRowsPerPlane) {
  EXPECT_EQ(bitmaps::imagePlaneSize(80), 70u);
  EXPECT_EQ(bitmaps::imagePlaneSize(81), 77u);
  EXPECT_EQ(bitmaps::imagePlaneSize(1), 7u);
  EXPECT_EQ(planesOf(CBitmapImage("0001", 80)), std::string(280, '\0'));
}

TEST(ImagePlanes, EachColourCodeLightsItsPlanes) {
  // Expected planes P1..P4 per code, as bit masks (bit 0 = P1).
  const int planesOfCode[] = {0, 0b0011, 0b1100, 0b1111, 0b0111, 0b0001, 0b0100, 0b0101, 0b1101, 0};
  for (int code = 0; code <= 9; ++code) {
    CBitmapImage image("0001", 10);
    image.setPixel(9, 6, static_cast<uint8_t>(code));  // last row, second byte, bit 6
    const std::string planes = planesOf(image);
    ASSERT_EQ(planes.size(), 4u * 14);
    for (int plane = 0; plane < 4; ++plane) {
      const bool lit = (planesOfCode[code] >> plane) & 1;
      std::string expected(14, '\0');
      if (lit) expected[13] = 0x40;
      EXPECT_EQ(planes.substr(static_cast<size_t>(plane) * 14, 14), expected)
          << "code " << code << " plane " << plane;
    }
  }
}

TEST(ImagePlanes, LeftmostPixelIsBitSevenRowZeroFirst) {
  CBitmapImage image("0001", 16);
  image.setPixel(0, 0, 5);
  image.setPixel(8, 1, 5);
  image.setPixel(15, 1, 5);
  const std::string planes = planesOf(image);
  EXPECT_EQ(static_cast<uint8_t>(planes[0]), 0x80);
  EXPECT_EQ(static_cast<uint8_t>(planes[3]), 0x81);     // row 1, second byte
  EXPECT_EQ(planes.substr(14), std::string(42, '\0'));  // code 5 is P1 only
}
