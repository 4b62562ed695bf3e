#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bitmaps/bitmap_image.h"
#include "platform/status.h"

namespace bitmaps {

// The bitmap image catalog: every user-defined picture of one sign width and colour configuration,
// in file order, new images appended at the end. The application object owns one for the whole
// run; the bitmap editor adds, changes and removes images in it, and it reaches the disk only
// through the picture data file (picture_file.h).
//
// Images are addressed by index number; find() compares index texts made with "%04d", so an image
// stored as "7" is not found as number 7, while nextFreeIndex() reads texts as numbers and treats
// "7" as taken. Pointers and references to images stay valid until the catalog next gains or loses
// an image.
class CBitmapCatalog {
 public:
  // Most images a catalog holds.
  static constexpr size_t kMaxImages = 9999;
  // Highest index number nextFreeIndex() hands out.
  static constexpr int kHighestIndex = 9999;

  enum class Direction { kPrevious, kNext };

  // An empty catalog whose new images are `signWidth` columns wide.
  explicit CBitmapCatalog(uint16_t signWidth = 80) : signWidth_(signWidth) {}
  // A catalog holding `images` (as read from a picture data file), in that order.
  CBitmapCatalog(uint16_t signWidth, std::vector<CBitmapImage> images)
      : signWidth_(signWidth), images_(std::move(images)) {}

  uint16_t signWidth() const { return signWidth_; }
  size_t count() const { return images_.size(); }
  bool empty() const { return images_.empty(); }
  bool full() const { return images_.size() >= kMaxImages; }
  // All images in catalog order.
  const std::vector<CBitmapImage>& images() const { return images_; }
  // The image at `position` (0-based, below count()).
  const CBitmapImage& at(size_t position) const { return images_.at(position); }
  CBitmapImage& at(size_t position) { return images_.at(position); }

  // The first image whose index text equals formatIndex(indexNumber); nullptr when there is none.
  const CBitmapImage* find(int indexNumber) const;
  CBitmapImage* find(int indexNumber);
  // Position of find(indexNumber) in catalog order; -1 when absent.
  long positionOf(int indexNumber) const;

  // find(indexNumber); when absent and `create` is set, appends a new black image of the sign
  // width under that number and returns it (never null). Fails (kRefused) when the image is
  // absent and `create` is clear ("Index number %04d has not been added to the catalog yet!"), or
  // when it would have to be created in a full catalog.
  platform::Result<CBitmapImage*> getOrCreate(int indexNumber, bool create);

  // The image before or after image `indexNumber` in catalog order; nullptr at either end and
  // when `indexNumber` is not in the catalog.
  const CBitmapImage* neighbour(int indexNumber, Direction direction) const;

  // The lowest number n from 1 to 4999 that no image's index text reads as (parseIndex); 5000
  // when all of them are taken. When 5000 is taken as well, the lowest free number up to 9999
  // instead, so a new image never lands on an existing one; 0 only when every number from 1 to
  // 9999 is taken, which means the catalog is full.
  int nextFreeIndex() const;

  // Appends `image` at the end. Fails (catalog unchanged) when the catalog is full or when an
  // image with the same index text is already in it (kRefused). The image keeps its own width.
  platform::Status add(CBitmapImage image);

  // Removes image `indexNumber` (the one find() returns). False when it is not in the catalog.
  bool remove(int indexNumber);

  // Removes every image.
  void clear() { images_.clear(); }

  bool operator==(const CBitmapCatalog&) const = default;

 private:
  uint16_t signWidth_;                // Width of images this catalog creates.
  std::vector<CBitmapImage> images_;  // Catalog order: file order, new ones appended.
};

}  // namespace bitmaps
