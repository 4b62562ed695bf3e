#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bitmaps/bitmap_catalog.h"
#include "platform/status.h"

namespace bitmaps {

// The picture data file holds the bitmap catalog of one sign width and colour configuration. It
// lives in the data directory as "Z2500Pic_<width>_<S|D>.dat" and is little-endian:
//
//   17 bytes  "Z2500 pic by user" (no length, no terminator)
//   int32     version (35 when written; a higher one is refused, older ones read alike)
//   int32     sign width in pixels
//   int32     colour configuration ("IsSingleColor": 1 single colour, 2 bi-colour)
//   int32     image count
//   records   per image: int32 byte count + index text; uint16 width; width x 7 colour codes
//
// The file is read at start-up and written back only at exit.

inline constexpr std::string_view kPictureFileHeader = "Z2500 pic by user";
inline constexpr int32_t kPictureFileVersion = 35;
// Header, version, width, colour and count: a file shorter than this cannot be a picture file.
inline constexpr size_t kPictureFileMinSize = kPictureFileHeader.size() + 4 * sizeof(int32_t);
// The value of "IsSingleColor" for a single-colour sign; every other value means bi-colour.
inline constexpr int kSingleColour = 1;

// File name of the catalog for a sign `signWidth` pixels wide and colour configuration
// `colourMode`, inside `dataDir`: "Z2500Pic_%d_%c.dat" with 'S' when colourMode is 1, 'D'
// otherwise (e.g. Z2500Pic_80_S.dat).
std::string picturePath(const std::string& dataDir, int signWidth, int colourMode);

// The name of a colour configuration inside messages: "single color sign" for 1, "tri-color sign"
// for any other value.
std::string colourModeName(int colourMode);

// Reads the catalog from the picture data file at `path` for a sign of `signWidth` pixels and
// colour configuration `colourMode`.
//  - No file at `path`: success; *catalog becomes an empty catalog of that width (a sign size
//    without pictures is normal).
//  - A file that exists but cannot be read (kCannotOpen), or that is refused, fails with the
//    message to show, and *catalog is left exactly as it was. A wrong header, another width or
//    another colour is kNotOurFile; a version above 35 is kTooNew; a file shorter than the fixed
//    part, or an image count or a length that runs past the end of the file, is kDamaged (the
//    detail says where).
//  - Otherwise *catalog becomes the file's images in file order, each `signWidth` columns wide: a
//    record whose own width differs keeps its leftmost columns (extra ones dropped, missing ones
//    black), so an image in memory always has the sign width.
platform::Status loadPictures(const std::string& path, uint16_t signWidth, int colourMode,
                              CBitmapCatalog* catalog);

// Writes `catalog` to `path` as a picture file for `signWidth` and `colourMode` (version 35),
// replacing any old file only once the new one is complete. On failure the old file is untouched
// and the kCannotWrite message names the path and the reason.
platform::Status savePictures(const std::string& path, uint16_t signWidth, int colourMode,
                              const CBitmapCatalog& catalog);

// The bytes savePictures() writes.
std::string encodePictureFile(uint16_t signWidth, int colourMode, const CBitmapCatalog& catalog);

// Checks and reads the bytes of a picture file as loadPictures() does once the file has been read;
// `path` only names the file in messages.
platform::Status decodePictureFile(std::string_view bytes, const std::string& path,
                                   uint16_t signWidth, int colourMode, CBitmapCatalog* catalog);

}  // namespace bitmaps
