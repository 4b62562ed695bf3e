#include "bitmaps/bitmap_editor.h"

#include <gtest/gtest.h>

#include "i18n/string_ids.h"
#include "tests/bitmaps_editor/scripted_dialogs.h"

using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapEditor;
using bitmaps::PromptAnswer;
using bitmaps::PromptButtons;
using Button = CBitmapEditor::Button;
using Direction = CBitmapCatalog::Direction;

namespace {

constexpr int kBiColour = 2;
constexpr int kSingleColour = 1;

// A catalog of 16-pixel images under `numbers`, each image's first cell holding its number.
CBitmapCatalog catalogOf(std::initializer_list<int> numbers) {
  CBitmapCatalog catalog(16);
  for (int n : numbers)
    catalog.getOrCreate(n, true).value()->setPixel(0, 0, uint8_t(n));
  return catalog;
}

}  // namespace

TEST(BitmapEditor, StartsEmptyUnderTheNextFreeIndex) {
  CBitmapCatalog catalog = catalogOf({1, 2, 4});
  CBitmapEditor editor(catalog, kBiColour);
  EXPECT_EQ(editor.currentIndex(), 3);
  EXPECT_EQ(editor.pixels(), std::vector<uint8_t>(16 * 7, CBitmapEditor::kEmptyCell));
  EXPECT_FALSE(editor.changed());
  EXPECT_FALSE(editor.fromCatalog());
  EXPECT_EQ(editor.caption(), "Bitmap Image Workspace (7 x 16)");
}

TEST(BitmapEditor, StrokeIsStoredAtReleaseUnderTheShownIndex) {
  CBitmapCatalog catalog;
  CBitmapEditor editor(catalog, kBiColour);
  ASSERT_TRUE(editor.chooseColour(5));
  EXPECT_TRUE(editor.press(Button::kLeft, 3, 2));
  EXPECT_TRUE(editor.changed());
  EXPECT_EQ(catalog.count(), 0u);  // nothing stored while the button is down
  EXPECT_TRUE(editor.drag(Button::kLeft, 4, 2));
  EXPECT_FALSE(editor.drag(Button::kLeft, 80, 2));  // off the grid
  EXPECT_TRUE(editor.release(Button::kLeft));
  ASSERT_EQ(catalog.count(), 1u);
  const bitmaps::CBitmapImage* image = catalog.find(1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixel(3, 2), 5);
  EXPECT_EQ(image->pixel(4, 2), 5);
  EXPECT_EQ(image->pixel(0, 0), CBitmapEditor::kEmptyCell);  // empty cells are stored as 9
  EXPECT_FALSE(editor.changed());
  EXPECT_TRUE(editor.fromCatalog());
  // A second release without a stroke stores nothing.
  EXPECT_FALSE(editor.release(Button::kLeft));
}

TEST(BitmapEditor, RightButtonEmptiesAndKeepsTheColour) {
  CBitmapCatalog catalog = catalogOf({1});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(1, &dialogs));
  ASSERT_TRUE(editor.chooseColour(7));
  EXPECT_TRUE(editor.press(Button::kRight, 0, 0));
  EXPECT_EQ(editor.cell(0, 0), CBitmapEditor::kEmptyCell);
  EXPECT_EQ(editor.currentColour(), 7);
  EXPECT_FALSE(editor.release(Button::kLeft));  // the other button's stroke is not this one
  EXPECT_TRUE(editor.release(Button::kRight));
  EXPECT_EQ(catalog.find(1)->pixel(0, 0), CBitmapEditor::kEmptyCell);
}

TEST(BitmapEditor, StrokeBegunOffTheGridIsStoredToo) {
  // Pressing beside the grid and dragging onto it paints cells; they reach the catalog at release
  // instead of showing on the screen while missing from it.
  CBitmapCatalog catalog;
  CBitmapEditor editor(catalog, kSingleColour);
  EXPECT_FALSE(editor.press(Button::kLeft, -1, 0));
  EXPECT_TRUE(editor.drag(Button::kLeft, 0, 0));
  EXPECT_TRUE(editor.release(Button::kLeft));
  ASSERT_NE(catalog.find(1), nullptr);
  EXPECT_EQ(catalog.find(1)->pixel(0, 0), 1);
}

