#pragma once

#include <QBrush>
#include <QColor>
#include <QRect>

// The screen colours of the sign's sixteen colours in the editor's preview. The plain colours are
// LED shades; the mixes are painted as the sign shows them: a rainbow of layers, a vertical mix, a
// saw tooth of two colours, or one colour on the other.
namespace app::ui {

// The main shade of colour `colour` (0-15); pictures and glyphs take it. Unknown indices give the
// default colour's shade.
QRgb signColourRgb(int colour);

// The brush that paints an item of colour `colour` filling `cell`: gradients for the mixes, the
// main shade otherwise.
QBrush signColourBrush(int colour, const QRect& cell);

// The background of two-colour items ("Green On Red"); Qt::transparent for the others.
QColor signBackground(int colour);

}  // namespace app::ui
