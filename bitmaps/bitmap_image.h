#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bitmaps {

// Every user-defined image is seven pixels high, like the sign.
inline constexpr int kImageRows = 7;

// One user-defined picture of the bitmap catalog: an index number kept as text ("%04d", e.g.
// "0007"), a width that is always the sign's pixel width, and width x 7 colour codes, row-major
// (the code of column x in row y, 0 = top, is at y * width + x). Colour codes are 0 (off) and 1 to
// 8; the bitmap editor also stores 9 for an empty cell, and any byte is kept as it is.
class CBitmapImage {
 public:
  // A black image (every code 0) `width` columns wide, named by `indexText` as stored.
  CBitmapImage(std::string indexText, uint16_t width);

  // The index text of image number `indexNumber`, made with "%04d" (7 -> "0007", 12345 -> "12345").
  static std::string formatIndex(int indexNumber);

  // Reads an index text as a decimal number the way the catalog compares numbers: optional leading
  // blanks and sign, then the leading digits; 0 when the text does not start with a number. Values
  // beyond the int range saturate, so no text can overflow.
  static int parseIndex(std::string_view indexText);

  const std::string& indexText() const { return indexText_; }
  // parseIndex(indexText()).
  int indexNumber() const { return parseIndex(indexText_); }
  uint16_t width() const { return width_; }

  // The colour code at column x, row y; 0 for a position outside the image.
  uint8_t pixel(int x, int y) const;
  // Sets the colour code at column x, row y; a position outside the image is ignored.
  void setPixel(int x, int y, uint8_t code);

  // All width x 7 codes, row-major.
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  // Replaces every code. Returns false and changes nothing unless `codes` holds exactly
  // width x 7 bytes.
  bool setPixels(const std::vector<uint8_t>& codes);

  // Copies the rows of a picture `sourceWidth` columns wide (sourceWidth x 7 codes, row-major) into
  // this image, column by column: columns beyond this image's width are dropped, columns this image
  // has beyond the source stay 0. Used when a stored record is narrower or wider than the sign.
  // A `sourceCodes` shorter than sourceWidth x 7 leaves the image black.
  void fitRowsFrom(std::string_view sourceCodes, uint16_t sourceWidth);

  bool operator==(const CBitmapImage&) const = default;

 private:
  std::string indexText_;        // Index number as text; unique within the catalog.
  uint16_t width_;               // Columns; the sign width when the image was made.
  std::vector<uint8_t> pixels_;  // width_ x kImageRows colour codes, row-major.
};

}  // namespace bitmaps
