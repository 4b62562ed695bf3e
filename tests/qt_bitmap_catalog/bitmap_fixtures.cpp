#include "bitmap_fixtures.h"

#include <QTest>

#include "addressbook/address_book.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "bitmaps/screen_colours.h"
#include "bitmaps/transfer_file.h"
#include "bitmaps/ui/image_rows_area.h"
#include "modal_script.h"

using bitmaps::CBitmapImage;

CBitmapImage bandImage(int number, uint16_t width, uint8_t code) {
  CBitmapImage image(CBitmapImage::formatIndex(number), width);
  const int start = (number * 7) % std::max<int>(width - 10, 1);
  for (int y = 0; y < bitmaps::kImageRows; ++y) {
    for (int x = start; x < start + 10 && x < width; ++x) {
      if ((x + y + number) % 3 != 0) image.setPixel(x, y, code);
    }
  }
  image.setPixel(number % width, number % bitmaps::kImageRows, code);
  return image;
}

bitmaps::CBitmapCatalog bandCatalog(int count, uint16_t width) {
  bitmaps::CBitmapCatalog catalog(width);
  for (int n = 1; n <= count; ++n)
    catalog.add(bandImage(n, width, static_cast<uint8_t>(1 + (n - 1) % 8)));
  return catalog;
}

void saveList(const std::string& path, std::initializer_list<int> images) {
  bitmaps::ImageTransferFile file;
  for (int n : images)
    file.append(n);
  QVERIFY(bitmaps::saveTransferFile(path, file).ok());
}

void clickRow(bitmaps::ui::ImageRowsArea* area, int row) {
  QTest::mouseClick(area, Qt::LeftButton, {}, area->rowRect(row).center());
}

void doubleClickRow(bitmaps::ui::ImageRowsArea* area, int row) {
  QTest::mouseDClick(area, Qt::LeftButton, {}, area->rowRect(row).center());
}

bool showsImage(const QImage& picture, const QRect& cell, const CBitmapImage& image, QString* why) {
  for (int y = 0; y < bitmaps::kImageRows; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QPoint at(cell.x() + (2 * x + 1) * cell.width() / (2 * image.width()),
                      cell.y() + (2 * y + 1) * cell.height() / (2 * bitmaps::kImageRows));
      const bitmaps::ScreenColour want = bitmaps::screenColour(image.pixel(x, y));
      if (picture.pixel(at) != qRgb(want.red, want.green, want.blue)) {
        *why = QStringLiteral("pixel %1,%2 of image %3 at %4,%5")
                   .arg(x)
                   .arg(y)
                   .arg(QString::fromStdString(image.indexText()))
                   .arg(at.x())
                   .arg(at.y());
        return false;
      }
    }
  }
  return true;
}

app::ui::CMainFrame* startWithMainWindow(app::ui::CVarnelApp& app) {
  addressbook::CAddressBook().saveAtExit(addressbook::sitePath(app.state().dataDir));
  ModalScript script;
  script.then(ModalScript::accept());
  if (!app.startUp()) return nullptr;
  return app.openMainWindow();
}

QRect userBitmapCell(app::ui::CVarnelView* view) {
  const workspace::EditorLayout layout = view->model().layout(0, 1);
  for (const workspace::LayoutItem& item : layout.lines.at(0).items) {
    if (!item.isControl && item.element.kind == workspace::kKindUserBitmap) {
      return {item.x, item.y, item.width, item.height};
    }
  }
  return {};
}
