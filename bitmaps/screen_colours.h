#pragma once

#include <cstdint>

namespace bitmaps {

// The colour a user-defined image's colour code is painted with on screen.
struct ScreenColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  friend bool operator==(const ScreenColour&, const ScreenColour&) = default;
};

// Code 0 (off) is black; 1 red, 2 green, 3 yellow, 4 (187, 106, 0), 5 dark red, 6 dark green,
// 7 olive, 8 orange. Every other byte (9, an empty editor cell, included) is painted black.
ScreenColour screenColour(uint8_t code);

}  // namespace bitmaps
