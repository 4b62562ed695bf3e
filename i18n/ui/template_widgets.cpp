#include "i18n/ui/template_widgets.h"

#include <QApplication>
#include <QWidget>

#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/ui/qt_text.h"

namespace i18n::ui {
namespace {

constexpr char kDialogNumberProperty[] = "varnelDialogNumber";

}  // namespace

QString templateCaption(int dialogNumber) {
  const DialogTemplate* dialog = findDialogTemplate(dialogNumber);
  return dialog ? platform::ui::fromCp1252(dialog->caption) : QString();
}

QString templateText(int dialogNumber, int id) {
  const DialogTemplate* dialog = findDialogTemplate(dialogNumber);
  if (dialog == nullptr) return {};
  const DialogControl* control = findDialogControl(*dialog, id);
  return control ? platform::ui::fromCp1252(control->text) : QString();
}

void initDialog(QWidget* dialog, int dialogNumber, const LanguageModule& language) {
  dialog->setProperty(kDialogNumberProperty, dialogNumber);
  dialog->setWindowTitle(templateCaption(dialogNumber));
  applyDialogTexts(dialog, dialogNumber, language);
}

void reapplyToOpenDialogs(const LanguageModule& language) {
  for (QWidget* window : QApplication::allWidgets()) {
    const QVariant number = window->property(kDialogNumberProperty);
    if (number.isValid()) applyDialogTexts(window, number.toInt(), language);
  }
}

}  // namespace i18n::ui
