#pragma once

#include "i18n/language_module.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace i18n::ui {

// What the caller adjusts after laying out the one-field entry dialog.
struct NameEntryParts {
  QLabel* prompt;
  QPushButton* ok;
};

// Lays `dialog` out as the one-field entry dialog (IDD_NAME_ENTRY): its prompt, `field`, then OK
// (the default, enabled only while the field holds text) and Cancel, with the current language's
// texts. The bitmap index and every name prompt of the address book use it.
NameEntryParts layOutNameEntry(QDialog* dialog, QLineEdit* field, const LanguageModule& language);

}  // namespace i18n::ui
