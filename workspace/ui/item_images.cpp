#include "workspace/ui/item_images.h"

#include "workspace/editor_insert_dialogs.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/insert_dialogs.h"

namespace workspace::ui {
namespace {

constexpr int kLedPitch = 4;        // Pixels from one LED to the next in symbols and bitmaps.
constexpr int kGlyphPitch = 2;      // Special-character glyphs are drawn twice their size.
constexpr int kPictureHeight = 32;  // Symbols and bitmaps are one editor line high.

// One lit LED in a `pitch` square at (x, y): from a pitch of 4 a rounded dot with a dark gap.
void paintLed(QImage& image, int x, int y, int pitch, QRgb colour) {
  if (pitch < kLedPitch) {
    for (int dy = 0; dy < pitch; ++dy) {
      for (int dx = 0; dx < pitch; ++dx)
        image.setPixelColor(x + dx, y + dy, QColor::fromRgb(colour));
    }
    return;
  }
  // A (pitch - 1) square with its corners at half strength reads as a round lamp.
  const int size = pitch - 1;
  const QRgb corner = qRgba(qRed(colour), qGreen(colour), qBlue(colour), 0x70);
  for (int dy = 0; dy < size; ++dy) {
    for (int dx = 0; dx < size; ++dx) {
      const bool isCorner = (dx == 0 || dx == size - 1) && (dy == 0 || dy == size - 1);
      image.setPixelColor(x + dx, y + dy, QColor::fromRgba(isCorner ? corner : colour));
    }
  }
}

}  // namespace

QImage dotArtImage(const DotArt& art, int pitch, int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const int left = (width - art.columns * pitch) / 2;
  const int top = (height - art.rows * pitch) / 2;
  for (int row = 0; row < art.rows; ++row) {
    for (int column = 0; column < art.columns; ++column) {
      if (art.lit(column, row)) {
        paintLed(image, left + column * pitch, top + row * pitch, pitch, colour | 0xFF000000u);
      }
    }
  }
  return image;
}

QImage symbolPicture(int index, QRgb colour) {
  const std::optional<DotArt> art = symbolArt(index);
  if (!art) return {};
  return dotArtImage(*art, kLedPitch, kSymbolCellWidth, kPictureHeight, colour);
}

QImage predefinedBitmapPicture(int index, QRgb colour) {
  const std::optional<DotArt> art = predefinedBitmapArt(index);
  if (!art) return {};
  return dotArtImage(*art, kLedPitch, kBitmapWidth, kPictureHeight, colour);
}

QImage specialCharacterGlyph(int index, QRgb colour) {
  const std::optional<DotArt> art = specialCharacterArt(index);
  if (!art) return {};
  return dotArtImage(*art, kGlyphPitch, kSpecialGlyphBoxWidth, kSpecialGlyphBoxHeight, colour);
}

}  // namespace workspace::ui
