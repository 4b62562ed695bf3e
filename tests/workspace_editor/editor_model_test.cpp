#include "workspace/editor_model.h"

#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "i18n/string_ids.h"
#include "workspace/message_encoder.h"
#include "workspace/sign_tables.h"

namespace {

using namespace workspace;
using editor_test::Editor;
using editor_test::makeThreeMessages;
using editor_test::show;
using editor_test::showAll;
using Lines = std::vector<std::string>;

TEST(EditorTyping, CharactersTakeTheCurrentFontAndColourAndMarkTheDocument) {
  Editor e;
  EXPECT_TRUE(e.model.isEmpty());
  e.type("AB");
  ASSERT_EQ(e.doc.lineCount(), 1);
  EXPECT_EQ(show(e.lines()[0]), "AB");
  EXPECT_EQ(e.lines()[0].elements[0],
            (LineElement{'A', kDefaultColour, kDefaultFont, kKindCharacter}));
  EXPECT_EQ(e.lines()[0].fileNumber, 1);
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 2}));
  EXPECT_EQ(e.model.caretX(), kEditorTextLeft + 32);
  EXPECT_TRUE(e.doc.isModified());
  EXPECT_FALSE(e.model.isEmpty());
}

TEST(EditorTyping, ControlCharactersAndValuesAbove128AreIgnored) {
  Editor e;
  for (int c : {0, 8, 13, 19, 31, 127, 129, 255, -1})
    EXPECT_FALSE(e.model.typeCharacter(c)) << c;
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_FALSE(e.doc.isModified());
  EXPECT_TRUE(e.model.typeCharacter(128));
  EXPECT_TRUE(e.model.typeCharacter(' '));
}

TEST(EditorTyping, TypedMessageEncodesAsTheSignExpects) {
  Editor e;
  e.type("AB");
  std::string bytes;
  encodeWorkspace(e.doc.workspace(), {}, &bytes);
  EXPECT_EQ(bytes, std::string("\x01"
                               "01\xEF\xB0\xEF\xA2"
                               "AB\xFF\xFF"));
  e.model.enter();
  bytes.clear();
  encodeWorkspace(e.doc.workspace(), {}, &bytes);
  EXPECT_EQ(bytes, std::string("\x01"
                               "01\xEF\xB0\xEF\xA2"
                               "AB\xFF\xFF"));
}

TEST(EditorWrapping, ThirtyDefaultCharactersFillALineAndTheNextWrapsWithoutANewline) {
  Editor e;
  e.type(std::string(30, 'x'));
  ASSERT_EQ(e.doc.lineCount(), 1);
  e.type("y");
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(30, 'x'), "1:y"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 1}));
}

TEST(EditorWrapping, FifteenWideCharactersFillALine) {
  Editor e;
  e.model.setFont(3);  // 32 pixels a cell.
  e.type(std::string(15, 'w'));
  EXPECT_EQ(e.doc.lineCount(), 1);
  e.type("w");
  EXPECT_EQ(e.doc.lineCount(), 2);
}

TEST(EditorWrapping, InsertingIntoAFullLinePushesItsLastItemOntoTheNextLineOfTheMessage) {
  Editor e;
  e.type(std::string(30, 'x') + "yz");  // Line 2 holds "yz".
  e.model.moveUp();
  e.model.moveHome();
  e.type("a");
  EXPECT_EQ(showAll(e.doc), (Lines{"1:a" + std::string(29, 'x'), "1:xyz"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 1}));
}

TEST(EditorWrapping, ItemsEndingInANewlineKeepTheirOwnLine) {
  Editor e;
  e.type(std::string(30, 'x'));
  e.model.enter();
  e.type("next");
  e.model.moveUp();
  e.model.moveHome();
  e.type("a");
  // The overflow "x|" must not land in front of "next", which would put a line end inside it.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:a" + std::string(29, 'x'), "1:x|", "1:next"}));
}

TEST(EditorWrapping, TheCaretFollowsAnItemThatWraps) {
  Editor e;
  e.type(std::string(29, 'x'));
  e.model.insertItem(kKindSymbol, 50 + 4);  // 46 pixels: no longer fits behind 464.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(29, 'x'), "1:<3:4>"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 1}));
}

TEST(EditorWrapping, ANewLineIsMadeWhenTheNextLineBelongsToAnotherMessage) {
  Editor e;
  e.type(std::string(30, 'x'));
  e.model.newMessage();
  e.type("B");
  e.model.moveUp();
  e.model.moveHome();
  e.type("a");
  EXPECT_EQ(showAll(e.doc), (Lines{"1:a" + std::string(29, 'x'), "1:x|", "2:B"}));
}

