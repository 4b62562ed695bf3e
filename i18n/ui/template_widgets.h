#pragma once

#include <QString>

#include "i18n/language_module.h"
#include "i18n/ui/qt_language_targets.h"

class QDialog;
class QDialogButtonBox;
class QWidget;

// Dialog widgets made from the dialog registry (i18n/dialog_texts.h): each takes its English text
// from its template and carries its control identifier, so the language file's keys reach it.
namespace i18n::ui {

// The English caption of dialog `dialogNumber`; empty for an unknown dialog.
QString templateCaption(int dialogNumber);
// The English text of control `id` of dialog `dialogNumber`; empty when there is none.
QString templateText(int dialogNumber, int id);

// A widget of type W (a label, button or frame) with the control's English text and identifier.
template <class W>
W* makeControl(QWidget* parent, int dialogNumber, int id) {
  auto* widget = new W(templateText(dialogNumber, id), parent);
  setControlId(widget, id);
  return widget;
}

// The dialog's OK (default) and Cancel buttons from its template, in a button box that accepts
// and rejects the dialog.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog, int dialogNumber);

// Marks `dialog` as showing dialog `dialogNumber`, sets its English caption and puts the current
// language's texts on it. reapplyToOpenDialogs() finds it again after a language change.
void initDialog(QWidget* dialog, int dialogNumber, const LanguageModule& language);
// Puts the current language's texts on every open window marked by initDialog().
void reapplyToOpenDialogs(const LanguageModule& language);

}  // namespace i18n::ui
