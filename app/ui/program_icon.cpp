#include "app/ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace app::ui {
namespace {

// A 16 x 7 dot pattern of the letters "Or" as the sign shows them.
constexpr const char* kPattern[] = {
    ".###............", "#...#...........", "#...#.#.##......", "#...#.##..#.....",
    "#...#.#.........", "#...#.#.........", ".###..#.........",
};
constexpr int kRows = 7;
constexpr int kColumns = 16;

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal frameTop = size * 0.22;
  const QRectF frame(0.5, frameTop, size - 1.0, size * 0.56);
  p.setPen(QPen(QColor(0x70, 0x70, 0x70), size / 32.0 + 0.5));
  p.setBrush(QColor(0x10, 0x10, 0x10));
  p.drawRoundedRect(frame, size / 12.0, size / 12.0);
  const qreal pitch = (size - 4.0) / kColumns;
  const qreal top = frame.center().y() - pitch * kRows / 2.0;
  p.setPen(Qt::NoPen);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const bool lit = kPattern[r][c] == '#';
      p.setBrush(lit ? QColor(0xff, 0x30, 0x20) : QColor(0x40, 0x10, 0x10));
      p.drawEllipse(QRectF(2.0 + c * pitch, top + r * pitch, pitch * 0.8, pitch * 0.8));
    }
  }
  return pixmap;
}

}  // namespace

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 64, 128})
    icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace app::ui