TEST(BitmapEditor, PaletteFollowsTheColourMode) {
  CBitmapCatalog catalog;
  CBitmapEditor mono(catalog, kSingleColour);
  EXPECT_EQ(mono.palette(), std::vector<uint8_t>{1});
  EXPECT_FALSE(mono.chooseColour(2));
  EXPECT_EQ(mono.currentColour(), 1);
  CBitmapEditor bi(catalog, kBiColour);
  EXPECT_EQ(bi.palette(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(bi.chooseColour(8));
  EXPECT_FALSE(bi.chooseColour(9));
  EXPECT_FALSE(bi.chooseColour(0));
}

TEST(BitmapEditor, LeftAndRightWrapThroughTheCatalog) {
  CBitmapCatalog catalog = catalogOf({3, 7});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(7, &dialogs));
  editor.step(Direction::kNext, dialogs);
  EXPECT_EQ(editor.currentIndex(), 3);
  EXPECT_EQ(editor.cell(0, 0), 3);
  ASSERT_TRUE(editor.load(7, &dialogs));
  editor.step(Direction::kPrevious, dialogs);
  EXPECT_EQ(editor.currentIndex(), 3);
  editor.step(Direction::kPrevious, dialogs);  // before the first: the last
  EXPECT_EQ(editor.currentIndex(), 7);
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST(BitmapEditor, SteppingFromANewDrawing) {
  CBitmapCatalog catalog = catalogOf({3, 7});
  ScriptedDialogs dialogs;
  CBitmapEditor left(catalog, kBiColour);  // index 1, not in the catalog
  left.step(Direction::kPrevious, dialogs);
  EXPECT_EQ(left.currentIndex(), 7);
  CBitmapEditor right(catalog, kBiColour);
  right.step(Direction::kNext, dialogs);
  EXPECT_EQ(right.currentIndex(), 3);
  CBitmapCatalog empty;
  CBitmapEditor none(empty, kBiColour);
  none.press(Button::kLeft, 0, 0);
  dialogs.answers = {PromptAnswer::kNo};
  none.step(Direction::kNext, dialogs);
  EXPECT_EQ(none.currentIndex(), 1);
  EXPECT_EQ(none.cell(0, 0), 1);  // the drawing stays on the screen
  EXPECT_TRUE(empty.empty());
}

TEST(BitmapEditor, SteppingAsksToSaveAChangedDrawing) {
  CBitmapCatalog catalog = catalogOf({3, 7});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(3, &dialogs));
  editor.press(Button::kLeft, 5, 5);  // painted, button not yet released
  dialogs.answers = {PromptAnswer::kNo};
  editor.step(Direction::kNext, dialogs);
  EXPECT_EQ(dialogs.askedIds(), std::vector<int>{i18n::IDS_EDITOR_ASK_SAVE});
  EXPECT_EQ(dialogs.asked[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(catalog.find(3)->pixel(5, 5), 0);  // No: not stored
  EXPECT_EQ(editor.currentIndex(), 7);

  editor.press(Button::kLeft, 5, 5);
  dialogs.answers = {PromptAnswer::kYes};
  editor.step(Direction::kPrevious, dialogs);
  EXPECT_EQ(catalog.find(7)->pixel(5, 5), 1);
  EXPECT_EQ(editor.currentIndex(), 3);
}

TEST(BitmapEditor, NewImageTakesAFreeNumberAfterACatalogImage) {
  CBitmapCatalog catalog = catalogOf({1, 2});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(2, &dialogs));
  editor.newImage(dialogs);  // unchanged: no question
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_EQ(editor.currentIndex(), 3);
  EXPECT_EQ(editor.cell(0, 0), CBitmapEditor::kEmptyCell);
  EXPECT_FALSE(editor.fromCatalog());

  // Cancel keeps everything; Yes stores first.
  ASSERT_TRUE(editor.load(2, &dialogs));
  editor.press(Button::kLeft, 1, 1);
  dialogs.answers = {PromptAnswer::kCancel};
  editor.newImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 2);
  EXPECT_EQ(editor.cell(1, 1), 1);
  EXPECT_EQ(dialogs.asked.back().buttons, PromptButtons::kYesNoCancel);
  dialogs.answers = {PromptAnswer::kYes};
  editor.newImage(dialogs);
  EXPECT_EQ(catalog.find(2)->pixel(1, 1), 1);
  EXPECT_EQ(editor.currentIndex(), 3);
}

TEST(BitmapEditor, NewImageAfterDiscardingNeverOverwritesTheCatalogImage) {
  // Answering No to the save question must not leave the new, empty drawing under the number of
  // the image it replaced: the next stroke would overwrite that image.
  CBitmapCatalog catalog = catalogOf({1});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(1, &dialogs));
  editor.press(Button::kLeft, 2, 2);
  dialogs.answers = {PromptAnswer::kNo};
  editor.newImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 2);
  editor.press(Button::kLeft, 6, 6);
  editor.release(Button::kLeft);
  EXPECT_EQ(catalog.find(1)->pixel(0, 0), 1);
  EXPECT_EQ(catalog.find(1)->pixel(6, 6), 0);
  EXPECT_EQ(catalog.find(2)->pixel(6, 6), 1);
}

