#pragma once

#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>
#include <array>
#include <optional>

#include "app/view_image_slots.h"
#include "workspace/editor_layout.h"
#include "workspace/sign_tables.h"

class QPainter;

// Paints the message editor's preview of the sign from the editor's layout: a black background,
// the "Msg %02d" labels in the margin, each element in its colour and font cell (time and date
// from the clock), symbols and bitmaps as pictures, controls as bracketed labels, the selection and
// the caret. Pictures and fonts are made once and kept, so a repaint costs only the drawing.
namespace app::ui {

struct PreviewFrame {
  QRect window;             // The area to paint, in window pixels.
  int scrollY = 0;          // The document y shown at the window's top.
  QDateTime now;            // The clock time that time and date items show.
  bool twelveHour = false;  // Time items in the 12-hour form.
  bool showCaret = true;
  // The current Image Transfer File's pictures; null: user-defined bitmaps show as frames.
  const app::ViewImageSlots* userImages = nullptr;
};

class PreviewPainter {
 public:
  PreviewPainter();
  PreviewPainter(const PreviewPainter&) = delete;
  PreviewPainter& operator=(const PreviewPainter&) = delete;

  void paint(QPainter& painter, const workspace::EditorLayout& layout, const PreviewFrame& frame);

  // The text a time or date item shows at `now`.
  static QString timeText(const QDateTime& now, bool twelveHour);
  static QString dateText(const QDateTime& now);

 private:
  void paintLabel(QPainter& painter, const workspace::LayoutLine& line, int scrollY);
  void paintElement(QPainter& painter, const workspace::LayoutItem& item, const QRect& cell,
                    const PreviewFrame& frame);
  void paintControl(QPainter& painter, const workspace::LayoutItem& item, const QRect& cell);
  void paintText(QPainter& painter, const QString& text, int font, int colour, const QRect& cell);
  // The character font of sign font `font`, its glyphs stretched to the font's cell.
  const QFont& characterFont(int font);
  // The picture of an element of kind 3, 4 or 6 in `colour`; a null image for an unknown index.
  const QImage& picture(int kind, int index, int colour);

  std::array<std::optional<QFont>, workspace::kFontCount> fonts_;
  QHash<quint64, QImage> pictures_;  // By kind, index and colour.
  const QFont labelFont_;            // Control labels and message labels.
};

}  // namespace app::ui
