#pragma once

#include "workspace/ui/picture_area.h"

namespace workspace::ui {

// The Special characters picture: 240 x 270 pixels, 66 glyphs 8 to a row, item 0 selected at
// first. A click near a glyph selects it, a click elsewhere keeps the selection; the arrow keys
// move it.
class SpecialCharacterArea : public PictureArea {
  Q_OBJECT

 public:
  explicit SpecialCharacterArea(QWidget* parent);

  std::optional<int> itemAt(QPoint point) const override;

 protected:
  bool clickOutsideClears() const override { return false; }
  int itemCount() const override;
  QRect pictureRect(int index) const override;
  QImage picture(int index) const override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace workspace::ui
