#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "bitmaps/bitmap_image.h"

namespace bitmaps::ui {

// The picture of `image`: one screen pixel per image pixel, each in its code's screen colour.
QImage imagePicture(const CBitmapImage& image);

// A column of user-defined images, one per row, each stretched to the area's width; an empty row
// is black, and the marked row is drawn in inverted colours. A click and a double click on a row
// are reported with the row's number; the rows' images come from a callback, so the area always
// shows what its owner holds.
class ImageRowsArea : public QWidget {
  Q_OBJECT

 public:
  // The image of row `row`, or nullptr for an empty row.
  using ImageSource = std::function<const CBitmapImage*(int row)>;

  ImageRowsArea(int rows, int rowHeight, QWidget* parent);

  void setImageSource(ImageSource source);
  int rows() const { return rows_; }
  int rowHeight() const { return rowHeight_; }
  // Changes the number of rows; the height follows.
  void setRows(int rows);
  std::optional<int> markedRow() const { return marked_; }
  void setMarkedRow(std::optional<int> row);
  // The row under `point` (widget coordinates); nothing outside the rows.
  std::optional<int> rowAt(QPoint point) const;
  // The place of row `row` in the widget, and of its picture inside it (a black line above and
  // below keeps neighbouring pictures apart).
  QRect rowRect(int row) const;
  QRect pictureRect(int row) const;

  QSize sizeHint() const override;

 signals:
  void rowClicked(int row);
  void rowDoubleClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int rows_;
  const int rowHeight_;
  ImageSource source_;
  std::optional<int> marked_;
};

}  // namespace bitmaps::ui
