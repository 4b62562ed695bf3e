// The picture data file (user-defined bitmap catalog). The sign width and colour configuration
// asked for are the ones the file's own header names, so the records are reached; a catalog that
// loads is written again and read back to the same bytes.

#include <cstdlib>
#include <cstring>
#include <string>

#include "bitmaps/picture_file.h"
#include "fuzz/support/fuzz_support.h"

namespace {

int32_t headerField(std::string_view bytes, size_t index) {
  const size_t at = bitmaps::kPictureFileHeader.size() + 4 * index;
  int32_t v = 0;
  if (bytes.size() >= at + 4) std::memcpy(&v, bytes.data() + at, 4);  // little-endian host
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzzing::inputView(data, size);
  const auto width = static_cast<uint16_t>(headerField(bytes, 1));
  const int colour = headerField(bytes, 2);
  bitmaps::CBitmapCatalog catalog;
  if (!bitmaps::decodePictureFile(bytes, "P.dat", width, colour, &catalog).ok()) return 0;
  const std::string saved = bitmaps::encodePictureFile(width, colour, catalog);
  bitmaps::CBitmapCatalog again;
  if (!bitmaps::decodePictureFile(saved, "P.dat", width, colour, &again).ok() ||
      bitmaps::encodePictureFile(width, colour, again) != saved) {
    std::abort();
  }
  return 0;
}
