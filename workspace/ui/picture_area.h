#pragma once

#include <QWidget>
#include <optional>

namespace workspace::ui {

// The picture area of a picture dialog: items drawn as lit LEDs on black, one of them selected
// and framed in green. A click selects the item under the mouse; a double click on an item
// selects it and asks for it to be inserted. Subclasses say where the items are.
class PictureArea : public QWidget {
  Q_OBJECT

 public:
  explicit PictureArea(QWidget* parent);

  std::optional<int> selection() const { return selection_; }
  // Selects `index`, or clears the selection with nothing; repaints and reports a change.
  void setSelection(std::optional<int> index);

  // The item whose place holds `point` (widget coordinates); nothing when none does. By default
  // the first item whose picture contains the point.
  virtual std::optional<int> itemAt(QPoint point) const;

 signals:
  void selectionChanged(std::optional<int> index);
  // A double click on item `index`.
  void itemActivated(int index);

 protected:
  // Whether a click away from every item clears the selection (else it keeps it).
  virtual bool clickOutsideClears() const { return true; }
  // The number of items and, for each, its picture's place and the frame's place.
  virtual int itemCount() const = 0;
  virtual QRect pictureRect(int index) const = 0;
  virtual QImage picture(int index) const = 0;

  // Fixes the widget's size to reach `margin` pixels past the last item's picture (room for the
  // selection frame). For a subclass's constructor.
  void fitToPictures(int margin);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::optional<int> selection_;  // The selected item.
};

}  // namespace workspace::ui
