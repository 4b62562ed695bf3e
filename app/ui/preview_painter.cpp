#include "app/ui/preview_painter.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/ui/sign_colours.h"
#include "bitmaps/ui/image_rows_area.h"
#include "platform/ui/qt_text.h"
#include "workspace/ui/insert_dialogs.h"

namespace app::ui {
namespace {

using workspace::LayoutItem;
using workspace::LayoutLine;

const QColor kBackground(Qt::black);
const QColor kMarginLabel(0xc0, 0xc0, 0xc0);
const QColor kCurrentLabelText(Qt::black);
const QColor kCurrentLabelBack(0xff, 0xd0, 0x30);
const QColor kSelection(0x30, 0x50, 0xa0);
const QColor kControlText(Qt::white);
const QColor kTransitionText(0x40, 0x80, 0xff);
const QColor kUserBitmapFrame(0x80, 0x80, 0x80);
const QColor kCaret(Qt::white);
constexpr int kCaretWidth = 2;
constexpr int kLabelPadding = 3;

QFont makeLabelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(workspace::kLabelFontHeight - 3);
  font.setBold(true);
  return font;
}

quint64 pictureKey(int kind, int index, int colour) {
  return (static_cast<quint64>(kind) << 40) | (static_cast<quint64>(index & 0xffff) << 16) |
         static_cast<quint64>(colour & 0xff);
}

}  // namespace

PreviewPainter::PreviewPainter() : labelFont_(makeLabelFont()) {}

QString PreviewPainter::timeText(const QDateTime& now, bool twelveHour) {
  return now.time().toString(twelveHour ? QStringLiteral("h:mm AP") : QStringLiteral("HH:mm:ss"));
}

QString PreviewPainter::dateText(const QDateTime& now) {
  return now.date().toString(QStringLiteral("MM/dd/yyyy"));
}

void PreviewPainter::paint(QPainter& painter, const workspace::EditorLayout& layout,
                           const PreviewFrame& frame) {
  painter.fillRect(frame.window, kBackground);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const LayoutLine& line : layout.lines) {
    const int top = line.top - frame.scrollY;
    if (top + workspace::kEditorLinePitch < frame.window.top() || top > frame.window.bottom()) {
      continue;
    }
    if (!line.messageLabel.empty()) paintLabel(painter, line, frame.scrollY);
    for (const LayoutItem& item : line.items) {
      const QRect cell(item.x, item.y - frame.scrollY, item.width, item.height);
      if (item.selected) {
        painter.fillRect(QRect(item.x, top, item.width, workspace::kEditorLinePitch), kSelection);
      }
      if (item.isControl) {
        paintControl(painter, item, cell);
      } else {
        paintElement(painter, item, cell, frame);
      }
    }
  }
  if (frame.showCaret) {
    painter.fillRect(
        QRect(layout.caretX, layout.caretY - frame.scrollY, kCaretWidth, layout.caretHeight),
        kCaret);
  }
}

void PreviewPainter::paintLabel(QPainter& painter, const LayoutLine& line, int scrollY) {
  painter.setFont(labelFont_);
  const QString text = platform::ui::fromCp1252(line.messageLabel);
  const QFontMetrics metrics(labelFont_);
  const QRect box(kLabelPadding * 2, line.messageLabelTop - scrollY,
                  metrics.horizontalAdvance(text) + kLabelPadding * 2, workspace::kLabelFontHeight);
  if (line.currentMessage) {
    painter.fillRect(box, kCurrentLabelBack);
    painter.setPen(kCurrentLabelText);
  } else {
    painter.setPen(kMarginLabel);
  }
  painter.drawText(box, Qt::AlignCenter, text);
}

