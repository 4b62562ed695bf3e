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
platform::Status notAPictureFile(const std::string& path) {
  return platform::Status::notOurFile(
      message(i18n::IDS_PICTURE_FILE_NOT_OURS, {platform::utf8ToCp1252Lossy(path)}));
}

// The same refusal for a file whose header is right but whose body runs past its end.
platform::Status damagedPictureFile(const std::string& path, size_t offset) {
  return platform::Status::damaged(
      message(i18n::IDS_PICTURE_FILE_NOT_OURS, {platform::utf8ToCp1252Lossy(path)}),
      "at byte " + std::to_string(offset));
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

platform::Status loadPictures(const std::string& path, uint16_t signWidth, int colourMode,
                              CBitmapCatalog* catalog) {
  if (!platform::pathExists(path)) {
    *catalog = CBitmapCatalog(signWidth);
    return platform::Status::success();
  }
  const platform::Result<std::string> bytes = platform::readWholeFile(path);
  if (!bytes.ok()) {
    return platform::Status::cannotOpen(
        message(i18n::IDS_PICTURE_FILE_UNREADABLE, {bytes.message()}));
  }
  return decodePictureFile(*bytes, path, signWidth, colourMode, catalog);
}

platform::Status decodePictureFile(std::string_view bytes, const std::string& path,
                                   uint16_t signWidth, int colourMode, CBitmapCatalog* catalog) {
  if (bytes.size() < kPictureFileMinSize) {
    return platform::Status::damaged(
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
  reader.readI32(&version);  // Older layouts are the same; a newer one is not ours to read.
  if (version > kPictureFileVersion) {
    return platform::Status::tooNew(
        i18n::formatText(i18n::text(i18n::IDS_FILE_VERSION_TOO_NEW),
                         {platform::utf8ToCp1252Lossy(path), static_cast<long long>(version)}));
  }
  reader.readI32(&fileWidth);
  if (fileWidth != signWidth) {
    return platform::Status::notOurFile(
        message(i18n::IDS_PICTURE_FILE_WIDTH_MISMATCH,
                {platform::utf8ToCp1252Lossy(path), static_cast<long long>(fileWidth),
                 static_cast<long long>(signWidth)}));
  }
  reader.readI32(&fileColour);
  if (fileColour != colourMode) {
    return platform::Status::notOurFile(
        message(i18n::IDS_PICTURE_FILE_COLOUR_MISMATCH,
                {platform::utf8ToCp1252Lossy(path), colourModeName(fileColour),
                 colourModeName(colourMode)}));
  }
  reader.readI32(&count);
  if (count < 0 || static_cast<size_t>(count) > CBitmapCatalog::kMaxImages ||
      static_cast<size_t>(count) > reader.remaining() / kMinImageRecordSize) {
    return damagedPictureFile(path, reader.offset() - sizeof(int32_t));
  }

  std::vector<CBitmapImage> images;
  images.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    std::string indexText;
    uint16_t recordWidth = 0;
    std::string_view codes;
    const size_t recordStart = reader.offset();
    if (!reader.readLengthPrefixed(&indexText) || !reader.readU16(&recordWidth) ||
        !reader.readView(static_cast<size_t>(recordWidth) * kImageRows, &codes)) {
      return damagedPictureFile(path, recordStart);
    }
    CBitmapImage image(std::move(indexText), signWidth);
    image.fitRowsFrom(codes, recordWidth);
    images.push_back(std::move(image));
  }
  *catalog = CBitmapCatalog(signWidth, std::move(images));
  return platform::Status::success();
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

platform::Status savePictures(const std::string& path, uint16_t signWidth, int colourMode,
                              const CBitmapCatalog& catalog) {
  const platform::Status written = platform::writeFileAtomic(
      path, encodePictureFile(signWidth, colourMode, catalog), platform::kDataFileMode);
  if (!written.ok()) {
    return platform::Status::cannotWrite(
        message(i18n::IDS_PICTURE_FILE_SAVE_FAILED, {written.message()}));
  }
  return platform::Status::success();
}

}  // namespace bitmaps
