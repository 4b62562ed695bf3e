#pragma once

#include <cstddef>
#include <string>

#include "bitmaps/bitmap_image.h"

namespace bitmaps {

// How a user-defined image travels to the sign: four bit planes P1, P2, P3, P4, one after the
// other. Each plane holds the 7 rows, top first; a row is the image's columns padded on the right
// to a multiple of 8 with unlit pixels, 8 pixels a byte, the leftmost pixel in bit 7. A pixel sets
// its bit in the planes its colour code names:
//
//   code  1: P1 P2      2: P3 P4      3: P1 P2 P3 P4   4: P1 P2 P3
//   code  5: P1         6: P3         7: P1 P3         8: P1 P3 P4
//   any other code (0 = off, 9 = an empty editor cell): no plane
//
// The sign data stream puts these planes behind the image record's command byte and slot.

inline constexpr size_t kImagePlaneCount = 4;

// Bytes of one plane of an image `width` pixels wide: 7 x ((width + 7) / 8).
size_t imagePlaneSize(size_t width);

// Appends the four planes of `image` (4 x imagePlaneSize(image.width()) bytes) to *out.
void appendImagePlanes(const CBitmapImage& image, std::string* out);

}  // namespace bitmaps
