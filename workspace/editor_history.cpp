#include "workspace/editor_history.h"

#include <algorithm>

namespace workspace {
namespace {

size_t linesBytes(const std::vector<MessageLine>& lines) {
  size_t bytes = lines.size() * sizeof(MessageLine);
  for (const MessageLine& line : lines) {
    bytes +=
        line.elements.size() * sizeof(LineElement) + line.controls.size() * sizeof(AnchoredControl);
  }
  return bytes;
}

// Replaces `count` lines of `lines` from `first` with `with`.
void replaceLines(std::vector<MessageLine>& lines, size_t first, size_t count,
                  const std::vector<MessageLine>& with) {
  const auto at = lines.begin() + static_cast<std::ptrdiff_t>(first);
  lines.erase(at, at + static_cast<std::ptrdiff_t>(count));
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first), with.begin(), with.end());
}

}  // namespace

size_t EditorHistory::stepBytes(const Step& step) {
  return sizeof(Step) + linesBytes(step.oldLines) + linesBytes(step.newLines);
}

EditorHistory::Step EditorHistory::difference(const std::vector<MessageLine>& lines) const {
  const size_t oldCount = mirror_.size();
  const size_t newCount = lines.size();
  size_t same = 0;
  while (same < oldCount && same < newCount && mirror_[same] == lines[same])
    ++same;
  size_t sameAtEnd = 0;
  while (sameAtEnd < oldCount - same && sameAtEnd < newCount - same &&
         mirror_[oldCount - 1 - sameAtEnd] == lines[newCount - 1 - sameAtEnd]) {
    ++sameAtEnd;
  }
  Step step;
  step.first = same;
  step.oldLines.assign(mirror_.begin() + static_cast<std::ptrdiff_t>(same),
                       mirror_.end() - static_cast<std::ptrdiff_t>(sameAtEnd));
  step.newLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(same),
                       lines.end() - static_cast<std::ptrdiff_t>(sameAtEnd));
  return step;
}

void EditorHistory::closeRun() {
  if (!runOpen_) return;
  runOpen_ = false;
  const Step& run = undo_.back();
  replaceLines(mirror_, run.first, run.oldLines.size(), run.newLines);
}

void EditorHistory::push(std::deque<Step>& side, Step step) {
  bytes_ += stepBytes(step);
  side.push_back(std::move(step));
}

void EditorHistory::trim() {
  // The newest undo step always stays, however large: the edit just made can be taken back.
  while (undo_.size() > 1 && (undo_.size() > maxSteps_ || bytes_ > byteBudget_)) {
    bytes_ -= stepBytes(undo_.front());
    undo_.pop_front();
  }
}

void EditorHistory::reset(const std::vector<MessageLine>& lines) {
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
  runOpen_ = false;
  mirror_ = lines;
}

void EditorHistory::record(const std::vector<MessageLine>& lines, const EditorPlace& before,
                           const EditorPlace& after, bool typing) {
  for (const Step& dropped : redo_)
    bytes_ -= stepBytes(dropped);
  redo_.clear();
  const bool joins = typing && runOpen_ && undo_.back().after.line == before.line &&
                     undo_.back().after.item == before.item;
  if (joins) {
    // The run's step grows: it now leads from the lines before the run to these.
    Step& run = undo_.back();
    Step grown = difference(lines);
    grown.before = run.before;
    grown.after = after;
    bytes_ -= stepBytes(run);
    bytes_ += stepBytes(grown);
    run = std::move(grown);
    trim();
    return;
  }
  closeRun();
  Step step = difference(lines);
  if (step.oldLines.empty() && step.newLines.empty() && before.empty == after.empty) return;
  step.before = before;
  step.after = after;
  push(undo_, std::move(step));
  runOpen_ = true;
  if (!typing) closeRun();
  trim();
}

std::optional<EditorPlace> EditorHistory::undo(std::vector<MessageLine>& lines) {
  closeRun();
  if (undo_.empty()) return std::nullopt;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  bytes_ -= stepBytes(step);
  replaceLines(lines, step.first, step.newLines.size(), step.oldLines);
  replaceLines(mirror_, step.first, step.newLines.size(), step.oldLines);
  const EditorPlace place = step.before;
  push(redo_, std::move(step));
  return place;
}

std::optional<EditorPlace> EditorHistory::redo(std::vector<MessageLine>& lines) {
  closeRun();
  if (redo_.empty()) return std::nullopt;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  bytes_ -= stepBytes(step);
  replaceLines(lines, step.first, step.oldLines.size(), step.newLines);
  replaceLines(mirror_, step.first, step.oldLines.size(), step.newLines);
  const EditorPlace place = step.after;
  push(undo_, std::move(step));
  trim();
  return place;
}

}  // namespace workspace
