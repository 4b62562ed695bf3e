#include "workspace/editor_items.h"

#include "workspace/sign_tables.h"

namespace workspace {

EditorItems lineItems(const MessageLine& line) {
  EditorItems items;
  items.reserve(line.elements.size() + line.controls.size());
  const int count = line.count();
  size_t next = 0;
  for (int p = 0; p <= count; ++p) {
    while (next < line.controls.size() && (line.controls[next].position <= p || p == count)) {
      EditorItem item;
      item.isControl = true;
      item.control = line.controls[next++];
      items.push_back(item);
    }
    if (p < count) {
      EditorItem item;
      item.element = line.elements[static_cast<size_t>(p)];
      items.push_back(item);
    }
  }
  return items;
}

void storeLineItems(MessageLine& line, const EditorItems& items) {
  line.elements.clear();
  line.controls.clear();
  for (const EditorItem& item : items) {
    if (item.isControl) {
      AnchoredControl control = item.control;
      control.position = static_cast<uint8_t>(line.elements.size());
      line.controls.push_back(control);
    } else {
      line.elements.push_back(item.element);
    }
  }
}

int itemWidth(const EditorItem& item) {
  return item.isControl ? controlDisplayWidth(item.control) : elementDisplayWidth(item.element);
}

int itemsWidth(const EditorItems& items, size_t first, size_t last) {
  int width = 0;
  for (size_t i = first; i < last && i < items.size(); ++i)
    width += itemWidth(items[i]);
  return width;
}

namespace {

// Walks `incoming` behind a line that already holds `width` pixels and `elements` elements, and
// returns how many items fit. With `keepFirst` the first item always fits.
size_t countFitting(const EditorItems& incoming, int width, int elements, bool keepFirst) {
  for (size_t i = 0; i < incoming.size(); ++i) {
    width += itemWidth(incoming[i]);
    if (!incoming[i].isControl) ++elements;
    const bool tooWide = width > kEditorLineCapacity;
    const bool tooMany = elements > kMaxElementsPerLine;
    if ((tooWide || tooMany) && !(keepFirst && i == 0)) return i;
  }
  return incoming.size();
}

}  // namespace

size_t overflowIndex(const EditorItems& items) {
  return countFitting(items, 0, 0, true);
}

size_t fittingPrefix(const EditorItems& items, const EditorItems& incoming) {
  int elements = 0;
  for (const EditorItem& item : items)
    elements += item.isControl ? 0 : 1;
  return countFitting(incoming, itemsWidth(items, 0, items.size()), elements, false);
}

bool endsWithNewline(const EditorItems& items) {
  return !items.empty() && items.back().isNewline();
}

}  // namespace workspace
