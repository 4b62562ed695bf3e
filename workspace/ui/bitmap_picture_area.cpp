#include "workspace/ui/bitmap_picture_area.h"

#include "workspace/sign_tables.h"
#include "workspace/ui/insert_dialogs.h"
#include "workspace/ui/item_images.h"

namespace workspace::ui {

BitmapPictureArea::BitmapPictureArea(QWidget* parent) : PictureArea(parent) {
  fitToPictures(kMargin);
}

int BitmapPictureArea::itemCount() const {
  return kPredefinedBitmapCount;
}

QRect BitmapPictureArea::pictureRect(int index) const {
  return QRect(kMargin, kMargin + index * (kRowHeight + kRowGap), kBitmapWidth, kRowHeight);
}

QImage BitmapPictureArea::picture(int index) const {
  return predefinedBitmapPicture(index, kLedRed);
}

}  // namespace workspace::ui
