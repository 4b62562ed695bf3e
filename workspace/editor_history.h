#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "workspace/message_model.h"

namespace workspace {

// The editor's state as one edit leaves it: every display line with its control list and message
// number, where the caret stood, and whether the workspace had received text yet.
struct EditorSnapshot {
  std::vector<MessageLine> lines;
  int caretLine = 0;
  int caretItem = 0;
  bool empty = true;
};

// The bytes a snapshot keeps alive (what the history's budget counts).
size_t snapshotBytes(const EditorSnapshot& snapshot);

// Undo and redo for the message editor: whole-workspace snapshots taken before each edit. Typing
// that continues where the last typed character went joins that character's step, so one undo
// takes back a typed run. The history keeps at most kMaxSteps undo steps and kByteBudget bytes of
// snapshots, dropping the oldest first; a new edit empties the redo side.
class EditorHistory {
 public:
  static constexpr size_t kMaxSteps = 100;
  static constexpr size_t kByteBudget = 16u << 20;

  // Records `before`, the state an edit has changed, as a new undo step; ends the typed run.
  void record(EditorSnapshot before);
  // True when a character typed with the caret at (line, item) continues the last typed run: it
  // joins that run's step, and nothing needs recording.
  bool continuesTyping(int caretLine, int caretItem) const;
  // A character was typed: the run now ends at (line, item).
  void typedUpTo(int caretLine, int caretItem);

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // Takes the last step back: returns the state to restore and keeps `current` for redo.
  std::optional<EditorSnapshot> undo(EditorSnapshot current);
  // Does the last undone step again: returns the state to restore and keeps `current` for undo.
  std::optional<EditorSnapshot> redo(EditorSnapshot current);
  // Forgets every step (a workspace was opened or cleared).
  void clear();

  size_t undoSteps() const { return undo_.size(); }
  size_t redoSteps() const { return redo_.size(); }
  size_t bytes() const { return bytes_; }

 private:
  void push(std::deque<EditorSnapshot>& side, EditorSnapshot snapshot);
  void trim();

  struct Place {
    int line;
    int item;
  };
  std::deque<EditorSnapshot> undo_;  // Oldest first.
  std::deque<EditorSnapshot> redo_;  // Oldest first; the next to redo is at the back.
  size_t bytes_ = 0;                 // snapshotBytes of every kept snapshot.
  std::optional<Place> typingAt_;    // Where the current typed run ended.
};

}  // namespace workspace
