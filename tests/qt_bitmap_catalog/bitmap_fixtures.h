#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <string>

#include "bitmaps/bitmap_catalog.h"

namespace bitmaps::ui {
class ImageRowsArea;
}
namespace app::ui {
class CMainFrame;
class CVarnelApp;
class CVarnelView;
}  // namespace app::ui

// Pictures and clicks shared by the catalog window's and the editor view's tests.

// Image `number`, `width` columns: a band of colour `code` whose place depends on the number, so
// two images never look alike.
bitmaps::CBitmapImage bandImage(int number, uint16_t width, uint8_t code);
// A catalog of bandImage()s numbered 1 to `count`, colours 1 to 8 in turn.
bitmaps::CBitmapCatalog bandCatalog(int count, uint16_t width);
// Saves a list file of `images` at `path`.
void saveList(const std::string& path, std::initializer_list<int> images);

// A click and a double click on row `row` of an image area.
void clickRow(bitmaps::ui::ImageRowsArea* area, int row);
void doubleClickRow(bitmaps::ui::ImageRowsArea* area, int row);

// True when `picture`, with `image` stretched over `cell`, shows each image pixel's screen colour
// at that pixel's centre. `why` names the first pixel that differs.
bool showsImage(const QImage& picture, const QRect& cell, const bitmaps::CBitmapImage& image,
                QString* why);

// Start-up with a site manage file in place and the setup dialog confirmed as it opens; the main
// window, or nullptr when start-up failed.
app::ui::CMainFrame* startWithMainWindow(app::ui::CVarnelApp& app);
// The picture cell of the first user-defined bitmap on the view's first line (empty when none).
QRect userBitmapCell(app::ui::CVarnelView* view);
