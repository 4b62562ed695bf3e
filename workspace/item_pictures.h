#pragma once

#include <optional>

// The pictures of the pre-defined items as dot patterns: what a Z2500 sign lights for each
// pre-defined symbol and bitmap (seven dots high, as the sign is), and the 8 x 9 glyph of each
// special character. The windows draw them as lit LEDs; the sign holds its own copies, so only the
// indices ever reach it.

namespace workspace {

// A picture of `rows` lines of `columns` characters each: '#' for a lit dot, '.' for a dark one.
struct DotArt {
  int columns = 0;
  int rows = 0;
  const char* const* lines = nullptr;

  // True when the dot at (column, row) is lit; false outside the picture.
  bool lit(int column, int row) const;
};

inline constexpr int kSymbolDotColumns = 11;  // Drawn at 4 pixels a dot in a 46 x 32 cell.
inline constexpr int kSymbolDotRows = 7;
inline constexpr int kBitmapDotColumns = 53;  // Drawn at 4 pixels a dot in 214 x 32.
inline constexpr int kBitmapDotRows = 7;
inline constexpr int kSpecialGlyphColumns = 8;  // Drawn twice their size: a 16 x 18 glyph box.
inline constexpr int kSpecialGlyphRows = 9;

// The picture of pre-defined symbol `index` (0-29); nothing outside the table.
std::optional<DotArt> symbolArt(int index);
// The picture of pre-defined bitmap `index` (0-7); nothing outside the table.
std::optional<DotArt> predefinedBitmapArt(int index);
// The glyph of special character `index` (0-65); nothing outside the table. The sign's special
// characters sit at the bytes code page 437 gives the same letters and signs (0x80 "Ç" to 0xAF
// "»", the shades and box lines at 0xB0-0xB4, the Greek letters from 0xE0), and are drawn so.
std::optional<DotArt> specialCharacterArt(int index);

}  // namespace workspace
