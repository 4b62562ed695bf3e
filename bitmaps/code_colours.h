#pragma once

#include <cstdint>

namespace bitmaps {

// The colour a user-defined image's colour code is painted with on the screen.
struct ScreenColour {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  bool operator==(const ScreenColour&) const = default;
};

// Codes 1 to 8 have their own colour; 0 (off), 9 (an empty editor cell) and every other byte are
// painted black.
ScreenColour codeColour(uint8_t code);

}  // namespace bitmaps
