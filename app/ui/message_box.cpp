#include "app/ui/message_box.h"

#include <QMessageBox>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"

namespace app::ui {

using workspace::MessageButtons;
using workspace::MessageIcon;
using workspace::PromptAnswer;

PromptAnswer showMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                            MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(parent);
  box.setWindowTitle(platform::ui::fromCp1252(caption));
  // The texts break their lines with "\r" as well as "\n".
  QString body = platform::ui::fromCp1252(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  box.setText(body.trimmed());
  switch (icon) {
    case MessageIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageIcon::kExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
  }
  switch (buttons) {
    case MessageButtons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  const int answer = box.exec();
  if (answer == QMessageBox::Yes || answer == QMessageBox::Ok) return PromptAnswer::kYes;
  if (answer == QMessageBox::No) return PromptAnswer::kNo;
  return buttons == MessageButtons::kYesNo ? PromptAnswer::kNo : PromptAnswer::kCancel;
}

PromptAnswer showEditorMessage(QWidget* parent, const workspace::EditorMessage& message) {
  return showMessageBox(parent, message.text(), message.caption(), message.icon, message.buttons);
}

void showWarning(QWidget* parent, const std::string& text) {
  showMessageBox(parent, text, i18n::text(i18n::IDS_CAPTION_WARNING), MessageIcon::kExclamation,
                 MessageButtons::kOk);
}

void showError(QWidget* parent, const std::string& text) {
  showMessageBox(parent, text, i18n::text(i18n::IDS_CAPTION_ERROR), MessageIcon::kError,
                 MessageButtons::kOk);
}

}  // namespace app::ui
