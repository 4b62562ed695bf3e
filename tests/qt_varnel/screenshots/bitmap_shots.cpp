// The catalog window and the User-Defined Bitmaps insert dialog, with pictures an operator might
// have drawn on a bi-colour sign 80 pixels wide.

#include <QScrollBar>
#include <QTest>

#include "app/view_image_slots.h"
#include "bitmaps/catalog_window_model.h"
#include "bitmaps/transfer_file.h"
#include "bitmaps/ui/catalog_dialog.h"
#include "bitmaps/ui/image_rows_area.h"
#include "bitmaps/ui/user_bitmaps_dialog.h"
#include "i18n/language_module.h"
#include "tests/qt_varnel/screenshots/shots.h"
#include "tests/support/temp_dir.h"
#include "workspace/item_pictures.h"

namespace {

constexpr uint16_t kSignWidth = 80;
constexpr int kImageCount = 11;

// Picture `number`: one of the sign's own banners redrawn in two colours, shifted a little.
bitmaps::CBitmapImage drawnImage(int number) {
  bitmaps::CBitmapImage image(bitmaps::CBitmapImage::formatIndex(number), kSignWidth);
  const workspace::DotArt art = *workspace::predefinedBitmapArt((number - 1) % 8);
  const int left = 4 + (number * 5) % (kSignWidth - art.columns - 4);
  const auto main = static_cast<uint8_t>(1 + (number - 1) % 8);
  const auto second = static_cast<uint8_t>(1 + number % 8);
  for (int y = 0; y < art.rows; ++y) {
    for (int x = 0; x < art.columns; ++x) {
      if (art.lit(x, y)) image.setPixel(left + x, y, x < art.columns / 2 ? main : second);
    }
  }
  return image;
}

bitmaps::CBitmapCatalog drawnCatalog() {
  bitmaps::CBitmapCatalog catalog(kSignWidth);
  for (int n = 1; n <= kImageCount; ++n)
    catalog.add(drawnImage(n));
  return catalog;
}

}  // namespace

bool bitmapDialogs(const QString& out) {
  testing_support::TempDir dir;
  i18n::LanguageModule language(dir.path());
  language.init();
  const bitmaps::CBitmapCatalog catalog = drawnCatalog();

  bitmaps::ui::CBitmapCatalogDialog window(catalog, language);
  window.resize(900, 0);
  for (const int position : {4, 0, 7})
    window.model().addImage(position);
  const std::string list = dir.file("SHOPFRONT.LST");
  window.model().saveTo(list);
  window.model().addImage(2);
  window.model().select(1);
  window.scrollBar()->setValue(1);
  window.model().highlight(3);
  window.scrollBar()->setValue(2);
  if (!save(window, out, "bitmap_catalog")) return false;

  workspace::Workspace ws;
  app::ViewImageSlots shown(kSignWidth);
  if (!shown.load(list, &ws, catalog).ok()) return false;
  bitmaps::ui::CUserBitmapsDialog::Images images;
  images.numbers = [&shown] { return shown.images(); };
  images.picture = [&shown](int slot) { return &shown.slot(slot); };
  bitmaps::ui::CUserBitmapsDialog insert(
      std::move(images), [] { return false; }, language);
  QTest::mouseClick(insert.area(), Qt::LeftButton, {}, insert.area()->rowRect(1).center());
  return save(insert, out, "insert_user_bitmaps");
}
