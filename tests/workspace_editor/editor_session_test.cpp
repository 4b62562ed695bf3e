// The editor beyond typing: caret and selection, whole messages, menus, the layout the window
// paints, mouse and scrolling, and the questions of the workspace commands.
#include "workspace/editor_model.h"

#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "i18n/string_ids.h"
#include "workspace/sign_tables.h"

namespace {

using namespace workspace;
using editor_test::Editor;
using editor_test::makeThreeMessages;
using editor_test::show;
using editor_test::showAll;
using Lines = std::vector<std::string>;

TEST(EditorCaret, TakesTheFontAndColourOfTheElementToItsLeft) {
  Editor e;
  e.model.setFont(5);
  e.model.setColour(6);
  e.type("A");
  e.model.setFont(0);
  e.model.setColour(0);
  e.type("B");
  e.model.moveLeft();
  EXPECT_EQ(e.model.currentFont(), 5);
  EXPECT_EQ(e.model.currentColour(), 6);
  e.model.moveHome();  // Start of the line: its first element.
  EXPECT_EQ(e.model.currentFont(), 5);
  e.model.moveEnd();
  EXPECT_EQ(e.model.currentFont(), 0);
  e.model.enter();  // An empty line: the defaults.
  EXPECT_EQ(e.model.currentFont(), kDefaultFont);
  EXPECT_EQ(e.model.currentColour(), kDefaultColour);
}

TEST(EditorCaret, MovesStayInsideTheWorkspaceAndUpDownKeepTheColumn) {
  Editor e;
  e.type("ABCD");
  e.model.enter();
  e.type("EFGHIJ");
  e.model.moveUp();
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 4}));  // Before line 0's newline.
  e.model.moveRight();
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 0}));
  e.model.moveLeft();
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 4}));
  e.model.moveHome();
  e.model.moveLeft();
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 0}));
  e.model.moveUp();
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 0}));
  e.model.moveRight();
  e.model.moveRight();
  e.model.moveDown();
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 2}));
  e.model.moveDown();
  e.model.moveEnd();
  e.model.moveRight();
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 6}));
}

TEST(EditorSelection, AFontChangeRewritesTheSelectionAndRewraps) {
  Editor e;
  e.type(std::string(20, 'x'));
  e.model.mousePress(kEditorTextLeft + 16 * 5, 3);
  e.model.mouseDrag(kEditorTextLeft + 16 * 15 + 7, 20);  // Ten characters selected.
  EXPECT_TRUE(e.model.hasSelection());
  EXPECT_TRUE(e.model.setFont(5));  // 46 pixels: 80 + 460 no longer fits.
  EXPECT_FALSE(e.model.hasSelection());
  EXPECT_TRUE(e.doc.isModified());
  ASSERT_EQ(e.doc.lineCount(), 2);
  int wide = 0;
  for (const MessageLine& line : e.lines()) {
    for (const LineElement& el : line.elements)
      wide += el.font == 5;
  }
  EXPECT_EQ(wide, 10);
  EXPECT_EQ(e.lines()[0].count(), 5 + 8);  // 80 + 8 * 46 = 448; the ninth wide one wraps.
  EXPECT_EQ(e.model.currentFont(), 5);
}

TEST(EditorSelection, WithoutOneOnlyTheCurrentFontAndColourChange) {
  Editor e;
  e.type("AB");
  e.doc.setModified(false);
  EXPECT_FALSE(e.model.setColour(7));
  EXPECT_FALSE(e.model.setFont(6));
  EXPECT_EQ(e.model.currentColour(), 7);
  EXPECT_EQ(e.model.currentFont(), 6);
  EXPECT_EQ(e.lines()[0].elements[0].colour, kDefaultColour);
  EXPECT_FALSE(e.doc.isModified());
  EXPECT_FALSE(e.model.setColour(16));
  EXPECT_FALSE(e.model.setFont(7));
  EXPECT_EQ(e.model.currentFont(), 6);
}

TEST(EditorSelection, AColourChangeSpansLinesAndSkipsControls) {
  Editor e;
  e.type("AB");
  e.model.insertControl(kControlBeep, 2);
  e.model.enter();
  e.type("CD");
  e.model.mousePress(kEditorTextLeft + 16, 0);
  e.model.mouseDrag(kEditorTextLeft + 16, kEditorLinePitch + 1);
  EXPECT_TRUE(e.model.setColour(9));
  std::string colours;
  for (const MessageLine& line : e.lines()) {
    for (const LineElement& el : line.elements)
      colours += el.colour == 9 ? '9' : '.';
  }
  EXPECT_EQ(colours, ".999.");  // "B" and the newline, then "C".
  EXPECT_EQ(e.lines()[0].controls[0].value, 2);
}

