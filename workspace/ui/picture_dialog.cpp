#include "workspace/ui/picture_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/bitmap_picture_area.h"
#include "workspace/ui/special_character_area.h"
#include "workspace/ui/symbol_picture_area.h"
#include "workspace/ui/template_texts.h"

namespace workspace::ui {
namespace {

PictureArea* makeArea(QWidget* parent, ElementKind kind) {
  switch (kind) {
    case kKindSymbol:
      return new SymbolPictureArea(parent);
    case kKindPredefinedBitmap:
      return new BitmapPictureArea(parent);
    default:
      return new SpecialCharacterArea(parent);
  }
}

}  // namespace

int PictureDialog::dialogNumber(ElementKind kind) {
  switch (kind) {
    case kKindSymbol:
      return i18n::IDD_PREDEFINED_SYMBOLS;
    case kKindPredefinedBitmap:
      return i18n::IDD_PREDEFINED_BITMAPS;
    case kKindSpecialCharacter:
      return i18n::IDD_SPECIAL_CHARACTERS;
    default:
      return 0;
  }
}

PictureDialog::PictureDialog(QWidget* parent, ElementKind kind,
                             const i18n::LanguageModule& language)
    : QDialog(parent),
      kind_(kind),
      area_(makeArea(this, kind)),
      insert_(new QPushButton(this)),
      close_(new QPushButton(this)) {
  // Enter inserts (the dialog stays open); Escape and "Close" end it.
  insert_->setDefault(true);
  close_->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(insert_);
  buttons->addWidget(close_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(area_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(insert_, &QPushButton::clicked, this, &PictureDialog::insertSelected);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(area_, &PictureArea::itemActivated, this, &PictureDialog::insertSelected);
  connect(area_, &PictureArea::selectionChanged, this, &PictureDialog::updateInsertButton);
  updateInsertButton();

  i18n::ui::setControlId(area_, i18n::kIdPictureArea);
  i18n::ui::setControlId(insert_, i18n::kIdPictureInsert);
  i18n::ui::setControlId(close_, i18n::kIdOk);
  applyTemplateTexts(this, dialogNumber(kind), language);
  area_->setFocus();
}

void PictureDialog::insertSelected() {
  const std::optional<int> index = area_->selection();
  if (!index) return;
  emit itemInserted(kind_, *index + kInsertItemCodeOffset);
}

void PictureDialog::updateInsertButton() {
  // Only the symbols dialog can lose its selection; its "Insert" waits for a chosen cell.
  if (kind_ == kKindSymbol) insert_->setEnabled(area_->selection().has_value());
}

}  // namespace workspace::ui
