#include "i18n/ui/template_widgets.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
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

QDialogButtonBox* makeOkCancelButtons(QDialog* dialog, int dialogNumber) {
  auto* ok = makeControl<QPushButton>(dialog, dialogNumber, kIdOk);
  auto* cancel = makeControl<QPushButton>(dialog, dialogNumber, kIdCancel);
  ok->setDefault(true);
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
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
