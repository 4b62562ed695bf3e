#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workspace/editor_history.h"
#include "workspace/editor_items.h"
#include "workspace/editor_layout.h"
#include "workspace/editor_messages.h"
#include "workspace/varnel_doc.h"

namespace workspace {

// A place between two items of a display line: `item` items of the line stand before it.
struct EditorPosition {
  int line = 0;
  int item = 0;

  friend auto operator<=>(const EditorPosition&, const EditorPosition&) = default;
};

// What an edit that can be refused did.
struct EditResult {
  bool changed = false;                  // The workspace was edited.
  std::optional<EditorMessage> message;  // The refusal to show ("Warning!"), when there is one.
};

// The message editor without its window: the caret, the current font and colour, the selection,
// and every editing rule of the message workspace (inserting with re-wrapping, Enter, new
// messages, deleting with line joins, message numbering, combining and deleting messages). It
// works in place on the document's lines; the window translates keys and mouse into calls here and
// paints what layout() describes.
//
// Invariants kept by every call: each line's controls stand in position order within the line's
// element count; the caret stands on an existing line (line 0 when there is none) and never past
// a line's last item, nor behind the newline element that ends a line; a line the editor has
// wrapped is no wider than kEditorLineCapacity unless it holds a single wider item; messages the
// editor numbers stay in display order without gaps.
//
// The document must outlive the model. After the document is loaded, cleared or replaced from
// outside, call documentReplaced().
class EditorModel {
 public:
  explicit EditorModel(CVarnelDoc& doc);
  EditorModel(const EditorModel&) = delete;
  EditorModel& operator=(const EditorModel&) = delete;

  CVarnelDoc& document() { return doc_; }
  const CVarnelDoc& document() const { return doc_; }

  // ---- State.

  EditorPosition caret() const { return caret_; }
  // The number of elements before the caret on its line.
  int caretElementIndex() const;
  // The index in the line's control list of the last control before the caret; -1 when none.
  int caretControlIndex() const;
  // The caret's x in window pixels (the text area starts at kEditorTextLeft).
  int caretX() const;
  // The message the caret is in (1 when the workspace has no line).
  int currentMessage() const;
  int currentFont() const { return font_; }
  int currentColour() const { return colour_; }
  // True while the workspace has never received text (then Enter and New Message are refused).
  bool isEmpty() const;
  // The anchor of the selection, when there is one (the caret is its other end).
  std::optional<EditorPosition> selectionAnchor() const { return anchor_; }
  bool hasSelection() const { return anchor_.has_value() && *anchor_ != caret_; }

  // ---- Typing and inserting. Each drops the selection; an edit marks the document modified.

  // A typed character: printable values 32 to 128 (not 127) become a character element in the
  // current font and colour at the caret. Other values are ignored (false).
  bool typeCharacter(int character);
  // An element from an insert command: kKindTime and kKindDate take `value` 0; kinds 3 to 6 take
  // the dialogs' value, the index plus kInsertItemCodeOffset, and store the index. False (nothing
  // changes) for an unknown kind or an index outside its table.
  bool insertItem(ElementKind kind, int value);
  // An anchored control from a list dialog, placed at the caret after the controls that stand
  // before it; makes the first line in an empty workspace. False for an invalid type or value.
  bool insertControl(int type, int value);

  // ---- Keys that edit.

  // Enter: splits the line at the caret and ends the first part with a newline element.
  EditResult enter();
  // Ctrl+Enter or "New Message": starts a new message at the caret; later messages move up one.
  EditResult newMessage();
  // Ctrl+Y: deletes the caret's display line; when it was its message's only line, the later
  // messages close the gap.
  bool deleteLine();
  // Backspace and Delete: remove the item before or after the caret, joining lines at their ends.
  bool backspace();
  bool deleteForward();

  // ---- Caret movement (drops the selection; takes the font and colour at the new place).

  void moveLeft();
  void moveRight();
  void moveUp();
  void moveDown();
  void moveHome();
  void moveEnd();

  // ---- Mouse (coordinates in document pixels: window y plus the scrolled-away lines' height).

  // The item boundary nearest to (x, y): the line under y (the last one below the text), the
  // boundary nearest x on it. A click in the margin gives the line's start.
  EditorPosition hitTest(int x, int y) const;
  // A left click: puts the caret there and starts a selection anchored there.
  void mousePress(int x, int y);
  // Dragging with the button down: moves the caret, keeping the anchor.
  void mouseDrag(int x, int y);
  // Drops the selection (the window calls it for keys that move or edit).
  void clearSelection() { anchor_.reset(); }

  // The pop-up menu a right click at (x, y) opens.
  ContextMenu contextMenuAt(int x, int y) const;

  // ---- The font and colour bar.

  // Selects a font (0-6) or colour (0-15). With a selection, writes it into every selected element,
  // re-wraps after a font change, drops the selection and marks the document modified (true).
  // Without one, only the current font or colour changes (false). Invalid indices are ignored.
  bool setFont(int font);
  bool setColour(int colour);

