#include "app/view_image_slots.h"

#include <gtest/gtest.h>

#include "bitmaps/transfer_file.h"
#include "tests/support/temp_dir.h"
#include "workspace/user_bitmap_usage.h"

using app::ViewImageSlots;
using bitmaps::CBitmapCatalog;
using bitmaps::CBitmapImage;
using testing_support::TempDir;

namespace {

constexpr int kWidth = 12;

CBitmapImage imageWith(int number, uint8_t code) {
  CBitmapImage image(CBitmapImage::formatIndex(number), kWidth);
  for (int x = 0; x < kWidth; x += 2)
    image.setPixel(x, number % 7, code);
  return image;
}

std::string saveList(const TempDir& dir, const char* name, std::initializer_list<int> images) {
  bitmaps::ImageTransferFile file;
  for (int n : images)
    file.append(n);
  const std::string path = dir.file(name);
  EXPECT_TRUE(bitmaps::saveTransferFile(path, file).ok());
  return path;
}

workspace::MessageLine lineWith(std::initializer_list<int> userImages) {
  workspace::MessageLine line;
  line.elements.push_back({'A', 1, 2, workspace::kKindCharacter});
  for (int n : userImages)
    line.elements.push_back({static_cast<int16_t>(n), 1, 2, workspace::kKindUserBitmap});
  return line;
}

}  // namespace

TEST(ViewImageSlots, LoadFillsSlotsFromTheCatalogAndMarksChangesOfPathOrCount) {
  TempDir dir;
  CBitmapCatalog catalog(kWidth);
  ASSERT_TRUE(catalog.add(imageWith(7, 2)).ok());
  ASSERT_TRUE(catalog.add(imageWith(9, 8)).ok());
  const std::string first = saveList(dir, "A.LST", {9, 7, 40});
  const std::string same = saveList(dir, "B.LST", {7, 9, 7});

  workspace::Workspace ws;
  ViewImageSlots slots(kWidth);
  platform::Result<bool> loaded = slots.load(first, &ws, catalog);
  ASSERT_TRUE(loaded.ok());
  EXPECT_TRUE(*loaded);
  EXPECT_EQ(ws.transferFilePath, first);
  EXPECT_EQ(slots.images(), (std::vector<int>{9, 7, 40}));
  EXPECT_EQ(slots.slot(0).pixels(), catalog.find(9)->pixels());
  EXPECT_EQ(slots.imageFor(7)->pixels(), catalog.find(7)->pixels());
  // An image the catalog lacks keeps its slot, black; a slot past the list is black too.
  EXPECT_EQ(slots.imageFor(40)->pixels(), std::vector<uint8_t>(kWidth * 7, 0));
  EXPECT_EQ(slots.slot(5).pixels(), std::vector<uint8_t>(kWidth * 7, 0));
  EXPECT_EQ(slots.imageFor(8), nullptr);

  // The same path and count again: not a change, even with other images in it.
  EXPECT_FALSE(*slots.load(first, &ws, catalog));
  EXPECT_TRUE(*slots.load(same, &ws, catalog));
  EXPECT_EQ(slots.imageFor(7), &slots.slot(0));  // A copy shows the first slot's picture.

  // A missing file changes nothing.
  EXPECT_FALSE(slots.load(dir.file("none.LST"), &ws, catalog).ok());
  EXPECT_EQ(ws.transferFilePath, same);
  EXPECT_EQ(slots.count(), 3);
}

TEST(ViewImageSlots, WidthChangeEmptiesTheFileAndRebuildFollowsTheCatalog) {
  TempDir dir;
  CBitmapCatalog catalog(kWidth);
  ASSERT_TRUE(catalog.add(imageWith(1, 3)).ok());
  workspace::Workspace ws;
  ViewImageSlots slots(kWidth);
  ASSERT_TRUE(slots.load(saveList(dir, "A.LST", {1}), &ws, catalog).ok());

  catalog.find(1)->setPixel(0, 0, 5);
  slots.rebuild(catalog);
  EXPECT_EQ(slots.slot(0).pixel(0, 0), 5);

  slots.signWidthChanged(20, &ws);
  EXPECT_EQ(ws.transferFilePath, "");
  EXPECT_EQ(slots.count(), 0);
  for (int i = 0; i < ViewImageSlots::kSlotCount; ++i)
    EXPECT_EQ(slots.slot(i).width(), 20);
}

// An opened workspace keeps naming its list file across a width change; the view then loads it,
// or says it is missing, or (naming none) shows no images.
TEST(ViewImageSlots, AnOpenedWorkspaceKeepsItsListFileAcrossAWidthChange) {
  TempDir dir;
  CBitmapCatalog catalog(kWidth);
  ASSERT_TRUE(catalog.add(imageWith(1, 3)).ok());
  workspace::Workspace ws;
  ViewImageSlots slots(kWidth);
  const std::string list = saveList(dir, "A.LST", {1});
  ASSERT_TRUE(slots.load(list, &ws, catalog).ok());
  using Opened = ViewImageSlots::OpenedListFile;

  EXPECT_EQ(slots.workspaceOpened(kWidth, 20, &ws), Opened::kLoad);
  EXPECT_EQ(ws.transferFilePath, list);
  EXPECT_EQ(slots.count(), 0);
  EXPECT_EQ(slots.slot(0).width(), 20);

  ws.transferFilePath = dir.file("gone.LST");
  EXPECT_EQ(slots.workspaceOpened(20, 20, &ws), Opened::kMissing);
  EXPECT_EQ(ws.transferFilePath, dir.file("gone.LST"));

  ASSERT_TRUE(slots.load(list, &ws, catalog).ok());
  ws.transferFilePath.clear();
  EXPECT_EQ(slots.workspaceOpened(20, 20, &ws), Opened::kNone);
  EXPECT_EQ(slots.count(), 0);
}

TEST(UserBitmapUsage, FindsImagesInAnyMessage) {
  workspace::Workspace ws;
  ws.lines.push_back(lineWith({}));
  ws.lines.push_back(lineWith({12, 3}));
  ws.lines.back().fileNumber = 2;
  EXPECT_TRUE(workspace::userBitmapInUse(ws, 3));
  EXPECT_TRUE(workspace::userBitmapInUse(ws, 12));
  EXPECT_FALSE(workspace::userBitmapInUse(ws, 'A'));  // A character with the same code.
  EXPECT_EQ(workspace::userBitmapsInUse(ws), (std::set<int>{3, 12}));
}
