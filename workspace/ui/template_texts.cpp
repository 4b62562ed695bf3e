#include "workspace/ui/template_texts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/ui/qt_text.h"

namespace workspace::ui {

void applyTemplateTexts(QWidget* dialog, int dialogNumber, const i18n::LanguageModule& language) {
  // A language file may lack some of the dialog's texts; those keep the English ones.
  if (const i18n::DialogTemplate* found = i18n::findDialogTemplate(dialogNumber)) {
    dialog->setWindowTitle(platform::ui::fromCp1252(found->caption));
    for (const i18n::DialogControl& control : found->controls) {
      QWidget* widget = i18n::ui::findControl(dialog, control.id);
      const QString text = platform::ui::fromCp1252(control.text);
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
      }
    }
  }
  i18n::ui::applyDialogTexts(dialog, dialogNumber, language);
}

}  // namespace workspace::ui
