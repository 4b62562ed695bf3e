#pragma once

#include <QWidget>
#include <functional>

#include "bitmaps/bitmap_editor.h"

namespace bitmaps::ui {

// The QColor of colour code `code` (black for 0, 9 and unknown codes).
QColor codeQColor(uint8_t code);

// The editor's grid: 8 screen pixels per sign pixel, the cells in their colours (black when empty)
// between grid lines, (width x 8 + 1) x (7 x 8 + 1) pixels. Mouse input goes to the editor: a
// press paints (left) or empties (right) the cell under it, moving with a button held does the
// same for each cell entered, and the release ends the stroke.
class CEditorGrid final : public QWidget {
  Q_OBJECT

 public:
  CEditorGrid(CBitmapEditor& editor, QWidget* parent = nullptr);

  // The screen rectangle of cell (x, y) inside this widget.
  static QRect cellRect(int x, int y);

 signals:
  // A cell changed (repaint the preview).
  void cellsChanged();
  // A stroke was stored in the catalog under the current index number.
  void stored();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  CBitmapEditor& editor_;
};

// Under the grid: the "Color" palette, the current index number, the "Preview Pane" and the
// catalog count. A left click on a swatch chooses its colour.
class CEditorPanel final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPreviewWidth = 214;
  static constexpr int kPreviewHeight = 32;

  CEditorPanel(CBitmapEditor& editor, QWidget* parent = nullptr);

  // The rectangle of the palette's swatch `position` (0-based, in palette order).
  QRect swatchRect(int position) const;
  QRect previewRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  CBitmapEditor& editor_;
};

}  // namespace bitmaps::ui
