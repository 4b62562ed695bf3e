#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "workspace/message_model.h"

// The fixed tables of the message model: fonts, colours, anchored controls, special characters,
// symbols and bitmaps, with the byte each one is sent as and the width the editor gives it.
// Every lookup takes an index that may come from a file and answers "none" (nullopt, nullptr or
// false) for an index outside its table, so a damaged workspace can never index past a table.

namespace workspace {

// ---- Sign protocol bytes shared by the encoder and the tables.
inline constexpr uint8_t kSignControlPrefix = 0xEF;  // Introduces a two-byte item or setting.
inline constexpr uint8_t kSignMessageStart = 0x01;   // Followed by the message's two digits.
inline constexpr uint8_t kSignLineEnd = 0xFF;        // One ends a line; two end a message.
inline constexpr uint8_t kSignTerminator = 0x00;     // Optional end of the text records.
inline constexpr uint8_t kSignTimeCode = 0x80;       // After the prefix: the sign's clock time.
inline constexpr uint8_t kSignDateCode = 0x81;       // After the prefix: the sign's date.
inline constexpr uint8_t kSignSymbolBase = 0x60;     // After the prefix: 0x60 + symbol index.
inline constexpr uint8_t kSignPredefinedBitmapBase = 0xD8;  // After the prefix: 0xD8 + index.
inline constexpr uint8_t kSignUserBitmapBase = 0xD0;  // After the prefix: 0xD0 + transfer slot.

// ---- Fonts.
inline constexpr int kFontCount = 7;
inline constexpr int kDefaultFont = 2;  // "7*6 (Default)": the initial current font.

struct FontInfo {
  const char* name;  // As the font list shows it.
  uint8_t signCode;  // Sent after kSignControlPrefix.
  int cellWidth;     // Editor pixels per character.
  int cellHeight;
};

// The font with index `font`, or nullptr outside 0..kFontCount-1.
const FontInfo* fontInfo(int font);

// ---- Colours.
inline constexpr int kColourCount = 16;
inline constexpr int kSingleColourCount = 2;  // A single-colour sign offers indices 0 and 1 only.
inline constexpr int kDefaultColour = 1;      // "Bright Red": the initial current colour.

// The byte sent after kSignControlPrefix for colour `colour`. Indices 0 and 1 swap their codes
// (0 "Red" is 0xB1, 1 "Bright Red" is 0xB0); from 2 on the code is 0xB0 + index.
std::optional<uint8_t> colourSignCode(int colour);
// The string-table id of the colour's name (32897 for index 0, in table order).
std::optional<int> colourStringId(int colour);

// ---- Anchored controls.
inline constexpr int kFirstControlType = kControlBeep;
inline constexpr int kLastControlType = kControlTransition;

struct ControlInfo {
  int8_t type;             // ControlType.
  uint8_t maxValue;        // Values run from 1 to maxValue.
  int firstEntryStringId;  // String id of value 1's dialog entry; value v has this + v - 1.
  uint8_t defaultValue;    // The dialog's initial choice.
  bool prefixed;           // Sent as kSignControlPrefix, signBase + value; else the value alone.
  uint8_t signBase;        // Added to the value (0 for the unprefixed transition effect).
};

// The control table row of `type`, or nullptr for a type outside 1..5.
const ControlInfo* controlInfo(int type);
// True when `value` is a valid choice for control `type`.
bool isValidControl(int type, int value);
// The bytes a control is sent as (one or two); empty for an unknown type or a value out of range.
std::string controlSignBytes(int type, int value);
// The dialog entry text of a control in the current language; empty when invalid.
std::string controlEntryText(int type, int value);
// The editor label: "[" + the entry text after its "\n" (the whole text when it has none) + "]".
// Empty when invalid.
std::string controlLabel(int type, int value);

// ---- Special characters, symbols and bitmaps.
inline constexpr int kSpecialCharacterCount = 66;
inline constexpr int kSymbolCount = 30;
inline constexpr int kPredefinedBitmapCount = 8;
inline constexpr int kMaxTransferImages = 8;  // Slots of an Image Transfer File.
// Dialogs hand items of kinds 3 to 6 to the editor as index + this; the element stores the index.
inline constexpr int kInsertItemCodeOffset = 50;

// The single byte a special character is sent as: 0x80 + index for 0-47, then 0xB0, 0xB1, 0xB3,
// 0xB4 for 48-51 (0xB2 is skipped) and 0xE0 + (index - 52) for 52-65.
std::optional<uint8_t> specialCharacterByte(int index);

// ---- Editor widths (pixels), used for wrapping.
inline constexpr int kTimeWidthCells = 9;
inline constexpr int kDateWidthCells = 10;
inline constexpr int kSymbolWidth = 46;
inline constexpr int kBitmapWidth = 214;       // Pre-defined and user-defined bitmaps alike.
inline constexpr int kLabelFontCharWidth = 7;  // Average character width of the label font.

// The width of an element. Characters and special characters take their font's cell; time and
// date 9 and 10 cells; symbols and bitmaps fixed widths; the newline element nothing. An element
// with an unknown font measures with the default font, one of unknown kind measures 0.
int elementDisplayWidth(const LineElement& element);
// The width of a control's label, brackets included; 0 when the control is invalid.
int controlDisplayWidth(const AnchoredControl& control);

}  // namespace workspace
