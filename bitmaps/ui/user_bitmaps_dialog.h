#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "bitmaps/bitmap_image.h"
#include "i18n/language_module.h"

class QPushButton;

namespace bitmaps::ui {

class ImageRowsArea;

// "User-Defined Bitmaps" (dialog 192): the images of the editor's current Image Transfer File,
// one below the other. A click selects one (inverted); "Insert" or a double click hands its index
// number over, and the dialog stays open for more until "Close". "Load File" runs the editor's
// "Load File"; after a successful load the dialog shows the new images without a selection.
class CUserBitmapsDialog : public QDialog {
  Q_OBJECT

 public:
  // What the editor holds: the image numbers in slot order, and the picture of slot `slot`.
  struct Images {
    std::function<std::vector<int>()> numbers;
    std::function<const CBitmapImage*(int slot)> picture;
  };
  // Runs the editor's "Load File"; true when a list file was loaded.
  using LoadFile = std::function<bool()>;

  CUserBitmapsDialog(Images images, LoadFile loadFile, const i18n::LanguageModule& language,
                     QWidget* parent = nullptr);

  ImageRowsArea* area() const { return area_; }
  QPushButton* insertButton() const { return insert_; }
  QPushButton* loadButton() const { return load_; }

 signals:
  // The user chose image `indexNumber` to insert.
  void imageInserted(int indexNumber);

 public slots:
  void insertSelected();
  // "Load File": runs the editor's command and shows what it loaded.
  bool loadFile();

 private:
  // Rows for the editor's images, no selection, "Insert" disabled.
  void showImages();
  void select(int row);

  Images images_;
  LoadFile loadFile_;
  ImageRowsArea* area_;
  QPushButton* insert_;
  QPushButton* load_;
};

}  // namespace bitmaps::ui
