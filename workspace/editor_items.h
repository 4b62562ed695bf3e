#pragma once

#include <cstddef>
#include <vector>

#include "workspace/message_model.h"

// A display line seen as the editor sees it: one run of items in which the anchored controls
// stand between the elements (the controls at a position come before the element at that
// position, as the encoder emits them). Every edit of the editor turns a line into items, works on
// the run, and stores it back, so element counts and control positions can never disagree.

namespace workspace {

inline constexpr int kEditorLineCapacity =
    480;  // Pixels of items per display line (30 cells of 16).

// One item of a line: an element or an anchored control.
struct EditorItem {
  bool isControl = false;
  LineElement element;      // Valid when !isControl.
  AnchoredControl control;  // Valid when isControl; its position is set when the line is stored.

  bool isNewline() const { return !isControl && element.isNewline(); }
};

using EditorItems = std::vector<EditorItem>;

// The items of `line` in display order. Controls whose position lies past the line's end (only a
// damaged file can hold them) are placed at the end, and a control listed out of position order
// is placed where the list puts it, so every control of the list appears exactly once.
EditorItems lineItems(const MessageLine& line);

// Replaces the line's elements and controls with `items`; each control's position becomes the
// number of elements before it. The file number stays.
void storeLineItems(MessageLine& line, const EditorItems& items);

// The width an item takes in the editor: the element's display width, or the control's label.
int itemWidth(const EditorItem& item);

// The sum of the item widths of [first, last).
int itemsWidth(const EditorItems& items, size_t first, size_t last);

// The index of the first item that must leave a line holding `items`: the first whose width makes
// the running sum exceed the line capacity, or whose element would be one too many for a line.
// The first item always stays, so an item wider than a line stands alone. items.size() when all
// fit.
size_t overflowIndex(const EditorItems& items);

// How many items from the front of `incoming` fit behind `items` on one line (capacity and element
// limit), stopping at the first that does not fit.
size_t fittingPrefix(const EditorItems& items, const EditorItems& incoming);

// True when the last item of `items` is a newline element: the line ends on the sign there.
bool endsWithNewline(const EditorItems& items);

}  // namespace workspace
