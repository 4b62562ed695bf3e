#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "workspace/message_model.h"

namespace workspace {

// Where the caret stood and whether the workspace had received text yet: what an undo step puts
// back besides the lines.
struct EditorPlace {
  int line = 0;
  int item = 0;
  bool empty = true;

  friend bool operator==(const EditorPlace&, const EditorPlace&) = default;
};

// Undo and redo for the message editor. Each step keeps the run of display lines an edit replaced
// (with their control lists and message numbers) and the run that replaced it, found by comparing
// the lines with a copy of them as the previous edit left them, so an edit costs a comparison and
// the copy of the lines it touched, not a copy of the workspace. A typed character that continues
// the typed run ending where it was typed joins that run's step, so one undo takes back a typed
// run. At most kMaxSteps undo steps and kByteBudget bytes (unless told otherwise) are kept, the
// oldest dropped first; a new edit empties the redo side.
class EditorHistory {
 public:
  static constexpr size_t kMaxSteps = 100;
  static constexpr size_t kByteBudget = 16u << 20;

  explicit EditorHistory(size_t maxSteps = kMaxSteps, size_t byteBudget = kByteBudget)
      : maxSteps_(maxSteps), byteBudget_(byteBudget) {}

  // Forgets every step and starts from `lines` (a workspace was opened, replaced or cleared).
  void reset(const std::vector<MessageLine>& lines);
  // Records the edit that turned the lines as last recorded into `lines`; `before` is the place
  // where the edit started, `after` the place it left. With `typing`, the edit is a typed
  // character.
  void record(const std::vector<MessageLine>& lines, const EditorPlace& before,
              const EditorPlace& after, bool typing);

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // Takes the last step back in `lines` (the lines as the last recorded edit left them) and
  // returns the place before it; nothing when there is no step.
  std::optional<EditorPlace> undo(std::vector<MessageLine>& lines);
  // Does the last undone step again in `lines` and returns the place after it.
  std::optional<EditorPlace> redo(std::vector<MessageLine>& lines);

  size_t undoSteps() const { return undo_.size(); }
  size_t redoSteps() const { return redo_.size(); }
  // The bytes the kept steps hold (what the budget counts).
  size_t bytes() const { return bytes_; }

 private:
  struct Step {
    size_t first = 0;                   // The first display line that changed.
    std::vector<MessageLine> oldLines;  // The lines from `first` before the edit...
    std::vector<MessageLine> newLines;  // ...and after it.
    EditorPlace before;
    EditorPlace after;
  };

  static size_t stepBytes(const Step& step);
  // The step that turns mirror_ into `lines`.
  Step difference(const std::vector<MessageLine>& lines) const;
  // Brings mirror_ up to an open typed run's end: its step is final from now on.
  void closeRun();
  void push(std::deque<Step>& side, Step step);
  void trim();

  size_t maxSteps_;
  size_t byteBudget_;
  std::deque<Step> undo_;            // Oldest first.
  std::deque<Step> redo_;            // Oldest first; the next to redo is at the back.
  std::vector<MessageLine> mirror_;  // The lines as the last final step left them.
  bool runOpen_ = false;             // The last undo step is a typed run that may grow.
  size_t bytes_ = 0;                 // stepBytes of every kept step.
};

}  // namespace workspace
