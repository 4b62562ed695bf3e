#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "bitmaps/catalog_window_model.h"
#include "i18n/language_module.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace bitmaps::ui {

class ImageRowsArea;

// "Bitmap Image Catalog" (dialog 201): the catalog's images on the left, eight at a time with a
// scroll bar, and the Image Transfer File being assembled on the right ("Contents of Bitmap
// File"). A double click adds a catalog image to the file; the buttons remove, clear, open and
// save it. The rules are CatalogWindowModel's; this window shows its state and asks its questions.
class CBitmapCatalogDialog : public QDialog {
  Q_OBJECT

 public:
  enum class FileDialogKind { kOpen, kSave };
  // Asks for a list file's path; an empty string means the user cancelled.
  using FileChooser = std::function<QString(FileDialogKind)>;
  // True when the message text shows image `indexNumber` (such an image cannot be removed).
  using ImageInUse = std::function<bool(int indexNumber)>;

  // `catalog` and `language` must outlive the dialog.
  CBitmapCatalogDialog(const CBitmapCatalog& catalog, const i18n::LanguageModule& language,
                       QWidget* parent = nullptr);

  CatalogWindowModel& model() { return model_; }
  void setImageInUse(ImageInUse inUse) { inUse_ = std::move(inUse); }
  // Replaces the file dialogs (tests answer them this way).
  void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

  ImageRowsArea* catalogArea() const { return catalogArea_; }
  ImageRowsArea* fileArea() const { return fileArea_; }
  QScrollBar* scrollBar() const { return scroll_; }
  QPushButton* button(int controlId) const;

  // The buttons' commands. Each returns true when it ran to the end.
  bool openFile();
  bool removeSelected();
  bool saveFile();
  bool saveFileAs();
  bool newFile();
  bool clearFile();

 signals:
  // A list file was saved: its count, slots and path (the view reloads its Image Transfer File
  // when it names the same path).
  void transferFileSaved(const bitmaps::ImageTransferFile& file);

 private:
  void buildLayout();
  // Shows the model's state: rows, marks, scroll range, buttons, caption.
  void refresh();
  void catalogClicked(int row);
  void catalogDoubleClicked(int row);
  void fileClicked(int row);
  // Saves under the current name, or asks for one when there is none or `askName` is set.
  bool saveWithName(bool askName);
  // Asks `question` (Yes/No/Cancel) when there is one: false on Cancel, or when Yes saved nothing.
  bool settleChanges(const std::optional<std::string>& question);
  QString chooseFile(FileDialogKind kind);

  CatalogWindowModel model_;
  std::string baseCaption_;  // The dialog's own caption, in the current language.
  ImageInUse inUse_;
  FileChooser chooser_;
  ImageRowsArea* catalogArea_;
  ImageRowsArea* fileArea_;
  QScrollBar* scroll_;
  QLabel* total_;
};

}  // namespace bitmaps::ui
