#include "addressbook/ui/name_entry_dialog.h"

#include <QLabel>
#include <QLineEdit>

#include "addressbook/name_dialog_texts.h"
#include "addressbook/typed_name.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/name_entry_layout.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

using platform::ui::fromCp1252;

CNameEntryDialog::CNameEntryDialog(const CAddressBook& book, NameDialogMode mode,
                                   const i18n::LanguageModule& language, QWidget* parent,
                                   const std::string& caption, const std::string& initialText)
    : QDialog(parent), book_(book), mode_(mode), field_(new QLineEdit(this)) {
  const i18n::ui::NameEntryParts parts = i18n::ui::layOutNameEntry(this, field_, language);
  ok_ = parts.ok;

  // The mode's texts replace the template's, which belong to the bitmap index.
  const NameDialogTexts texts = nameDialogTexts(mode);
  setWindowTitle(fromCp1252(caption.empty() ? texts.caption : caption));
  parts.prompt->setText(fromCp1252(texts.prompt));
  if (texts.maxLength > 0) field_->setMaxLength(static_cast<int>(texts.maxLength));
  field_->setText(fromCp1252(initialText));
  field_->selectAll();
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
