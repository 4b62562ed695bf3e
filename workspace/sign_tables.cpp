#include "workspace/sign_tables.h"

#include <array>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace workspace {
namespace {

constexpr uint8_t kFontSignBase = 0xA0;  // Font f is sent as 0xA0 + f.

constexpr std::array<FontInfo, kFontCount> kFonts = {{
    {"5*6 Short", kFontSignBase + 0, 16, 24},
    {"5*11 Short & Wide", kFontSignBase + 1, 30, 24},
    {"7*6 (Default)", kFontSignBase + 2, 16, 32},
    {"7*11 Wide", kFontSignBase + 3, 32, 32},
    {"7*9", kFontSignBase + 4, 24, 32},
    {"7*17 Extra Wide", kFontSignBase + 5, 46, 32},
    {"Small  Font", kFontSignBase + 6, 12, 16},
}};

constexpr uint8_t kColourSignBase = 0xB0;
constexpr uint8_t kRedSignCode = 0xB1;        // Colour 0, "Red".
constexpr uint8_t kBrightRedSignCode = 0xB0;  // Colour 1, "Bright Red".

constexpr std::array<ControlInfo, kLastControlType> kControls = {{
    {kControlBeep, 3, i18n::IDS_BEEP_FIRST, 1, true, 0xDF},
    {kControlCartoon, 8, i18n::IDS_CARTOON_FIRST, 8, true, 0x8F},
    {kControlPause, 8, i18n::IDS_PAUSE_FIRST, 1, true, 0xC7},
    {kControlSpeed, 8, i18n::IDS_SPEED_FIRST, 3, true, 0xBF},
    {kControlTransition, 25, i18n::IDS_EFFECT_FIRST, 3, false, 0},
}};

// Special characters come in three runs of consecutive sign bytes.
constexpr int kSpecialFirstRunLength = 48;  // Indices 0-47: 0x80 + index.
constexpr uint8_t kSpecialFirstRunBase = 0x80;
constexpr std::array<uint8_t, 4> kSpecialMiddleRun = {0xB0, 0xB1, 0xB3, 0xB4};  // Indices 48-51.
constexpr int kSpecialLastRunStart = kSpecialFirstRunLength + 4;  // Indices 52-65: 0xE0 + offset.
constexpr uint8_t kSpecialLastRunBase = 0xE0;

// The label text is what follows the "\n" of the dialog entry, when it has one.
constexpr char kLabelSeparator = '\n';

}  // namespace

const FontInfo* fontInfo(int font) {
  if (font < 0 || font >= kFontCount) return nullptr;
  return &kFonts[static_cast<size_t>(font)];
}

std::optional<uint8_t> colourSignCode(int colour) {
  if (colour < 0 || colour >= kColourCount) return std::nullopt;
  if (colour == 0) return kRedSignCode;
  if (colour == 1) return kBrightRedSignCode;
  return static_cast<uint8_t>(kColourSignBase + colour);
}

std::optional<int> colourStringId(int colour) {
  if (colour < 0 || colour >= kColourCount) return std::nullopt;
  return i18n::IDS_COLOUR_FIRST + colour;
}

const ControlInfo* controlInfo(int type) {
  if (type < kFirstControlType || type > kLastControlType) return nullptr;
  return &kControls[static_cast<size_t>(type - kFirstControlType)];
}

bool isValidControl(int type, int value) {
  const ControlInfo* info = controlInfo(type);
  return info != nullptr && value >= 1 && value <= info->maxValue;
}

std::string controlSignBytes(int type, int value) {
  if (!isValidControl(type, value)) return {};
  const ControlInfo* info = controlInfo(type);
  std::string bytes;
  if (info->prefixed) bytes.push_back(static_cast<char>(kSignControlPrefix));
  bytes.push_back(static_cast<char>(info->signBase + value));
  return bytes;
}

std::string controlEntryText(int type, int value) {
  if (!isValidControl(type, value)) return {};
  return i18n::text(controlInfo(type)->firstEntryStringId + value - 1);
}

std::string controlLabel(int type, int value) {
  if (!isValidControl(type, value)) return {};
  const std::string entry = controlEntryText(type, value);
  const size_t separator = entry.find(kLabelSeparator);
  const std::string label = separator == std::string::npos ? entry : entry.substr(separator + 1);
  return "[" + label + "]";
}

std::optional<uint8_t> specialCharacterByte(int index) {
  if (index < 0 || index >= kSpecialCharacterCount) return std::nullopt;
  if (index < kSpecialFirstRunLength) return static_cast<uint8_t>(kSpecialFirstRunBase + index);
  if (index < kSpecialLastRunStart) {
    return kSpecialMiddleRun[static_cast<size_t>(index - kSpecialFirstRunLength)];
  }
  return static_cast<uint8_t>(kSpecialLastRunBase + (index - kSpecialLastRunStart));
}

int elementDisplayWidth(const LineElement& element) {
  const FontInfo* font = fontInfo(element.font);
  if (font == nullptr) font = fontInfo(kDefaultFont);
  switch (element.kind) {
    case kKindCharacter:
      return element.isNewline() ? 0 : font->cellWidth;
    case kKindSpecialCharacter:
      return font->cellWidth;
    case kKindTime:
      return kTimeWidthCells * font->cellWidth;
    case kKindDate:
      return kDateWidthCells * font->cellWidth;
    case kKindSymbol:
      return kSymbolWidth;
    case kKindPredefinedBitmap:
    case kKindUserBitmap:
      return kBitmapWidth;
    default:
      return 0;
  }
}

int controlDisplayWidth(const AnchoredControl& control) {
  return static_cast<int>(controlLabel(control.type, control.value).size()) * kLabelFontCharWidth;
}

}  // namespace workspace
