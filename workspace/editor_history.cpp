#include "workspace/editor_history.h"

namespace workspace {

size_t snapshotBytes(const EditorSnapshot& snapshot) {
  size_t bytes = sizeof(EditorSnapshot) + snapshot.lines.capacity() * sizeof(MessageLine);
  for (const MessageLine& line : snapshot.lines) {
    bytes += line.elements.capacity() * sizeof(LineElement) +
             line.controls.capacity() * sizeof(AnchoredControl);
  }
  return bytes;
}

void EditorHistory::push(std::deque<EditorSnapshot>& side, EditorSnapshot snapshot) {
  bytes_ += snapshotBytes(snapshot);
  side.push_back(std::move(snapshot));
}

void EditorHistory::trim() {
  // The newest undo step always stays, however large: the edit just made can be taken back.
  while (undo_.size() > 1 && (undo_.size() > kMaxSteps || bytes_ > kByteBudget)) {
    bytes_ -= snapshotBytes(undo_.front());
    undo_.pop_front();
  }
  while (!redo_.empty() && bytes_ > kByteBudget) {
    bytes_ -= snapshotBytes(redo_.front());
    redo_.pop_front();
  }
}

void EditorHistory::record(EditorSnapshot before) {
  for (const EditorSnapshot& dropped : redo_)
    bytes_ -= snapshotBytes(dropped);
  redo_.clear();
  typingAt_.reset();
  push(undo_, std::move(before));
  trim();
}

bool EditorHistory::continuesTyping(int caretLine, int caretItem) const {
  return typingAt_ && !undo_.empty() && redo_.empty() && typingAt_->line == caretLine &&
         typingAt_->item == caretItem;
}

void EditorHistory::typedUpTo(int caretLine, int caretItem) {
  typingAt_ = Place{caretLine, caretItem};
}

std::optional<EditorSnapshot> EditorHistory::undo(EditorSnapshot current) {
  typingAt_.reset();
  if (undo_.empty()) return std::nullopt;
  EditorSnapshot previous = std::move(undo_.back());
  bytes_ -= snapshotBytes(previous);
  undo_.pop_back();
  push(redo_, std::move(current));
  trim();
  return previous;
}

std::optional<EditorSnapshot> EditorHistory::redo(EditorSnapshot current) {
  typingAt_.reset();
  if (redo_.empty()) return std::nullopt;
  EditorSnapshot next = std::move(redo_.back());
  bytes_ -= snapshotBytes(next);
  redo_.pop_back();
  push(undo_, std::move(current));
  trim();
  return next;
}

void EditorHistory::clear() {
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
  typingAt_.reset();
}

}  // namespace workspace
