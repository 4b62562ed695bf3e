#pragma once

#include <QImage>
#include <QString>

#include "virtualsign/led_picture.h"
#include "virtualsign/sign_state.h"

// The LED strips as pictures: round LEDs on a black board, dark ones dimly visible.
namespace virtualsign::ui {

inline constexpr int kLedPitch = 8;  // Pixels from one LED's centre to the next.

// The size of a board of `rows` strips, `columns` wide.
QSize ledBoardSize(int rows, int columns);

// A board of `strips` one above the other, each at least `minColumns` wide.
QImage ledBoard(const std::vector<LedStrip>& strips, int minColumns);

// Writes one PNG per stored message into `dir` ("message-01.png" ...): its lines one above the
// other. False with *error set when a file cannot be written.
bool writeMessagePngs(const SignState& state, const RenderContext& context, const QString& dir,
                      QString* error);

}  // namespace virtualsign::ui