void PreviewPainter::paintElement(QPainter& painter, const LayoutItem& item, const QRect& cell,
                                  const PreviewFrame& frame) {
  const workspace::LineElement& e = item.element;
  const QColor back = signBackground(e.colour);
  if (back.alpha() != 0) painter.fillRect(cell, back);
  switch (e.kind) {
    case workspace::kKindCharacter: {
      const char byte = static_cast<char>(e.code);
      paintText(painter, platform::ui::fromCp1252(std::string(1, byte)), e.font, e.colour, cell);
      return;
    }
    case workspace::kKindTime:
      paintText(painter, timeText(frame.now, frame.twelveHour), e.font, e.colour, cell);
      return;
    case workspace::kKindDate:
      paintText(painter, dateText(frame.now), e.font, e.colour, cell);
      return;
    case workspace::kKindUserBitmap: {
      // The image of the Image Transfer File, stretched to the item; an image the file does not
      // hold has no picture on the sign either, so the preview marks its place and index.
      if (const bitmaps::CBitmapImage* image =
              frame.userImages != nullptr ? frame.userImages->imageFor(e.code) : nullptr) {
        painter.drawImage(cell, bitmaps::ui::imagePicture(*image));
        return;
      }
      painter.setPen(kUserBitmapFrame);
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
      painter.setFont(labelFont_);
      painter.drawText(cell, Qt::AlignCenter, QStringLiteral("%1").arg(e.code, 4, 10, QChar('0')));
      return;
    }
    default: {
      const QImage& image = picture(e.kind, e.code, e.colour);
      if (image.isNull()) return;
      if (image.width() <= cell.width() && image.height() <= cell.height()) {
        // Glyphs smaller than their font's cell stand on the line's base, centred.
        painter.drawImage(QPoint(cell.x() + (cell.width() - image.width()) / 2,
                                 cell.bottom() + 1 - image.height()),
                          image);
      } else {
        painter.drawImage(cell, image);
      }
    }
  }
}

void PreviewPainter::paintControl(QPainter& painter, const LayoutItem& item, const QRect& cell) {
  painter.setFont(labelFont_);
  painter.setPen(item.control.type == workspace::kControlTransition ? kTransitionText
                                                                    : kControlText);
  const QString label = platform::ui::fromCp1252(item.label);
  // The editor measures labels with the sign software's narrow system face; squeeze ours into the
  // width the label takes on the line.
  const int natural = QFontMetrics(labelFont_).horizontalAdvance(label);
  if (natural <= cell.width() || natural == 0) {
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
    return;
  }
  painter.save();
  painter.translate(cell.left(), 0);
  painter.scale(static_cast<qreal>(cell.width()) / natural, 1.0);
  painter.drawText(QRect(0, cell.top(), natural, cell.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
  painter.restore();
}

void PreviewPainter::paintText(QPainter& painter, const QString& text, int font, int colour,
                               const QRect& cell) {
  painter.setFont(characterFont(font));
  painter.setPen(QPen(signColourBrush(colour, cell), 1));
  const workspace::FontInfo* info = workspace::fontInfo(font);
  if (info == nullptr) info = workspace::fontInfo(workspace::kDefaultFont);
  // Time and date items are several cells wide: one character per cell, as the sign shows them.
  for (int i = 0; i < text.size(); ++i) {
    const QRect glyph(cell.x() + i * info->cellWidth, cell.y(), info->cellWidth, cell.height());
    if (glyph.left() >= cell.right()) break;
    painter.drawText(glyph, Qt::AlignCenter, text.mid(i, 1));
  }
}

const QFont& PreviewPainter::characterFont(int font) {
  if (font < 0 || font >= workspace::kFontCount) font = workspace::kDefaultFont;
  auto& slot = fonts_[static_cast<size_t>(font)];
  if (!slot) {
    const workspace::FontInfo* info = workspace::fontInfo(font);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setPixelSize(info->cellHeight * 4 / 5);
    const int natural = QFontMetrics(f).horizontalAdvance(QLatin1Char('M'));
    if (natural > 0) {
      f.setStretch(std::clamp(100 * (info->cellWidth - 2) / natural, 40, 400));
    }
    slot = f;
  }
  return *slot;
}

const QImage& PreviewPainter::picture(int kind, int index, int colour) {
  const quint64 key = pictureKey(kind, index, colour);
  auto it = pictures_.find(key);
  if (it != pictures_.end()) return *it;
  const QRgb rgb = signColourRgb(colour);
  QImage image;
  if (kind == workspace::kKindSymbol && index >= 0 && index < workspace::kSymbolCount) {
    image = workspace::ui::symbolPicture(index, rgb);
  } else if (kind == workspace::kKindPredefinedBitmap && index >= 0 &&
             index < workspace::kPredefinedBitmapCount) {
    image = workspace::ui::predefinedBitmapPicture(index, rgb);
  } else if (kind == workspace::kKindSpecialCharacter && index >= 0 &&
             index < workspace::kSpecialCharacterCount) {
    image = workspace::ui::specialCharacterGlyph(index, rgb);
  }
  return *pictures_.insert(key, image);
}

}  // namespace app::ui
