#pragma once

#include <QDialog>

#include "i18n/language_module.h"
#include "workspace/message_model.h"

class QPushButton;

namespace workspace::ui {

class PictureArea;

// A picture dialog of the Insert menu (pre-defined symbols, pre-defined bitmaps or special
// characters): the picture area, "Insert" and "Close". "Insert" or a double click hands the
// selected item over through itemInserted; the dialog stays open until "Close", so several items
// can be inserted in a row.
class PictureDialog : public QDialog {
  Q_OBJECT

 public:
  // `kind`: kKindSymbol, kKindPredefinedBitmap or kKindSpecialCharacter.
  PictureDialog(QWidget* parent, ElementKind kind, const i18n::LanguageModule& language);

  // The dialog number of the picture dialog for `kind`; 0 for kinds without one here.
  static int dialogNumber(ElementKind kind);

  PictureArea* area() const { return area_; }
  QPushButton* insertButton() const { return insert_; }
  QPushButton* closeButton() const { return close_; }

 signals:
  // An item to insert: `value` is its index plus kInsertItemCodeOffset, as the editor takes it.
  void itemInserted(ElementKind kind, int value);

 public slots:
  // Hands the selected item over; nothing happens without a selection.
  void insertSelected();

 private slots:
  void updateInsertButton();

 private:
  const ElementKind kind_;  // What the dialog inserts.
  PictureArea* area_;
  QPushButton* insert_;
  QPushButton* close_;
};

}  // namespace workspace::ui
