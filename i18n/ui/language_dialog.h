#pragma once

#include <QDialog>

#include "i18n/language_module.h"

class QComboBox;

namespace i18n::ui {

// "Language setting" (dialog 215): a drop-down list of the language files' names with the current
// one selected. OK chooses the selected language; with nothing selected it does nothing.
class CLanguageDialog : public QDialog {
  Q_OBJECT

 public:
  CLanguageDialog(i18n::LanguageModule& language, QWidget* parent = nullptr);

  void accept() override;

 private:
  i18n::LanguageModule& language_;
  QComboBox* list_;  // Control 1097.
};

}  // namespace i18n::ui
