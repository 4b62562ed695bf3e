#pragma once

#include <cstdint>
#include <vector>

// The sign's character dots: one 5 x 7 pattern per printable ASCII character, drawn in the sign's
// seven fonts by stretching columns and dropping rows the way the font names say (rows x columns
// of the cell): "5*6 Short", "5*11 Short & Wide", "7*6 (Default)", "7*11 Wide", "7*9", "7*17 Extra
// Wide" and the small font.
namespace virtualsign {

// One drawn character: `columns` columns, each a 7-bit mask of lit rows (bit 0 = top row).
struct Glyph {
  std::vector<uint8_t> columns;
};

// The character `code` (0x20-0x7F; others draw as a box) in font `font` (0-6; others draw in the
// default font), with the gap that separates it from the next character.
Glyph characterGlyph(int code, int font);

}  // namespace virtualsign
