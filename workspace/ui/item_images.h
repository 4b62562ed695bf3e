#pragma once

#include <QImage>

#include "workspace/item_pictures.h"

namespace workspace::ui {

// The LED red the dialogs draw their pictures in, on black as the sign shows them.
inline constexpr QRgb kLedRed = qRgb(0xFF, 0x28, 0x18);

// `art` as lit LEDs on a transparent `width` x `height` image: each dot a square of `pitch`
// pixels, lit ones as round LEDs when the pitch leaves room for a gap, the picture centred.
QImage dotArtImage(const DotArt& art, int pitch, int width, int height, QRgb colour);

}  // namespace workspace::ui
