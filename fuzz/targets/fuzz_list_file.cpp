// The list file (Image Transfer File, *.LST). A list that loads is written again and read back
// to the same bytes.

#include <cstdlib>
#include <string>

#include "bitmaps/transfer_file.h"
#include "fuzz/support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bitmaps::ImageTransferFile file;
  if (!bitmaps::decodeTransferFile(fuzzing::inputView(data, size), "L.LST", &file).ok()) return 0;
  file.images();
  const std::string saved = bitmaps::encodeTransferFile(file);
  bitmaps::ImageTransferFile again;
  if (!bitmaps::decodeTransferFile(saved, "L.LST", &again).ok() ||
      bitmaps::encodeTransferFile(again) != saved) {
    std::abort();
  }
  return 0;
}