TEST(EditorEnter, SplitsAtTheCaretAndCarriesTheControlsAfterIt) {
  Editor e;
  e.type("AB");
  e.model.insertControl(kControlPause, 2);
  e.type("CD");
  e.model.moveLeft();
  e.model.moveLeft();  // Between the pause and "C": the pause stays.
  EXPECT_EQ(e.model.caretElementIndex(), 2);
  EXPECT_EQ(e.model.caretControlIndex(), 0);
  EXPECT_TRUE(e.model.enter().changed);
  EXPECT_EQ(showAll(e.doc), (Lines{"1:AB[3:2]|", "1:CD"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 0}));
  EXPECT_EQ(e.lines()[0].controls[0].position, 2);
}

TEST(EditorEnter, IsRefusedInAnEmptyWorkspace) {
  Editor e;
  for (EditResult r : {e.model.enter(), e.model.newMessage()}) {
    EXPECT_FALSE(r.changed);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->textId, i18n::IDS_MUST_INPUT_TEXT_FIRST);
    EXPECT_EQ(r.message->caption(), "Warning!");
    EXPECT_EQ(r.message->text(),
              "You must first input some text before adding a new message or pressing \"Enter\".");
  }
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_FALSE(e.doc.isModified());
}

TEST(EditorNewMessage, InTheMiddleMovesLaterMessagesUp) {
  Editor e;
  makeThreeMessages(e);
  e.model.mousePress(kEditorTextLeft + 16, kEditorLinePitch + 5);  // After "B".
  EXPECT_EQ(e.model.currentMessage(), 2);
  e.model.newMessage();
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:B|", "3:|", "4:C"}));
  EXPECT_EQ(e.model.currentMessage(), 3);
}

TEST(EditorNewMessage, TakesTheRestOfTheMessageAlong) {
  Editor e;
  e.type(std::string(30, 'x') + "yz");
  e.model.newMessage();  // Ends message 1 with a newline.
  e.type("M");
  e.model.mousePress(kEditorTextLeft + 16 * 10, 5);  // Line 0 after ten x.
  e.model.newMessage();
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(10, 'x') + "|", "2:" + std::string(20, 'x'),
                                   "2:yz|", "3:M"}));
}

TEST(EditorNewMessage, TheHundredthIsRefused) {
  Editor e;
  e.type("a");
  for (int i = 2; i <= kMaxMessages; ++i) {
    ASSERT_TRUE(e.model.newMessage().changed);
    e.type("a");
  }
  EXPECT_EQ(e.model.fileCount(), 99);
  const EditResult r = e.model.newMessage();
  EXPECT_FALSE(r.changed);
  ASSERT_TRUE(r.message);
  EXPECT_EQ(r.message->textId, i18n::IDS_TOO_MANY_MESSAGES);
  EXPECT_EQ(e.model.fileCount(), 99);
  // Making room lets it through again.
  ASSERT_TRUE(e.model.deleteFile(50));
  EXPECT_TRUE(e.model.newMessage().changed);
}

TEST(EditorDeleteLine, OnTheOnlyLineOfAMessageClosesTheGap) {
  Editor e;
  makeThreeMessages(e);
  e.model.moveUp();  // Message 2.
  EXPECT_TRUE(e.model.deleteLine());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:C"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{1, 0}));
}

TEST(EditorDeleteLine, OnOneOfSeveralLinesKeepsTheNumbers) {
  Editor e;
  e.type(std::string(32, 'x'));
  e.model.newMessage();
  e.type("B");
  e.model.mousePress(kEditorTextLeft, 0);
  e.model.deleteLine();
  EXPECT_EQ(showAll(e.doc), (Lines{"1:xx|", "2:B"}));
  e.model.deleteLine();
  e.model.deleteLine();
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_FALSE(e.model.deleteLine());
}

TEST(EditorBackspace, RemovesTheItemBeforeTheCaretAndLowersLaterControls) {
  Editor e;
  e.type("ABC");
  e.model.insertControl(kControlBeep, 1);
  e.model.moveLeft();  // Before the beep.
  e.model.moveLeft();  // Before "C".
  EXPECT_TRUE(e.model.backspace());
  EXPECT_EQ(show(e.lines()[0]), "AC[1:1]");
  EXPECT_EQ(e.lines()[0].controls[0].position, 2);
  e.model.moveEnd();
  e.model.backspace();  // The beep.
  EXPECT_EQ(show(e.lines()[0]), "AC");
  EXPECT_TRUE(e.lines()[0].controls.empty());
}

TEST(EditorBackspace, AtTheStartOfALineRemovesTheNewlineAndJoins) {
  Editor e;
  e.type("AB");
  e.model.enter();
  e.type("CD");
  e.model.moveHome();
  EXPECT_TRUE(e.model.backspace());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:ABCD"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 2}));
}

TEST(EditorBackspace, AtTheStartOfAMessageDoesNothing) {
  Editor e;
  makeThreeMessages(e);
  e.model.moveHome();
  e.doc.setModified(false);
  EXPECT_FALSE(e.model.backspace());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:B|", "3:C"}));
  EXPECT_FALSE(e.doc.isModified());
}

TEST(EditorBackspace, JoinsOnlyAsMuchAsFits) {
  Editor e;
  e.type(std::string(28, 'x'));
  e.model.enter();
  e.type("abcd");
  e.model.moveHome();
  e.model.backspace();
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(28, 'x') + "ab", "1:cd"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 28}));
}

