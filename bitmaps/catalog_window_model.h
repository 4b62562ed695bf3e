#pragma once

#include <functional>
#include <optional>
#include <string>

#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/transfer_file.h"
#include "platform/status.h"

namespace bitmaps {

// The rules of the "Bitmap Image Catalog" window without the window: the catalog area (eight rows
// at a time, scrolled one image a step, one row highlighted) and the Image Transfer File being
// assembled in the "Contents of Bitmap File" area (eight fixed rows, one selected). The window
// paints what this model holds, asks the questions it returns and calls back with the answers.
// The catalog itself is only read here.
class CatalogWindowModel {
 public:
  // Rows each area shows at a time.
  static constexpr int kVisibleRows = 8;

  // What a double click on a catalog image leads to.
  enum class AddStep {
    kAdded,         // The image was appended.
    kRefused,       // `message` says why (eight images already); nothing changed.
    kAskDuplicate,  // Ask `message` (Yes/No); on Yes call addImage(..., true).
    kNoImage,       // No catalog image at that row; nothing happens.
  };
  struct AddResult {
    AddStep step = AddStep::kNoImage;
    std::string message;
  };

  // `catalog` must outlive the model.
  explicit CatalogWindowModel(const CBitmapCatalog& catalog) : catalog_(catalog) {}

  const CBitmapCatalog& catalog() const { return catalog_; }
  const ImageTransferFile& file() const { return file_; }

  // ---- The catalog area.

  // The catalog position shown in the area's first row, and the scroll range (0 to count - 8).
  int firstShown() const { return firstShown_; }
  int scrollMaximum() const;
  // Scrolls to `first`, kept within the range.
  void scrollTo(int first);
  // The catalog position shown in row `row` (0-7); nothing for a row below the last image.
  std::optional<int> catalogPositionAt(int row) const;
  // The highlighted catalog position (a single click), if any.
  std::optional<int> highlighted() const { return highlighted_; }
  void highlight(int catalogPosition);

  // A double click on the image at `catalogPosition`: appends it, or says why not, or asks first.
  // With `confirmedCopy` (the user answered Yes to the duplicate question) a copy is appended.
  AddResult addImage(int catalogPosition, bool confirmedCopy = false);

  // ---- The "Contents of Bitmap File" area.

  // The catalog image shown in row `row` (0-7) of the list, nullptr for an empty row or an index
  // number the catalog does not hold.
  const CBitmapImage* listImageAt(int row) const;
  // The selected row (a single click on a row that holds an image), if any.
  std::optional<int> selected() const { return selected_; }
  // Selects row `row` when it holds an image; false (selection unchanged) otherwise.
  bool select(int row);
  bool removeEnabled() const { return selected_.has_value(); }
  bool saveEnabled() const { return file_.changed; }

  // "Remove": the refusal text to show, or nothing when the selected image was removed. An image
  // that `inUse` reports as shown by the message text is refused.
  std::optional<std::string> removeSelected(const std::function<bool(int indexNumber)>& inUse);

  // ---- The list file.

  // The question "Clear Bitmap File" and "New Bitmap File" ask first (Yes/No/Cancel), or nothing
  // when the file has no unsaved change.
  std::optional<std::string> clearQuestion() const;
  // The question "Open Bitmap File..." asks first, or nothing.
  std::optional<std::string> openQuestion() const;
  // "Clear Bitmap File": no images, no selection; the name stays.
  void clear();
  // "New Bitmap File": as clear(), and the name is emptied.
  void newFile();
  // Loads the list file at `path`. On success it is the file shown, named `path`, unchanged, with
  // no selection; on failure the file shown is left empty, with its name, and the text says why.
  platform::Status open(const std::string& path);
  // Saves the file shown to `path`; on success it takes that name and is no longer changed.
  platform::Status saveTo(const std::string& path);
  // The window's caption for the dialog's own caption `dialogCaption`.
  std::string caption(const std::string& dialogCaption) const;

 private:
  const CBitmapCatalog& catalog_;
  ImageTransferFile file_;
  int firstShown_ = 0;
  std::optional<int> highlighted_;
  std::optional<int> selected_;
};

}  // namespace bitmaps
