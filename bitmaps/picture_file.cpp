#include "bitmaps/picture_file.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"

namespace bitmaps {

namespace {

// Smallest image record: an empty index text (its 4-byte count) and a zero width.
constexpr size_t kMinImageRecordSize = sizeof(int32_t) + sizeof(uint16_t);

std::string message(int id, const std::vector<i18n::FormatArg>& args) {
  return i18n::formatText(i18n::text(id), args);
}

// The refusal for a file that is not (or no longer) a well-formed picture file. Counts and
// lengths that run past the end are reported like a wrong header.
BitmapStatus notAPictureFile(const std::string& path) {
  return BitmapStatus::failure(
      message(i18n::IDS_PICTURE_FILE_NOT_OURS, {platform::utf8ToCp1252Lossy(path)}));
}

}  // namespace

std::string picturePath(const std::string& dataDir, int signWidth, int colourMode) {
  char name[64];
  std::snprintf(name, sizeof name, "Z2500Pic_%d_%c.dat", signWidth,
                colourMode == kSingleColour ? 'S' : 'D');
  return platform::joinPath(dataDir, name);
}

std::string colourModeName(int colourMode) {
  return i18n::text(colourMode == kSingleColour ? i18n::IDS_SINGLE_COLOR_SIGN
                                                : i18n::IDS_TRI_COLOR_SIGN);
}

BitmapStatus loadPictures(const std::string& path, uint16_t signWidth, int colourMode,
                          CBitmapCatalog* catalog) {
  if (!platform::pathExists(path)) {
    *catalog = CBitmapCatalog(signWidth);
    return BitmapStatus::success();
  }
  std::string bytes;
  std::string error;
  if (!platform::readWholeFile(path, &bytes, &error)) {
    return BitmapStatus::failure(message(i18n::IDS_PICTURE_FILE_UNREADABLE, {error}));
  }
  return decodePictureFile(bytes, path, signWidth, colourMode, catalog);
}

BitmapStatus decodePictureFile(std::string_view bytes, const std::string& path, uint16_t signWidth,
                               int colourMode, CBitmapCatalog* catalog) {
  if (bytes.size() < kPictureFileMinSize) {
    return BitmapStatus::failure(
        message(i18n::IDS_PICTURE_FILE_LENGTH_ERROR, {platform::utf8ToCp1252Lossy(path)}));
  }
  platform::ByteReader reader(bytes);
  std::string_view header;
  int32_t version = 0;
  int32_t fileWidth = 0;
  int32_t fileColour = 0;
  int32_t count = 0;
  // The fixed part is present: the length check above guarantees these reads.
  reader.readView(kPictureFileHeader.size(), &header);
  if (header != kPictureFileHeader) return notAPictureFile(path);
  reader.readI32(&version);  // Older layouts are the same; the version is informational.
  reader.readI32(&fileWidth);
  if (fileWidth != signWidth) {
    return BitmapStatus::failure(
        message(i18n::IDS_PICTURE_FILE_WIDTH_MISMATCH,
                {platform::utf8ToCp1252Lossy(path), static_cast<long long>(fileWidth),
                 static_cast<long long>(signWidth)}));
  }
  reader.readI32(&fileColour);
  if (fileColour != colourMode) {
    return BitmapStatus::failure(message(i18n::IDS_PICTURE_FILE_COLOUR_MISMATCH,
                                         {platform::utf8ToCp1252Lossy(path),
                                          colourModeName(fileColour), colourModeName(colourMode)}));
  }
  reader.readI32(&count);
  if (count < 0 || static_cast<size_t>(count) > CBitmapCatalog::kMaxImages ||
      static_cast<size_t>(count) > reader.remaining() / kMinImageRecordSize) {
    return notAPictureFile(path);
  }

  std::vector<CBitmapImage> images;
  images.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    std::string indexText;
    uint16_t recordWidth = 0;
    std::string_view codes;
    if (!reader.readLengthPrefixed(&indexText) || !reader.readU16(&recordWidth) ||
        !reader.readView(static_cast<size_t>(recordWidth) * kImageRows, &codes)) {
      return notAPictureFile(path);
    }
    CBitmapImage image(std::move(indexText), signWidth);
    image.fitRowsFrom(codes, recordWidth);
    images.push_back(std::move(image));
  }
  *catalog = CBitmapCatalog(signWidth, std::move(images));
  return BitmapStatus::success();
}

std::string encodePictureFile(uint16_t signWidth, int colourMode, const CBitmapCatalog& catalog) {
  std::string bytes;
  platform::ByteWriter writer(&bytes);
  writer.bytes(kPictureFileHeader);
  writer.i32(kPictureFileVersion);
  writer.i32(signWidth);
  writer.i32(colourMode);
  writer.i32(static_cast<int32_t>(catalog.count()));
  for (const CBitmapImage& image : catalog.images()) {
    writer.lengthPrefixed(image.indexText());
    writer.u16(image.width());
    const std::vector<uint8_t>& codes = image.pixels();
    writer.bytes(std::string_view(reinterpret_cast<const char*>(codes.data()), codes.size()));
  }
  return bytes;
}

BitmapStatus savePictures(const std::string& path, uint16_t signWidth, int colourMode,
                          const CBitmapCatalog& catalog) {
  std::string error;
  if (!platform::writeFileAtomic(path, encodePictureFile(signWidth, colourMode, catalog),
                                 platform::kDataFileMode, &error)) {
    return BitmapStatus::failure(message(i18n::IDS_PICTURE_FILE_SAVE_FAILED, {error}));
  }
  return BitmapStatus::success();
}

}  // namespace bitmaps
