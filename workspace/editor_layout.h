#pragma once

#include <string>
#include <vector>

#include "workspace/message_model.h"

// The drawing data of the message editor: where each item of each display line stands and what it
// shows. The window paints exactly this (black background, each element in its colour and font
// cell, controls as bracketed labels) and needs no editing rule of its own.

namespace workspace {

inline constexpr int kEditorMarginWidth = 90;      // The left margin holding the message labels.
inline constexpr int kEditorTextLeft = 91;         // x of a line's first item.
inline constexpr int kEditorLinePitch = 32;        // Height of a display line.
inline constexpr int kEditorVisibleLines = 8;      // Lines shown before the window scrolls.
inline constexpr int kMessageLabelTopOffset = 10;  // The "Msg %02d" label below the line's top.
inline constexpr int kLabelFontHeight = 16;        // The "System" face the control labels use.

// One item as drawn. Elements are drawn from `element` (kind, code, font, colour; time and date
// from the clock); controls as `label`, a transition effect in blue and the others in white.
struct LayoutItem {
  int x = 0;  // Document pixels; lines are kEditorLinePitch apart from y = 0.
  int y = 0;
  int width = 0;
  int height = 0;
  bool isControl = false;
  LineElement element;
  AnchoredControl control;
  std::string label;      // For a control: "[...]" in the current language.
  bool selected = false;  // Inside the mouse selection.
};

struct LayoutLine {
  int lineIndex = 0;  // The display line's index in the workspace.
  int top = 0;
  int fileNumber = 1;
  std::string messageLabel;     // "Msg %02d" on the first line of a message; empty on the others.
  int messageLabelTop = 0;      // y of the label.
  bool currentMessage = false;  // The label is highlighted.
  std::vector<LayoutItem> items;
};

struct EditorLayout {
  std::vector<LayoutLine> lines;
  int caretX = kEditorTextLeft;
  int caretY = 0;
  int caretHeight = kEditorLinePitch;
};

// The pop-up menu of a right click.
struct ContextMenu {
  enum class Kind {
    kNone,         // Nothing to show: a margin beside a line that does not start a message.
    kMessageMenu,  // "Combine file" and "Delete file" for `fileNumber`.
    kInsertMenu,   // The insert commands (text area).
  };
  Kind kind = Kind::kNone;
  int fileNumber = 0;           // The message of kMessageMenu.
  bool combineEnabled = false;  // "Combine file" is disabled on the last message.
};

// The label of message `fileNumber` in the margin: "Msg " (current language) and two digits.
std::string messageLabel(int fileNumber);

}  // namespace workspace
