// The message record: what the sign reads between 0x01 and the closing 0xFF 0xFF.

#include <array>
#include <optional>

#include "virtualsign/record_parser.h"
#include "workspace/sign_tables.h"

namespace virtualsign {
namespace {

constexpr uint8_t kLineEnd = workspace::kSignLineEnd;
constexpr int kLastTransition = 25;
constexpr int kFirstCharacter = 0x20;
constexpr int kLastCharacter = 0x7F;

// Special-character index by its byte; -1 for a byte no special character is sent as.
int specialIndex(int byte) {
  static const std::array<int, 256> table = [] {
    std::array<int, 256> t{};
    t.fill(-1);
    for (int i = 0; i < workspace::kSpecialCharacterCount; ++i) {
      if (auto b = workspace::specialCharacterByte(i)) t[*b] = i;
    }
    return t;
  }();
  return table[static_cast<size_t>(byte)];
}

std::optional<int> colourOfCode(int code) {
  for (int c = 0; c < workspace::kColourCount; ++c) {
    if (workspace::colourSignCode(c) == code) return c;
  }
  return std::nullopt;
}

std::optional<int> fontOfCode(int code) {
  for (int f = 0; f < workspace::kFontCount; ++f) {
    if (workspace::fontInfo(f)->signCode == code) return f;
  }
  return std::nullopt;
}

// A prefixed control (beep, cartoon, pause, speed) by its code after 0xEF.
std::optional<MessageItem> controlOfCode(int code) {
  for (int type = workspace::kFirstControlType; type <= workspace::kLastControlType; ++type) {
    const workspace::ControlInfo* info = workspace::controlInfo(type);
    const int value = code - info->signBase;
    if (info->prefixed && value >= 1 && value <= info->maxValue) {
      return MessageItem{ItemKind::kControl, type, value, 0, 0};
    }
  }
  return std::nullopt;
}

struct Current {
  uint8_t colour = workspace::kDefaultColour;
  uint8_t font = workspace::kDefaultFont;
};

MessageItem item(ItemKind kind, int code, const Current& now) {
  return MessageItem{kind, code, 0, now.colour, now.font};
}

// The item after a 0xEF; a colour or font changes `now` and adds nothing.
std::optional<MessageItem> prefixed(ByteCursor& in, Current& now) {
  const int code = in.take("an item, colour, font or control code after 0xEF");
  if (code < 0) return std::nullopt;
  if (auto colour = colourOfCode(code)) {
    now.colour = static_cast<uint8_t>(*colour);
  } else if (auto font = fontOfCode(code)) {
    now.font = static_cast<uint8_t>(*font);
  } else if (code == workspace::kSignTimeCode || code == workspace::kSignDateCode) {
    return item(code == workspace::kSignTimeCode ? ItemKind::kTime : ItemKind::kDate, 0, now);
  } else if (code >= workspace::kSignSymbolBase &&
             code < workspace::kSignSymbolBase + workspace::kSymbolCount) {
    return item(ItemKind::kSymbol, code - workspace::kSignSymbolBase, now);
  } else if (code >= workspace::kSignPredefinedBitmapBase &&
             code < workspace::kSignPredefinedBitmapBase + workspace::kPredefinedBitmapCount) {
    return item(ItemKind::kPredefinedBitmap, code - workspace::kSignPredefinedBitmapBase, now);
  } else if (code >= workspace::kSignUserBitmapBase &&
             code < workspace::kSignUserBitmapBase + workspace::kMaxTransferImages) {
    return item(ItemKind::kUserBitmap, code - workspace::kSignUserBitmapBase, now);
  } else if (auto control = controlOfCode(code)) {
    return control;
  } else {
    in.failLast("a colour, font, time, date, symbol, bitmap or control code after 0xEF");
  }
  return std::nullopt;
}

}  // namespace

// A message ends in 0xFF 0xFF, or in a single 0xFF when a line end came before it with nothing
// but controls in between (the line end supplies the first 0xFF, and controls do not undo that).
// Another 0xFF inside a message always follows a character or item, or the colour and font that
// are repeated after every line end, so the two never meet.
MessageRecord parseMessage(ByteCursor& in) {
  MessageRecord r;
  r.number = in.twoDigits("a message number \"01\" to \"99\"", 1, 99);
  Current now;
  bool onlyControls = true;  // Since the message's start or its last line end.
  while (in.ok()) {
    const int b = in.take("a character, item, control or the end mark 0xFF 0xFF");
    if (b == kLineEnd) {
      if (in.peek() == kLineEnd) {
        in.take("the end mark 0xFF 0xFF");
        break;
      }
      if (onlyControls) break;
      if (in.peek() < 0) in.take("a line's content or the message's second end mark 0xFF");
      r.items.push_back(item(ItemKind::kNewline, 0, now));
      onlyControls = true;
      continue;
    }
    if (b < 0) break;
    const bool controlsBefore = onlyControls;
    onlyControls = false;
    if (b == workspace::kSignControlPrefix) {
      if (auto it = prefixed(in, now)) {
        onlyControls = it->kind == ItemKind::kControl && controlsBefore;
        r.items.push_back(*it);
      }
    } else if (b >= 1 && b <= kLastTransition) {
      r.items.push_back(MessageItem{ItemKind::kControl, workspace::kControlTransition, b, 0, 0});
      onlyControls = controlsBefore;
    } else if (b >= kFirstCharacter && b <= kLastCharacter) {
      r.items.push_back(item(ItemKind::kCharacter, b, now));
    } else if (specialIndex(b) >= 0) {
      r.items.push_back(item(ItemKind::kSpecialCharacter, specialIndex(b), now));
    } else {
      in.failLast("a character, item, control or the end mark 0xFF 0xFF");
    }
  }
  return r;
}

}  // namespace virtualsign
