#include "receiver/ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace receiver::ui {

namespace {

constexpr int kIconSizes[] = {16, 32, 64};

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);

  // The letter.
  painter.setPen(QPen(QColor(40, 60, 110), 1.5));
  painter.setBrush(QColor(250, 248, 235));
  painter.drawRect(QRectF(3, 4, 26, 17));
  painter.drawPolyline(QPolygonF({QPointF(3, 4), QPointF(16, 14), QPointF(29, 4)}));

  // The sign: a dark strip with a row of lit LEDs.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 30, 30));
  painter.drawRoundedRect(QRectF(1, 22, 30, 8), 2, 2);
  painter.setBrush(QColor(255, 70, 40));
  for (int x = 4; x < 30; x += 4)
    painter.drawEllipse(QPointF(x, 26), 1.3, 1.3);
  return pixmap;
}

}  // namespace

QIcon programIcon() {
  QIcon icon;
  for (int size : kIconSizes)
    icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace receiver::ui
