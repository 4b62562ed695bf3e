#pragma once

#include "workspace/ui/picture_area.h"

namespace workspace::ui {

// The Pre-Defined Symbols picture: 30 symbols in a 6 x 5 grid. A click between or outside the
// cells clears the selection.
class SymbolPictureArea : public PictureArea {
  Q_OBJECT

 public:
  explicit SymbolPictureArea(QWidget* parent);

  // The grid starts this far in from the widget's corner, leaving room for the selection frame.
  static constexpr int kMargin = 4;

  std::optional<int> itemAt(QPoint point) const override;

 protected:
  int itemCount() const override;
  QRect pictureRect(int index) const override;
  QImage picture(int index) const override;
};

}  // namespace workspace::ui
