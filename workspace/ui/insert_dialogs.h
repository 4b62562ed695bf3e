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
// click, value = index + kInsertItemCodeOffset as EditorModel::insertItem expects.
void runPictureDialog(QWidget* parent, ElementKind kind, i18n::LanguageModule& language,
                      const std::function<void(ElementKind, int)>& insert);

// Pictures for the preview: symbol (46x32), pre-defined bitmap (214x32) in colour `colour`.
QImage symbolPicture(int index, QRgb colour);
QImage predefinedBitmapPicture(int index, QRgb colour);
QImage specialCharacterGlyph(int index, QRgb colour);  // 16x18 box (8x9 glyph doubled)

}  // namespace workspace::ui
