#include "workspace/editor_insert_dialogs.h"

#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "workspace/sign_tables.h"

namespace {

using namespace workspace;

TEST(SymbolGrid, CellsAreFoundByRowAndColumnAndGapsSelectNothing) {
  EXPECT_EQ(symbolAt(0, 0), 0);
  EXPECT_EQ(symbolAt(45, 31), 0);
  EXPECT_EQ(symbolAt(47, 5), std::nullopt);  // The 4-pixel gap between columns.
  EXPECT_EQ(symbolAt(50, 5), 1);
  EXPECT_EQ(symbolAt(5, 35), std::nullopt);  // The 10-pixel gap between rows.
  EXPECT_EQ(symbolAt(5, 42), 6);
  EXPECT_EQ(symbolAt(5 * 50 + 1, 4 * 42 + 1), 29);
  EXPECT_EQ(symbolAt(6 * 50 + 1, 1), std::nullopt);
  EXPECT_EQ(symbolAt(1, 5 * 42 + 1), std::nullopt);
  EXPECT_EQ(symbolAt(-1, 3), std::nullopt);
  for (int i = 0; i < kSymbolCount; ++i) {
    const CellRect cell = *symbolCell(i);
    EXPECT_EQ(symbolAt(cell.x + cell.width / 2, cell.y + cell.height / 2), i);
  }
  EXPECT_FALSE(symbolCell(30));
}

TEST(SpecialCharacterGrid, ClicksNearAGlyphBoxSelectIt) {
  for (int i = 0; i < kSpecialCharacterCount; ++i) {
    const CellRect box = *specialCharacterGlyphBox(i);
    EXPECT_EQ(specialCharacterAt(box.x - kSpecialHitSlack, box.y), i);
    EXPECT_EQ(specialCharacterAt(box.x + box.width + kSpecialHitSlack - 1, box.y + box.height), i);
  }
  const CellRect box = *specialCharacterGlyphBox(9);
  EXPECT_EQ(specialCharacterAt(box.x - kSpecialHitSlack - 1, box.y), std::nullopt);
  // The ninth row holds 64 and 65 only.
  EXPECT_EQ(specialCharacterAt(2 * kSpecialCellSize + 15, 8 * kSpecialCellSize + 15), std::nullopt);
  EXPECT_EQ(specialCharacterAt(kSpecialPictureWidth, 5), std::nullopt);
  EXPECT_FALSE(specialCharacterCell(66));
}

TEST(SpecialCharacterGrid, KeysWrapSidewaysAndClampVertically) {
  EXPECT_EQ(moveSpecialCharacterSelection(0, SpecialCharacterKey::kLeft), 65);
  EXPECT_EQ(moveSpecialCharacterSelection(65, SpecialCharacterKey::kRight), 0);
  EXPECT_EQ(moveSpecialCharacterSelection(7, SpecialCharacterKey::kRight), 8);
  EXPECT_EQ(moveSpecialCharacterSelection(3, SpecialCharacterKey::kUp), 0);
  EXPECT_EQ(moveSpecialCharacterSelection(20, SpecialCharacterKey::kUp), 12);
  EXPECT_EQ(moveSpecialCharacterSelection(60, SpecialCharacterKey::kDown), 65);
  EXPECT_EQ(moveSpecialCharacterSelection(50, SpecialCharacterKey::kDown), 58);
}

TEST(ListDialogs, DefaultsFollowTheControlTable) {
  EXPECT_EQ(controlDialogDefault(kControlTransition), 3);
  EXPECT_EQ(controlDialogDefault(kControlCartoon), 8);
  EXPECT_EQ(controlDialogDefault(kControlBeep), 1);
  EXPECT_EQ(controlDialogDefault(kControlSpeed), 3);
  EXPECT_EQ(controlDialogDefault(kControlPause), 1);
  EXPECT_EQ(controlDialogDefault(9), 0);
}

TEST(ListDialogs, ThreeSpecialCharactersInARowFromOneDialog) {
  editor_test::Editor e;
  int selected = 0;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(e.model.insertItem(kKindSpecialCharacter, selected + kInsertItemCodeOffset));
    selected = moveSpecialCharacterSelection(selected, SpecialCharacterKey::kDown);
  }
  EXPECT_EQ(editor_test::show(e.lines()[0]), "<6:0><6:8><6:16>");
}

}  // namespace
