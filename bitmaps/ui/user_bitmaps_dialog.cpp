#include "bitmaps/ui/user_bitmaps_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "bitmaps/ui/image_rows_area.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"

namespace bitmaps::ui {
namespace {

constexpr int kDialog = i18n::IDD_USER_BITMAPS;
constexpr int kRowHeight = 32;  // As high as the editor draws a user-defined bitmap.
constexpr int kAreaWidth = 428;

}  // namespace

CUserBitmapsDialog::CUserBitmapsDialog(Images images, LoadFile loadFile,
                                       const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      images_(std::move(images)),
      loadFile_(std::move(loadFile)),
      area_(new ImageRowsArea(0, kRowHeight, this)),
      insert_(i18n::ui::makeControl<QPushButton>(this, kDialog, i18n::kIdPictureInsert)),
      load_(i18n::ui::makeControl<QPushButton>(this, kDialog, i18n::kIdUserBitmapsLoadFile)) {
  auto* close = i18n::ui::makeControl<QPushButton>(this, kDialog, i18n::kIdOk);
  insert_->setDefault(true);
  load_->setAutoDefault(false);
  close->setAutoDefault(false);
  area_->setFixedWidth(kAreaWidth);
  i18n::ui::setControlId(area_, i18n::kIdPictureArea);
  area_->setImageSource(
      [this](int row) { return images_.picture ? images_.picture(row) : nullptr; });

  auto* column = new QVBoxLayout;
  column->addWidget(i18n::ui::makeControl<QLabel>(this, kDialog, i18n::kIdUserBitmapsPrompt));
  column->addWidget(area_);
  column->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(insert_);
  buttons->addWidget(load_);
  buttons->addWidget(close);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(column);
  layout->addLayout(buttons);
  // The dialog takes the size of its images.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(area_, &ImageRowsArea::rowClicked, this, &CUserBitmapsDialog::select);
  connect(area_, &ImageRowsArea::rowDoubleClicked, this, [this](int row) {
    select(row);
    insertSelected();
  });
  connect(insert_, &QPushButton::clicked, this, &CUserBitmapsDialog::insertSelected);
  connect(load_, &QPushButton::clicked, this, &CUserBitmapsDialog::loadFile);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  i18n::ui::initDialog(this, kDialog, language);
  showImages();
}

void CUserBitmapsDialog::showImages() {
  area_->setRows(images_.numbers ? static_cast<int>(images_.numbers().size()) : 0);
  area_->setMarkedRow(std::nullopt);
  insert_->setEnabled(false);
}

void CUserBitmapsDialog::select(int row) {
  if (row < 0 || row >= area_->rows()) return;
  area_->setMarkedRow(row);
  insert_->setEnabled(true);
}

void CUserBitmapsDialog::insertSelected() {
  const std::optional<int> row = area_->markedRow();
  if (!row || !images_.numbers) return;
  const std::vector<int> numbers = images_.numbers();
  if (*row >= static_cast<int>(numbers.size())) return;
  emit imageInserted(numbers[static_cast<size_t>(*row)]);
}

bool CUserBitmapsDialog::loadFile() {
  if (!loadFile_ || !loadFile_()) return false;
  showImages();
  return true;
}

}  // namespace bitmaps::ui
