#include "addressbook/ui/name_entry_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "addressbook/name_dialog_texts.h"
#include "addressbook/typed_name.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

using platform::ui::fromCp1252;

CNameEntryDialog::CNameEntryDialog(const CAddressBook& book, NameDialogMode mode,
                                   const i18n::LanguageModule& language, QWidget* parent,
                                   const std::string& caption, const std::string& initialText)
    : QDialog(parent), book_(book), mode_(mode), field_(new QLineEdit(this)) {
  constexpr int kNumber = i18n::IDD_NAME_ENTRY;
  auto* prompt = i18n::ui::makeControl<QLabel>(this, kNumber, i18n::kIdNameEntryPrompt);
  prompt->setWordWrap(true);
  i18n::ui::setControlId(field_, i18n::kIdNameEntry);
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);
  // The button box holds the template's own buttons, not standard ones.
  ok_ = qobject_cast<QPushButton*>(i18n::ui::findControl(this, i18n::kIdOk));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(field_);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);

  // The mode's texts replace the template's, which belong to the bitmap index.
  const NameDialogTexts texts = nameDialogTexts(mode);
  setWindowTitle(fromCp1252(caption.empty() ? texts.caption : caption));
  prompt->setText(fromCp1252(texts.prompt));
  if (texts.maxLength > 0) field_->setMaxLength(static_cast<int>(texts.maxLength));
  field_->setText(fromCp1252(initialText));
  field_->selectAll();
  ok_->setEnabled(!field_->text().isEmpty());
  connect(field_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ok_->setEnabled(!text.isEmpty()); });
}

void CNameEntryDialog::accept() {
  if (field_->text().isEmpty()) return;
  std::string name;
  const platform::Status verdict =
      checkTypedName(book_, mode_, field_->text().toStdString(), &name);
  if (!verdict.ok()) {
    i18n::ui::showErrorBox(this, verdict.message());
    field_->setFocus();
    field_->selectAll();
    return;
  }
  name_ = name;
  QDialog::accept();
}

std::optional<std::string> askForName(const CAddressBook& book, NameDialogMode mode,
                                      const i18n::LanguageModule& language, QWidget* parent,
                                      const std::string& caption, const std::string& initialText) {
  CNameEntryDialog dialog(book, mode, language, parent, caption, initialText);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.name();
}

}  // namespace addressbook::ui
