#include "workspace/ui/symbol_picture_area.h"

#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/insert_dialogs.h"
#include "workspace/ui/item_images.h"

namespace workspace::ui {

SymbolPictureArea::SymbolPictureArea(QWidget* parent) : PictureArea(parent) {
  fitToPictures(kMargin);
}

std::optional<int> SymbolPictureArea::itemAt(QPoint point) const {
  return symbolAt(point.x() - kMargin, point.y() - kMargin);
}

int SymbolPictureArea::itemCount() const {
  return kSymbolCount;
}

QRect SymbolPictureArea::pictureRect(int index) const {
  const std::optional<CellRect> cell = symbolCell(index);
  if (!cell) return {};
  return QRect(cell->x + kMargin, cell->y + kMargin, cell->width, cell->height);
}

QImage SymbolPictureArea::picture(int index) const {
  return symbolPicture(index, kLedRed);
}

}  // namespace workspace::ui
