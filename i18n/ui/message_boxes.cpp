#include "i18n/ui/message_boxes.h"

#include <QMessageBox>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"

namespace i18n::ui {
namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kError:
      return QMessageBox::Critical;
    case BoxIcon::kExclamation:
      return QMessageBox::Warning;
    case BoxIcon::kInformation:
      return QMessageBox::Information;
    case BoxIcon::kQuestion:
      break;
  }
  return QMessageBox::Question;
}

QMessageBox::StandardButtons qtButtons(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::kOk:
      return QMessageBox::Ok;
    case BoxButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::kYesNoCancel:
      break;
  }
  return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
}

}  // namespace

BoxAnswer showBox(QWidget* parent, const std::string& text, const std::string& caption,
                  BoxIcon icon, BoxButtons buttons) {
  QMessageBox box(parent);
  box.setWindowTitle(platform::ui::fromCp1252(caption));
  QString body = platform::ui::fromCp1252(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  box.setText(body.trimmed());
  box.setIcon(qtIcon(icon));
  box.setStandardButtons(qtButtons(buttons));
  const int answer = box.exec();
  if (answer == QMessageBox::Yes || answer == QMessageBox::Ok) return BoxAnswer::kYes;
  if (answer == QMessageBox::No) return BoxAnswer::kNo;
  // Escape in a Yes/No box means No.
  return buttons == BoxButtons::kYesNo ? BoxAnswer::kNo : BoxAnswer::kCancel;
}

void showWarningBox(QWidget* parent, const std::string& text) {
  showBox(parent, text, i18n::text(IDS_CAPTION_WARNING), BoxIcon::kExclamation, BoxButtons::kOk);
}

void showErrorBox(QWidget* parent, const std::string& text) {
  showBox(parent, text, i18n::text(IDS_CAPTION_ERROR), BoxIcon::kError, BoxButtons::kOk);
}

void showWarningWithErrorIcon(QWidget* parent, const std::string& text) {
  showBox(parent, text, i18n::text(IDS_CAPTION_WARNING), BoxIcon::kError, BoxButtons::kOk);
}

bool askYesNo(QWidget* parent, const std::string& text, BoxIcon icon) {
  return showBox(parent, text, i18n::text(IDS_CAPTION_WARNING), icon, BoxButtons::kYesNo) ==
         BoxAnswer::kYes;
}

}  // namespace i18n::ui
