#include "workspace/ui/special_character_area.h"

#include <QKeyEvent>

#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/insert_dialogs.h"
#include "workspace/ui/item_images.h"

namespace workspace::ui {
namespace {

std::optional<SpecialCharacterKey> selectionKey(int key) {
  switch (key) {
    case Qt::Key_Left:
      return SpecialCharacterKey::kLeft;
    case Qt::Key_Right:
      return SpecialCharacterKey::kRight;
    case Qt::Key_Up:
      return SpecialCharacterKey::kUp;
    case Qt::Key_Down:
      return SpecialCharacterKey::kDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

SpecialCharacterArea::SpecialCharacterArea(QWidget* parent) : PictureArea(parent) {
  setFixedSize(kSpecialPictureWidth, kSpecialPictureHeight);
  setSelection(0);
}

std::optional<int> SpecialCharacterArea::itemAt(QPoint point) const {
  return specialCharacterAt(point.x(), point.y());
}

int SpecialCharacterArea::itemCount() const {
  return kSpecialCharacterCount;
}

QRect SpecialCharacterArea::pictureRect(int index) const {
  const std::optional<CellRect> box = specialCharacterGlyphBox(index);
  if (!box) return {};
  return QRect(box->x, box->y, box->width, box->height);
}

QImage SpecialCharacterArea::picture(int index) const {
  return specialCharacterGlyph(index, kLedRed);
}

void SpecialCharacterArea::keyPressEvent(QKeyEvent* event) {
  const std::optional<SpecialCharacterKey> key = selectionKey(event->key());
  if (!key) {
    PictureArea::keyPressEvent(event);
    return;
  }
  setSelection(moveSpecialCharacterSelection(selection().value_or(0), *key));
}

}  // namespace workspace::ui
