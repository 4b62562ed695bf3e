#include "bitmaps/catalog_window_model.h"

#include <gtest/gtest.h>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "tests/support/temp_dir.h"

using bitmaps::CatalogWindowModel;
using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapImage;
using testing_support::TempDir;
using AddStep = CatalogWindowModel::AddStep;

namespace {

// A catalog of images numbered `first` to `first + count - 1`, each with one lit pixel.
CBitmapCatalog catalogOf(int count, int first = 1) {
  CBitmapCatalog catalog(16);
  for (int n = first; n < first + count; ++n) {
    CBitmapImage image(CBitmapImage::formatIndex(n), 16);
    image.setPixel(n % 16, n % 7, 1);
    EXPECT_TRUE(catalog.add(image).ok());
  }
  return catalog;
}

}  // namespace

TEST(CatalogWindowModel, EightImagesAtMostAndACopyOnlyAfterYes) {
  const CBitmapCatalog catalog = catalogOf(10);
  CatalogWindowModel model(catalog);
  EXPECT_EQ(model.addImage(3).step, AddStep::kAdded);
  EXPECT_TRUE(model.saveEnabled());

  const CatalogWindowModel::AddResult again = model.addImage(3);
  EXPECT_EQ(again.step, AddStep::kAskDuplicate);
  EXPECT_EQ(again.message, i18n::text(i18n::IDS_ASK_ADD_IMAGE_AGAIN));
  EXPECT_EQ(model.file().count, 1);  // No: nothing added.
  EXPECT_EQ(model.addImage(3, true).step, AddStep::kAdded);
  EXPECT_EQ(model.file().images(), (std::vector<int>{4, 4}));

  for (int position = 4; position < 10; ++position)
    EXPECT_EQ(model.addImage(position).step, AddStep::kAdded);
  const CatalogWindowModel::AddResult ninth = model.addImage(0);
  EXPECT_EQ(ninth.step, AddStep::kRefused);
  EXPECT_EQ(ninth.message, i18n::text(i18n::IDS_TRANSFER_FILE_FULL));
  // The limit comes before the duplicate question.
  EXPECT_EQ(model.addImage(3).step, AddStep::kRefused);
  EXPECT_EQ(model.file().count, 8);
  EXPECT_EQ(model.addImage(10).step, AddStep::kNoImage);
}

TEST(CatalogWindowModel, RemoveRefusesImagesTheTextShowsAndKeepsSelectionOnTheList) {
  const CBitmapCatalog catalog = catalogOf(4);
  CatalogWindowModel model(catalog);
  const auto none = [](int) { return false; };
  EXPECT_EQ(model.removeSelected(none), i18n::text(i18n::IDS_SELECT_IMAGE_TO_REMOVE));
  for (int position = 0; position < 3; ++position)
    model.addImage(position);
  EXPECT_FALSE(model.select(3));  // An empty row holds nothing to select.
  ASSERT_TRUE(model.select(2));
  EXPECT_TRUE(model.removeEnabled());

  const auto threeInText = [](int number) { return number == 3; };
  EXPECT_EQ(model.removeSelected(threeInText),
            "This bitmap image( 0003) has been insert into "
            "text,can't be removed!");
  EXPECT_EQ(model.file().count, 3);

  // Removing the last entry moves the selection to the new last one.
  EXPECT_EQ(model.removeSelected(none), std::nullopt);
  EXPECT_EQ(model.file().images(), (std::vector<int>{1, 2}));
  EXPECT_EQ(model.selected(), 1);
  ASSERT_TRUE(model.select(0));
  EXPECT_EQ(model.removeSelected(none), std::nullopt);
  EXPECT_EQ(model.file().images(), (std::vector<int>{2}));
  EXPECT_EQ(model.selected(), 0);
  EXPECT_EQ(model.removeSelected(none), std::nullopt);
  EXPECT_FALSE(model.removeEnabled());
  EXPECT_EQ(catalog.count(), 4u);  // The catalog itself never changes here.
}

TEST(CatalogWindowModel, ScrollsOneImageAStepWithinTheCatalog) {
  const CBitmapCatalog catalog = catalogOf(11);
  CatalogWindowModel model(catalog);
  EXPECT_EQ(model.scrollMaximum(), 3);
  model.scrollTo(9);
  EXPECT_EQ(model.firstShown(), 3);
  EXPECT_EQ(model.catalogPositionAt(0), 3);
  EXPECT_EQ(model.catalogPositionAt(7), 10);
  model.scrollTo(-2);
  EXPECT_EQ(model.firstShown(), 0);

  const CBitmapCatalog small = catalogOf(2);
  CatalogWindowModel few(small);
  EXPECT_EQ(few.scrollMaximum(), 0);
  EXPECT_EQ(few.catalogPositionAt(2), std::nullopt);
}

TEST(CatalogWindowModel, SaveOpenClearAndNewKeepNameAndCaptionInStep) {
  TempDir dir;
  const std::string path = dir.file("SHOP.LST");
  const CBitmapCatalog catalog = catalogOf(3);
  CatalogWindowModel model(catalog);
  EXPECT_EQ(model.caption("Bitmap Image Catalog"), "Bitmap Image Catalog");
  EXPECT_EQ(model.clearQuestion(), std::nullopt);
  model.addImage(2);
  model.addImage(0);
  EXPECT_EQ(model.clearQuestion(), i18n::text(i18n::IDS_ASK_SAVE_BEFORE_CLEAR));
  EXPECT_EQ(model.openQuestion(), i18n::text(i18n::IDS_ASK_SAVE_LIST_FILE));

  ASSERT_TRUE(model.saveTo(path).ok());
  EXPECT_FALSE(model.saveEnabled());
  EXPECT_EQ(model.openQuestion(), std::nullopt);
  EXPECT_EQ(model.caption("Bitmap Image Catalog--OLD.LST"), "Bitmap Image Catalog--" + path);

  model.clear();
  EXPECT_EQ(model.file().count, 0);
  EXPECT_EQ(model.file().fileName, path);
  ASSERT_TRUE(model.open(path).ok());
  EXPECT_EQ(model.file().images(), (std::vector<int>{3, 1}));
  EXPECT_EQ(model.listImageAt(0), catalog.find(3));
  EXPECT_EQ(model.listImageAt(2), nullptr);

  model.newFile();
  EXPECT_EQ(model.file().fileName, "");
  EXPECT_EQ(model.caption("Bitmap Image Catalog"), "Bitmap Image Catalog");
  EXPECT_FALSE(model.open(dir.file("missing.LST")).ok());
  EXPECT_EQ(model.file().count, 0);
}
