#pragma once

#include <QDialog>

#include "i18n/language_module.h"

namespace app::ui {

// "About Orvanta" (dialog 133): the program's picture, name, version and date.
class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  CAboutDialog(const i18n::LanguageModule& language, QWidget* parent = nullptr);
};

}  // namespace app::ui
