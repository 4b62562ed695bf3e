#include "workspace/ui/insert_dialogs.h"

#include "workspace/ui/control_list_dialog.h"

namespace workspace::ui {

std::optional<int> runControlListDialog(QWidget* parent, int controlType,
                                        i18n::LanguageModule& language) {
  ControlListDialog dialog(parent, controlType, language);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedEntry();
}

void runPictureDialog(QWidget* /*parent*/, ElementKind /*kind*/, i18n::LanguageModule& /*language*/,
                      const std::function<void(ElementKind, int)>& /*insert*/) {}

QImage symbolPicture(int /*index*/, QRgb /*colour*/) {
  return {};
}
QImage predefinedBitmapPicture(int /*index*/, QRgb /*colour*/) {
  return {};
}
QImage specialCharacterGlyph(int /*index*/, QRgb /*colour*/) {
  return {};
}

}  // namespace workspace::ui
