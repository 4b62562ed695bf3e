// The bitmap editor's keys and menu commands.

#include <algorithm>
#include <optional>
#include <string>

#include "bitmaps/bitmap_editor.h"
#include "i18n/string_ids.h"

namespace bitmaps {

void CBitmapEditor::step(CBitmapCatalog::Direction direction, EditorDialogs& dialogs) {
  askToSave(dialogs, PromptButtons::kYesNo);
  changed_ = false;
  if (catalog_.empty()) return;
  const long position = catalog_.positionOf(index_);
  const bool forward = direction == CBitmapCatalog::Direction::kNext;
  const long last = static_cast<long>(catalog_.count()) - 1;
  long target = forward ? 0 : last;  // wrap, or the current image is not in the catalog
  if (position >= 0 && (forward ? position < last : position > 0)) {
    target = forward ? position + 1 : position - 1;
  }
  load(catalog_.at(static_cast<size_t>(target)).indexNumber(), &dialogs);
}

void CBitmapEditor::newImage(EditorDialogs& dialogs) {
  if (catalog_.full()) {
    if (ask(dialogs, i18n::IDS_EDITOR_ASK_MODIFY_OLD, PromptButtons::kYesNo,
            static_cast<long long>(CBitmapCatalog::kMaxImages)) == PromptAnswer::kYes) {
      openImage(dialogs);
    }
    return;
  }
  if (!askToSave(dialogs, PromptButtons::kYesNoCancel)) return;
  // A drawing taken from the catalog is left there, saved or not: the new one gets a free number
  // so that it can never overwrite the image it replaces on the screen.
  if (fromCatalog_) index_ = catalog_.nextFreeIndex();
  startEmpty();
}

void CBitmapEditor::openImage(EditorDialogs& dialogs) {
  if (changed_ &&
      ask(dialogs, i18n::IDS_EDITOR_ASK_SAVE, PromptButtons::kYesNo) == PromptAnswer::kYes) {
    store();
  }
  const std::optional<std::string> typed = dialogs.askIndexNumber();
  if (!typed) return;
  const std::optional<int> number = indexFromTyped(*typed);
  if (!number || *number == index_) return;
  if (catalog_.find(*number) == nullptr) {
    if (ask(dialogs, i18n::IDS_EDITOR_ASK_CREATE_MISSING, PromptButtons::kYesNo) ==
        PromptAnswer::kYes) {
      startEmpty();
      index_ = *number;
    }
    return;
  }
  load(*number, &dialogs);
}

void CBitmapEditor::saveAs(EditorDialogs& dialogs) {
  if (catalog_.full()) {
    ask(dialogs, i18n::IDS_CATALOG_FULL, PromptButtons::kOk,
        static_cast<long long>(CBitmapCatalog::kMaxImages));
    return;
  }
  if (ask(dialogs, i18n::IDS_EDITOR_ASK_SAVE_AS, PromptButtons::kOkCancel) != PromptAnswer::kYes) {
    return;
  }
  if (fromCatalog_) index_ = catalog_.nextFreeIndex();
  store();
}

void CBitmapEditor::clearDrawing(EditorDialogs& dialogs) {
  if (ask(dialogs, i18n::IDS_EDITOR_ASK_CLEAR, PromptButtons::kYesNo) != PromptAnswer::kYes) return;
  std::fill(pixels_.begin(), pixels_.end(), kEmptyCell);
  store();
}

void CBitmapEditor::removeImage(EditorDialogs& dialogs) {
  if (ask(dialogs, i18n::IDS_EDITOR_ASK_REMOVE, PromptButtons::kYesNo, index_) !=
      PromptAnswer::kYes) {
    return;
  }
  if (catalog_.find(index_) == nullptr) {
    ask(dialogs, i18n::IDS_INDEX_NOT_IN_CATALOG, PromptButtons::kOk, index_);
    return;
  }
  const CBitmapImage* next = catalog_.neighbour(index_, CBitmapCatalog::Direction::kNext);
  if (next == nullptr) next = catalog_.neighbour(index_, CBitmapCatalog::Direction::kPrevious);
  const std::optional<int> neighbour =
      next != nullptr ? std::optional<int>(next->indexNumber()) : std::nullopt;
  catalog_.remove(index_);
  if (neighbour && load(*neighbour, &dialogs)) return;
  index_ = catalog_.nextFreeIndex();
  std::fill(pixels_.begin(), pixels_.end(), uint8_t{0});
  changed_ = false;
  fromCatalog_ = false;
}

}  // namespace bitmaps
