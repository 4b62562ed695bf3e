// Undo and redo in the message editor: each edit keeps the state it started from.

#include "workspace/editor_model.h"

namespace workspace {

EditorSnapshot EditorModel::snapshot() const {
  EditorSnapshot state;
  state.lines = lines();
  state.caretLine = caret_.line;
  state.caretItem = caret_.item;
  state.empty = empty_;
  return state;
}

void EditorModel::beginEdit(bool typing) {
  typing_ = typing;
  // A character typed where the last one went belongs to that character's step: no copy needed.
  if (typing && history_.continuesTyping(caret_.line, caret_.item)) {
    before_.reset();
  } else {
    before_ = snapshot();
  }
}

void EditorModel::restore(EditorSnapshot&& state) {
  lines() = std::move(state.lines);
  caret_ = {state.caretLine, state.caretItem};
  empty_ = state.empty;
  anchor_.reset();
  before_.reset();
  doc_.setModified(true);
  clampCaret();
  scrollToCaret();
  syncFontAndColour();
}

bool EditorModel::undo() {
  if (!canUndo()) return false;
  std::optional<EditorSnapshot> previous = history_.undo(snapshot());
  if (!previous) return false;
  restore(std::move(*previous));
  return true;
}

bool EditorModel::redo() {
  if (!canRedo()) return false;
  std::optional<EditorSnapshot> next = history_.redo(snapshot());
  if (!next) return false;
  restore(std::move(*next));
  return true;
}

}  // namespace workspace
