#include "app/ui/message_box.h"

#include "i18n/ui/message_boxes.h"

namespace app::ui {

using i18n::ui::BoxAnswer;
using i18n::ui::BoxButtons;
using i18n::ui::BoxIcon;
using workspace::MessageButtons;
using workspace::MessageIcon;
using workspace::PromptAnswer;

namespace {

BoxIcon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError:
      return BoxIcon::kError;
    case MessageIcon::kExclamation:
      return BoxIcon::kExclamation;
    case MessageIcon::kInformation:
      return BoxIcon::kInformation;
    case MessageIcon::kQuestion:
      break;
  }
  return BoxIcon::kQuestion;
}

BoxButtons boxButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return BoxButtons::kOk;
    case MessageButtons::kYesNo:
      return BoxButtons::kYesNo;
    case MessageButtons::kYesNoCancel:
      break;
  }
  return BoxButtons::kYesNoCancel;
}

}  // namespace

PromptAnswer showMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                            MessageIcon icon, MessageButtons buttons) {
  switch (i18n::ui::showBox(parent, text, caption, boxIcon(icon), boxButtons(buttons))) {
    case BoxAnswer::kYes:
      return PromptAnswer::kYes;
    case BoxAnswer::kNo:
      return PromptAnswer::kNo;
    case BoxAnswer::kCancel:
      break;
  }
  return PromptAnswer::kCancel;
}

PromptAnswer showEditorMessage(QWidget* parent, const workspace::EditorMessage& message) {
  return showMessageBox(parent, message.text(), message.caption(), message.icon, message.buttons);
}

void showWarning(QWidget* parent, const std::string& text) {
  i18n::ui::showWarningBox(parent, text);
}

void showError(QWidget* parent, const std::string& text) {
  i18n::ui::showErrorBox(parent, text);
}

}  // namespace app::ui
