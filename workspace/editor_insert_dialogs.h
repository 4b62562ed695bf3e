#pragma once

#include <optional>

// The choosing logic of the insert dialogs, without their windows: the grid of the Pre-Defined
// Symbols dialog and the grid and keys of the Special characters dialog. The dialogs paint the
// cells these functions describe and hand the chosen index, plus kInsertItemCodeOffset, to the
// editor, so several items can be inserted in a row from one opened dialog.

namespace workspace {

// ---- Pre-Defined Symbols: 30 cells of 46 x 32 pixels, 6 columns by 5 rows, 4 pixels between
// columns and 10 between rows, from the picture area's top left corner.
inline constexpr int kSymbolGridColumns = 6;
inline constexpr int kSymbolGridRows = 5;
inline constexpr int kSymbolCellWidth = 46;
inline constexpr int kSymbolCellHeight = 32;
inline constexpr int kSymbolColumnGap = 4;
inline constexpr int kSymbolRowGap = 10;

struct CellRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The cell of symbol `index` (0-29); nothing outside the table.
std::optional<CellRect> symbolCell(int index);
// The symbol whose cell holds (x, y): row x 6 + column. Nothing between cells or outside the grid,
// which clears the selection.
std::optional<int> symbolAt(int x, int y);

// ---- Special characters: a 240 x 270 picture of 30 x 30 cells, 8 per row, items 0 to 65 (the
// ninth row holds 64 and 65). Each glyph (8 columns by 9 rows, drawn twice its size) has a box
// centred in its cell; a click within kSpecialHitSlack pixels of a box selects that item.
inline constexpr int kSpecialPerRow = 8;
inline constexpr int kSpecialCellSize = 30;
inline constexpr int kSpecialGlyphBoxWidth = 16;
inline constexpr int kSpecialGlyphBoxHeight = 18;
inline constexpr int kSpecialHitSlack = 5;
inline constexpr int kSpecialPictureWidth = 240;
inline constexpr int kSpecialPictureHeight = 270;

// The cell and the glyph box of special character `index` (0-65); nothing outside the table.
std::optional<CellRect> specialCharacterCell(int index);
std::optional<CellRect> specialCharacterGlyphBox(int index);
// The special character whose glyph box is within kSpecialHitSlack pixels of (x, y).
std::optional<int> specialCharacterAt(int x, int y);

enum class SpecialCharacterKey { kLeft, kRight, kUp, kDown };
// The selection after a key: Left and Right step by one and wrap around (0 to 65, 65 to 0); Up and
// Down step by a row of 8, clamped to 0 and 65.
int moveSpecialCharacterSelection(int current, SpecialCharacterKey key);

// The default entry (1-based) of the list dialog for control `type`; 0 for an unknown type.
int controlDialogDefault(int type);

}  // namespace workspace
