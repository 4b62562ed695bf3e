#pragma once

#include <QImage>
#include <functional>
#include <optional>

#include "i18n/language_module.h"
#include "workspace/message_model.h"

class QWidget;

// The Insert menu's dialogs as the editor calls them, and the pictures the editor's preview
// draws for symbols, pre-defined bitmaps and special characters.

namespace workspace::ui {

// List dialogs: returns the chosen 1-based entry, or nothing on Cancel.
std::optional<int> runControlListDialog(QWidget* parent, int controlType,
                                        i18n::LanguageModule& language);

// Picture dialogs (modeless until Close): call `insert(kind, value)` for each Insert/double
// click, value = index + kInsertItemCodeOffset as EditorModel::insertItem expects. The dialog
// stays open, and this call with it, until "Close"; `insert` runs while it is open. Kind 5
// (user-defined bitmaps) has its own dialog: nothing happens here.
void runPictureDialog(QWidget* parent, ElementKind kind, i18n::LanguageModule& language,
                      const std::function<void(ElementKind, int)>& insert);

// Pictures for the preview: symbol (46x32), pre-defined bitmap (214x32) in colour `colour`,
// lit dots in `colour` on transparency, so they sit on the black sign; a null image for an index
// outside the table.
QImage symbolPicture(int index, QRgb colour);
QImage predefinedBitmapPicture(int index, QRgb colour);
QImage specialCharacterGlyph(int index, QRgb colour);  // 16x18 box (8x9 glyph doubled)

}  // namespace workspace::ui
