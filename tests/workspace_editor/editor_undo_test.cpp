// Undo and redo in the message editor: what one step takes back, and what forgets the history.

#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "workspace/editor_history.h"

namespace {

using editor_test::showAll;
using Lines = std::vector<std::string>;
using namespace workspace;

TEST(EditorUndo, ATypedRunIsOneStepAndOtherEditsAreStepsOfTheirOwn) {
  editor_test::Editor e;
  e.type("AB");
  e.model.enter();
  e.type("CD");
  e.model.moveLeft();
  e.type("x");  // Typed elsewhere: a run of its own.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB|", "1:CxD"}));

  ASSERT_TRUE(e.model.undo());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB|", "1:CD"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 1}));
  ASSERT_TRUE(e.model.undo());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB|", "1:"}));
  ASSERT_TRUE(e.model.undo());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB"}));
  ASSERT_TRUE(e.model.undo());
  EXPECT_TRUE(e.doc.workspace().lines.empty());
  EXPECT_TRUE(e.model.isEmpty());  // Enter is refused again, as in a fresh workspace.
  EXPECT_FALSE(e.model.undo());

  ASSERT_TRUE(e.model.redo());
  ASSERT_TRUE(e.model.redo());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB|", "1:"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 0}));
}

TEST(EditorUndo, MessageNumbersAndControlsComeBack) {
  editor_test::Editor e;
  editor_test::makeThreeMessages(e);
  e.model.insertControl(kControlPause, 4);
  const Lines three{"1:A|", "2:B|", "3:C[3:4]"};
  ASSERT_EQ(showAll(e.doc), three);

  ASSERT_TRUE(e.model.combineFile(1));
  ASSERT_TRUE(e.model.deleteFile(2));
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "1:B|"}));
  e.model.undo();
  e.model.undo();
  EXPECT_EQ(showAll(e.doc), three);

  e.model.mousePress(kEditorTextLeft, kEditorLinePitch + 1);  // Message 2.
  ASSERT_TRUE(e.model.deleteLine());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:C[3:4]"}));
  e.model.undo();
  EXPECT_EQ(showAll(e.doc), three);
  EXPECT_EQ(e.model.currentMessage(), 2);
}

TEST(EditorUndo, UndoMarksTheDocumentModifiedAndANewEditDropsTheRedoSide) {
  editor_test::Editor e;
  e.type("A");
  e.model.enter();
  e.doc.setModified(false);  // As a save leaves it.
  ASSERT_TRUE(e.model.undo());
  EXPECT_TRUE(e.doc.isModified());
  EXPECT_TRUE(e.model.canRedo());
  e.type("B");
  EXPECT_FALSE(e.model.canRedo());
  EXPECT_FALSE(e.model.redo());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB"}));
}

TEST(EditorUndo, RefusedEditsAndCaretMovesAreNoSteps) {
  editor_test::Editor e;
  EXPECT_TRUE(e.model.enter().message.has_value());  // Refused in an empty workspace.
  e.type("A");
  e.model.moveHome();
  EXPECT_FALSE(e.model.backspace());  // Nothing before the first item.
  e.model.moveEnd();
  ASSERT_TRUE(e.model.undo());
  EXPECT_FALSE(e.model.canUndo());
  EXPECT_TRUE(e.doc.workspace().lines.empty());
}

TEST(EditorUndo, OpeningOrClearingTheWorkspaceForgetsTheHistory) {
  editor_test::Editor e;
  e.type("A");
  e.model.enter();
  e.model.documentReplaced();
  EXPECT_FALSE(e.model.canUndo());
  EXPECT_FALSE(e.model.undo());
  e.type("B");
  e.model.undo();
  ASSERT_TRUE(e.model.canRedo());
  e.model.newWorkspace();
  EXPECT_FALSE(e.model.canUndo());
  EXPECT_FALSE(e.model.canRedo());
  EXPECT_FALSE(e.doc.isModified());
}

TEST(EditorHistory, KeepsTheNewestStepsWithinItsBounds) {
  EditorHistory history(10, 4096);
  std::vector<MessageLine> lines(3);
  history.reset(lines);
  for (int i = 0; i < 15; ++i) {
    lines[1].elements.push_back({'a', 1, 2, kKindCharacter});
    history.record(lines, {1, i, false}, {1, i + 1, false}, false);
  }
  EXPECT_EQ(history.undoSteps(), 10u);
  EXPECT_EQ(history.undo(lines)->item, 14);
  EXPECT_EQ(lines[1].count(), 14);
  EXPECT_EQ(lines.size(), 3u);

  // Steps bigger than the budget: only the newest stays, so the last edit can be undone.
  for (int i = 0; i < 3; ++i) {
    lines[2].elements.assign(300, LineElement{static_cast<int16_t>('b' + i), 1, 2, 0});
    history.record(lines, {2, 0, false}, {2, 300, false}, false);
  }
  EXPECT_EQ(history.undoSteps(), 1u);
  EXPECT_EQ(history.redoSteps(), 0u);
  ASSERT_TRUE(history.undo(lines).has_value());
  EXPECT_EQ(lines[2].elements.front().code, 'c');
  EXPECT_FALSE(history.undo(lines).has_value());
}

}  // namespace
