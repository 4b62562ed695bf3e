// The live preview: the workspace's stream as a virtual sign takes it, and its playback following
// the editor.

#include "app/live_preview.h"

#include <gtest/gtest.h>

#include "bitmaps/transfer_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_time.h"
#include "virtualsign/state_json.h"
#include "workspace/editor_model.h"
#include "workspace/sign_tables.h"

namespace {

using testing_support::TempDir;

const platform::FixedClock kClock(testing_support::makeLocalTime(2026, 12, 8, 9, 5, 0, 2));

void type(workspace::EditorModel& editor, const std::string& text) {
  for (char c : text)
    editor.typeCharacter(static_cast<unsigned char>(c));
}

// Columns of `frame` with at least one lit dot.
int litColumns(const virtualsign::LedStrip& frame) {
  int lit = 0;
  for (int x = 0; x < frame.width(); ++x) {
    for (int y = 0; y < virtualsign::kSignRows; ++y) {
      if (frame.at(x, y) != 0) {
        ++lit;
        break;
      }
    }
  }
  return lit;
}

struct Editing {
  app::SendContent content() const { return app::prepareSendContent(doc.workspace(), {}); }
  workspace::CVarnelDoc doc;
  workspace::EditorModel editor{doc};
};

}  // namespace

TEST(LivePreview, TheSignTakesTheWorkspaceAsItIsSent) {
  Editing e;
  e.doc.workspace().signWidth = 120;
  e.doc.workspace().colourMode = workspace::kTriColourMode;
  type(e.editor, "HI");
  e.editor.newMessage();
  e.editor.setColour(6);
  type(e.editor, "GO");
  const app::PreviewSign sign = app::previewSign(e.content(), kClock);
  EXPECT_TRUE(sign.faults.empty());
  EXPECT_EQ(sign.state.width, 120);
  EXPECT_TRUE(sign.state.multiColour);
  ASSERT_EQ(sign.state.messages.size(), 2u);
  EXPECT_EQ(virtualsign::messageText(sign.state.messages.at(1)), "HI");
  EXPECT_EQ(virtualsign::messageText(sign.state.messages.at(2)), "GO");
  EXPECT_EQ(sign.state.messages.at(2)[0].colour, 6);
}

TEST(LivePreview, ImagesOfTheTransferFileShowInTheirColours) {
  TempDir dir;
  bitmaps::ImageTransferFile list;
  list.append(4);
  testing_support::writeFile(dir.file("images.LST"), bitmaps::encodeTransferFile(list));
  Editing e;
  e.doc.workspace().transferFilePath = dir.file("images.LST");
  type(e.editor, "A");
  ASSERT_TRUE(
      e.editor.insertItem(workspace::kKindUserBitmap, 4 + workspace::kInsertItemCodeOffset));
  bitmaps::CBitmapCatalog catalog(80);
  bitmaps::CBitmapImage* image = *catalog.getOrCreate(4, true);
  image->setPixel(0, 3, 2);  // Green.

  const app::SendContent content =
      app::prepareSendContent(e.doc.workspace(), {}, {&catalog, {80, 1}});
  app::LivePreview preview(kClock);
  preview.update(content, 1);
  ASSERT_TRUE(preview.sign().state.images[0].has_value());
  // "A" scrolls in from the right; once it has passed, the image's green dot follows it.
  bool green = false;
  for (int step = 0; step < 200 && !green; ++step) {
    preview.advance(10);
    const virtualsign::LedStrip frame = preview.frame();
    for (int x = 0; x < frame.width(); ++x)
      green = green || frame.at(x, 3) == virtualsign::imageCodeDot(2);
  }
  EXPECT_TRUE(green);
}

TEST(LivePreview, EditsKeepTheLinePlayingAndACaretInAnotherMessageGoesThere) {
  Editing e;
  e.editor.insertControl(workspace::kControlTransition, 2);  // "Immediate": shown at once.
  type(e.editor, "AB");
  e.editor.newMessage();
  type(e.editor, "CD");
  app::LivePreview preview(kClock);
  preview.update(e.content(), 1);
  EXPECT_EQ(preview.message(), 1);
  preview.advance(500);
  const int before = litColumns(preview.frame());
  EXPECT_GT(before, 0);

  // Typing into message 1 while it plays: the same line goes on, one character wider, and keeps
  // its time (500 + 1600 ms pass its pause of two seconds).
  e.editor.moveUp();
  e.editor.moveEnd();
  type(e.editor, "X");
  preview.update(e.content(), 1);
  EXPECT_EQ(preview.message(), 1);
  EXPECT_GT(litColumns(preview.frame()), before);
  preview.advance(1600);
  EXPECT_EQ(preview.message(), 2);

  // The caret in message 1 again: the sign goes back there; in message 2: there, its line
  // starting over (scrolling in from the right: dark).
  preview.update(e.content(), 1);
  EXPECT_EQ(preview.message(), 1);
  preview.update(e.content(), 2);
  EXPECT_EQ(preview.message(), 2);
  EXPECT_EQ(litColumns(preview.frame()), 0);
  // A message the workspace does not hold: from the first.
  preview.update(e.content(), 7);
  EXPECT_EQ(preview.message(), 1);
}

TEST(LivePreview, EmptyAndFullWorkspacesPlay) {
  Editing e;
  app::LivePreview preview(kClock);
  preview.update(e.content(), 1);
  EXPECT_EQ(preview.message(), 0);
  preview.advance(1000);
  EXPECT_EQ(preview.frame().width(), 80);
  EXPECT_EQ(litColumns(preview.frame()), 0);

  // 101 messages: the sign numbers 99, and plays them in turn.
  type(e.editor, "m");
  for (int i = 2; i <= 101; ++i) {
    e.editor.newMessage();
    type(e.editor, std::to_string(i));
  }
  preview.update(e.content(), 99);
  EXPECT_TRUE(preview.sign().faults.empty());
  EXPECT_EQ(preview.sign().state.messages.size(), 99u);
  EXPECT_EQ(preview.message(), 99);
  preview.update(e.content(), 101);
  EXPECT_EQ(preview.message(), 1);
  for (int second = 0; second < 10; ++second)
    preview.advance(1000);
  EXPECT_GT(preview.message(), 1);
}
