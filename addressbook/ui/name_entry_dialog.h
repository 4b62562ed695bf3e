#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "addressbook/address_book.h"
#include "addressbook/book_edits.h"
#include "i18n/language_module.h"

class QLineEdit;
class QPushButton;

namespace addressbook::ui {

// The shared name-entry dialog (dialog 132): one field, its prompt, OK and Cancel. The mode gives
// the caption, the prompt and the list a new name must be unique in; a caption given by the
// caller (a rename's) replaces the mode's. OK is enabled only while the field holds text; a text
// Windows-1252 cannot hold, or a name the mode's list already holds, is refused with the "Error"
// box (checkTypedName) and the dialog stays open.
class CNameEntryDialog final : public QDialog {
  Q_OBJECT

 public:
  CNameEntryDialog(const CAddressBook& book, NameDialogMode mode,
                   const i18n::LanguageModule& language, QWidget* parent = nullptr,
                   const std::string& caption = {}, const std::string& initialText = {});

  // The confirmed name, Windows-1252 (valid after OK).
  const std::string& name() const { return name_; }
  QLineEdit* field() const { return field_; }

  void accept() override;

 private:
  const CAddressBook& book_;
  const NameDialogMode mode_;
  QLineEdit* const field_;
  QPushButton* ok_ = nullptr;
  std::string name_;
};

// Runs the dialog modally; the confirmed name, or nothing after Cancel.
std::optional<std::string> askForName(const CAddressBook& book, NameDialogMode mode,
                                      const i18n::LanguageModule& language, QWidget* parent,
                                      const std::string& caption = {},
                                      const std::string& initialText = {});

}  // namespace addressbook::ui
