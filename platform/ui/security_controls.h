#pragma once

#include <QString>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform::ui {

// The texts of the security controls, in the window's language (Windows-1252).
struct SecurityControlTexts {
  std::vector<std::string> policies;  // The drop-down list's entries, in list order.
  std::string browse;                 // The button beside the CA file field.
  std::string browseTitle;            // The file dialog's caption.
  std::string fileFilter;             // Its filter, "Name (*.pem ...)".
};

// The controls a mail dialog adds for a connection's security: a drop-down list of the TLS
// policies and a CA file field with a button that picks the file. They only show and collect; the
// dialog applies its rules (mail/tls_choice.h) to what they hold. The widgets belong to `parent`.
class SecurityControls {
 public:
  // `caFile` is a path in the file system's encoding, as the field's text() gives it back through
  // caFilePath().
  SecurityControls(QWidget* parent, const SecurityControlTexts& texts, int shownPolicy,
                   const std::string& caFile);

  std::string caFilePath() const;

  QComboBox* policyList() const { return policyList_; }
  QLineEdit* caFileField() const { return caFileField_; }
  QPushButton* browseButton() const { return browseButton_; }
  // The CA file field and its button side by side, for one row of the dialog.
  QWidget* caFileRow() const { return caFileRow_; }

 private:
  QComboBox* policyList_;
  QWidget* caFileRow_;
  QLineEdit* caFileField_;
  QPushButton* browseButton_;
};

}  // namespace platform::ui
