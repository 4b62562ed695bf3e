#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "i18n/language_module.h"

class QLineEdit;
class QPushButton;

namespace bitmaps::ui {

// "Edit existing bitmap image" (dialog 132 in its own form): the index number of the image to
// open, at most three digits. OK is enabled only while the field holds text.
class CIndexNumberDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit CIndexNumberDialog(const i18n::LanguageModule& language, QWidget* parent = nullptr);

  QLineEdit* field() const { return field_; }
  QPushButton* okButton() const { return ok_; }
  // The text in the field, Windows-1252.
  std::string typed() const;

 private:
  QLineEdit* const field_;
  QPushButton* ok_ = nullptr;
};

// Runs the dialog modally; the confirmed text, or nothing after Cancel.
std::optional<std::string> askIndexNumber(const i18n::LanguageModule& language, QWidget* parent);

}  // namespace bitmaps::ui
