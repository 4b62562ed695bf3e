#include "workspace/editor_insert_dialogs.h"

#include <algorithm>

#include "workspace/sign_tables.h"

namespace workspace {

std::optional<CellRect> symbolCell(int index) {
  if (index < 0 || index >= kSymbolCount) return std::nullopt;
  const int row = index / kSymbolGridColumns;
  const int column = index % kSymbolGridColumns;
  return CellRect{column * (kSymbolCellWidth + kSymbolColumnGap),
                  row * (kSymbolCellHeight + kSymbolRowGap), kSymbolCellWidth, kSymbolCellHeight};
}

std::optional<int> symbolAt(int x, int y) {
  if (x < 0 || y < 0) return std::nullopt;
  const int column = x / (kSymbolCellWidth + kSymbolColumnGap);
  const int row = y / (kSymbolCellHeight + kSymbolRowGap);
  if (column >= kSymbolGridColumns || row >= kSymbolGridRows) return std::nullopt;
  if (x % (kSymbolCellWidth + kSymbolColumnGap) >= kSymbolCellWidth) return std::nullopt;
  if (y % (kSymbolCellHeight + kSymbolRowGap) >= kSymbolCellHeight) return std::nullopt;
  return row * kSymbolGridColumns + column;
}

std::optional<CellRect> specialCharacterCell(int index) {
  if (index < 0 || index >= kSpecialCharacterCount) return std::nullopt;
  return CellRect{(index % kSpecialPerRow) * kSpecialCellSize,
                  (index / kSpecialPerRow) * kSpecialCellSize, kSpecialCellSize, kSpecialCellSize};
}

std::optional<CellRect> specialCharacterGlyphBox(int index) {
  const std::optional<CellRect> cell = specialCharacterCell(index);
  if (!cell) return std::nullopt;
  return CellRect{cell->x + (kSpecialCellSize - kSpecialGlyphBoxWidth) / 2,
                  cell->y + (kSpecialCellSize - kSpecialGlyphBoxHeight) / 2, kSpecialGlyphBoxWidth,
                  kSpecialGlyphBoxHeight};
}

std::optional<int> specialCharacterAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kSpecialPictureWidth || y >= kSpecialPictureHeight) {
    return std::nullopt;
  }
  // The slack (5) is smaller than the space between two boxes (14 and 12), so one cell decides.
  const int index = (y / kSpecialCellSize) * kSpecialPerRow + x / kSpecialCellSize;
  const std::optional<CellRect> box = specialCharacterGlyphBox(index);
  if (!box) return std::nullopt;
  const bool nearX = x >= box->x - kSpecialHitSlack && x < box->x + box->width + kSpecialHitSlack;
  const bool nearY = y >= box->y - kSpecialHitSlack && y < box->y + box->height + kSpecialHitSlack;
  if (!nearX || !nearY) return std::nullopt;
  return index;
}

int moveSpecialCharacterSelection(int current, SpecialCharacterKey key) {
  const int last = kSpecialCharacterCount - 1;
  current = std::clamp(current, 0, last);
  switch (key) {
    case SpecialCharacterKey::kLeft:
      return current == 0 ? last : current - 1;
    case SpecialCharacterKey::kRight:
      return current == last ? 0 : current + 1;
    case SpecialCharacterKey::kUp:
      return std::max(current - kSpecialPerRow, 0);
    case SpecialCharacterKey::kDown:
      return std::min(current + kSpecialPerRow, last);
  }
  return current;
}

int controlDialogDefault(int type) {
  const ControlInfo* info = controlInfo(type);
  return info == nullptr ? 0 : info->defaultValue;
}

}  // namespace workspace
