#pragma once

#include <QDialog>
#include <optional>

#include "app/varnel_profile.h"
#include "i18n/language_module.h"

class QLineEdit;
class QRadioButton;

namespace app::ui {

// "Electronic Message Center Setup" (dialog 134), shown at every start: the sign's pixel width and
// its colour configuration. OK refuses a width that is not a number above 0 ("Invalidate
// value,please re-enter!") and keeps the dialog open with the width selected.
class CSignSetupDialog : public QDialog {
  Q_OBJECT

 public:
  CSignSetupDialog(const varnel_profile::SignSettings& settings,
                   const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // The confirmed values (valid after OK).
  varnel_profile::SignSettings settings() const { return settings_; }

  // The width typed: a decimal number, leading blanks and a sign allowed, digits up to the first
  // other character. Nothing when it is not above 0 or larger than a picture file can record.
  static std::optional<int> parseWidth(const QString& text);

  void accept() override;

 private:
  varnel_profile::SignSettings settings_;
  QLineEdit* width_;          // Control 1307.
  QRadioButton* monochrome_;  // Control 1309.
  QRadioButton* biColour_;    // Control 1310.
};

}  // namespace app::ui