TEST(EditorBackspace, EmptyingAMessageRemovesItAndRenumbers) {
  Editor e;
  makeThreeMessages(e);
  e.model.mousePress(kEditorTextLeft + 16, kEditorLinePitch);  // After "B".
  EXPECT_TRUE(e.model.backspace());                            // Leaves "|" on the line.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:|", "3:C"}));
  e.model.deleteForward();  // The newline: the line is empty and goes.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:A|", "2:C"}));
}

TEST(EditorDelete, AtTheLineEndPullsUpTheNextLineOfTheSameMessageOnly) {
  Editor e;
  e.type(std::string(32, 'x'));  // "x"*30 and "xx".
  e.model.newMessage();
  e.type("B");
  e.model.mousePress(kEditorTextLeft, 0);
  e.model.deleteForward();
  e.model.moveEnd();
  EXPECT_TRUE(e.model.deleteForward());  // One of the next line's two characters fits.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(30, 'x'), "1:x|", "2:B"}));
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 29}));
  e.model.moveDown();
  e.model.moveEnd();
  EXPECT_TRUE(e.model.deleteForward());  // The newline goes; nothing joins from message 2.
  EXPECT_EQ(showAll(e.doc), (Lines{"1:" + std::string(30, 'x'), "1:x", "2:B"}));
  EXPECT_FALSE(e.model.deleteForward());
}

TEST(EditorDelete, ANewlineAtTheLineEndJoinsTheNextLine) {
  Editor e;
  e.type("AB");
  e.model.enter();
  e.type("CD");
  e.model.moveUp();
  e.model.moveEnd();  // Before the newline.
  EXPECT_EQ(e.model.caret(), (EditorPosition{0, 2}));
  EXPECT_TRUE(e.model.deleteForward());
  EXPECT_EQ(showAll(e.doc), (Lines{"1:ABCD"}));
}

TEST(EditorControls, AControlIntoAnEmptyWorkspaceMakesMessageOne) {
  Editor e;
  EXPECT_TRUE(e.model.insertControl(kControlSpeed, 3));
  ASSERT_EQ(e.doc.lineCount(), 1);
  EXPECT_EQ(e.lines()[0].fileNumber, 1);
  EXPECT_TRUE(e.lines()[0].elements.empty());
  ASSERT_EQ(e.lines()[0].controls.size(), 1u);
  EXPECT_EQ(e.lines()[0].controls[0], (AnchoredControl{0, kControlSpeed, 3}));
  EXPECT_FALSE(e.model.isEmpty());
  EXPECT_TRUE(e.model.enter().changed);
}

TEST(EditorControls, TwoAtOneCaretPositionKeepTheirOrder) {
  Editor e;
  e.type("AB");
  e.model.moveLeft();
  e.model.insertControl(kControlTransition, 1);
  e.model.insertControl(kControlPause, 4);
  EXPECT_EQ(show(e.lines()[0]), "A[5:1][3:4]B");
  EXPECT_EQ(e.model.caretControlIndex(), 1);
  EXPECT_EQ(e.model.caretX(),
            kEditorTextLeft + 16 + controlDisplayWidth({0, 5, 1}) + controlDisplayWidth({0, 3, 4}));
}

TEST(EditorControls, AnInvalidChoiceChangesNothing) {
  Editor e;
  EXPECT_FALSE(e.model.insertControl(kControlBeep, 4));
  EXPECT_FALSE(e.model.insertControl(0, 1));
  EXPECT_FALSE(e.model.insertControl(kControlTransition, 0));
  EXPECT_EQ(e.doc.lineCount(), 0);
  EXPECT_FALSE(e.doc.isModified());
  EXPECT_TRUE(e.model.isEmpty());
}

TEST(EditorItems, DialogValuesAreStoredAsTheIndex) {
  Editor e;
  for (int i : {0, 49, 65})
    EXPECT_TRUE(e.model.insertItem(kKindSpecialCharacter, i + 50));
  EXPECT_TRUE(e.model.insertItem(kKindTime, 0));
  EXPECT_TRUE(e.model.insertItem(kKindPredefinedBitmap, 57));
  EXPECT_TRUE(e.model.insertItem(kKindPredefinedBitmap, 50));
  EXPECT_EQ(showAll(e.doc), (Lines{"1:<6:0><6:49><6:65><1:0><4:7>", "1:<4:0>"}));
  EXPECT_FALSE(e.model.insertItem(kKindSpecialCharacter, 50 + 66));
  EXPECT_FALSE(e.model.insertItem(kKindSymbol, 49));
  EXPECT_FALSE(e.model.insertItem(kKindSymbol, 50 + 30));
  EXPECT_FALSE(e.model.insertItem(kKindPredefinedBitmap, 58));
  EXPECT_FALSE(e.model.insertItem(kKindCharacter, 'A'));
  EXPECT_EQ(e.doc.lineCount(), 2);
}

}  // namespace