  // ---- Messages as units (the margin's pop-up menu). Ask combineFilePrompt()/deleteFilePrompt()
  // first; call these on Yes.

  // Joins message n with message n+1: every later line's number drops by one. False when n is not
  // a message followed by another.
  bool combineFile(int fileNumber);
  // Removes every line of message n; later messages close the gap. False when there is no such
  // message.
  bool deleteFile(int fileNumber);
  // The number of the last message (0 when the workspace is empty).
  int fileCount() const { return doc_.fileCount(); }

  // ---- Undo and redo (Ctrl+Z, Ctrl+Shift+Z) over every edit above. Each restores the lines, their
  // control lists and message numbers, the caret and the empty flag exactly as they were, drops
  // the selection and marks the document modified. False when there is nothing to take back or
  // do again. Loading, replacing or clearing the workspace forgets the history.

  bool undo();
  bool redo();
  bool canUndo() const { return history_.canUndo(); }
  bool canRedo() const { return history_.canRedo(); }

  // ---- Whole-workspace commands.

  // New: empties the document (lines, path, Image Transfer File path, scheduler settings) and
  // resets the editor: caret at the start, message 1, empty, not modified. Ask savePrompt() first.
  void newWorkspace();
  // The document was loaded or replaced from outside: caret at the start, the empty flag set when
  // there is no line, the selection dropped, the font and colour of the start.
  void documentReplaced();
  // "Send current message workspace contents": the question to ask when the workspace has no line,
  // else nothing (send it).
  std::optional<EditorMessage> blankSendPrompt() const;

  // ---- Painting and scrolling.

  // The display lines [first, first + count) as plain drawing data (document coordinates).
  EditorLayout layout(int firstLine, int lineCount) const;
  // The first line shown at the top of the window. Moves of the caret keep it within the
  // kEditorVisibleLines shown; the window's scroll bar may set it.
  int firstVisibleLine() const { return firstVisible_; }
  void setFirstVisibleLine(int line);
  // The height of all lines in pixels (the scroll range).
  int documentHeight() const { return doc_.lineCount() * kEditorLinePitch; }

 private:
  std::vector<MessageLine>& lines() { return doc_.workspace().lines; }
  const std::vector<MessageLine>& lines() const { return doc_.workspace().lines; }
  int lineCount() const { return doc_.lineCount(); }

  // The last place the caret may take on line `line`: after its last item, or before the newline
  // element that ends it.
  int lastCaretItem(int line) const;
  // Brings the caret back onto an existing line and place.
  void clampCaret();
  // Keeps the caret's line in view.
  void scrollToCaret();
  // Takes the font and colour of the element to the left of the caret.
  void syncFontAndColour();
  // Called by every edit before it changes anything: notes where the edit starts.
  void beginEdit(bool typing = false);
  // Everything an edit does after it changed the workspace (it records the undo step).
  void finishEdit();
  // Records the finished edit in the history.
  void recordEdit();
  // Puts back the caret and the empty flag of an undone or redone step.
  void restore(const EditorPlace& place);

  // Inserts `item` at the caret (making the first line of an empty workspace), moves the caret
  // past it and re-wraps when the line overflows.
  void insertAtCaret(const EditorItem& item, bool typing = false);
  // Re-wraps from `line` on: items that overflow a line move in front of the next line of the same
  // message, or onto a new line. With `stopAtFit` it ends at the first line that fits; otherwise it
  // goes on to the last line of the workspace. The caret follows its items.
  void rewrap(int line, bool stopAtFit);
  // Moves the items of line+1 (same message) to the end of `line` as far as they fit; removes
  // line+1 when it is emptied. False when nothing moved.
  bool joinNext(int line);
  // Removes display line `line`; when it was its message's only line, lowers the later numbers.
  void removeLine(int line);
  // Inserts a new line after `line` holding `items`, with number `fileNumber`.
  void insertLineAfter(int line, const EditorItems& items, int fileNumber);
  // Splits the caret's line at the caret: the first part ends with a newline element, the rest
  // goes onto a new line with `newFileNumber`; the caret goes to its start.
  void splitAtCaret(int newFileNumber);
  // Writes `font` or `colour` into the selected elements. Returns the first line touched.
  int applyToSelection(std::optional<int> font, std::optional<int> colour);

  CVarnelDoc& doc_;
  EditorPosition caret_;                  // Where the caret stands.
  std::optional<EditorPosition> anchor_;  // The other end of a mouse selection.
  int font_;                              // Font of the next inserted element.
  int colour_;                            // Colour of the next inserted element.
  bool empty_;                            // The workspace has never received text.
  int firstVisible_ = 0;                  // The top line of the window.
  EditorHistory history_;                 // Undo and redo steps.
  std::optional<EditorPlace> before_;     // Where the running edit started.
  bool typing_ = false;                   // The running edit is a typed character.
};

}  // namespace workspace
