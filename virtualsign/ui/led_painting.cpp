#include "virtualsign/ui/led_painting.h"

#include <QDir>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <unordered_map>

namespace virtualsign::ui {
namespace {

const QColor kBoard(0x08, 0x08, 0x08);
const QColor kDarkLed(0x24, 0x20, 0x20);
constexpr int kLedSize = 6;
constexpr int kMargin = 6;

// One LED in its cell of the board: a round dot, lit ones brighter towards the centre as a lens
// shows them. Drawn once per colour and then copied, as a board has few colours and many dots.
const QImage& ledSprite(Dot dot) {
  static std::unordered_map<Dot, QImage> sprites;
  QImage& sprite = sprites[dot];
  if (!sprite.isNull()) return sprite;
  sprite = QImage(kLedPitch, kLedPitch, QImage::Format_RGB32);
  sprite.fill(kBoard);
  QPainter p(&sprite);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const QRectF lens(1, 1, kLedSize, kLedSize);
  if (dot == 0) {
    p.setBrush(kDarkLed);
  } else {
    const QColor colour(QRgb(0xFF000000u | dot));
    QRadialGradient glow(lens.center(), kLedSize / 2.0);
    glow.setColorAt(0, colour.lighter(140));
    glow.setColorAt(0.6, colour);
    glow.setColorAt(1, colour.darker(130));
    p.setBrush(glow);
  }
  p.drawEllipse(lens);
  return sprite;
}

}  // namespace

QSize ledBoardSize(int rows, int columns) {
  const int dotRows = std::max(rows * (kSignRows + 1) - 1, 1);
  return {columns * kLedPitch + 2 * kMargin, dotRows * kLedPitch + 2 * kMargin};
}

QImage ledBoard(const std::vector<LedStrip>& strips, int minColumns) {
  int columns = minColumns;
  for (const LedStrip& s : strips)
    columns = std::max(columns, s.width());
  QImage image(ledBoardSize(static_cast<int>(strips.size()), columns), QImage::Format_RGB32);
  image.fill(kBoard);
  QPainter p(&image);
  for (size_t i = 0; i < strips.size(); ++i) {
    const int top = kMargin + static_cast<int>(i) * (kSignRows + 1) * kLedPitch;
    for (int x = 0; x < columns; ++x) {
      for (int y = 0; y < kSignRows; ++y) {
        p.drawImage(kMargin + x * kLedPitch, top + y * kLedPitch, ledSprite(strips[i].at(x, y)));
      }
    }
  }
  return image;
}

bool writeMessagePngs(const SignState& state, const RenderContext& context, const QString& dir,
                      QString* error) {
  if (!QDir().mkpath(dir)) {
    *error = QStringLiteral("cannot make the folder %1").arg(dir);
    return false;
  }
  for (const auto& [number, message] : state.messages) {
    std::vector<LedStrip> strips;
    for (MessageLineStrip& line : renderMessage(message, context)) {
      strips.push_back(std::move(line.strip));
    }
    const QString path =
        QDir(dir).filePath(QStringLiteral("message-%1.png").arg(number, 2, 10, QLatin1Char('0')));
    if (!ledBoard(strips, state.width).save(path, "PNG")) {
      *error = QStringLiteral("cannot write %1").arg(path);
      return false;
    }
  }
  return true;
}

}  // namespace virtualsign::ui
