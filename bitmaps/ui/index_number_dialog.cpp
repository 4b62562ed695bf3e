#include "bitmaps/ui/index_number_dialog.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "bitmaps/bitmap_editor.h"
#include "i18n/ui/name_entry_layout.h"

namespace bitmaps::ui {

CIndexNumberDialog::CIndexNumberDialog(const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(this)) {
  ok_ = i18n::ui::layOutNameEntry(this, field_, language).ok;

  field_->setMaxLength(static_cast<int>(CBitmapEditor::kIndexDigits));
  field_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field_));
}

std::string CIndexNumberDialog::typed() const {
  return field_->text().toStdString();
}

std::optional<std::string> askIndexNumber(const i18n::LanguageModule& language, QWidget* parent) {
  CIndexNumberDialog dialog(language, parent);
  if (dialog.exec() != QDialog::Accepted || dialog.typed().empty()) return std::nullopt;
  return dialog.typed();
}

}  // namespace bitmaps::ui