TEST(BitmapEditor, OpenImageByTypedNumber) {
  CBitmapCatalog catalog = catalogOf({5, 123});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  dialogs.typed = "1234";  // cut to 123
  editor.openImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 123);
  EXPECT_EQ(editor.cell(0, 0), 123);
  EXPECT_TRUE(dialogs.asked.empty());

  // A number not in the catalog: No keeps the drawing, Yes starts an empty one under it.
  dialogs.typed = "9";
  dialogs.answers = {PromptAnswer::kNo};
  editor.openImage(dialogs);
  EXPECT_EQ(dialogs.askedIds(), std::vector<int>{i18n::IDS_EDITOR_ASK_CREATE_MISSING});
  EXPECT_EQ(editor.currentIndex(), 123);
  dialogs.answers = {PromptAnswer::kYes};
  editor.openImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 9);
  EXPECT_EQ(editor.cell(0, 0), CBitmapEditor::kEmptyCell);
  EXPECT_FALSE(editor.fromCatalog());
  EXPECT_EQ(catalog.find(9), nullptr);  // created by the first stroke only

  // Cancel, or the current number, does nothing.
  dialogs.asked.clear();
  dialogs.typed.reset();
  editor.openImage(dialogs);
  dialogs.typed = "009";
  editor.openImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 9);
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST(BitmapEditor, IndexDialogTakesThreeDigits) {
  EXPECT_EQ(CBitmapEditor::indexFromTyped("1234"), 123);
  EXPECT_EQ(CBitmapEditor::indexFromTyped("007"), 7);
  EXPECT_EQ(CBitmapEditor::indexFromTyped("0"), 0);
  EXPECT_EQ(CBitmapEditor::indexFromTyped(""), std::nullopt);
  EXPECT_EQ(CBitmapEditor::indexFromTyped("1a"), std::nullopt);
  EXPECT_EQ(CBitmapEditor::indexFromTyped("-1"), std::nullopt);
}

TEST(BitmapEditor, SaveAsCopiesACatalogImageUnderAFreeNumber) {
  CBitmapCatalog catalog = catalogOf({1});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(1, &dialogs));
  dialogs.answers = {PromptAnswer::kCancel};
  editor.saveAs(dialogs);
  EXPECT_EQ(catalog.count(), 1u);
  EXPECT_EQ(dialogs.asked.back().buttons, PromptButtons::kOkCancel);
  dialogs.answers = {PromptAnswer::kYes};
  editor.saveAs(dialogs);
  EXPECT_EQ(editor.currentIndex(), 2);
  ASSERT_EQ(catalog.count(), 2u);
  EXPECT_EQ(catalog.find(2)->pixel(0, 0), 1);
}

