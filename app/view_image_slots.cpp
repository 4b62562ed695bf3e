#include "app/view_image_slots.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "bitmaps/transfer_file.h"

namespace app {
namespace {

// The picture data file and the slots carry widths of 16 bits.
uint16_t slotWidth(int signWidth) {
  return static_cast<uint16_t>(std::clamp(signWidth, 0, 0xFFFF));
}

}  // namespace

ViewImageSlots::ViewImageSlots(int signWidth) : width_(signWidth) {
  clear();
}

const bitmaps::CBitmapImage& ViewImageSlots::slot(int slot) const {
  return slots_.at(slot >= 0 && slot < kSlotCount ? static_cast<size_t>(slot) : 0);
}

const bitmaps::CBitmapImage* ViewImageSlots::imageFor(int indexNumber) const {
  const auto found = std::find(images_.begin(), images_.end(), indexNumber);
  if (found == images_.end()) return nullptr;
  return &slots_[static_cast<size_t>(found - images_.begin())];
}

platform::Result<bool> ViewImageSlots::load(const std::string& path, workspace::Workspace* ws,
                                            const bitmaps::CBitmapCatalog& catalog) {
  bitmaps::ImageTransferFile list;
  const platform::Status read = bitmaps::loadTransferFile(path, &list);
  if (!read.ok()) return read;
  const bool modified = ws->transferFilePath != path || list.count != count();
  ws->transferFilePath = path;
  images_ = list.images();
  rebuild(catalog);
  return modified;
}

void ViewImageSlots::rebuild(const bitmaps::CBitmapCatalog& catalog) {
  const uint16_t width = slotWidth(width_);
  slots_.assign(kSlotCount, bitmaps::CBitmapImage(std::string(), width));
  for (size_t i = 0; i < images_.size() && i < slots_.size(); ++i) {
    bitmaps::CBitmapImage& out = slots_[i];
    out = bitmaps::CBitmapImage(bitmaps::CBitmapImage::formatIndex(images_[i]), width);
    const bitmaps::CBitmapImage* image = catalog.find(images_[i]);
    if (image == nullptr) continue;
    const std::vector<uint8_t>& codes = image->pixels();
    out.fitRowsFrom(std::string_view(reinterpret_cast<const char*>(codes.data()), codes.size()),
                    image->width());
  }
}

void ViewImageSlots::signWidthChanged(int signWidth, workspace::Workspace* ws) {
  width_ = signWidth;
  ws->transferFilePath.clear();
  clear();
}

void ViewImageSlots::clear() {
  images_.clear();
  slots_.assign(kSlotCount, bitmaps::CBitmapImage(std::string(), slotWidth(width_)));
}

ViewImageSlots::OpenedListFile ViewImageSlots::workspaceOpened(int previousWidth, int signWidth,
                                                               workspace::Workspace* ws) {
  if (signWidth != previousWidth) {
    const std::string path = ws->transferFilePath;
    signWidthChanged(signWidth, ws);
    ws->transferFilePath = path;
  }
  if (ws->transferFilePath.empty()) {
    clear();
    return OpenedListFile::kNone;
  }
  return listFileExists(ws->transferFilePath) ? OpenedListFile::kLoad : OpenedListFile::kMissing;
}

bool ViewImageSlots::listFileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error);
}

}  // namespace app
