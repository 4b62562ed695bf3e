#pragma once

#include <string>

class QWidget;

// The message boxes every window of the program shows. Texts arrive in the current language
// (Windows-1252) and may break their lines with "\r" as well as "\n"; boxes are modal.
namespace i18n::ui {

enum class BoxIcon { kError, kExclamation, kInformation, kQuestion };
enum class BoxButtons { kOk, kYesNo, kYesNoCancel, kOkCancel };
enum class BoxAnswer { kYes, kNo, kCancel };  // OK counts as kYes

BoxAnswer showBox(QWidget* parent, const std::string& text, const std::string& caption,
                  BoxIcon icon, BoxButtons buttons);

// A refusal or failure with OK only: caption "Warning!" (exclamation) or "Error" (error icon).
void showWarningBox(QWidget* parent, const std::string& text);
void showErrorBox(QWidget* parent, const std::string& text);
// A refusal with the error icon under the caption "Warning!", as the address-book lists show them.
void showWarningWithErrorIcon(QWidget* parent, const std::string& text);

// A Yes/No question under the caption "Warning!"; true for Yes.
bool askYesNo(QWidget* parent, const std::string& text, BoxIcon icon = BoxIcon::kQuestion);

}  // namespace i18n::ui
