#include "bitmaps/transfer_file.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/cp1252.h"

namespace bitmaps {

namespace {

// A list file is 84 bytes; anything far larger is not one and is not read into memory.
constexpr size_t kMaxListFileRead = 64 * 1024;

std::string message(int id, const std::vector<i18n::FormatArg>& args) {
  return i18n::formatText(i18n::text(id), args);
}

}  // namespace

std::vector<int> ImageTransferFile::images() const {
  const int32_t used = std::clamp<int32_t>(count, 0, kMaxImages);
  return std::vector<int>(slots.begin(), slots.begin() + used);
}

bool ImageTransferFile::contains(int indexNumber) const {
  const std::vector<int> used = images();
  return std::find(used.begin(), used.end(), indexNumber) != used.end();
}

bool ImageTransferFile::append(int indexNumber) {
  if (count < 0 || full()) return false;
  slots[static_cast<size_t>(count)] = indexNumber;
  ++count;
  changed = true;
  return true;
}

bool ImageTransferFile::removeAt(int position) {
  if (position < 0 || position >= count || count > kMaxImages) return false;
  const auto first = slots.begin() + position;
  std::move(first + 1, slots.begin() + count, first);
  --count;
  slots[static_cast<size_t>(count)] = 0;
  changed = true;
  return true;
}

void ImageTransferFile::clear() {
  count = 0;
  slots.fill(0);
  changed = false;
}

std::string encodeTransferFile(const ImageTransferFile& file) {
  const int32_t used = std::clamp<int32_t>(file.count, 0, ImageTransferFile::kMaxImages);
  std::string bytes;
  platform::ByteWriter writer(&bytes);
  writer.i32(used);
  for (size_t i = 0; i < ImageTransferFile::kSlotCount; ++i) {
    writer.i32(i < static_cast<size_t>(used) ? file.slots[i] : 0);
  }
  return bytes;
}

platform::Status decodeTransferFile(std::string_view bytes, const std::string& path,
                                    ImageTransferFile* file) {
  platform::ByteReader reader(bytes);
  int32_t count = 0;
  if (!reader.readI32(&count) || count < 0 || count > ImageTransferFile::kMaxImages ||
      static_cast<size_t>(count) > reader.remaining() / sizeof(int32_t)) {
    return platform::Status::damaged(
        message(i18n::IDS_TRANSFER_FILE_INVALID, {platform::utf8ToCp1252Lossy(path)}));
  }
  std::array<int32_t, ImageTransferFile::kSlotCount> slots{};
  for (int32_t& slot : slots) {
    if (!reader.readI32(&slot)) break;  // A file cut short after its used slots: the rest are 0.
  }
  file->count = count;
  file->slots = slots;
  return platform::Status::success();
}

platform::Status loadTransferFile(const std::string& path, ImageTransferFile* file) {
  if (!platform::pathExists(path)) {
    return platform::Status::cannotOpen(
        message(i18n::IDS_TRANSFER_FILE_MISSING, {platform::utf8ToCp1252Lossy(path)}));
  }
  const platform::Result<std::string> bytes = platform::readWholeFile(path, kMaxListFileRead);
  if (!bytes.ok()) {
    return platform::Status::cannotOpen(
        message(i18n::IDS_TRANSFER_FILE_UNREADABLE, {bytes.message()}));
  }
  ImageTransferFile loaded = *file;
  const platform::Status status = decodeTransferFile(*bytes, path, &loaded);
  if (!status.ok()) return status;
  loaded.fileName = path;
  loaded.changed = false;
  *file = std::move(loaded);
  return status;
}

platform::Status saveTransferFile(const std::string& path, const ImageTransferFile& file) {
  const platform::Status written =
      platform::writeFileAtomic(path, encodeTransferFile(file), platform::kDataFileMode);
  if (!written.ok()) {
    return platform::Status::cannotWrite(
        message(i18n::IDS_TRANSFER_FILE_SAVE_FAILED, {written.message()}));
  }
  return platform::Status::success();
}

std::string catalogCaption(const std::string& dialogCaption, const std::string& listPath) {
  std::string base = dialogCaption.substr(0, dialogCaption.find("--"));
  if (listPath.empty()) return base;
  return base + "--" + listPath;
}

}  // namespace bitmaps