TEST(EditorFiles, CombiningTheFirstOfThreeLeavesTwo) {
  Editor e;
  makeThreeMessages(e);
  EXPECT_TRUE(e.model.combineFile(1));
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "1:B|", "2:C"}));
  EXPECT_FALSE(e.model.combineFile(2));  // The last message has no next one.
  EXPECT_FALSE(e.model.combineFile(0));
  const EditorMessage ask = combineFilePrompt(1);
  EXPECT_EQ(ask.text(), "Unit the 1th file with the next file?");
  EXPECT_EQ(ask.buttons, MessageButtons::kYesNo);
}

TEST(EditorFiles, DeletingAMessageClosesTheGapAndKeepsTheCaretOnALine) {
  Editor e;
  makeThreeMessages(e);
  e.model.moveUp();
  EXPECT_TRUE(e.model.deleteFile(2));
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:C"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 0}));
  EXPECT_FALSE(e.model.deleteFile(3));
  EXPECT_TRUE(e.model.deleteFile(2));
  EXPECT_TRUE(e.model.deleteFile(1));
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_EQ(deleteFilePrompt(4).text(), "Delete the 4th file?");
}

TEST(EditorMenus, TheMarginMenuBelongsToTheFirstLineOfAMessage) {
  Editor e;
  e.type(std::string(31, 'x'));
  e.model.newMessage();
  e.type("B");
  const ContextMenu first = e.model.contextMenuAt(10, 5);
  EXPECT_EQ(first.kind, ContextMenu::Kind::kMessageMenu);
  EXPECT_EQ(first.fileNumber, 1);
  EXPECT_TRUE(first.combineEnabled);
  EXPECT_EQ(e.model.contextMenuAt(10, kEditorLinePitch + 5).kind, ContextMenu::Kind::kNone);
  const ContextMenu last = e.model.contextMenuAt(10, 2 * kEditorLinePitch + 5);
  EXPECT_EQ(last.fileNumber, 2);
  EXPECT_FALSE(last.combineEnabled);
  EXPECT_EQ(e.model.contextMenuAt(10, 10 * kEditorLinePitch).kind, ContextMenu::Kind::kNone);
  EXPECT_EQ(e.model.contextMenuAt(200, 5).kind, ContextMenu::Kind::kInsertMenu);
}

TEST(EditorLayout, DescribesLabelsItemsAndTheCaret) {
  Editor e;
  e.model.insertControl(kControlTransition, 1);
  e.model.setFont(0);
  e.type("A");
  e.model.enter();
  e.model.newMessage();
  e.model.insertItem(kKindSymbol, 52);
  const EditorLayout layout = e.model.layout(0, 10);
  ASSERT_EQ(layout.lines.size(), 3u);
  EXPECT_EQ(layout.lines[0].messageLabel, "Msg 01");
  EXPECT_EQ(layout.lines[0].messageLabelTop, kMessageLabelTopOffset);
  EXPECT_FALSE(layout.lines[0].currentMessage);
  EXPECT_EQ(layout.lines[1].messageLabel, "");
  EXPECT_EQ(layout.lines[2].messageLabel, "Msg 02");
  EXPECT_TRUE(layout.lines[2].currentMessage);
  const auto& items = layout.lines[0].items;  // The newline is not drawn.
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].isControl);
  EXPECT_EQ(items[0].label, "[Cyclic]");
  EXPECT_EQ(items[0].x, kEditorTextLeft);
  EXPECT_EQ(items[0].width, 8 * kLabelFontCharWidth);
  EXPECT_EQ(items[1].x, kEditorTextLeft + 56);
  EXPECT_EQ(items[1].width, 16);
  EXPECT_EQ(items[1].y + items[1].height, kEditorLinePitch);  // Font 0 sits on the line's bottom.
  EXPECT_EQ(layout.lines[2].items[0].height, kEditorLinePitch);
  EXPECT_EQ(layout.caretY, 2 * kEditorLinePitch);
  EXPECT_EQ(layout.caretX, kEditorTextLeft + kSymbolWidth);
  EXPECT_EQ(e.model.layout(2, 1).lines.size(), 1u);
  EXPECT_TRUE(e.model.layout(5, 3).lines.empty());
}

TEST(EditorMouse, AClickTakesTheNearestBoundary) {
  Editor e;
  e.type("ABC");
  e.model.enter();
  e.type("D");
  EXPECT_EQ(e.model.hitTest(kEditorTextLeft + 7, 3), (EditorPosition{0, 0}));
  EXPECT_EQ(e.model.hitTest(kEditorTextLeft + 9, 3), (EditorPosition{0, 1}));
  EXPECT_EQ(e.model.hitTest(2000, 3), (EditorPosition{0, 3}));  // Never behind the newline.
  EXPECT_EQ(e.model.hitTest(3, 3), (EditorPosition{0, 0}));
  EXPECT_EQ(e.model.hitTest(2000, 5000), (EditorPosition{1, 1}));
  EXPECT_EQ(e.model.hitTest(-5, -5), (EditorPosition{0, 0}));
}

