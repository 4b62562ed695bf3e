// Undo and redo in the message editor: each edit is recorded as it finishes.

#include "workspace/editor_model.h"

namespace workspace {

void EditorModel::beginEdit(bool typing) {
  typing_ = typing;
  before_ = EditorPlace{caret_.line, caret_.item, empty_};
}

void EditorModel::recordEdit() {
  if (!before_) return;
  history_.record(lines(), *before_, EditorPlace{caret_.line, caret_.item, empty_}, typing_);
  before_.reset();
}

void EditorModel::restore(const EditorPlace& place) {
  caret_ = {place.line, place.item};
  empty_ = place.empty;
  anchor_.reset();
  before_.reset();
  doc_.setModified(true);
  clampCaret();
  scrollToCaret();
  syncFontAndColour();
}

bool EditorModel::undo() {
  const std::optional<EditorPlace> place = history_.undo(lines());
  if (!place) return false;
  restore(*place);
  return true;
}

bool EditorModel::redo() {
  const std::optional<EditorPlace> place = history_.redo(lines());
  if (!place) return false;
  restore(*place);
  return true;
}

}  // namespace workspace
