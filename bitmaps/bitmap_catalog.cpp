#include "bitmaps/bitmap_catalog.h"

#include <utility>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace bitmaps {
namespace {

platform::Status fullCatalog() {
  return platform::Status::refused(i18n::formatText(
      i18n::text(i18n::IDS_CATALOG_FULL), {static_cast<long long>(CBitmapCatalog::kMaxImages)}));
}

}  // namespace

const CBitmapImage* CBitmapCatalog::find(int indexNumber) const {
  const long position = positionOf(indexNumber);
  return position < 0 ? nullptr : &images_[static_cast<size_t>(position)];
}

CBitmapImage* CBitmapCatalog::find(int indexNumber) {
  const long position = positionOf(indexNumber);
  return position < 0 ? nullptr : &images_[static_cast<size_t>(position)];
}

long CBitmapCatalog::positionOf(int indexNumber) const {
  const std::string wanted = CBitmapImage::formatIndex(indexNumber);
  for (size_t i = 0; i < images_.size(); ++i) {
    if (images_[i].indexText() == wanted) return static_cast<long>(i);
  }
  return -1;
}

platform::Result<CBitmapImage*> CBitmapCatalog::getOrCreate(int indexNumber, bool create) {
  if (CBitmapImage* image = find(indexNumber)) return image;
  if (!create) {
    return platform::Status::refused(i18n::formatText(i18n::text(i18n::IDS_INDEX_NOT_IN_CATALOG),
                                                      {static_cast<long long>(indexNumber)}));
  }
  if (full()) return fullCatalog();
  images_.emplace_back(CBitmapImage::formatIndex(indexNumber), signWidth_);
  return &images_.back();
}

const CBitmapImage* CBitmapCatalog::neighbour(int indexNumber, Direction direction) const {
  const long position = positionOf(indexNumber);
  if (position < 0) return nullptr;
  const long other = direction == Direction::kPrevious ? position - 1 : position + 1;
  if (other < 0 || other >= static_cast<long>(images_.size())) return nullptr;
  return &images_[static_cast<size_t>(other)];
}

int CBitmapCatalog::nextFreeIndex() const {
  std::vector<bool> taken(kHighestIndex + 1, false);
  for (const CBitmapImage& image : images_) {
    const int number = image.indexNumber();
    if (number >= 1 && number <= kHighestIndex) taken[static_cast<size_t>(number)] = true;
  }
  for (int n = 1; n <= kHighestIndex; ++n) {
    if (!taken[static_cast<size_t>(n)]) return n;
  }
  return 0;
}

platform::Status CBitmapCatalog::add(CBitmapImage image) {
  if (full()) return fullCatalog();
  for (const CBitmapImage& existing : images_) {
    if (existing.indexText() == image.indexText()) {
      return platform::Status::refused(
          i18n::formatText(i18n::text(i18n::IDS_IMAGE_ALREADY_IN_CATALOG), {image.indexText()}));
    }
  }
  images_.push_back(std::move(image));
  return platform::Status::success();
}

bool CBitmapCatalog::remove(int indexNumber) {
  const long position = positionOf(indexNumber);
  if (position < 0) return false;
  images_.erase(images_.begin() + position);
  return true;
}

}  // namespace bitmaps
