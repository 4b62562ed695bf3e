#include "bitmaps/ui/image_rows_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "bitmaps/screen_colours.h"

namespace bitmaps::ui {
namespace {

constexpr int kDefaultAreaWidth = 428;  // Twice a bitmap item of the editor.
constexpr int kRowGap = 2;              // Black lines above and below each picture.

}  // namespace

QImage imagePicture(const CBitmapImage& image) {
  QImage picture(std::max<int>(image.width(), 1), kImageRows, QImage::Format_RGB32);
  picture.fill(Qt::black);
  for (int y = 0; y < kImageRows; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const ScreenColour c = screenColour(image.pixel(x, y));
      picture.setPixel(x, y, qRgb(c.red, c.green, c.blue));
    }
  }
  return picture;
}

ImageRowsArea::ImageRowsArea(int rows, int rowHeight, QWidget* parent)
    : QWidget(parent), rows_(rows), rowHeight_(rowHeight) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setFixedHeight(rows_ * rowHeight_);
}

void ImageRowsArea::setImageSource(ImageSource source) {
  source_ = std::move(source);
  update();
}

void ImageRowsArea::setRows(int rows) {
  rows_ = std::max(rows, 0);
  setFixedHeight(rows_ * rowHeight_);
  if (marked_ && *marked_ >= rows_) marked_.reset();
  updateGeometry();
  update();
}

void ImageRowsArea::setMarkedRow(std::optional<int> row) {
  marked_ = row;
  update();
}

std::optional<int> ImageRowsArea::rowAt(QPoint point) const {
  if (point.x() < 0 || point.x() >= width() || point.y() < 0) return std::nullopt;
  const int row = point.y() / rowHeight_;
  if (row >= rows_) return std::nullopt;
  return row;
}

QRect ImageRowsArea::rowRect(int row) const {
  return QRect(0, row * rowHeight_, width(), rowHeight_);
}

QRect ImageRowsArea::pictureRect(int row) const {
  return rowRect(row).adjusted(0, kRowGap, 0, -kRowGap);
}

QSize ImageRowsArea::sizeHint() const {
  return QSize(kDefaultAreaWidth, rows_ * rowHeight_);
}

void ImageRowsArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  for (int row = 0; row < rows_; ++row) {
    const CBitmapImage* image = source_ ? source_(row) : nullptr;
    QImage picture = image != nullptr ? imagePicture(*image) : QImage();
    if (marked_ == row) {
      if (picture.isNull()) {
        picture = QImage(1, 1, QImage::Format_RGB32);
        picture.fill(Qt::black);
      }
      picture.invertPixels();
    }
    if (!picture.isNull()) painter.drawImage(pictureRect(row), picture);
  }
}

void ImageRowsArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (const std::optional<int> row = rowAt(event->position().toPoint())) emit rowClicked(*row);
}

void ImageRowsArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (const std::optional<int> row = rowAt(event->position().toPoint())) {
    emit rowDoubleClicked(*row);
  }
}

}  // namespace bitmaps::ui
