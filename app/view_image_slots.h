#pragma once

#include <array>
#include <string>
#include <vector>

#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/bitmap_image.h"
#include "platform/status.h"
#include "workspace/message_model.h"

namespace app {

// The editor view's current Image Transfer File: the image numbers its list file names, in slot
// order, and the eight image slots the preview paints user-defined bitmaps from (each the sign
// width by 7 pixels; a slot beyond the list, or whose image the catalog lacks, is black). The
// list file's path is the workspace's (Workspace::transferFilePath).
class ViewImageSlots {
 public:
  static constexpr int kSlotCount = 8;

  explicit ViewImageSlots(int signWidth = workspace::kDefaultSignWidth);

  // The image numbers in use, in slot order (at most eight; the same number may appear twice).
  const std::vector<int>& images() const { return images_; }
  int count() const { return static_cast<int>(images_.size()); }
  int signWidth() const { return width_; }
  // Slot `slot` (0-7); slot 0 for an index outside.
  const bitmaps::CBitmapImage& slot(int slot) const;
  // The picture a user-defined bitmap element of image `indexNumber` shows: the first slot that
  // holds that number; nullptr when the list does not hold it.
  const bitmaps::CBitmapImage* imageFor(int indexNumber) const;

  // Reads the list file at `path` into the slots and makes it the workspace's Image Transfer
  // File. The value is true when the workspace's path or image count differ from before the load
  // (the workspace is then modified). On failure nothing changes; a missing file fails with
  // "Image Transfer File '%s' isn't exist,you must specify it!" (see listFileExists()).
  platform::Result<bool> load(const std::string& path, workspace::Workspace* ws,
                              const bitmaps::CBitmapCatalog& catalog);
  // Draws the eight slots again from `catalog` (the images may have changed).
  void rebuild(const bitmaps::CBitmapCatalog& catalog);
  // The sign width changed: eight black slots of the new width, no images, and the workspace
  // names no Image Transfer File any more.
  void signWidthChanged(int signWidth, workspace::Workspace* ws);
  // No Image Transfer File (a new workspace): no images, black slots, the width kept.
  void clear();

  // What the view does with the list file a workspace it just opened names.
  enum class OpenedListFile { kNone, kLoad, kMissing };
  // A workspace was opened, and the sign's width went from `previousWidth` to `signWidth`: on a
  // change the slots take the new width, black, while the workspace keeps naming its list file.
  // A workspace that names none leaves no images. The answer says whether there is a list file to
  // load, or one that is missing (the user is told, then chooses one).
  OpenedListFile workspaceOpened(int previousWidth, int signWidth, workspace::Workspace* ws);

  // True when a file exists at `path`.
  static bool listFileExists(const std::string& path);

 private:
  int width_;
  std::vector<int> images_;
  std::vector<bitmaps::CBitmapImage> slots_;  // kSlotCount images, width_ x 7 each.
};

}  // namespace app
