#include "i18n/ui/name_entry_layout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"

namespace i18n::ui {

NameEntryParts layOutNameEntry(QDialog* dialog, QLineEdit* field, const LanguageModule& language) {
  constexpr int kNumber = IDD_NAME_ENTRY;
  auto* prompt = makeControl<QLabel>(dialog, kNumber, kIdNameEntryPrompt);
  prompt->setWordWrap(true);
  setControlId(field, kIdNameEntry);
  auto* buttons = makeOkCancelButtons(dialog, kNumber);
  // The button box holds the template's own buttons, not standard ones.
  auto* ok = qobject_cast<QPushButton*>(findControl(dialog, kIdOk));

  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(prompt);
  layout->addWidget(field);
  layout->addWidget(buttons);
  initDialog(dialog, kNumber, language);

  ok->setEnabled(!field->text().isEmpty());
  QObject::connect(field, &QLineEdit::textChanged, ok,
                   [ok](const QString& text) { ok->setEnabled(!text.isEmpty()); });
  return {prompt, ok};
}

}  // namespace i18n::ui
