// Random editing sessions: whatever the user does, the editor keeps the workspace well formed.

#include <gtest/gtest.h>

#include <random>

#include "editor_test_support.h"
#include "tests/support/random_workspace.h"
#include "workspace/sign_tables.h"
#include "workspace/workspace_file.h"

namespace {

using namespace workspace;

::testing::AssertionResult wellFormed(editor_test::Editor& e, bool numbered) {
  const auto& lines = e.lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    const MessageLine& line = lines[i];
    if (line.count() > kMaxElementsPerLine)
      return ::testing::AssertionFailure() << "line " << i << " too long";
    int last = 0;
    for (const AnchoredControl& c : line.controls) {
      if (c.position < last || c.position > line.count()) {
        return ::testing::AssertionFailure() << "line " << i << " control out of place";
      }
      last = c.position;
    }
    const EditorItems items = lineItems(line);
    if (numbered) {
      if (itemsWidth(items, 0, items.size()) > kEditorLineCapacity && items.size() > 1) {
        return ::testing::AssertionFailure() << "line " << i << " over capacity";
      }
      for (size_t k = 0; k + 1 < items.size(); ++k) {
        if (items[k].isNewline()) {
          return ::testing::AssertionFailure() << "line " << i << " has a newline inside";
        }
      }
      const int expected = i == 0 ? 1 : lines[i - 1].fileNumber;
      if (line.fileNumber != expected && line.fileNumber != expected + 1) {
        return ::testing::AssertionFailure()
               << "line " << i << " numbered " << int(line.fileNumber);
      }
      if (i == 0 && line.fileNumber != 1) return ::testing::AssertionFailure() << "first not 1";
    }
  }
  const EditorPosition caret = e.model.caret();
  if (lines.empty()) {
    if (caret != EditorPosition{}) return ::testing::AssertionFailure() << "caret without lines";
  } else {
    if (caret.line < 0 || caret.line >= static_cast<int>(lines.size())) {
      return ::testing::AssertionFailure() << "caret line " << caret.line;
    }
    const EditorItems items = lineItems(lines[static_cast<size_t>(caret.line)]);
    int lastItem = static_cast<int>(items.size());
    if (endsWithNewline(items)) --lastItem;
    if (caret.item < 0 || caret.item > lastItem) {
      return ::testing::AssertionFailure() << "caret item " << caret.item << " of " << lastItem;
    }
  }
  if (e.model.fileCount() > kMaxMessages) return ::testing::AssertionFailure() << "too many";
  return ::testing::AssertionSuccess();
}

// One of the six caret moves.
void randomMove(editor_test::Editor& e, int which) {
  switch (which) {
    case 0:
      e.model.moveLeft();
      break;
    case 1:
      e.model.moveRight();
      break;
    case 2:
      e.model.moveUp();
      break;
    case 3:
      e.model.moveDown();
      break;
    case 4:
      e.model.moveHome();
      break;
    default:
      e.model.moveEnd();
      break;
  }
}

// One random user action.
std::string randomStep(editor_test::Editor& e, std::mt19937& rng) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const int height = std::max(e.doc.lineCount(), 1) * kEditorLinePitch;
  switch (pick(20)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      e.model.typeCharacter(32 + pick(97));
      return "type";
    case 5:
      e.model.enter();
      return "enter";
    case 6:
      e.model.newMessage();
      return "new message";
    case 7:
    case 8:
      e.model.backspace();
      return "backspace";
    case 9:
      e.model.deleteForward();
      return "delete";
    case 10:
      if (pick(3) == 0) e.model.deleteLine();
      return "ctrl+y";
    case 11: {
      const int type = 1 + pick(5);
      e.model.insertControl(type, 1 + pick(controlInfo(type)->maxValue));
      return "control";
    }
    case 12: {
      const int kind = 1 + pick(6);
      e.model.insertItem(static_cast<ElementKind>(kind), kind <= 2 ? 0 : 50 + pick(70));
      return "item";
    }
    case 13:
      e.model.mousePress(pick(600), pick(height + 40));
      e.model.mouseDrag(pick(600), pick(height + 40));
      if (pick(2) == 0) {
        e.model.setFont(pick(kFontCount));
      } else {
        e.model.setColour(pick(kColourCount));
      }
      return "restyle";
    case 14:
      e.model.setFont(pick(kFontCount));
      return "font";
    case 15: {
      const int n = 1 + pick(std::max(e.model.fileCount(), 1));
      pick(2) == 0 ? e.model.combineFile(n) : e.model.deleteFile(pick(8) == 0 ? n : 0);
      return "file";
    }
    case 16:
      e.model.mousePress(pick(600), pick(height + 40));
      return "click";
    default:
      randomMove(e, pick(6));
      return "move";
  }
}

TEST(EditorProperty, RandomSessionsKeepTheWorkspaceWellFormed) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    editor_test::Editor e;
    for (int step = 0; step < 1500; ++step) {
      const std::string action = randomStep(e, rng);
      ASSERT_TRUE(wellFormed(e, true)) << "seed " << seed << " step " << step << " " << action;
      (void)e.model.layout(e.model.firstVisibleLine(), kEditorVisibleLines);
    }
  }
}

TEST(EditorProperty, EditingLoadedWorkspacesNeverBreaksTheirStructure) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    editor_test::Editor e;
    e.doc.workspace() = testing_support::randomWorkspace(rng);
    e.model.documentReplaced();
    for (int step = 0; step < 400; ++step) {
      const std::string action = randomStep(e, rng);
      ASSERT_TRUE(wellFormed(e, false)) << "seed " << seed << " step " << step << " " << action;
    }
  }
}

// What undo and redo must give back: the stored bytes of the workspace (every line, control list
// and message number) and the empty flag. The caret's place is checked by the unit tests: caret
// moves are no steps of their own, so the caret at the start or end of a random session is not
// always one an undo or redo returns to.
struct EditorState {
  std::string bytes;
  bool empty;

  friend bool operator==(const EditorState&, const EditorState&) = default;
};

EditorState stateOf(editor_test::Editor& e) {
  return {serializeWorkspace(e.doc.workspace()), e.model.isEmpty()};
}

// Runs `steps` random actions on `e`, then takes every one back and does them all again.
void undoAndRedoEverything(editor_test::Editor& e, std::mt19937& rng, int steps,
                           const std::string& context) {
  const EditorState start = stateOf(e);
  std::string trail;
  for (int step = 0; step < steps; ++step)
    trail += randomStep(e, rng) + ", ";
  const EditorState end = stateOf(e);
  int undone = 0;
  while (e.model.undo())
    ++undone;
  ASSERT_TRUE(stateOf(e) == start) << context << " after undoing " << undone << ": " << trail;
  EXPECT_TRUE(undone == 0 || e.doc.isModified()) << context;
  while (e.model.redo())
    continue;
  ASSERT_TRUE(stateOf(e) == end) << context << " after redoing: " << trail;
  ASSERT_TRUE(wellFormed(e, false)) << context;
}

TEST(EditorProperty, UndoingEveryEditRestoresTheStartAndRedoingRestoresTheEnd) {
  // Fewer edits than the history keeps, so every one can be taken back.
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    editor_test::Editor e;
    if (seed % 2 == 0) {
      e.doc.workspace() = testing_support::randomWorkspace(rng);
      e.model.documentReplaced();
    }
    undoAndRedoEverything(e, rng, 80, "seed " + std::to_string(seed));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
