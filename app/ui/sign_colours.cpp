#include "app/ui/sign_colours.h"

#include <QLinearGradient>
#include <array>

#include "workspace/sign_tables.h"

namespace app::ui {
namespace {

constexpr QRgb kRed = 0xffb00000;
constexpr QRgb kBrightRed = 0xffff2020;
constexpr QRgb kOrange = 0xffd06000;
constexpr QRgb kBrightOrange = 0xffff9020;
constexpr QRgb kYellow = 0xffc8b000;
constexpr QRgb kBrightYellow = 0xffffee30;
constexpr QRgb kGreen = 0xff00a000;
constexpr QRgb kBrightGreen = 0xff30ff30;

// Index order of the colour list.
constexpr std::array<QRgb, workspace::kColourCount> kMainShades = {
    kRed,         kBrightRed,   kOrange,       kBrightOrange, kYellow,       kBrightYellow,
    kGreen,       kBrightGreen, kBrightRed,    kBrightRed,    kBrightOrange, kBrightGreen,
    kBrightGreen, kBrightRed,   kBrightOrange, kBrightYellow};

enum Mix {
  kLayerMix = 8,
  kBrightLayerMix,
  kVerticalMix,
  kSawToothMix,
  kGreenOnRed,
  kRedOnGreen,
  kOrangeOnRed,
  kYellowOnGreen
};

QBrush layers(const QRect& cell, QRgb top, QRgb middle, QRgb bottom) {
  QLinearGradient g(cell.topLeft(), cell.bottomLeft());
  g.setColorAt(0.0, QColor(top));
  g.setColorAt(0.5, QColor(middle));
  g.setColorAt(1.0, QColor(bottom));
  return QBrush(g);
}

}  // namespace

QRgb signColourRgb(int colour) {
  if (colour < 0 || colour >= workspace::kColourCount) colour = workspace::kDefaultColour;
  return kMainShades[static_cast<size_t>(colour)];
}

QBrush signColourBrush(int colour, const QRect& cell) {
  switch (colour) {
    case kLayerMix:
      return layers(cell, kRed, kOrange, kGreen);
    case kBrightLayerMix:
      return layers(cell, kBrightRed, kBrightYellow, kBrightGreen);
    case kVerticalMix: {
      QLinearGradient g(cell.topLeft(), cell.topRight());
      g.setColorAt(0.0, QColor(kBrightRed));
      g.setColorAt(0.5, QColor(kBrightYellow));
      g.setColorAt(1.0, QColor(kBrightGreen));
      return QBrush(g);
    }
    case kSawToothMix: {
      QLinearGradient g(cell.topLeft(), cell.bottomLeft());
      g.setSpread(QGradient::ReflectSpread);
      g.setFinalStop(cell.left(), cell.top() + cell.height() / 4);
      g.setColorAt(0.0, QColor(kBrightRed));
      g.setColorAt(1.0, QColor(kBrightGreen));
      return QBrush(g);
    }
    default:
      return QBrush(QColor(signColourRgb(colour)));
  }
}

QColor signBackground(int colour) {
  switch (colour) {
    case kGreenOnRed:
    case kOrangeOnRed:
      return QColor(0xff600000);
    case kRedOnGreen:
    case kYellowOnGreen:
      return QColor(0xff005000);
    default:
      return Qt::transparent;
  }
}

}  // namespace app::ui
