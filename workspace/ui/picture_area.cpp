#include "workspace/ui/picture_area.h"

#include <QMouseEvent>
#include <QPainter>

namespace workspace::ui {
namespace {

const QColor kSelectionFrame(0x20, 0xE0, 0x40);  // The selected item's green frame.
constexpr int kFrameWidth = 2;                   // Drawn just outside the item's picture.

}  // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureArea::setSelection(std::optional<int> index) {
  if (index && (*index < 0 || *index >= itemCount())) index.reset();
  if (index == selection_) return;
  selection_ = index;
  update();
  emit selectionChanged(selection_);
}

std::optional<int> PictureArea::itemAt(QPoint point) const {
  for (int index = 0; index < itemCount(); ++index) {
    if (pictureRect(index).contains(point)) return index;
  }
  return std::nullopt;
}

void PictureArea::fitToPictures(int margin) {
  const QRect last = pictureRect(itemCount() - 1);
  setFixedSize(last.right() + 1 + margin, last.bottom() + 1 + margin);
}

void PictureArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  for (int index = 0; index < itemCount(); ++index) {
    painter.drawImage(pictureRect(index).topLeft(), picture(index));
  }
  if (selection_) {
    const QRect frame =
        pictureRect(*selection_).adjusted(-kFrameWidth, -kFrameWidth, kFrameWidth, kFrameWidth);
    painter.setPen(QPen(kSelectionFrame, kFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // A pen of width w on a rectangle straddles its edge: move in by half to stay outside the
    // picture.
    painter.drawRect(QRectF(frame).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0,
                                            -kFrameWidth / 2.0, -kFrameWidth / 2.0));
  }
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::optional<int> item = itemAt(event->position().toPoint());
  if (item || clickOutsideClears()) setSelection(item);
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::optional<int> item = itemAt(event->position().toPoint());
  if (!item) return;
  setSelection(item);
  emit itemActivated(*item);
}

}  // namespace workspace::ui
