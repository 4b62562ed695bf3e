#pragma once

#include <string>

#include "workspace/editor_messages.h"

class QWidget;

// varnel's message boxes. Texts arrive in the current language (Windows-1252) and are shown
// modally; the answer comes back as the editor's PromptAnswer.
namespace app::ui {

workspace::PromptAnswer showMessageBox(QWidget* parent, const std::string& text,
                                       const std::string& caption, workspace::MessageIcon icon,
                                       workspace::MessageButtons buttons);

// An editor message with its text, caption, icon and buttons.
workspace::PromptAnswer showEditorMessage(QWidget* parent, const workspace::EditorMessage& message);

// A refusal or failure with OK only: caption "Warning!" (exclamation) or "Error" (error icon).
void showWarning(QWidget* parent, const std::string& text);
void showError(QWidget* parent, const std::string& text);

}  // namespace app::ui
