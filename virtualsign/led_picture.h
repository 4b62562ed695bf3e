#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "virtualsign/sign_state.h"

// What a sign lights for a message: each line of the message (up to a line end) laid out as one
// strip of LED columns seven dots high, every dot in the colour its item shows. Plain pixels, so a
// window, a PNG writer or a test can take them.
namespace virtualsign {

// 0x00RRGGBB; 0 is a dark dot.
using Dot = uint32_t;

class LedStrip {
 public:
  int width() const { return static_cast<int>(dots_.size() / kSignRows); }
  // The dot at column x, row y; dark outside the strip.
  Dot at(int x, int y) const;
  // Appends one column; `dots` holds its seven rows, top first.
  void appendColumn(const Dot (&dots)[kSignRows]);

  friend bool operator==(const LedStrip&, const LedStrip&) = default;

 private:
  std::vector<Dot> dots_;  // Column-major: column x, row y at x * 7 + y.
};

// A control as it stands in a line: before the column `column`.
struct StripControl {
  int column = 0;
  int type = 0;
  int value = 0;
};

struct MessageLineStrip {
  LedStrip strip;
  std::vector<StripControl> controls;
};

struct RenderContext {
  const SignState* state = nullptr;
  platform::LocalTime signNow;  // What the sign's clock shows (time and date items).
};

// The lines of `message` as LED strips. An empty message gives one empty strip.
std::vector<MessageLineStrip> renderMessage(const Message& message, const RenderContext& context);

// The screen colour of sign colour `colour` (0-15) at dot (x, y) of an item that starts at
// column `itemX`, for a multi-colour sign or (every colour a shade of red) a single-colour one.
// `lit` false gives the background of the two-colour items, dark for the others.
Dot colourDot(int colour, int x, int y, bool lit, bool multiColour);

// The screen colour of a user-defined image's colour code (0-8).
Dot imageCodeDot(int code);

// The text a time or date item shows on a sign whose clock reads `now`.
std::string clockItemText(bool date, const platform::LocalTime& now, bool twelveHour);

}  // namespace virtualsign
