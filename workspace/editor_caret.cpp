// The caret of the message editor: its place, its moves, mouse hit-testing, the font and colour it
// picks up, and the drawing data of the lines.

#include <algorithm>
#include <cstdlib>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "workspace/editor_model.h"
#include "workspace/sign_tables.h"

namespace workspace {
namespace {

// The boundary of `items` (0 to lastItem) whose x is nearest to `x`; the first of two as near.
int nearestBoundary(const EditorItems& items, int lastItem, int x) {
  int best = 0;
  int bestDistance = std::abs(x - kEditorTextLeft);
  int boundaryX = kEditorTextLeft;
  for (int k = 1; k <= lastItem; ++k) {
    boundaryX += itemWidth(items[static_cast<size_t>(k - 1)]);
    const int distance = std::abs(x - boundaryX);
    if (distance < bestDistance) {
      best = k;
      bestDistance = distance;
    }
  }
  return best;
}

// The height of an element's cell: a symbol or bitmap picture takes the whole line, characters,
// time and date their font's cell.
int elementHeight(const LineElement& element) {
  if (element.kind == kKindSymbol || element.kind == kKindPredefinedBitmap ||
      element.kind == kKindUserBitmap) {
    return kEditorLinePitch;
  }
  const FontInfo* font = fontInfo(element.font);
  return (font != nullptr ? font : fontInfo(kDefaultFont))->cellHeight;
}

}  // namespace

std::string messageLabel(int fileNumber) {
  return i18n::formatText(
      "%s%02d", {i18n::text(i18n::IDS_MESSAGE_LABEL_PREFIX), static_cast<long long>(fileNumber)});
}

// ---- State.

int EditorModel::caretElementIndex() const {
  if (lines().empty()) return 0;
  const EditorItems items = lineItems(lines()[static_cast<size_t>(caret_.line)]);
  int elements = 0;
  for (int i = 0; i < caret_.item && i < static_cast<int>(items.size()); ++i) {
    if (!items[static_cast<size_t>(i)].isControl) ++elements;
  }
  return elements;
}

int EditorModel::caretControlIndex() const {
  if (lines().empty()) return -1;
  const EditorItems items = lineItems(lines()[static_cast<size_t>(caret_.line)]);
  int controls = 0;
  for (int i = 0; i < caret_.item && i < static_cast<int>(items.size()); ++i) {
    if (items[static_cast<size_t>(i)].isControl) ++controls;
  }
  return controls - 1;
}

int EditorModel::caretX() const {
  if (lines().empty()) return kEditorTextLeft;
  const EditorItems items = lineItems(lines()[static_cast<size_t>(caret_.line)]);
  return kEditorTextLeft + itemsWidth(items, 0, static_cast<size_t>(caret_.item));
}

int EditorModel::currentMessage() const {
  if (lines().empty()) return 1;
  return lines()[static_cast<size_t>(caret_.line)].fileNumber;
}

int EditorModel::lastCaretItem(int line) const {
  const MessageLine& l = lines()[static_cast<size_t>(line)];
  const int items = l.count() + static_cast<int>(l.controls.size());
  const bool controlAtEnd =
      std::any_of(l.controls.begin(), l.controls.end(),
                  [&](const AnchoredControl& c) { return c.position >= l.count(); });
  const bool endsWithNewlineElement =
      l.count() > 0 && l.elements.back().isNewline() && !controlAtEnd;
  return endsWithNewlineElement ? items - 1 : items;
}

void EditorModel::clampCaret() {
  if (lines().empty()) {
    caret_ = {};
    return;
  }
  caret_.line = std::clamp(caret_.line, 0, lineCount() - 1);
  caret_.item = std::clamp(caret_.item, 0, lastCaretItem(caret_.line));
}

void EditorModel::scrollToCaret() {
  if (caret_.line < firstVisible_) firstVisible_ = caret_.line;
  if (caret_.line >= firstVisible_ + kEditorVisibleLines) {
    firstVisible_ = caret_.line - kEditorVisibleLines + 1;
  }
}

void EditorModel::setFirstVisibleLine(int line) {
  firstVisible_ = std::clamp(line, 0, std::max(lineCount() - 1, 0));
}

void EditorModel::syncFontAndColour() {
  int font = kDefaultFont;
  int colour = kDefaultColour;
  if (!lines().empty()) {
    const EditorItems items = lineItems(lines()[static_cast<size_t>(caret_.line)]);
    const LineElement* source = nullptr;
    for (int i = std::min<int>(caret_.item, static_cast<int>(items.size())) - 1; i >= 0 && !source;
         --i) {
      const EditorItem& item = items[static_cast<size_t>(i)];
      if (!item.isControl && !item.isNewline()) source = &item.element;
    }
    for (size_t i = 0; i < items.size() && !source; ++i) {
      if (!items[i].isControl && !items[i].isNewline()) source = &items[i].element;
    }
    if (source != nullptr) {
      if (fontInfo(source->font) != nullptr) font = source->font;
      if (colourSignCode(source->colour)) colour = source->colour;
    }
  }
  font_ = font;
  colour_ = colour;
}

// ---- Moves.

void EditorModel::moveLeft() {
  anchor_.reset();
  if (lines().empty()) return;
  clampCaret();
  if (caret_.item > 0) {
    --caret_.item;
  } else if (caret_.line > 0) {
    caret_ = {caret_.line - 1, lastCaretItem(caret_.line - 1)};
  }
  syncFontAndColour();
  scrollToCaret();
}

void EditorModel::moveRight() {
  anchor_.reset();
  if (lines().empty()) return;
  clampCaret();
  if (caret_.item < lastCaretItem(caret_.line)) {
    ++caret_.item;
  } else if (caret_.line + 1 < lineCount()) {
    caret_ = {caret_.line + 1, 0};
  }
  syncFontAndColour();
  scrollToCaret();
}

void EditorModel::moveUp() {
  anchor_.reset();
  if (lines().empty() || caret_.line == 0) return;
  const int x = caretX();
  const int target = caret_.line - 1;
  caret_ = {target, nearestBoundary(lineItems(lines()[static_cast<size_t>(target)]),
                                    lastCaretItem(target), x)};
  syncFontAndColour();
  scrollToCaret();
}

void EditorModel::moveDown() {
  anchor_.reset();
  if (lines().empty() || caret_.line + 1 >= lineCount()) return;
  const int x = caretX();
  const int target = caret_.line + 1;
  caret_ = {target, nearestBoundary(lineItems(lines()[static_cast<size_t>(target)]),
                                    lastCaretItem(target), x)};
  syncFontAndColour();
  scrollToCaret();
}

void EditorModel::moveHome() {
  anchor_.reset();
  caret_.item = 0;
  clampCaret();
  syncFontAndColour();
  scrollToCaret();
}

void EditorModel::moveEnd() {
  anchor_.reset();
  if (lines().empty()) return;
  clampCaret();
  caret_.item = lastCaretItem(caret_.line);
  syncFontAndColour();
  scrollToCaret();
}

// ---- Mouse.

EditorPosition EditorModel::hitTest(int x, int y) const {
  if (lines().empty()) return {};
  const int line = std::clamp(y < 0 ? 0 : y / kEditorLinePitch, 0, lineCount() - 1);
  return {line, nearestBoundary(lineItems(lines()[static_cast<size_t>(line)]), lastCaretItem(line),
                                std::max(x, kEditorTextLeft))};
}

void EditorModel::mousePress(int x, int y) {
  caret_ = hitTest(x, y);
  anchor_ = caret_;
  syncFontAndColour();
}

void EditorModel::mouseDrag(int x, int y) {
  if (!anchor_) anchor_ = caret_;
  caret_ = hitTest(x, y);
  syncFontAndColour();
}

ContextMenu EditorModel::contextMenuAt(int x, int y) const {
  ContextMenu menu;
  if (x >= kEditorTextLeft) {
    menu.kind = ContextMenu::Kind::kInsertMenu;
    return menu;
  }
  if (y < 0) return menu;
  const int line = y / kEditorLinePitch;
  if (line >= lineCount()) return menu;
  const int fileNumber = lines()[static_cast<size_t>(line)].fileNumber;
  if (line > 0 && lines()[static_cast<size_t>(line - 1)].fileNumber == fileNumber) return menu;
  menu.kind = ContextMenu::Kind::kMessageMenu;
  menu.fileNumber = fileNumber;
  menu.combineEnabled = std::any_of(lines().begin(), lines().end(), [&](const MessageLine& l) {
    return l.fileNumber > fileNumber;
  });
  return menu;
}

// ---- Drawing data.

EditorLayout EditorModel::layout(int firstLine, int lineCount) const {
  EditorLayout result;
  result.caretX = caretX();
  result.caretY = caret_.line * kEditorLinePitch;
  const int begin = std::max(firstLine, 0);
  const int end = std::min(begin + std::max(lineCount, 0), this->lineCount());
  std::optional<EditorPosition> from, to;
  if (hasSelection()) {
    from = std::min(*anchor_, caret_);
    to = std::max(*anchor_, caret_);
  }
  const int current = currentMessage();
  for (int l = begin; l < end; ++l) {
    const MessageLine& line = lines()[static_cast<size_t>(l)];
    LayoutLine out;
    out.lineIndex = l;
    out.top = l * kEditorLinePitch;
    out.fileNumber = line.fileNumber;
    if (l == 0 || lines()[static_cast<size_t>(l - 1)].fileNumber != line.fileNumber) {
      out.messageLabel = messageLabel(line.fileNumber);
      out.messageLabelTop = out.top + kMessageLabelTopOffset;
      out.currentMessage = line.fileNumber == current;
    }
    const EditorItems items = lineItems(line);
    int x = kEditorTextLeft;
    for (size_t i = 0; i < items.size(); ++i) {
      const EditorItem& item = items[i];
      const int width = itemWidth(item);
      if (!item.isNewline()) {
        LayoutItem drawn;
        drawn.x = x;
        drawn.width = width;
        drawn.isControl = item.isControl;
        if (item.isControl) {
          drawn.control = item.control;
          drawn.label = controlLabel(item.control.type, item.control.value);
          drawn.height = kLabelFontHeight;
          drawn.y = out.top + (kEditorLinePitch - kLabelFontHeight) / 2;
        } else {
          drawn.element = item.element;
          drawn.height = elementHeight(item.element);
          drawn.y = out.top + kEditorLinePitch - drawn.height;
        }
        const EditorPosition before{l, static_cast<int>(i)};
        drawn.selected = from && *from <= before && before < *to;
        out.items.push_back(std::move(drawn));
      }
      x += width;
    }
    result.lines.push_back(std::move(out));
  }
  return result;
}

}  // namespace workspace
