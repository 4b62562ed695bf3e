#include "virtualsign/led_picture.h"

#include <array>
#include <cstdio>
#include <string>

#include "virtualsign/dot_font.h"
#include "workspace/item_pictures.h"

namespace virtualsign {
namespace {

constexpr Dot kRed = 0xC00000, kBrightRed = 0xFF2020, kOrange = 0xD06000;
constexpr Dot kBrightOrange = 0xFF9020, kYellow = 0xC8B000, kBrightYellow = 0xFFEE30;
constexpr Dot kGreen = 0x00A000, kBrightGreen = 0x30FF30;
constexpr Dot kDarkRed = 0x500000, kDarkGreen = 0x004000;

// Plain colours 0-7 in list order.
constexpr std::array<Dot, 8> kPlain = {kRed,    kBrightRed,    kOrange, kBrightOrange,
                                       kYellow, kBrightYellow, kGreen,  kBrightGreen};

class StripBuilder {
 public:
  StripBuilder(const RenderContext& context, MessageLineStrip* out) : c_(context), out_(out) {}

  void glyph(const Glyph& g, int colour) {
    const int start = out_->strip.width();
    for (size_t i = 0; i < g.columns.size(); ++i) {
      Dot column[kSignRows];
      for (int y = 0; y < kSignRows; ++y) {
        const bool lit = (g.columns[i] >> y) & 1;
        column[y] = colourDot(colour, start + static_cast<int>(i), y, lit, multi());
      }
      out_->strip.appendColumn(column);
    }
  }

  // A dot picture in `colour`, `firstRow` its row shown at the top, one dark column after it.
  void art(const workspace::DotArt& a, int colour, int firstRow) {
    Glyph g;
    for (int x = 0; x < a.columns; ++x) {
      uint8_t column = 0;
      for (int y = 0; y < kSignRows; ++y) {
        if (a.lit(x, y + firstRow)) column |= static_cast<uint8_t>(1 << y);
      }
      g.columns.push_back(column);
    }
    g.columns.push_back(0);
    glyph(g, colour);
  }

  void image(int slot) {
    const auto& stored = c_.state->images[static_cast<size_t>(slot & 7)];
    if (!stored) return;  // An empty slot shows nothing.
    for (int x = 0; x < stored->width; ++x) {
      Dot column[kSignRows];
      for (int y = 0; y < kSignRows; ++y) {
        column[y] = imageCodeDot(stored->codes[static_cast<size_t>(y * stored->width + x)]);
      }
      out_->strip.appendColumn(column);
    }
  }

  void text(const std::string& s, int colour, int font) {
    for (char ch : s)
      glyph(characterGlyph(static_cast<uint8_t>(ch), font), colour);
  }

  void item(const MessageItem& it) {
    switch (it.kind) {
      case ItemKind::kCharacter:
        return glyph(characterGlyph(it.code, it.font), it.colour);
      case ItemKind::kTime:
      case ItemKind::kDate: {
        const bool twelve = c_.state->clock && c_.state->clock->twelveHour;
        return text(clockItemText(it.kind == ItemKind::kDate, c_.signNow, twelve), it.colour,
                    it.font);
      }
      case ItemKind::kSymbol:
        if (auto a = workspace::symbolArt(it.code)) art(*a, it.colour, 0);
        return;
      case ItemKind::kPredefinedBitmap:
        if (auto a = workspace::predefinedBitmapArt(it.code)) art(*a, it.colour, 0);
        return;
      case ItemKind::kSpecialCharacter:
        // The glyphs are nine rows high; the sign's seven show rows 1 to 7.
        if (auto a = workspace::specialCharacterArt(it.code)) art(*a, it.colour, 1);
        return;
      case ItemKind::kUserBitmap:
        return image(it.code);
      case ItemKind::kControl:
        out_->controls.push_back({out_->strip.width(), it.code, it.value});
        return;
      default:
        return;
    }
  }

 private:
  bool multi() const { return c_.state->multiColour; }
  const RenderContext& c_;
  MessageLineStrip* out_;
};

}  // namespace

Dot LedStrip::at(int x, int y) const {
  if (x < 0 || y < 0 || y >= kSignRows || x >= width()) return 0;
  return dots_[static_cast<size_t>(x * kSignRows + y)];
}

void LedStrip::appendColumn(const Dot (&dots)[kSignRows]) {
  dots_.insert(dots_.end(), std::begin(dots), std::end(dots));
}

Dot colourDot(int colour, int x, int y, bool lit, bool multiColour) {
  if (!multiColour) {
    // A single-colour sign has red LEDs only: the bright colours light them fully.
    return lit ? (colour % 2 == 1 ? kBrightRed : kRed) : 0;
  }
  if (colour < 0 || colour > 15) colour = 1;
  if (!lit) {
    if (colour == 12 || colour == 14) return kDarkRed;  // "... On Red"
    if (colour == 13 || colour == 15) return kDarkGreen;
    return 0;
  }
  static constexpr std::array<Dot, 3> kLayers = {kRed, kOrange, kGreen};
  static constexpr std::array<Dot, 3> kBrightLayers = {kBrightRed, kBrightYellow, kBrightGreen};
  switch (colour) {
    case 8:
      return kLayers[static_cast<size_t>(y * 3 / kSignRows)];
    case 9:
      return kBrightLayers[static_cast<size_t>(y * 3 / kSignRows)];
    case 10:
      return kBrightLayers[static_cast<size_t>(x % 3)];
    case 11:
      return ((x + y) / 2) % 2 == 0 ? kBrightRed : kBrightGreen;
    case 12:
      return kBrightGreen;
    case 13:
      return kBrightRed;
    case 14:
      return kBrightOrange;
    case 15:
      return kBrightYellow;
    default:
      return kPlain[static_cast<size_t>(colour)];
  }
}

Dot imageCodeDot(int code) {
  static constexpr std::array<Dot, 9> kCodes = {0,        0xFF0000, 0x00FF00, 0xFFFF00, 0xBB6A00,
                                                0x800000, 0x008000, 0x808000, 0xFF8000};
  return code >= 0 && code <= 8 ? kCodes[static_cast<size_t>(code)] : 0;
}

std::string clockItemText(bool date, const platform::LocalTime& now, bool twelveHour) {
  char text[32];
  if (date) {
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", now.month, now.day, now.year % 100);
  } else if (twelveHour) {
    const int h = now.hour % 12 == 0 ? 12 : now.hour % 12;
    std::snprintf(text, sizeof text, "%d:%02d%s", h, now.minute, now.hour < 12 ? "AM" : "PM");
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
  }
  return text;
}

std::vector<MessageLineStrip> renderMessage(const Message& message, const RenderContext& context) {
  std::vector<MessageLineStrip> lines(1);
  for (const MessageItem& it : message) {
    if (it.kind == ItemKind::kNewline) {
      lines.emplace_back();
      continue;
    }
    StripBuilder(context, &lines.back()).item(it);
  }
  return lines;
}

}  // namespace virtualsign
