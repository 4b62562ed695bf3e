// The editing rules of the message editor: inserting, wrapping, splitting, joining and deleting
// lines, and numbering messages. Caret movement, hit-testing and layout are in editor_caret.cpp.

#include "workspace/editor_model.h"

#include <algorithm>

#include "workspace/sign_tables.h"

namespace workspace {
namespace {

// The highest code a user-defined bitmap element can name: index numbers are written "%04d".
constexpr int kMaxUserImageNumber = 9999;
// Typed characters the sign shows: printable ASCII and 128, below the first unused value 129.
constexpr int kFirstPrintable = 32;
constexpr int kDeleteCharacter = 127;
constexpr int kLastTypedCharacter = 128;

bool sameMessage(const std::vector<MessageLine>& lines, int a, int b) {
  const int count = static_cast<int>(lines.size());
  if (a < 0 || b < 0 || a >= count || b >= count) return false;
  return lines[static_cast<size_t>(a)].fileNumber == lines[static_cast<size_t>(b)].fileNumber;
}

}  // namespace

EditorModel::EditorModel(CVarnelDoc& doc)
    : doc_(doc), font_(kDefaultFont), colour_(kDefaultColour), empty_(doc.lineCount() == 0) {
  clampCaret();
  syncFontAndColour();
  history_.reset(lines());
}

bool EditorModel::isEmpty() const {
  return empty_ || lines().empty();
}

void EditorModel::finishEdit() {
  doc_.setModified(true);
  clampCaret();
  scrollToCaret();
  recordEdit();
}

// ---- Inserting.

bool EditorModel::typeCharacter(int character) {
  if (character < kFirstPrintable || character > kLastTypedCharacter ||
      character == kDeleteCharacter) {
    return false;
  }
  EditorItem item;
  item.element = LineElement{static_cast<int16_t>(character), static_cast<uint8_t>(colour_),
                             static_cast<uint8_t>(font_), kKindCharacter};
  insertAtCaret(item, true);
  return true;
}

bool EditorModel::insertItem(ElementKind kind, int value) {
  int code = 0;
  switch (kind) {
    case kKindTime:
    case kKindDate:
      break;
    case kKindSymbol:
    case kKindPredefinedBitmap:
    case kKindUserBitmap:
    case kKindSpecialCharacter: {
      code = value - kInsertItemCodeOffset;
      const int limit = kind == kKindSymbol             ? kSymbolCount
                        : kind == kKindPredefinedBitmap ? kPredefinedBitmapCount
                        : kind == kKindSpecialCharacter ? kSpecialCharacterCount
                                                        : kMaxUserImageNumber + 1;
      if (code < 0 || code >= limit) return false;
      break;
    }
    default:
      return false;
  }
  EditorItem item;
  item.element = LineElement{static_cast<int16_t>(code), static_cast<uint8_t>(colour_),
                             static_cast<uint8_t>(font_), static_cast<uint8_t>(kind)};
  insertAtCaret(item);
  return true;
}

bool EditorModel::insertControl(int type, int value) {
  if (!isValidControl(type, value)) return false;
  EditorItem item;
  item.isControl = true;
  item.control = AnchoredControl{0, static_cast<int8_t>(type), static_cast<uint8_t>(value)};
  insertAtCaret(item);
  return true;
}

void EditorModel::insertAtCaret(const EditorItem& item, bool typing) {
  anchor_.reset();
  beginEdit(typing);
  if (lines().empty()) {
    doc_.appendLine(MessageLine{});
    caret_ = {};
  }
  clampCaret();
  MessageLine& line = lines()[static_cast<size_t>(caret_.line)];
  EditorItems items = lineItems(line);
  items.insert(items.begin() + caret_.item, item);
  storeLineItems(line, items);
  ++caret_.item;
  empty_ = false;
  if (overflowIndex(items) < items.size()) rewrap(caret_.line, true);
  finishEdit();
}

// ---- Wrapping and line structure.

void EditorModel::insertLineAfter(int line, const EditorItems& items, int fileNumber) {
  MessageLine fresh;
  fresh.fileNumber = static_cast<int8_t>(fileNumber);
  storeLineItems(fresh, items);
  doc_.insertLineAfter(line, std::move(fresh));
  if (caret_.line > line) ++caret_.line;
}

void EditorModel::rewrap(int line, bool stopAtFit) {
  for (int i = std::max(line, 0); i < lineCount(); ++i) {
    EditorItems items = lineItems(lines()[static_cast<size_t>(i)]);
    const size_t cut = overflowIndex(items);
    if (cut == items.size()) {
      if (stopAtFit) return;
      continue;
    }
    const EditorItems carry(items.begin() + static_cast<std::ptrdiff_t>(cut), items.end());
    items.resize(cut);
    storeLineItems(lines()[static_cast<size_t>(i)], items);
    const int fileNumber = lines()[static_cast<size_t>(i)].fileNumber;
    const bool caretMoves = caret_.line == i && caret_.item > static_cast<int>(cut);
    // Items that end with a newline keep their own line: in front of the next line they would
    // put a line end in the middle of it.
    if (sameMessage(lines(), i, i + 1) && !endsWithNewline(carry)) {
      MessageLine& next = lines()[static_cast<size_t>(i + 1)];
      EditorItems nextItems = lineItems(next);
      nextItems.insert(nextItems.begin(), carry.begin(), carry.end());
      storeLineItems(next, nextItems);
      if (caret_.line == i + 1) caret_.item += static_cast<int>(carry.size());
    } else {
      insertLineAfter(i, carry, fileNumber);
    }
    if (caretMoves) caret_ = {i + 1, caret_.item - static_cast<int>(cut)};
  }
}

bool EditorModel::joinNext(int line) {
  if (!sameMessage(lines(), line, line + 1)) return false;
  MessageLine& current = lines()[static_cast<size_t>(line)];
  MessageLine& next = lines()[static_cast<size_t>(line + 1)];
  EditorItems items = lineItems(current);
  if (endsWithNewline(items)) return false;
  EditorItems nextItems = lineItems(next);
  const size_t moving = fittingPrefix(items, nextItems);
  if (moving == 0) return false;
  const int oldSize = static_cast<int>(items.size());
  items.insert(items.end(), nextItems.begin(),
               nextItems.begin() + static_cast<std::ptrdiff_t>(moving));
  nextItems.erase(nextItems.begin(), nextItems.begin() + static_cast<std::ptrdiff_t>(moving));
  storeLineItems(current, items);
  if (caret_.line == line + 1) {
    if (caret_.item <= static_cast<int>(moving) &&
        (caret_.item < static_cast<int>(moving) || nextItems.empty())) {
      caret_ = {line, oldSize + caret_.item};
    } else {
      caret_.item -= static_cast<int>(moving);
    }
  }
  if (nextItems.empty()) {
    lines().erase(lines().begin() + line + 1);
    if (caret_.line > line + 1) --caret_.line;
  } else {
    storeLineItems(next, nextItems);
  }
  return true;
}

void EditorModel::removeLine(int line) {
  const bool onlyLine =
      !sameMessage(lines(), line - 1, line) && !sameMessage(lines(), line, line + 1);
  lines().erase(lines().begin() + line);
  if (onlyLine) {
    for (size_t i = static_cast<size_t>(line); i < lines().size(); ++i) {
      if (lines()[i].fileNumber > 1) --lines()[i].fileNumber;
    }
  }
  if (caret_.line > line) --caret_.line;
}

void EditorModel::splitAtCaret(int newFileNumber) {
  clampCaret();
  const int line = caret_.line;
  MessageLine& current = lines()[static_cast<size_t>(line)];
  EditorItems items = lineItems(current);
  const EditorItems tail(items.begin() + caret_.item, items.end());
  items.resize(static_cast<size_t>(caret_.item));
  EditorItem newline;
  newline.element = LineElement{kNewlineCode, static_cast<uint8_t>(colour_),
                                static_cast<uint8_t>(font_), kKindCharacter};
  items.push_back(newline);
  storeLineItems(current, items);
  insertLineAfter(line, tail, newFileNumber);
  caret_ = {line + 1, 0};
  // The first part gained an element; a line already at the element limit moves its overflow on.
  rewrap(line, true);
}

// ---- Keys that edit.

EditResult EditorModel::enter() {
  EditResult result;
  if (isEmpty()) {
    result.message = mustInputTextMessage();
    return result;
  }
  anchor_.reset();
  clampCaret();
  beginEdit();
  splitAtCaret(lines()[static_cast<size_t>(caret_.line)].fileNumber);
  syncFontAndColour();
  finishEdit();
  result.changed = true;
  return result;
}

EditResult EditorModel::newMessage() {
  EditResult result;
  int highest = 0;
  for (const MessageLine& line : lines())
    highest = std::max<int>(highest, line.fileNumber);
  if (highest >= kMaxMessages) {
    result.message = tooManyMessagesMessage();
    return result;
  }
  if (isEmpty()) {
    result.message = mustInputTextMessage();
    return result;
  }
  anchor_.reset();
  clampCaret();
  beginEdit();
  const int line = caret_.line;
  const int current = lines()[static_cast<size_t>(line)].fileNumber;
  for (MessageLine& each : lines()) {
    if (each.fileNumber > current) ++each.fileNumber;
  }
  // The rest of the current message goes with the new one.
  for (size_t i = static_cast<size_t>(line) + 1;
       i < lines().size() && lines()[i].fileNumber == current; ++i) {
    lines()[i].fileNumber = static_cast<int8_t>(current + 1);
  }
  splitAtCaret(current + 1);
  syncFontAndColour();
  finishEdit();
  result.changed = true;
  return result;
}

bool EditorModel::deleteLine() {
  if (lines().empty()) return false;
  anchor_.reset();
  clampCaret();
  beginEdit();
  const int line = caret_.line;
  removeLine(line);
  caret_ = {std::min(line, std::max(lineCount() - 1, 0)), 0};
  syncFontAndColour();
  finishEdit();
  return true;
}

bool EditorModel::backspace() {
  if (lines().empty()) return false;
  anchor_.reset();
  clampCaret();
  beginEdit();
  const int line = caret_.line;
  EditorItems items = lineItems(lines()[static_cast<size_t>(line)]);
  const auto toEndOfPrevious = [&] {
    caret_ = line > 0 ? EditorPosition{line - 1, lastCaretItem(line - 1)} : EditorPosition{};
  };
  if (items.empty()) {
    removeLine(line);
    toEndOfPrevious();
  } else if (caret_.item == 0) {
    if (!sameMessage(lines(), line - 1, line)) return false;
    MessageLine& previous = lines()[static_cast<size_t>(line - 1)];
    EditorItems previousItems = lineItems(previous);
    bool changed = false;
    if (endsWithNewline(previousItems)) {
      previousItems.pop_back();
      storeLineItems(previous, previousItems);
      changed = true;
    }
    caret_ = {line - 1, static_cast<int>(previousItems.size())};
    changed = joinNext(line - 1) || changed;
    if (!changed) {
      syncFontAndColour();
      scrollToCaret();
      return false;
    }
    rewrap(line - 1, true);
  } else {
    items.erase(items.begin() + caret_.item - 1);
    storeLineItems(lines()[static_cast<size_t>(line)], items);
    --caret_.item;
    if (items.empty()) {
      removeLine(line);
      toEndOfPrevious();
    } else {
      rewrap(line, true);
    }
  }
  syncFontAndColour();
  finishEdit();
  return true;
}

bool EditorModel::deleteForward() {
  if (lines().empty()) return false;
  anchor_.reset();
  clampCaret();
  beginEdit();
  const int line = caret_.line;
  EditorItems items = lineItems(lines()[static_cast<size_t>(line)]);
  const auto toStartOfSuccessor = [&] {
    caret_ = {std::min(line, std::max(lineCount() - 1, 0)), 0};
  };
  if (items.empty()) {
    removeLine(line);
    toStartOfSuccessor();
  } else if (caret_.item < static_cast<int>(items.size())) {
    const bool lineEnd = items[static_cast<size_t>(caret_.item)].isNewline() &&
                         caret_.item + 1 == static_cast<int>(items.size());
    items.erase(items.begin() + caret_.item);
    storeLineItems(lines()[static_cast<size_t>(line)], items);
    if (items.empty()) {
      removeLine(line);
      toStartOfSuccessor();
    } else {
      // Deleting the newline that ends a line joins the next line of the message to it.
      if (lineEnd) joinNext(line);
      rewrap(line, true);
    }
  } else {
    if (!joinNext(line)) return false;
    rewrap(line, true);
  }
  syncFontAndColour();
  finishEdit();
  return true;
}

// ---- Fonts and colours.

int EditorModel::applyToSelection(std::optional<int> font, std::optional<int> colour) {
  const EditorPosition from = std::min(*anchor_, caret_);
  const EditorPosition to = std::max(*anchor_, caret_);
  for (int l = std::max(from.line, 0); l <= to.line && l < lineCount(); ++l) {
    MessageLine& line = lines()[static_cast<size_t>(l)];
    EditorItems items = lineItems(line);
    const int first = l == from.line ? from.item : 0;
    const int last = l == to.line ? std::min<int>(to.item, static_cast<int>(items.size()))
                                  : static_cast<int>(items.size());
    for (int i = std::max(first, 0); i < last; ++i) {
      EditorItem& item = items[static_cast<size_t>(i)];
      if (item.isControl) continue;
      if (font) item.element.font = static_cast<uint8_t>(*font);
      if (colour) item.element.colour = static_cast<uint8_t>(*colour);
    }
    storeLineItems(line, items);
  }
  return from.line;
}

bool EditorModel::setFont(int font) {
  if (fontInfo(font) == nullptr) return false;
  font_ = font;
  if (!hasSelection()) {
    anchor_.reset();
    return false;
  }
  beginEdit();
  const int first = applyToSelection(font, std::nullopt);
  anchor_.reset();
  rewrap(first, false);
  finishEdit();
  return true;
}

bool EditorModel::setColour(int colour) {
  if (!colourSignCode(colour)) return false;
  colour_ = colour;
  if (!hasSelection()) {
    anchor_.reset();
    return false;
  }
  beginEdit();
  applyToSelection(std::nullopt, colour);
  anchor_.reset();
  finishEdit();
  return true;
}

// ---- Messages as units.

bool EditorModel::combineFile(int fileNumber) {
  const bool hasLater = std::any_of(lines().begin(), lines().end(), [&](const MessageLine& line) {
    return line.fileNumber > fileNumber;
  });
  if (fileNumber < 1 || !hasLater) return false;
  beginEdit();
  for (MessageLine& line : lines()) {
    if (line.fileNumber > fileNumber) --line.fileNumber;
  }
  finishEdit();
  return true;
}

bool EditorModel::deleteFile(int fileNumber) {
  auto& all = lines();
  const auto first = std::find_if(all.begin(), all.end(), [&](const MessageLine& line) {
    return line.fileNumber == fileNumber;
  });
  if (fileNumber < 1 || first == all.end()) return false;
  anchor_.reset();
  beginEdit();
  const auto last = std::find_if(
      first, all.end(), [&](const MessageLine& line) { return line.fileNumber != fileNumber; });
  const int firstIndex = static_cast<int>(first - all.begin());
  const int removed = static_cast<int>(last - first);
  all.erase(first, last);
  for (MessageLine& line : all) {
    if (line.fileNumber > fileNumber) --line.fileNumber;
  }
  if (caret_.line >= firstIndex + removed) {
    caret_.line -= removed;
  } else if (caret_.line >= firstIndex) {
    caret_ = {std::min(firstIndex, std::max(lineCount() - 1, 0)), 0};
  }
  syncFontAndColour();
  finishEdit();
  return true;
}

// ---- Whole-workspace commands.

void EditorModel::newWorkspace() {
  doc_.clear();
  doc_.setPath({});
  doc_.workspace().transferFilePath.clear();
  doc_.workspace().scheduler = SchedulerSettings{};
  doc_.setModified(false);
  documentReplaced();
}

void EditorModel::documentReplaced() {
  caret_ = {};
  anchor_.reset();
  empty_ = lines().empty();
  firstVisible_ = 0;
  history_.reset(lines());
  before_.reset();
  syncFontAndColour();
}

std::optional<EditorMessage> EditorModel::blankSendPrompt() const {
  if (!lines().empty()) return std::nullopt;
  return blankWorkspaceSendPrompt();
}

}  // namespace workspace
