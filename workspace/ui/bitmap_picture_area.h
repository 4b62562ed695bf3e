#pragma once

#include "workspace/ui/picture_area.h"

namespace workspace::ui {

// The Pre-Defined Bitmaps picture: the 8 bitmaps in one column.
class BitmapPictureArea : public PictureArea {
  Q_OBJECT

 public:
  explicit BitmapPictureArea(QWidget* parent);

  static constexpr int kMargin = 4;      // Room for the selection frame around the column.
  static constexpr int kRowHeight = 32;  // One bitmap, as high as an editor line.
  static constexpr int kRowGap = 8;      // Between two bitmaps.

 protected:
  int itemCount() const override;
  QRect pictureRect(int index) const override;
  QImage picture(int index) const override;
};

}  // namespace workspace::ui
