#include "bitmaps/code_colours.h"

#include <array>

namespace bitmaps {

ScreenColour codeColour(uint8_t code) {
  static constexpr std::array<ScreenColour, 9> kColours = {{
      {0, 0, 0},
      {255, 0, 0},
      {0, 255, 0},
      {255, 255, 0},
      {187, 106, 0},
      {128, 0, 0},
      {0, 128, 0},
      {128, 128, 0},
      {255, 128, 0},
  }};
  return code < kColours.size() ? kColours[code] : kColours[0];
}

}  // namespace bitmaps
