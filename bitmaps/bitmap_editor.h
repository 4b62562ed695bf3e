#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/editor_prompts.h"

namespace bitmaps {

// The labels of the editor window, in the current language.
enum class EditorLabel { kColour, kIndexNumber, kPreviewPane, kTotalCatalog, kBitmapImages };
std::string editorLabel(EditorLabel label);

// The bitmap editor's drawing and commands, free of any window: one image of the catalog at a
// time, named by its index number, drawn cell by cell and written into the catalog when a stroke
// ends. The window paints what this holds and forwards mouse, keys and menu commands; every
// question and message goes through EditorDialogs.
//
// The drawing is `width` x 7 cells, row-major like CBitmapImage; 9 marks an empty cell and is
// stored as it is. The catalog must outlive the editor; it reaches the disk only at exit.
class CBitmapEditor {
 public:
  // Screen pixels per sign pixel on the grid.
  static constexpr int kCellSize = 8;
  // An empty cell of the drawing.
  static constexpr uint8_t kEmptyCell = 9;
  // Characters the index number dialog takes.
  static constexpr size_t kIndexDigits = 3;

  enum class Button { kLeft, kRight };

  // A fresh drawing for a sign of the catalog's width and `colourMode` ("IsSingleColor": 1
  // single colour, 2 bi-colour), under the catalog's next free index number; with a full catalog
  // image 1 is opened instead.
  CBitmapEditor(CBitmapCatalog& catalog, int colourMode);

  int width() const { return width_; }
  bool singleColour() const;
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  // The code of the cell at column x, row y; kEmptyCell outside the drawing.
  uint8_t cell(int x, int y) const;
  uint8_t currentColour() const { return colour_; }
  int currentIndex() const { return index_; }
  bool fromCatalog() const { return fromCatalog_; }
  bool changed() const { return changed_; }
  size_t catalogCount() const { return catalog_.count(); }
  const CBitmapCatalog& catalog() const { return catalog_; }

  // The colour codes the palette offers: 1 alone on a single-colour sign, 1 to 8 on a bi-colour
  // one (shown in rows of two).
  std::vector<uint8_t> palette() const;
  // Makes `code` the current colour; false (nothing changed) when the palette lacks it.
  bool chooseColour(uint8_t code);

  // The window caption, "Bitmap Image Workspace (7 x <width>)" in the current language.
  std::string caption() const;

  // Mouse on the grid (column x, row y). press() with the left button paints the cell with the
  // current colour, with the right button empties it; drag() does the same for each cell the
  // pointer enters while that button is held. Both return true when a cell changed. release()
  // ends the button's stroke: when the stroke changed a cell, the drawing is stored in the catalog
  // and true is returned (the caller then tells the view about the image).
  bool press(Button button, int x, int y);
  bool drag(Button button, int x, int y);
  bool release(Button button);

  // Left/Up (kPrevious) and Right/Down (kNext): after asking to save a changed drawing, opens the
  // image before or after the current one in catalog order, wrapping at either end (and taking
  // the last or the first one when the current image is not in the catalog). Nothing happens with
  // an empty catalog.
  void step(CBitmapCatalog::Direction direction, EditorDialogs& dialogs);

  // The menu commands, each with its questions and messages.
  void newImage(EditorDialogs& dialogs);
  void openImage(EditorDialogs& dialogs);
  void saveAs(EditorDialogs& dialogs);
  void clearDrawing(EditorDialogs& dialogs);
  void removeImage(EditorDialogs& dialogs);

  // Writes the drawing into the catalog under the current index number (creating the image when
  // needed) and clears the changed flag. False when the catalog is full and lacks the image.
  bool store();
  // How many times the drawing was stored, and the index number it was last stored under (0
  // before the first store); the window tells the view about a stored image by these.
  unsigned storeCount() const { return stores_; }
  int lastStoredIndex() const { return lastStored_; }
  // Opens image `indexNumber`; when the catalog lacks it, says so through `dialogs` (when given)
  // and keeps the drawing. True when the image was opened.
  bool load(int indexNumber, EditorDialogs* dialogs);

  // The number typed into the index dialog: the first kIndexDigits characters, which must all be
  // digits ("1234" reads 123); nothing for an empty or non-numeric text.
  static std::optional<int> indexFromTyped(std::string_view typed);

 private:
  bool paint(int x, int y, uint8_t code);
  // Asks the save question when the drawing changed; false when the user cancelled.
  bool askToSave(EditorDialogs& dialogs, PromptButtons buttons);
  // An empty drawing (every cell 9), unchanged and not from the catalog.
  void startEmpty();
  PromptAnswer ask(EditorDialogs& dialogs, int textId, PromptButtons buttons,
                   long long number = 0) const;

  CBitmapCatalog& catalog_;
  const int colourMode_;
  const int width_;
  std::vector<uint8_t> pixels_;  // width_ x 7 cells, row-major
  uint8_t colour_ = 1;
  int index_ = 0;
  bool fromCatalog_ = false;         // the current index number was taken from the catalog
  bool changed_ = false;             // painted since the last store
  bool stroke_[2] = {false, false};  // the press of that button changed a cell
  unsigned stores_ = 0;
  int lastStored_ = 0;
};

}  // namespace bitmaps