TEST(BitmapEditor, ClearStoresTheEmptyDrawingAtOnce) {
  CBitmapCatalog catalog = catalogOf({4});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(4, &dialogs));
  dialogs.answers = {PromptAnswer::kNo};
  editor.clearDrawing(dialogs);
  EXPECT_EQ(editor.cell(0, 0), 4);
  dialogs.answers = {PromptAnswer::kYes};
  editor.clearDrawing(dialogs);
  EXPECT_EQ(catalog.find(4)->pixels(), std::vector<uint8_t>(16 * 7, CBitmapEditor::kEmptyCell));
}

TEST(BitmapEditor, RemoveOpensTheNeighbour) {
  CBitmapCatalog catalog = catalogOf({2, 5, 8});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(5, &dialogs));
  dialogs.answers = {PromptAnswer::kYes};
  editor.removeImage(dialogs);
  EXPECT_EQ(dialogs.asked[0].text,
            "Are you sure you want to remove this bitmap image (0005) from the bitmap catalog?");
  EXPECT_EQ(editor.currentIndex(), 8);  // the next one
  dialogs.answers = {PromptAnswer::kYes};
  editor.removeImage(dialogs);
  EXPECT_EQ(editor.currentIndex(), 2);  // the last: the previous one
  EXPECT_EQ(catalog.count(), 1u);
}

TEST(BitmapEditor, RemovingTheOnlyImageLeavesZerosUnderTheNextFreeIndex) {
  CBitmapCatalog catalog = catalogOf({1});
  CBitmapEditor editor(catalog, kBiColour);
  ScriptedDialogs dialogs;
  ASSERT_TRUE(editor.load(1, &dialogs));
  dialogs.answers = {PromptAnswer::kYes};
  editor.removeImage(dialogs);
  EXPECT_TRUE(catalog.empty());
  EXPECT_EQ(editor.currentIndex(), 1);
  EXPECT_EQ(editor.pixels(), std::vector<uint8_t>(16 * 7, 0));
  EXPECT_FALSE(editor.fromCatalog());
}

TEST(BitmapEditor, RemovingAnImageNotInTheCatalogSaysSo) {
  CBitmapCatalog catalog = catalogOf({1});
  CBitmapEditor editor(catalog, kBiColour);  // index 2, not stored yet
  ScriptedDialogs dialogs;
  dialogs.answers = {PromptAnswer::kYes};
  editor.removeImage(dialogs);
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[1].text, "Index number 0002 has not been added to the catalog yet!");
  EXPECT_EQ(catalog.count(), 1u);
}

TEST(BitmapEditor, FullCatalog) {
  CBitmapCatalog catalog(8);
  for (int n = 1; n <= int(CBitmapCatalog::kMaxImages); ++n) {
    ASSERT_TRUE(catalog.add(bitmaps::CBitmapImage(bitmaps::CBitmapImage::formatIndex(n), 8)).ok());
  }
  catalog.find(1)->setPixel(0, 0, 6);
  CBitmapEditor editor(catalog, kBiColour);  // opens image 1
  EXPECT_EQ(editor.currentIndex(), 1);
  EXPECT_EQ(editor.cell(0, 0), 6);
  ScriptedDialogs dialogs;
  editor.saveAs(dialogs);
  EXPECT_EQ(dialogs.askedIds(), std::vector<int>{i18n::IDS_CATALOG_FULL});
  // New offers to change an old image instead, through the index dialog.
  dialogs.answers = {PromptAnswer::kYes};
  dialogs.typed = "42";
  editor.newImage(dialogs);
  EXPECT_EQ(dialogs.askedIds().back(), i18n::IDS_EDITOR_ASK_MODIFY_OLD);
  EXPECT_EQ(editor.currentIndex(), 42);
}
