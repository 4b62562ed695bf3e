#include "bitmaps/ui/editor_widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "bitmaps/screen_colours.h"
#include "platform/ui/qt_text.h"

namespace bitmaps::ui {

namespace {

constexpr int kCell = CBitmapEditor::kCellSize;
const QColor kGridLineColour(0, 128, 255);
constexpr int kSwatchSize = 20;
constexpr int kSwatchStep = 24;
constexpr int kSwatchLeft = 10;
constexpr int kSwatchTop = 24;
constexpr int kLabelLeft = 90;
constexpr int kLineHeight = 18;
constexpr int kPreviewTop = 48;

QString label(EditorLabel which) {
  return platform::ui::fromCp1252(editorLabel(which));
}

CBitmapEditor::Button buttonOf(Qt::MouseButton button) {
  return button == Qt::RightButton ? CBitmapEditor::Button::kRight : CBitmapEditor::Button::kLeft;
}

}  // namespace

QColor codeQColor(uint8_t code) {
  const ScreenColour c = screenColour(code);
  return QColor(c.red, c.green, c.blue);
}

CEditorGrid::CEditorGrid(CBitmapEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setFixedSize(editor.width() * kCell + 1, kImageRows * kCell + 1);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect CEditorGrid::cellRect(int x, int y) {
  return {x * kCell + 1, y * kCell + 1, kCell - 1, kCell - 1};
}

void CEditorGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  painter.setPen(kGridLineColour);
  for (int x = 0; x <= editor_.width(); ++x)
    painter.drawLine(x * kCell, 0, x * kCell, height());
  for (int y = 0; y <= kImageRows; ++y)
    painter.drawLine(0, y * kCell, width(), y * kCell);
  const int first = std::max(0, event->rect().left() / kCell);
  const int last = std::min(editor_.width() - 1, event->rect().right() / kCell);
  for (int y = 0; y < kImageRows; ++y) {
    for (int x = first; x <= last; ++x) {
      const uint8_t code = editor_.cell(x, y);
      if (code != 0 && code != CBitmapEditor::kEmptyCell) {
        painter.fillRect(cellRect(x, y), codeQColor(code));
      }
    }
  }
}

void CEditorGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  if (editor_.press(buttonOf(event->button()), p.x() / kCell, p.y() / kCell)) {
    update();
    emit cellsChanged();
  }
}

void CEditorGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (p.x() < 0 || p.y() < 0) return;  // integer division would round towards the grid
  bool painted = false;
  if (event->buttons() & Qt::LeftButton) {
    painted = editor_.drag(CBitmapEditor::Button::kLeft, p.x() / kCell, p.y() / kCell);
  } else if (event->buttons() & Qt::RightButton) {
    painted = editor_.drag(CBitmapEditor::Button::kRight, p.x() / kCell, p.y() / kCell);
  }
  if (painted) {
    update();
    emit cellsChanged();
  }
}

void CEditorGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  if (editor_.release(buttonOf(event->button()))) emit stored();
}

CEditorPanel::CEditorPanel(CBitmapEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setMinimumSize(kLabelLeft + std::max(kPreviewWidth, 260) + 10, kSwatchTop + 4 * kSwatchStep + 10);
}

QRect CEditorPanel::swatchRect(int position) const {
  return {kSwatchLeft + (position % 2) * kSwatchStep, kSwatchTop + (position / 2) * kSwatchStep,
          kSwatchSize, kSwatchSize};
}

QRect CEditorPanel::previewRect() const {
  return {kLabelLeft, kPreviewTop, kPreviewWidth, kPreviewHeight};
}

void CEditorPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().windowText().color());
  const int baseline = painter.fontMetrics().ascent();
  painter.drawText(kSwatchLeft, 4 + baseline, label(EditorLabel::kColour));
  painter.drawText(kLabelLeft, 4 + baseline,
                   label(EditorLabel::kIndexNumber) +
                       QStringLiteral(" %1").arg(editor_.currentIndex(), 4, 10, QLatin1Char('0')));
  painter.drawText(kLabelLeft, 4 + kLineHeight + baseline, label(EditorLabel::kPreviewPane));
  painter.drawText(kLabelLeft, kPreviewTop + kPreviewHeight + 6 + baseline,
                   label(EditorLabel::kTotalCatalog) +
                       QStringLiteral(" %1 ").arg(editor_.catalogCount()) +
                       label(EditorLabel::kBitmapImages));

  const std::vector<uint8_t> codes = editor_.palette();
  for (size_t i = 0; i < codes.size(); ++i) {
    const QRect r = swatchRect(static_cast<int>(i));
    painter.fillRect(r, codeQColor(codes[i]));
    painter.setPen(Qt::black);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    if (codes[i] == editor_.currentColour()) {
      painter.setPen(QPen(Qt::white, 2));
      painter.drawLine(r.topLeft(), r.bottomRight());
      painter.drawLine(r.topRight(), r.bottomLeft());
    }
  }

  QImage preview(editor_.width(), kImageRows, QImage::Format_RGB32);
  for (int y = 0; y < kImageRows; ++y) {
    for (int x = 0; x < editor_.width(); ++x)
      preview.setPixelColor(x, y, codeQColor(editor_.cell(x, y)));
  }
  painter.drawImage(previewRect(), preview);
}

void CEditorPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::vector<uint8_t> codes = editor_.palette();
  for (size_t i = 0; i < codes.size(); ++i) {
    if (swatchRect(static_cast<int>(i)).contains(event->position().toPoint())) {
      editor_.chooseColour(codes[i]);
      update();
      return;
    }
  }
}

}  // namespace bitmaps::ui
