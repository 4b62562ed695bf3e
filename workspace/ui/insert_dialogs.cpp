#include "workspace/ui/insert_dialogs.h"

#include "workspace/ui/control_list_dialog.h"
#include "workspace/ui/picture_dialog.h"

namespace workspace::ui {

std::optional<int> runControlListDialog(QWidget* parent, int controlType,
                                        i18n::LanguageModule& language) {
  if (ControlListDialog::dialogNumber(controlType) == 0) return std::nullopt;
  ControlListDialog dialog(parent, controlType, language);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedEntry();
}

void runPictureDialog(QWidget* parent, ElementKind kind, i18n::LanguageModule& language,
                      const std::function<void(ElementKind, int)>& insert) {
  // User-defined bitmaps have their own dialog with the Image Transfer File's images.
  if (PictureDialog::dialogNumber(kind) == 0) return;
  PictureDialog dialog(parent, kind, language);
  QObject::connect(&dialog, &PictureDialog::itemInserted, &dialog, insert);
  dialog.exec();
}

}  // namespace workspace::ui