TEST(EditorScrolling, TheCaretStaysWithinTheVisibleLines) {
  Editor e;
  e.type("a");
  for (int i = 0; i < 10; ++i)
    e.model.enter();
  EXPECT_EQ(e.model.caret().line, 10);
  EXPECT_EQ(e.model.firstVisibleLine(), 10 - kEditorVisibleLines + 1);
  for (int i = 0; i < 10; ++i)
    e.model.moveUp();
  EXPECT_EQ(e.model.firstVisibleLine(), 0);
  e.model.setFirstVisibleLine(99);
  EXPECT_EQ(e.model.firstVisibleLine(), 10);
  EXPECT_EQ(e.model.documentHeight(), 11 * kEditorLinePitch);
}

TEST(EditorWorkspace, NewEmptiesEverythingAndSendingABlankWorkspaceAsksFirst) {
  Editor e;
  e.type("AB");
  e.doc.setPath("/tmp/x.SDV");
  e.doc.workspace().transferFilePath = "a.LST";
  e.doc.workspace().scheduler.hourlyAlarm = 1;
  EXPECT_FALSE(e.model.blankSendPrompt());
  e.model.newWorkspace();
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_EQ(e.doc.path(), "");
  EXPECT_EQ(e.doc.workspace().transferFilePath, "");
  EXPECT_EQ(e.doc.workspace().scheduler, SchedulerSettings{});
  EXPECT_FALSE(e.doc.isModified());
  EXPECT_TRUE(e.model.isEmpty());
  EXPECT_EQ(e.model.caret(), (EditorPosition{}));
  ASSERT_TRUE(e.model.blankSendPrompt());
  EXPECT_EQ(e.model.blankSendPrompt()->buttons, MessageButtons::kYesNoCancel);
}

TEST(EditorWorkspace, AReplacedDocumentPutsTheCaretAtItsStart) {
  Editor e;
  e.type("ABC");
  MessageLine line;
  line.fileNumber = 1;
  line.elements = {LineElement{'Z', 4, 3, kKindCharacter}};
  e.doc.clear();
  e.doc.appendLine(line);
  e.model.documentReplaced();
  EXPECT_EQ(e.model.caret(), (EditorPosition{}));
  EXPECT_FALSE(e.model.isEmpty());
  EXPECT_EQ(e.model.currentFont(), 3);
  EXPECT_EQ(e.model.currentColour(), 4);
}

TEST(EditorPrompts, SaveAnswersFollowYesNoCancel) {
  EXPECT_FALSE(savePrompt(SavePromptCommand::kNew, false));
  const auto ask = savePrompt(SavePromptCommand::kNew, true);
  ASSERT_TRUE(ask);
  EXPECT_EQ(ask->text(),
            "Any unsaved changes to this file will be lost. Would you like to save it before "
            "clearing the message workspace?");
  EXPECT_EQ(ask->buttons, MessageButtons::kYesNoCancel);
  EXPECT_EQ(savePrompt(SavePromptCommand::kOpen, true)->textId, i18n::IDS_ASK_SAVE_BEFORE_OPEN);
  EXPECT_EQ(savePrompt(SavePromptCommand::kSendSavedFile, true)->text(),
            "You are about to open a new data file into the message workspace.\rWould you like to "
            "save the current message workspace first?\r");
  EXPECT_EQ(decideSave(PromptAnswer::kCancel, true), SaveDecision::kStop);
  EXPECT_EQ(decideSave(PromptAnswer::kNo, false), SaveDecision::kDiscard);
  EXPECT_EQ(decideSave(PromptAnswer::kYes, true), SaveDecision::kSave);
  EXPECT_EQ(decideSave(PromptAnswer::kYes, false), SaveDecision::kSaveAs);
}

TEST(EditorPrompts, UserBitmapsNeedATransferFileWithImages) {
  const UserBitmapDecision none = decideUserBitmapCommand(false, 0);
  EXPECT_EQ(none.step, UserBitmapStep::kLoadTransferFile);
  EXPECT_EQ(none.message->textId, i18n::IDS_NO_TRANSFER_FILE_LOADED);
  const UserBitmapDecision empty = decideUserBitmapCommand(true, 0);
  EXPECT_EQ(empty.step, UserBitmapStep::kNoImages);
  EXPECT_EQ(empty.message->text(), "Sorry,there haven't Pre-Defined Bitmaps!!!");
  EXPECT_EQ(empty.message->icon, MessageIcon::kInformation);
  EXPECT_EQ(decideUserBitmapCommand(true, 3).step, UserBitmapStep::kOpenDialog);
  EXPECT_FALSE(decideUserBitmapCommand(true, 3).message);
}

}  // namespace
