// What a transmission carries: the one rule for the sign's settings, the images and their catalog,
// and what the stream leaves out.

#include "app/send_content.h"

#include <gtest/gtest.h>

#include "bitmaps/picture_file.h"
#include "bitmaps/transfer_file.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

workspace::MessageLine textLine(const std::string& text, int file) {
  workspace::MessageLine line;
  line.fileNumber = static_cast<int8_t>(file);
  for (const char c : text)
    line.elements.push_back({static_cast<int16_t>(c), 1, 2, 0});
  return line;
}

// A catalog for `width` holding a black image `number`.
bitmaps::CBitmapCatalog catalogWith(int number, uint16_t width) {
  bitmaps::CBitmapCatalog catalog(width);
  const auto image = catalog.getOrCreate(number, true);
  EXPECT_TRUE(image.ok());
  return catalog;
}

// A workspace for a 96-pixel two-colour sign whose Image Transfer File lists image 1, and one
// message that shows it.
workspace::Workspace workspaceWithImage(const TempDir& dir) {
  bitmaps::ImageTransferFile list;
  list.append(1);
  testing_support::writeFile(dir.file("images.LST"), bitmaps::encodeTransferFile(list));
  workspace::Workspace ws;
  ws.signWidth = 96;
  ws.colourMode = 2;
  ws.transferFilePath = dir.file("images.LST");
  ws.lines.push_back(textLine("A", 1));
  ws.lines[0].elements.push_back({1, 1, 2, workspace::kKindUserBitmap});
  return ws;
}

}  // namespace

TEST(SendContent, FileWithoutSignSettingsTakesThoseInEffectAndOneWithThemKeepsItsOwn) {
  workspace::LoadedWorkspace old;
  old.hasSignSettings = false;
  app::takeSignSettingsInEffect(&old, {120, 2});
  EXPECT_EQ(app::signSettingsOf(old.workspace).width, 120);
  EXPECT_EQ(app::signSettingsOf(old.workspace).colourMode, 2);

  workspace::LoadedWorkspace own;
  own.hasSignSettings = true;
  own.workspace.signWidth = 96;
  own.workspace.colourMode = 1;
  app::takeSignSettingsInEffect(&own, {120, 2});
  EXPECT_EQ(own.workspace.signWidth, 96);
  EXPECT_EQ(own.workspace.colourMode, 1);
}

TEST(SendContent, CatalogInMemoryServesOnlyTheSignItWasLoadedFor) {
  TempDir dir;
  const workspace::Workspace ws = workspaceWithImage(dir);
  const bitmaps::CBitmapCatalog session = catalogWith(1, 80);

  // The session's catalog is for an 80-pixel monochrome sign; the workspace's sign has no picture
  // file yet: the image cannot be sent, and the user is told which.
  app::SendContent content = app::prepareSendContent(ws, dir.path(), {&session, {80, 1}});
  EXPECT_EQ(content.transferImages, std::vector<int>{1});
  EXPECT_EQ(content.catalog.signWidth(), 96);
  EXPECT_EQ(app::workspaceLeftOutNotes(content),
            std::vector<std::string>{"User-defined bitmap 1 cannot be sent and was left out."});

  // The picture file of the workspace's own sign holds it.
  ASSERT_TRUE(
      bitmaps::savePictures(bitmaps::picturePath(dir.path(), 96, 2), 96, 2, catalogWith(1, 96))
          .ok());
  content = app::prepareSendContent(ws, dir.path(), {&session, {80, 1}});
  EXPECT_NE(content.catalog.find(1), nullptr);
  EXPECT_TRUE(app::workspaceLeftOutNotes(content).empty());

  // A catalog in memory for that very sign is used as it stands.
  const bitmaps::CBitmapCatalog same = catalogWith(7, 96);
  content = app::prepareSendContent(ws, dir.path(), {&same, {96, 2}});
  EXPECT_EQ(content.catalog.find(1), nullptr);
  EXPECT_NE(content.catalog.find(7), nullptr);
}

TEST(SendContent, StreamsCarryTheWorkspacesWidthAndNotesSayWhatWasLeftOut) {
  workspace::Workspace ws;
  ws.signWidth = 144;
  for (int file = 1; file <= 100; ++file)
    ws.lines.push_back(textLine("m", file));
  ws.lines[0].elements.push_back({0, 99, 2, 0});  // a colour no sign has
  const app::SendContent content = app::prepareSendContent(ws, {});
  const auto built =
      app::buildSendStream(signlink::SendCommand::kWorkspace, &content, {3}, platform::LocalTime{});
  ASSERT_TRUE(built.ok());
  // Block 100's width record: address header of one sign, 0x10, the width.
  EXPECT_NE(built->stream.find(std::string("\x10\x90\xFF", 3)), std::string::npos);
  EXPECT_EQ(app::leftOutNotes(*built),
            (std::vector<std::string>{
                "1 items without a sign code (a damaged file) were left out of the messages.",
                "The sign numbers at most 99 messages: messages 100 to 100 are not sent."}));
  EXPECT_EQ(app::buildSendStream(signlink::SendCommand::kTest, nullptr, {3}, {})->stream,
            signlink::buildTestStream({3}));
  EXPECT_EQ(app::buildSendStream(signlink::SendCommand::kClearMemory, nullptr, {3}, {})->stream,
            signlink::buildClearMemoryStream({3}));
}
