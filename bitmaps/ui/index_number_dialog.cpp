#include "bitmaps/ui/index_number_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "bitmaps/bitmap_editor.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"

namespace bitmaps::ui {

CIndexNumberDialog::CIndexNumberDialog(const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(this)) {
  constexpr int kNumber = i18n::IDD_NAME_ENTRY;
  auto* prompt = i18n::ui::makeControl<QLabel>(this, kNumber, i18n::kIdNameEntryPrompt);
  prompt->setWordWrap(true);
  i18n::ui::setControlId(field_, i18n::kIdNameEntry);
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);
  ok_ = qobject_cast<QPushButton*>(i18n::ui::findControl(this, i18n::kIdOk));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(field_);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);

  field_->setMaxLength(static_cast<int>(CBitmapEditor::kIndexDigits));
  field_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field_));
  ok_->setEnabled(false);
  connect(field_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ok_->setEnabled(!text.isEmpty()); });
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
